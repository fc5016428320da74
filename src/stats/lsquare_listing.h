// Display All Results: the listing of every stored least-squares result of the open
// sample file, with the steps each fit used.
#pragma once

#include <string>
#include <vector>

#include "store/records.h"
#include "session/snapshot.h"

namespace rmx {

class Session;

inline constexpr const char* NoLSquareData = "No Least Square Data Available!";
inline constexpr const char* AllResultsHeading =
    "   Sample         Meters  Label   GDec   GInc    TDec   TInc Intensity  Error #Points";
inline constexpr const char* StepsUsedHeading =
    "******** (AF) Temperature Steps Used in Least Square Analysis ********";

// One result line: name, metres, label and the result's values.
std::string AllResultsLine(const std::string& storedName, float meters, const LSquareResult& result);
// The name followed by the level of every selected step but the origin, and
// "  Org Tied" when the origin (the last step) is selected.
std::string StepsUsedLine(const std::string& storedName, const std::vector<StepRecord>& steps);

// Walks the samples of a snapshot (in file order) and lists every active sample
// whose header links a result; a result lost with the end of a truncated file is
// listed as lost, by its sample's name. The text ends every line with CR LF; with
// no such sample it is the single line NoLSquareData (without a line end). Throws
// StoreError for a damaged record.
std::string AllResultsText(const Snapshot& snapshot);
// The same for the session's open file, read fresh; NoLSquareData when no file is
// open. The session's current sample is not touched.
std::string AllResultsText(const Session& session);

}  // namespace rmx
