// fit and results: the least-squares analysis of samples and the listing of all
// stored results.
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "cli/browse.h"
#include "cli/cli.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "store/text.h"

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

// Checks one fit of sample n and saves it: exactly the listed steps selected, the
// label given. Returns the result saved (none when no real step is selected); with
// `written`, that gets the file as the fit left it.
std::optional<LSquareResult> FitOne(Opened& o, int n, const std::string& list, const std::string* label,
                                    Snapshot* written = nullptr) {
  Session& s = o.session;
  const std::string& path = s.FileName();
  try {
    const SampleHeader header = o.snapshot.Header(n);
    const int stepCount = header.StepCount;
    const std::set<int> wanted = ParseSteps(s, list, stepCount, n);
    const bool realStep = !wanted.empty() && *wanted.begin() < stepCount;
    const std::string upper = label ? UpperCase(*label) : std::string();
    if (label && !IsPolarityLabel(upper))
      throw Failure(path, "not a polarity label: \"" + *label + "\" (use N, R, NP, RP, NPP, RPP, N?, R? or INT)");
    if (realStep && !label) throw UsageError("fit needs --label when steps are selected");
    if (!s.File().Writable())
      throw Failure(path, "the file is read-only: the selection and the least-squares result cannot be saved");
    return SaveLSquareFit(s, n, {wanted, upper}, written);
  } catch (const Failure&) {
    throw;
  } catch (const UsageError&) {
    throw;
  } catch (const std::runtime_error& e) {
    Fail(s, e);
  }
}

std::string PlanLine(const Session& s, int n, const std::optional<LSquareResult>& r) {
  std::string name = s.Samples()[static_cast<size_t>(n - 1)].SampleName;
  name.erase(name.find_last_not_of(' ') + 1);
  if (!r) return Latin1ToUtf8(name) + " cleared";
  std::string label = r->Label;
  label.erase(label.find_last_not_of(' ') + 1);
  return Latin1ToUtf8(name) + ' ' + label + " GDec " + Format(r->GDec, "0.00") + " GInc " + Format(r->GInc, "0.00") +
         " TDec " + Format(r->TDec, "0.00") + " TInc " + Format(r->TInc, "0.00") + " MAD " + Format(r->Error, "0.00") +
         " points " + std::to_string(r->Points);
}

// One fit per line "SAMPLE STEPS LABEL", in order, in this one process.
int RunPlan(Opened& o, const std::string& planName, std::ostream& out) {
  std::ifstream file;
  if (planName != "-") {
    file.open(planName);
    if (!file) throw Failure(planName, "cannot read the plan");
  }
  std::istream& in = planName == "-" ? std::cin : file;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string sample, steps, label, extra;
    if (!(words >> sample)) continue;  // a blank line
    words >> steps >> label;
    const auto refuse = [&](const std::string& why) {
      throw Failure(planName, "line " + std::to_string(number) + ": " + why +
                                  " (the lines before it are done; nothing of this line was written)");
    };
    if (steps.empty() || (words >> extra)) refuse("expected SAMPLE STEPS LABEL");
    if (UpperCase(steps) == "NONE") steps.clear();
    try {
      const int n = SampleByNumberOrName(o.session, sample);
      // The next line goes on with the file as this fit left it (each fit reads the
      // file fresh again under its lock).
      const std::optional<LSquareResult> r = FitOne(o, n, steps, label.empty() ? nullptr : &label, &o.snapshot);
      out << PlanLine(o.session, n, r) << '\n';
    } catch (const Failure& e) {
      refuse(e.what());
    } catch (const UsageError& e) {
      refuse(e.what());
    } catch (const StoreError& e) {
      refuse(WithoutPath(e.what(), o.session.FileName()));
    }
  }
  return 0;
}

}  // namespace

int RunFit(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments parsed = SplitArguments(args, {"steps", "label", "plan"});
  const std::vector<std::string>& positional = parsed.positional;
  if (parsed.Has("plan")) {
    if (positional.size() != 1) throw UsageError("fit --plan takes a file and no sample number");
    if (parsed.Has("steps") || parsed.Has("label")) throw UsageError("--plan gives the steps and labels itself");
    Opened o = OpenForCli(positional[0]);
    return RunPlan(o, *parsed.Option("plan"), out);
  }
  if (positional.size() != 2) throw UsageError("fit takes a file and a sample number");
  if (!parsed.Has("steps")) throw UsageError("fit needs --steps (an empty list clears the selection)");
  Opened o = OpenForCli(positional[0]);
  const int n = SampleNumber(o.session, positional[1]);
  FitOne(o, n, *parsed.Option("steps"), parsed.Option("label"));
  try {
    o.snapshot = o.session.Read();
  } catch (const StoreError& e) {
    Fail(o.session, e);
  }
  PrintLines(out, ListingOf(o, n));
  return 0;
}

int RunResults(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 1) throw UsageError("results takes one file");
  const Opened o = OpenForCli(args[0]);
  std::string text;
  try {
    text = AllResultsText(o.snapshot);
  } catch (const StoreError& e) {
    Fail(o.session, e);
  }
  PrintReport(out, text);
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) out << '\n';
  return 0;
}

}  // namespace rmx::cli
