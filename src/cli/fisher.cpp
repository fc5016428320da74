// fisher: the Fisher analysis of all samples (All > Fisher statistics), its
// questions answered by options.
#include <map>

#include "session/dialogs.h"
#include "cli/browse.h"
#include "cli/cli.h"
#include "stats/lsquare.h"
#include "stats/site_analysis.h"
#include "store/numread.h"

namespace rmx::cli {

namespace {

SiteData DataKind(const std::string& value) {
  if (value == "nrm") return SiteData::Nrm;
  if (value == "lsq") return SiteData::LSquare;
  if (value == "af") return SiteData::AlternatingField;
  if (value == "at") return SiteData::ArbitraryTemperature;
  throw UsageError("--data must be nrm, lsq, af or at: " + value);
}

// A letter answer as the input box takes it (either case).
std::string Letter(const std::string& value, const char* option, const char* letters) {
  const std::string u = UpperCase(value);
  if (u.size() != 1 || std::string(letters).find(u[0]) == std::string::npos)
    throw UsageError(std::string("--") + option + " must be one of " + letters + " (either case): " + value);
  return u;
}

// The input-box answers in the order the command asks them. Every option is checked
// here, so a bad one stops the command before the file is read.
std::vector<std::string> Answers(const Arguments& a, SiteData data) {
  const auto option = [&](const char* name) { return a.Option(name); };
  const bool byLevel = data == SiteData::AlternatingField || data == SiteData::ArbitraryTemperature;
  const bool lsq = data == SiteData::LSquare;
  const std::string dataName = a.options.at("data");
  const auto require = [&](const char* name, bool wanted) {
    if (wanted && !option(name)) throw UsageError("--data " + dataName + " needs --" + name);
    if (!wanted && option(name)) throw UsageError("--" + std::string(name) + " does not apply to --data " + dataName);
  };
  require("level", byLevel);
  require("weighted", lsq);
  require("estimate", !lsq);
  if (!option("coords")) throw UsageError("fisher needs --coords g or t");

  std::vector<std::string> answers;
  if (byLevel) {
    if (!ReadSingle(*option("level"))) throw UsageError("--level must be a number: " + *option("level"));
    answers.push_back(*option("level"));
  }
  if (lsq) answers.push_back(Letter(*option("weighted"), "weighted", "YN"));
  answers.push_back(Letter(*option("coords"), "coords", "GT"));
  if (!lsq) {
    const std::string& e = *option("estimate");
    const size_t comma = e.find(',');
    const auto inc = ReadSingle(e.substr(0, comma));
    const auto dec = comma == std::string::npos ? std::nullopt : ReadSingle(e.substr(comma + 1));
    if (!inc || !dec || !IsEstimatedInclination(*inc) || !IsEstimatedDeclination(*dec))
      throw UsageError("--estimate must be INC,DEC with -90 <= INC <= 90 and 0 <= DEC < 360: " + e);
    answers.push_back(e.substr(0, comma));
    answers.push_back(e.substr(comma + 1));
  }
  return answers;
}

}  // namespace

int RunFisher(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments parsed = SplitArguments(args, {"data", "coords", "level", "weighted", "estimate"});
  if (parsed.positional.size() != 1) throw UsageError("fisher takes one file");
  if (!parsed.options.count("data")) throw UsageError("fisher needs --data nrm, lsq, af or at");
  const SiteData data = DataKind(parsed.options.at("data"));
  ScriptedDialogs dialogs;
  const std::vector<std::string> answers = Answers(parsed, data);
  dialogs.answers.assign(answers.begin(), answers.end());

  const Session s = OpenForCli(parsed.positional[0]);
  SiteOutcome outcome = SiteOutcome::Completed;
  const std::string report = FisherAnalysisText(data, s, dialogs, &outcome);
  PrintReport(out, report);
  if (outcome == SiteOutcome::Failed) {
    const std::string message =
        dialogs.messages.empty() ? "the file could not be read" : dialogs.messages.back().text;
    throw Failure(s.FileName(), WithoutPath(message, s.FileName()));
  }
  return 0;
}

}  // namespace rmx::cli
