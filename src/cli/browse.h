// Shared by the commands that work on one sample file.
#pragma once

#include <string>
#include <vector>

#include "session/session.h"

namespace rmx::cli {

// Opens a sample file as the main window does; a refused file is a Failure.
Session OpenForCli(const std::string& path);
// A sample number argument inside 1..SampleCount, else a Failure (or UsageError).
int SampleNumber(const Session& s, const std::string& text);
// The data listing of sample n, as lstRecordData shows it.
std::vector<std::string> ListingOf(Session& s, int n);

}  // namespace rmx::cli
