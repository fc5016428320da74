// Shared by the commands that work on one sample file.
#pragma once

#include <string>
#include <vector>

#include "session/session.h"
#include "session/snapshot.h"

namespace rmx::cli {

// A sample file opened as the main window opens it, with the snapshot the loading
// read: the command goes on with that one read.
struct Opened {
  Session session;
  Snapshot snapshot;
};

// Opens a sample file; a refused file is a Failure.
Opened OpenForCli(const std::string& path);
// A sample number argument inside 1..SampleCount, else a Failure (or UsageError).
int SampleNumber(const Session& s, const std::string& text);
// Sample `text` by its number or, when it is not a number, by its name (the stored
// name without its trailing blanks); a Failure when there is none.
int SampleByNumberOrName(const Session& s, const std::string& text);
// The data listing of sample n, as lstRecordData shows it.
std::vector<std::string> ListingOf(Opened& o, int n);
// A StoreError as the command line reports it: a Failure naming the file.
[[noreturn]] void Fail(const Session& s, const std::exception& e);

}  // namespace rmx::cli
