// The Convert command: turns one laboratory file into a new sample file in the same
// folder. The conversion dialog and the command line both run it.
//
// The sample file is written under a temporary name in the output's folder and takes
// its name only when the conversion succeeded, so a failed or cancelled conversion
// leaves the folder as it was: an existing sample file is never truncated or
// half-written. Input and output are closed on every path out of the command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "session/dialogs.h"
#include "convert/lab_file.h"
#include "store/text.h"

namespace rmx {

struct ConvertResult {
  bool ok = false;         // the sample file was written
  bool cancelled = false;  // the overwrite question was cancelled: nothing was written
  std::string outputPath;  // the sample file (when ok)
  std::string errorText;   // what went wrong (neither ok nor cancelled)
};

// The output name: the file name up to and including its first "." followed by
// "mag", or the whole name followed by ".mag" when it has no ".". CRA.app gives
// CRA.mag, site.a.tab gives site.mag.
std::string OutputName(std::string_view inputFileName);

// The message of a conversion error, in three lines: the error frame, "ERROR = "
// and its description, and the input line being read.
std::string ConversionMessage(int number, int64_t line);
inline std::string ConversionMessage(const ConvertError& e) { return ConversionMessage(e.number, e.line); }

// Why a typed output name cannot name a file of the input's folder (empty or blank,
// "." or "..", or holding a folder separator), or "" when it can.
std::string OutputNameProblem(const std::string& name);

// True when a directory entry of exactly this path exists (a dangling link counts).
bool PathExists(const std::string& path);
// True when `path` names the same file as `other` (both exist).
bool SameFile(const std::string& path, const std::string& other);

// Converts `inputPath` into the file `outputName` of the input's folder. An existing
// file of that name is replaced only when `overwrite` is set, and never when it is
// the input itself. Shows nothing: a failure is described in errorText (the
// three-part message for a conversion error).
ConvertResult ConvertTo(const std::string& inputPath, const std::string& outputName, bool overwrite);

// The conversion dialog's Convert: the output name by the rule, the "Filename
// verification" question when that file exists (OK overwrites it, another name is
// checked and asked again while it cannot be used or also exists, Cancel ends the
// command), the conversion, and on failure the error's message box.
ConvertResult ConvertFile(const std::string& inputPath, Dialogs& dialogs);

// The prompt of the "Filename verification" question for an existing output name.
std::string OverwritePrompt(const std::string& outputName);

}  // namespace rmx
