#include "stats/site_command.h"

#include <functional>
#include <optional>

#include "stats/direction.h"
#include "stats/lsquare.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx {

namespace {

class Questions {
 public:
  explicit Questions(Dialogs& dialogs) : dialogs_(dialogs) {}

  // Asks until `accept` takes the answer; nothing for an empty answer (Cancel).
  std::optional<std::string> Ask(const std::string& prompt, const char* title,
                                 const std::function<bool(const std::string&)>& accept) {
    for (;;) {
      std::string answer = dialogs_.InputBox(prompt, title);
      if (answer.empty()) return std::nullopt;
      if (accept(answer)) return answer;
    }
  }

  // A number inside the range `inRange`; nothing for Cancel.
  std::optional<float> Number(const std::string& prompt, const char* title, const std::function<bool(float)>& inRange) {
    const auto answer = Ask(prompt, title, [&](const std::string& a) {
      const auto v = ReadSingle(a);
      return v && inRange(*v);
    });
    if (!answer) return std::nullopt;
    return *ReadSingle(*answer);
  }

  // One of two letters, upper-cased; nothing for Cancel.
  std::optional<char> Letter(const std::string& prompt, const char* title, char first, char second) {
    const auto answer = Ask(prompt, title, [&](const std::string& a) {
      const std::string u = UpperCase(a);
      return u.size() == 1 && (u[0] == first || u[0] == second);
    });
    if (!answer) return std::nullopt;
    return UpperCase(*answer)[0];
  }

  bool Level(SiteOptions& o) {
    const bool af = o.data == SiteData::AlternatingField;
    const std::string prompt = af ? std::string("Please enter a desired strength of") + std::string(CrLf) +
                                        "Alternating Field for Fisher Analysis: "
                                  : std::string("Please enter a desired temperature for Fisher Analysis:") +
                                        std::string(CrLf) + "e.g., 250, 300, 350, 400 degree, etc. ";
    const auto level =
        Number(prompt, af ? site_prompts::AFLevelTitle : site_prompts::ATLevelTitle, [](float) { return true; });
    if (!level) return false;
    o.level = *level;
    return true;
  }

  bool Weighting(SiteOptions& o) {
    const auto w = Letter(std::string("Would you like the data to be weighted? (Y/y/N/n)") + std::string(CrLf) +
                              "N or R: Full Weight; NP or RP: Half Weight.",
                          site_prompts::WeightingTitle, 'Y', 'N');
    if (!w) return false;
    o.weighted = *w == 'Y';
    return true;
  }

  bool Coordinates(SiteOptions& o) {
    const std::string crlf(CrLf);
    const auto c = Letter("Please select a data set for Fisher Analysis. " + crlf +
                              "Input 'G or g' to select Geographic Data, or" + crlf +
                              "Input 'T or t' to select Tilt-corrected Data",
                          site_prompts::CoordinatesTitle, 'G', 'T');
    if (!c) return false;
    o.geographic = *c == 'G';
    return true;
  }

  std::optional<float> Estimate(const char* title, const std::function<bool(float)>& inRange) {
    const std::string crlf(CrLf);
    return Number("A rough estimate of the Normal direction is needed. " + crlf +
                      "for an initial cutoff of Normal vs. Reversed Polarity." + crlf + "Input " + title + ":",
                  title, inRange);
  }

  bool NormalEstimate(SiteOptions& o) {
    const auto inc = Estimate(site_prompts::InclinationTitle, IsEstimatedInclination);
    if (!inc) return false;
    const auto dec = Estimate(site_prompts::DeclinationTitle, IsEstimatedDeclination);
    if (!dec) return false;
    o.estimatedInc = *inc;
    o.estimatedDec = *dec;
    return true;
  }

 private:
  Dialogs& dialogs_;
};

}  // namespace

Outcome FisherAnalysis(SiteData data, const Session& session, Dialogs& dialogs, FisherOutput& out) {
  if (!session.IsOpen()) return Outcome::Nothing();
  Questions ask(dialogs);
  SiteOptions o;
  o.data = data;
  const bool steps = data != SiteData::LSquare;
  if (data == SiteData::AlternatingField || data == SiteData::ArbitraryTemperature) {
    if (!ask.Level(o)) return Outcome::Cancelled();
  }
  if (!steps && !ask.Weighting(o)) return Outcome::Cancelled();
  if (!ask.Coordinates(o)) return Outcome::Cancelled();
  try {
    const Snapshot snapshot = session.Read();
    const SiteDirections found = GatherSiteDirections(snapshot, o);
    out.Append(SiteReportOpening(o, found));
    out.Show();
    if (SiteReportEnds(o, found)) return Outcome::Stopped();
    if (steps && !ask.NormalEstimate(o)) return Outcome::Cancelled();
    out.Append(SiteReportPasses(o, found, SiteOf(snapshot.CheckedSection())));
    return Outcome::Done();
  } catch (const StoreError& e) {
    const std::string message = Session::Refusal(session.FileName(), e.what());
    dialogs.MessageBox(message, {}, MessageIcon::Critical);
    return Outcome::Failed(message);
  }
}

}  // namespace rmx
