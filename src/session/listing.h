// The fixed-pitch lines of the main window's two lists: the sample list and the
// data listing of one sample.
#pragma once

#include <string>
#include <vector>

#include "store/records.h"
#include "store/sample_file.h"

namespace rmx {

inline constexpr const char* SampleListHeading = "  Sample     Active";
inline constexpr const char* StepListHeading =
    " Steps     GDec   GInc    TDec   TInc  Intensity  Error  LSquare  Plot";

// Name as stored (16 characters) followed by "Yes" or " No".
std::string SampleListLine(const SampleEntry& entry);
// The heading line, then one line per sample in file order.
std::vector<std::string> SampleListLines(const std::vector<SampleEntry>& samples);

// One step line of the data listing.
std::string StepLine(const StepRecord& step);
// "      *************** Sample: <name> *************** ".
std::string SampleClosingLine(const std::string& storedName);
// The three lines of a stored least-squares result.
std::vector<std::string> ResultLines(const LSquareResult& result);
// The whole listing of one sample: heading, steps, closing line and, when
// `result` is given, the three result lines.
std::vector<std::string> SampleListing(const std::string& storedName, const std::vector<StepRecord>& steps,
                                       const LSquareResult* result);

// The checked lines of a list, each followed by CR LF, in list order.
std::string CheckedLinesText(const std::vector<std::string>& lines, const std::vector<bool>& checked);

}  // namespace rmx
