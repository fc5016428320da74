#include "session/marking.h"

#include "store/text.h"

namespace rmx {

std::string ReadOnlyMessage(const std::string& path) {
  return "The file " + PathToLatin1(path) + " cannot be written (it is read-only): the change cannot be saved.";
}

namespace {

bool CheckWritable(Session& s, Dialogs& dialogs) {
  if (s.File().Writable()) return true;
  dialogs.MessageBox(ReadOnlyMessage(s.FileName()), {}, MessageIcon::Warning);
  return false;
}

void ReportWriteError(const StoreError& e, const Session& s, Dialogs& dialogs) {
  dialogs.MessageBox(Session::Refusal(s.FileName(), e.what()), {}, MessageIcon::Critical);
}

// Flips one field of the checked steps of the current sample, read fresh.
MarkResult ToggleSteps(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs,
                       int32_t StepRecord::*field) {
  const int p = s.CurrentPosition();
  if (p < 1 || p > s.SampleCount()) return MarkResult::NoSample;
  // Only step lines count: the heading, closing and result lines are never read.
  bool any = false;
  for (int k : checkedSteps) any = any || (k >= 1 && k <= s.CurrentHeader().StepCount);
  if (!any) return MarkResult::Done;
  if (!CheckWritable(s, dialogs)) return MarkResult::NotSaved;
  try {
    const int32_t h = s.Samples()[static_cast<size_t>(p - 1)].Slot;
    const SampleHeader header = ReadCheckedSampleHeader(s.File(), h, p);
    for (int k : checkedSteps) {
      if (k < 1 || k > header.StepCount) continue;  // heading, closing and result lines
      StepRecord step = s.File().ReadStep(h + k);
      step.*field = step.*field == 0 ? 1 : 0;
      s.File().Write(h + k, step);
    }
  } catch (const StoreError& e) {
    ReportWriteError(e, s, dialogs);
    return MarkResult::NotSaved;
  }
  return MarkResult::Done;
}

}  // namespace

MarkResult DeactivateRecords(Session& s, const std::vector<int>& checkedSamples, Dialogs& dialogs) {
  if (!s.IsOpen()) return MarkResult::NoSample;
  bool any = false;
  for (int i : checkedSamples) any = any || (i >= 1 && i <= s.SampleCount());
  if (!any) return MarkResult::Done;
  if (!CheckWritable(s, dialogs)) return MarkResult::NotSaved;
  try {
    for (int i : checkedSamples) {
      if (i < 1 || i > s.SampleCount()) continue;
      const int32_t slot = s.Samples()[static_cast<size_t>(i - 1)].Slot;
      SampleHeader h = ReadCheckedSampleHeader(s.File(), slot, i);
      h.Active = h.Active == 1 ? 0 : 1;
      s.File().Write(slot, h);
    }
  } catch (const StoreError& e) {
    ReportWriteError(e, s, dialogs);
    return MarkResult::NotSaved;
  }
  return MarkResult::Done;
}

MarkResult TogglePlotPoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs) {
  return ToggleSteps(s, checkedSteps, dialogs, &StepRecord::Plot);
}

MarkResult ToggleLSquarePoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs) {
  return ToggleSteps(s, checkedSteps, dialogs, &StepRecord::LSquare);
}

}  // namespace rmx
