// Display All Results: the listing of every stored least-squares result of the open
// sample file, with the steps each fit used.
#pragma once

#include <string>
#include <vector>

#include "store/records.h"
#include "store/sample_file.h"

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

// Walks the samples of `table` (in file order) with its own buffers and lists every
// active sample whose header links a result. The text ends every line with CR LF; with
// no such sample it is the single line NoLSquareData (without a line end). Throws
// StoreError when a record cannot be read or breaks the format.
std::string AllResultsText(const SampleFile& file, const std::vector<SampleEntry>& table);
// The same for the session's open file; NoLSquareData when no file is open. The
// session's current sample is not touched.
std::string AllResultsText(const Session& session);

}  // namespace rmx
