// fisher: the Fisher analysis of all samples (All > Fisher statistics), its
// questions answered by options.
#include "cli/browse.h"
#include "cli/cli.h"
#include "stats/lsquare.h"
#include "stats/site_analysis.h"
#include "store/text.h"
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

float Number(const std::string& text, const char* what) {
  const auto v = ReadSingle(text);
  if (!v) throw UsageError(std::string(what) + " must be a number: " + text);
  return *v;
}

// The options of the analysis, from the flags. Every option is checked here, so a
// bad one stops the command before the file is read.
SiteOptions OptionsOf(const Arguments& a, SiteData data) {
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

  SiteOptions o;
  o.data = data;
  if (byLevel) o.level = Number(*option("level"), "--level");
  if (lsq) o.weighted = Letter(*option("weighted"), "weighted", "YN") == "Y";
  o.geographic = Letter(*option("coords"), "coords", "GT") == "G";
  if (!lsq) {
    const std::string& e = *option("estimate");
    const size_t comma = e.find(',');
    const auto inc = ReadSingle(e.substr(0, comma));
    const auto dec = comma == std::string::npos ? std::nullopt : ReadSingle(e.substr(comma + 1));
    if (!inc || !dec || !IsEstimatedInclination(*inc) || !IsEstimatedDeclination(*dec))
      throw UsageError("--estimate must be INC,DEC with -90 <= INC <= 90 and 0 <= DEC < 360: " + e);
    o.estimatedInc = *inc;
    o.estimatedDec = *dec;
  }
  return o;
}

}  // namespace

int RunFisher(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments parsed = SplitArguments(args, {"data", "coords", "level", "weighted", "estimate"});
  if (parsed.positional.size() != 1) throw UsageError("fisher takes one file");
  if (!parsed.options.count("data")) throw UsageError("fisher needs --data nrm, lsq, af or at");
  const SiteOptions options = OptionsOf(parsed, DataKind(parsed.options.at("data")));
  const Opened o = OpenForCli(parsed.positional[0]);
  std::string report;
  try {
    report = SiteReport(options, o.snapshot);
  } catch (const StoreError& e) {
    Fail(o.session, e);
  }
  PrintReport(out, report);
  return 0;
}

}  // namespace rmx::cli
