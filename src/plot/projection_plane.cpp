#include "plot/projection_plane.h"

#include "session/marking.h"
#include "store/numread.h"

namespace rmx::plot {

PlaneResult SetProjectionPlane(Session& s, int position, Dialogs& dialogs) {
  if (!s.IsOpen() || position < 1 || position > s.SampleCount()) return PlaneResult::NoSample;
  if (!s.File().Writable()) {
    dialogs.MessageBox(ReadOnlyMessage(s.FileName()), {}, MessageIcon::Warning);
    return PlaneResult::NotSaved;
  }
  std::optional<int32_t> plane;
  while (!plane) {
    const std::string answer = dialogs.InputBox(ProjectionPlanePrompt, ProjectionPlaneTitle);
    if (answer.empty()) return PlaneResult::Cancelled;
    plane = ReadWhole(answer);
  }
  try {
    const int32_t slot = s.Samples()[static_cast<size_t>(position - 1)].Slot;
    SampleHeader header = ReadCheckedSampleHeader(s.File(), slot, position);
    header.ProjectionDec = *plane;
    s.File().Write(slot, header);
  } catch (const StoreError& e) {
    dialogs.MessageBox(Session::Refusal(s.FileName(), e.what()), {}, MessageIcon::Critical);
    return PlaneResult::NotSaved;
  }
  try {
    s.ListSample(position);
  } catch (const StoreError& e) {
    // Written, but the sample can no longer be read back.
    dialogs.MessageBox(e.what(), {}, MessageIcon::Critical);
  }
  return PlaneResult::Written;
}

}  // namespace rmx::plot
