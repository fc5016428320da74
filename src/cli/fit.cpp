// fit and results: the least-squares analysis of one sample and the listing of all
// stored results.
#include <set>

#include "session/dialogs.h"
#include "session/session.h"
#include "cli/browse.h"
#include "cli/cli.h"
#include "stats/lsquare.h"
#include "stats/lsquare_listing.h"
#include "store/sample_file.h"

namespace rmx::cli {

namespace {

// The step numbers of LIST (from 1); "ORG" (any case) is the origin, the last step.
std::set<int> ParseSteps(const Session& s, const std::string& list, int stepCount, int sample) {
  std::set<int> wanted;
  if (list.empty()) return wanted;
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (item.empty()) throw UsageError("the step list has an empty entry: " + list);
    int k = 0;
    if (UpperCase(item) == "ORG") {
      k = stepCount;
    } else {
      k = ParseIndex(item, "a step number");
      if (k < 1 || k > stepCount)
        throw Failure(s.FileName(), "sample " + std::to_string(sample) + " has no step " + item + " (its steps are 1 to " +
                                        std::to_string(stepCount) + ", the origin is " + std::to_string(stepCount) +
                                        ")");
    }
    wanted.insert(k);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return wanted;
}

}  // namespace

int RunFit(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments parsed = SplitArguments(args, {"steps", "label"});
  const std::vector<std::string>& positional = parsed.positional;
  const bool haveSteps = parsed.Has("steps"), haveLabel = parsed.Has("label");
  const std::string list = haveSteps ? *parsed.Option("steps") : std::string();
  const std::string label = haveLabel ? *parsed.Option("label") : std::string();
  if (positional.size() != 2) throw UsageError("fit takes a file and a sample number");
  if (!haveSteps) throw UsageError("fit needs --steps (an empty list clears the selection)");

  Session s = OpenForCli(positional[0]);
  const int n = SampleNumber(s, positional[1]);
  const std::string& path = s.FileName();
  const SampleEntry entry = s.Samples()[static_cast<size_t>(n - 1)];
  try {
    const SampleHeader header = ReadCheckedSampleHeader(s.File(), entry.Slot, n);
    const int stepCount = header.StepCount;
    const std::set<int> wanted = ParseSteps(s, list, stepCount, n);
    const bool realStep = !wanted.empty() && *wanted.begin() < stepCount;

    std::string upper = UpperCase(label);
    if (haveLabel && !IsPolarityLabel(upper))
      throw Failure(path, "not a polarity label: \"" + label + "\" (use N, R, NP, RP, NPP, RPP, N?, R? or INT)");
    if (realStep && !haveLabel) throw UsageError("fit needs --label when steps are selected");
    if (!s.File().Writable())
      throw Failure(path, "the file is read-only: the selection and the least-squares result cannot be saved");

    // The selection: exactly the listed steps, each record read fresh and written
    // back only when its flag changes.
    for (int k = 1; k <= stepCount; ++k) {
      const int64_t slot = static_cast<int64_t>(entry.Slot) + k;
      StepRecord step = s.File().ReadStep(slot);
      const int32_t flag = wanted.count(k) ? 1 : 0;
      if (step.LSquare == flag) continue;
      step.LSquare = flag;
      s.File().Write(slot, step);
    }

    ScriptedDialogs dialogs;
    if (haveLabel) dialogs.answers.push_back(upper);
    const LSquareOutcome outcome = LSquareAnalysis(s, dialogs, n);
    if (outcome == LSquareOutcome::NotSaved || outcome == LSquareOutcome::Cancelled) {
      const std::string why = dialogs.messages.empty() ? "the least-squares result was not saved"
                                                       : dialogs.messages.back().text;
      throw Failure(path, why);
    }
  } catch (const StoreError& e) {
    throw Failure(path, WithoutPath(e.what(), path));
  }
  PrintLines(out, ListingOf(s, n));
  return 0;
}

int RunResults(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("results takes one file");
  Session s = OpenForCli(args[0]);
  std::string text;
  try {
    text = AllResultsText(s);
  } catch (const StoreError& e) {
    throw Failure(s.FileName(), WithoutPath(e.what(), s.FileName()));
  }
  PrintReport(out, text);
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) out << '\n';
  return 0;
}

}  // namespace rmx::cli
