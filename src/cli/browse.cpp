// samples and listing: the two lists of the main window.
#include "cli/browse.h"
#include "session/session.h"
#include "cli/cli.h"

namespace rmx::cli {

namespace {

// Opens a sample file as the main window's loading routine does.
Session OpenSession(const std::string& path) {
  Session s;
  s.GetOpenFileName(path);
  try {
    s.Load();
  } catch (const StoreError& e) {
    // The session's message starts with the path; the file is named by the frame.
    throw Failure(path, WithoutPath(e.what(), path));
  }
  return s;
}

}  // namespace

Session OpenForCli(const std::string& path) { return OpenSession(path); }

int SampleNumber(const Session& s, const std::string& text) {
  const int n = ParseIndex(text, "the sample number");
  if (n < 1 || n > s.SampleCount())
    throw Failure(s.FileName(), "there is no sample " + text + " (the file holds " +
                                    std::to_string(s.SampleCount()) + " samples)");
  return n;
}

std::vector<std::string> ListingOf(Session& s, int n) {
  try {
    return *s.ListSample(n);
  } catch (const StoreError& e) {
    throw Failure(s.FileName(), WithoutPath(e.what(), s.FileName()));
  }
}

int RunSamples(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("samples takes one file");
  Session s = OpenSession(args[0]);
  PrintLines(out, s.SampleLines());
  return 0;
}

int RunListing(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 2) throw UsageError("listing takes a file and a sample number");
  ParseIndex(args[1], "the sample number");  // bad usage before the file is read
  Session s = OpenSession(args[0]);
  const int n = SampleNumber(s, args[1]);
  PrintLines(out, ListingOf(s, n));
  return 0;
}

}  // namespace rmx::cli
