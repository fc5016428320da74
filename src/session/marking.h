// The three marking commands of the main window: samples switched active or
// inactive, steps switched in or out of the plots and of the least-squares fit.
// Each re-reads the records it changes from the file, flips one field and writes
// the record back to its slot at once.
#pragma once

#include <vector>

#include "session/dialogs.h"
#include "session/session.h"

namespace rmx {

// Outcome of a marking command.
enum class MarkResult {
  Done,        // records written (or nothing checked); the caller re-lists
  NoSample,    // no sample selected: nothing happened
  NotSaved,    // the file cannot be written: a message was shown, nothing changed
};

// Flips `Active` of every checked sample (list positions from 1). The caller then
// re-runs the loading routine.
MarkResult DeactivateRecords(Session& s, const std::vector<int>& checkedSamples, Dialogs& dialogs);
// Flips `Plot` of every checked step (data list positions from 1) of the current
// sample. The caller re-lists the sample.
MarkResult TogglePlotPoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs);
// Flips `LSquare` of every checked step of the current sample. The caller re-lists
// the sample and starts the least-squares analysis.
MarkResult ToggleLSquarePoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs);

// The message shown when the open file cannot be written.
std::string ReadOnlyMessage(const std::string& path);

}  // namespace rmx
