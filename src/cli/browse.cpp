// samples and listing: the two lists of the main window.
#include "cli/browse.h"

#include "cli/cli.h"
#include "store/text.h"

namespace rmx::cli {

Opened OpenForCli(const std::string& path) {
  Opened o;
  o.session.GetOpenFileName(path);
  try {
    o.snapshot = o.session.Load();
  } catch (const StoreError& e) {
    // The session's message starts with the path; the file is named by the frame.
    throw Failure(path, WithoutPath(e.what(), path));
  }
  return o;
}

void Fail(const Session& s, const std::exception& e) {
  throw Failure(s.FileName(), WithoutPath(e.what(), s.FileName()));
}

int SampleNumber(const Session& s, const std::string& text) {
  const int n = ParseIndex(text, "the sample number");
  if (n < 1 || n > s.SampleCount())
    throw Failure(s.FileName(), "there is no sample " + text + " (the file holds " +
                                    std::to_string(s.SampleCount()) + " samples)");
  return n;
}

int SampleByNumberOrName(const Session& s, const std::string& text) {
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) return SampleNumber(s, text);
  const std::string name = PathToLatin1(text);
  for (int i = 1; i <= s.SampleCount(); ++i) {
    std::string stored = s.Samples()[static_cast<size_t>(i - 1)].SampleName;
    stored.erase(stored.find_last_not_of(' ') + 1);
    if (stored == name) return i;
  }
  throw Failure(s.FileName(), "there is no sample named \"" + text + "\"");
}

std::vector<std::string> ListingOf(Opened& o, int n) {
  try {
    return *o.session.ListSample(n, o.snapshot);
  } catch (const StoreError& e) {
    Fail(o.session, e);
  }
}

int RunSamples(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("samples takes one file");
  const Opened o = OpenForCli(args[0]);
  PrintLines(out, o.session.SampleLines());
  return 0;
}

int RunListing(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 2) throw UsageError("listing takes a file and a sample number");
  ParseIndex(args[1], "the sample number");  // bad usage before the file is read
  Opened o = OpenForCli(args[0]);
  const int n = SampleNumber(o.session, args[1]);
  PrintLines(out, ListingOf(o, n));
  return 0;
}

}  // namespace rmx::cli
