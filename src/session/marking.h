// The three marking commands of the main window: samples switched active or
// inactive, steps switched in or out of the plots and of the least-squares fit.
// Each changes its records in one edit of the file (read fresh under the lock, one
// field flipped, written back at once, all or nothing).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session/dialogs.h"
#include "session/outcome.h"
#include "session/record_edit.h"
#include "session/session.h"

namespace rmx {

// Flips `Active` of every checked sample (list positions from 1). The caller then
// re-runs the loading routine. Done, Nothing (no file) or Failed.
Outcome DeactivateRecords(Session& s, const std::vector<int>& checkedSamples, Dialogs& dialogs);
// Flips `Plot` of every checked step (data list positions from 1) of the current
// sample. The caller re-lists the sample. Nothing when no sample is selected.
Outcome TogglePlotPoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs);
// Flips `LSquare` of every checked step of the current sample. The caller re-lists
// the sample and starts the least-squares analysis.
Outcome ToggleLSquarePoints(Session& s, const std::vector<int>& checkedSteps, Dialogs& dialogs);

// Runs `write` in one edit of the session's file and shows a failure (a read-only
// file, another writer, a failed write) in a message box: the file is then as it
// was. Returns Done or Failed with the message shown.
Outcome EditFile(Session& s, Dialogs& dialogs, const std::function<void(RecordEdit&)>& write,
                 const std::string& title = {});

}  // namespace rmx
