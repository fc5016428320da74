#include "plot/projection_plane.h"

#include "session/marking.h"
#include "store/numread.h"

namespace rmx::plot {

Outcome SetProjectionPlane(Session& s, int position, Dialogs& dialogs) {
  if (!s.IsOpen() || position < 1 || position > s.SampleCount()) return Outcome::Nothing();
  if (!s.File().Writable()) {
    dialogs.MessageBox(s.ReadOnlyMessage(), {}, MessageIcon::Warning);
    return Outcome::Failed(s.ReadOnlyMessage());
  }
  std::optional<int32_t> plane;
  while (!plane) {
    const std::string answer = dialogs.InputBox(ProjectionPlanePrompt, ProjectionPlaneTitle);
    if (answer.empty()) return Outcome::Cancelled();
    plane = ReadWhole(answer);
  }
  const Outcome written =
      EditFile(s, dialogs, [&](RecordEdit& edit) {
        edit.ChangeSampleHeader(position, [&](SampleHeader& h) { h.ProjectionDec = *plane; });
      });
  if (!written.Is(Outcome::Kind::Done)) return written;
  try {
    s.ListSample(position);
  } catch (const StoreError& e) {
    // Written, but the sample can no longer be read back.
    dialogs.MessageBox(e.what(), {}, MessageIcon::Critical);
  }
  return Outcome::Done();
}

}  // namespace rmx::plot
