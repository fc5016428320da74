#include "session/marking.h"

#include "session/record_edit.h"

namespace rmx {

Outcome EditFile(Session& s, Dialogs& dialogs, const std::function<void(RecordEdit&)>& write,
                 const std::string& title) {
  if (!s.File().Writable()) {
    dialogs.MessageBox(s.ReadOnlyMessage(), title, MessageIcon::Warning);
    return Outcome::Failed(s.ReadOnlyMessage());
  }
  try {
    RecordEdit edit(s.File());
    write(edit);
    edit.Commit();
  } catch (const StoreError& e) {
    const std::string message = Session::Refusal(s.FileName(), e.what());
    dialogs.MessageBox(message, title, MessageIcon::Critical);
    return Outcome::Failed(message);
  }
  return Outcome::Done();
}

namespace {

// Flips one field of the checked steps of the current sample.
Outcome ToggleSteps(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs, int32_t StepRecord::*field) {
  const int p = s.CurrentPosition();
  if (p < 1 || p > s.SampleCount()) return Outcome::Nothing();
  // Only step lines count: the heading, closing and result lines are never read.
  std::vector<int> steps;
  for (int k : checkedSteps)
    if (k >= 1 && k <= s.CurrentHeader().StepCount) steps.push_back(k);
  if (steps.empty()) return Outcome::Done();
  return EditFile(s, dialogs, [&](RecordEdit& edit) {
    for (int k : steps) edit.ChangeStep(p, k, [field](StepRecord& r) { r.*field = r.*field == 0 ? 1 : 0; });
  });
}

}  // namespace

Outcome DeactivateRecords(Session& s, const std::vector<int>& checkedSamples, Dialogs& dialogs) {
  if (!s.IsOpen()) return Outcome::Nothing();
  std::vector<int> samples;
  for (int i : checkedSamples)
    if (i >= 1 && i <= s.SampleCount()) samples.push_back(i);
  if (samples.empty()) return Outcome::Done();
  return EditFile(s, dialogs, [&](RecordEdit& edit) {
    for (int i : samples) edit.ChangeSampleHeader(i, [](SampleHeader& h) { h.Active = h.Active == 1 ? 0 : 1; });
  });
}

Outcome TogglePlotPoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs) {
  return ToggleSteps(s, checkedSteps, dialogs, &StepRecord::Plot);
}

Outcome ToggleLSquarePoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs) {
  return ToggleSteps(s, checkedSteps, dialogs, &StepRecord::LSquare);
}

}  // namespace rmx
