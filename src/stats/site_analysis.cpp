#include "stats/site_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "session/dialogs.h"
#include "session/session.h"
#include "stats/direction.h"
#include "stats/fisher.h"
#include "stats/lsquare.h"
#include "stats/vgp.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx {

bool IsEstimatedInclination(float value) { return value >= -90.0f && value <= 90.0f; }
bool IsEstimatedDeclination(float value) { return value >= 0.0f && value < 360.0f; }

namespace {

using Vec3 = std::array<double, 3>;  // north, east, down

// One gathered direction: the sample's position (from 1) and its values in the
// chosen coordinates.
struct SiteEntry {
  int sample = 0;
  FisherEntry direction;
};

// The results of one polarity group that the next steps read.
struct GroupMean {
  bool defined = false;  // false: no mean from this group (yet)
  float dec = 0;         // radians
  float inc = 0;         // radians
  float intensity = 0;
  float K = 0;
};

Vec3 Unit(float dec, float inc) {
  float n, e, d;
  DirToUnit(dec, inc, n, e, d);
  return {n, e, d};
}

double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec3 Negated(const Vec3& v) { return {-v[0], -v[1], -v[2]}; }

// The second-pass cut-off for a group's K: 162 degrees / sqrt(K) for a finite K > 0,
// else 90 degrees; never wider than 60 degrees. An unbounded K (a tight group) is
// treated like K = 0 so that the group keeps its members.
float Cutoff(float K) {
  double cut = Pi / 2;
  if (std::isfinite(K) && K > 0) cut = DegToRad(162) / std::sqrt(static_cast<double>(K));
  if (cut > Pi / 3) cut = Pi / 3;
  return static_cast<float>(cut);
}

// Why the values of a step or result cannot be used, or "".
std::string ValueProblem(float dec, float inc, float intensity) {
  if (!std::isfinite(dec) || !std::isfinite(inc) || !std::isfinite(intensity)) return "invalid value";
  if (intensity <= 0) return "intensity <= 0";
  return {};
}

class Analysis {
 public:
  Analysis(SiteData data, const Session& session, Dialogs& dialogs, FisherOutput& out)
      : data_(data), session_(session), dialogs_(dialogs), out_(out), site_(SiteOf(session.Section())) {}

  SiteOutcome Run() {
    if (!session_.IsOpen()) return SiteOutcome::NoFile;
    try {
      return data_ == SiteData::LSquare ? RunLSquare() : RunSteps();
    } catch (const StoreError& e) {
      dialogs_.MessageBox(Session::Refusal(session_.FileName(), e.what()), {}, MessageIcon::Critical);
      return SiteOutcome::Failed;
    }
  }

 private:
  // ---- questions -------------------------------------------------------------

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
  std::optional<float> AskNumber(const std::string& prompt, const char* title,
                                 const std::function<bool(float)>& inRange) {
    const auto answer = Ask(prompt, title, [&](const std::string& a) {
      const auto v = ReadSingle(a);
      return v && inRange(*v);
    });
    if (!answer) return std::nullopt;
    return *ReadSingle(*answer);
  }

  // One of two letters, upper-cased; nothing for Cancel.
  std::optional<char> AskLetter(const std::string& prompt, const char* title, char first, char second) {
    const auto answer = Ask(prompt, title, [&](const std::string& a) {
      const std::string u = UpperCase(a);
      return u.size() == 1 && (u[0] == first || u[0] == second);
    });
    if (!answer) return std::nullopt;
    return UpperCase(*answer)[0];
  }

  bool AskLevel() {
    const bool af = data_ == SiteData::AlternatingField;
    const std::string prompt = af ? std::string("Please enter a desired strength of") + std::string(CrLf) +
                                        "Alternating Field for Fisher Analysis: "
                                  : std::string("Please enter a desired temperature for Fisher Analysis:") +
                                        std::string(CrLf) + "e.g., 250, 300, 350, 400 degree, etc. ";
    const auto level =
        AskNumber(prompt, af ? site_prompts::AFLevelTitle : site_prompts::ATLevelTitle, [](float) { return true; });
    if (!level) return false;
    level_ = *level;
    return true;
  }

  bool AskWeighting() {
    const auto w = AskLetter(std::string("Would you like the data to be weighted? (Y/y/N/n)") + std::string(CrLf) +
                                 "N or R: Full Weight; NP or RP: Half Weight.",
                             site_prompts::WeightingTitle, 'Y', 'N');
    if (!w) return false;
    weighted_ = *w == 'Y';
    return true;
  }

  bool AskCoordinates() {
    const std::string crlf(CrLf);
    const auto c = AskLetter("Please select a data set for Fisher Analysis. " + crlf +
                                 "Input 'G or g' to select Geographic Data, or" + crlf +
                                 "Input 'T or t' to select Tilt-corrected Data",
                             site_prompts::CoordinatesTitle, 'G', 'T');
    if (!c) return false;
    geographic_ = *c == 'G';
    return true;
  }

  std::optional<float> AskEstimate(const char* title, const std::function<bool(float)>& inRange) {
    const std::string crlf(CrLf);
    return AskNumber("A rough estimate of the Normal direction is needed. " + crlf +
                         "for an initial cutoff of Normal vs. Reversed Polarity." + crlf + "Input " + title + ":",
                     title, inRange);
  }

  // The estimated normal direction: the first references and the normal group's
  // starting mean.
  bool AskNormalEstimate() {
    const auto inc = AskEstimate(site_prompts::InclinationTitle, IsEstimatedInclination);
    if (!inc) return false;
    const auto dec = AskEstimate(site_prompts::DeclinationTitle, IsEstimatedDeclination);
    if (!dec) return false;
    const auto dn = static_cast<float>(DegToRad(*dec));
    const auto in = static_cast<float>(DegToRad(*inc));
    double dr = static_cast<double>(dn) + Pi;
    if (dr >= TwoPi) dr = dr - TwoPi;
    reversedDec_ = static_cast<float>(dr);
    reversedInc_ = -in;
    normal_.dec = dn;
    normal_.inc = in;
    refN_ = Unit(dn, in);
    refR_ = Unit(reversedDec_, reversedInc_);
    return true;
  }

  // ---- report pieces ----------------------------------------------------------

  void Line(const std::string& text = {}) { out_.Append(text + std::string(CrLf)); }

  void Heading() {
    Line();
    Line(std::string(78, '='));
    switch (data_) {
      case SiteData::Nrm:
        Line("Fisher Analysis using NRM Data");
        break;
      case SiteData::LSquare:
        Line("Fisher Analysis using Least Square Data");
        if (weighted_) {
          Line("The data set is weighted: N or R full weight => Count Twice");
          Line("                          NP or RP half Weight => Count Once");
        } else {
          Line("The data set is not weighted: N and NP or R and RP same weight.");
        }
        break;
      case SiteData::AlternatingField:
        Line("Fisher Analysis using data at " + Format(level_, "0") + " mT");
        break;
      case SiteData::ArbitraryTemperature:
        Line("Fisher Analysis using data at " + Format(level_, "0") + " degrees (Centigrade)");
        break;
    }
    Line();
    Line(geographic_ ? "Geographic coordinates" : "Tilt-corrected directions");
    Line();
  }

  const std::string& NameOf(int sample) const { return session_.Samples()[static_cast<size_t>(sample - 1)].SampleName; }

  FisherResult Stats(const std::vector<FisherEntry>& list) {
    std::string text;
    FisherResult r = FisherStats(list, weighted_, site_, text);
    out_.Append(text);
    return r;
  }

  // Stores a group's results when its mean is defined.
  static bool Keep(GroupMean& g, const FisherResult& r) {
    if (!r.Defined) return false;
    g = {true, r.MeanDec, r.MeanInc, r.MeanIntensity, r.K};
    return true;
  }

  // Appends the new cut-offs of the groups' K values and returns them.
  std::pair<float, float> NewCutoffs() {
    const float cutN = Cutoff(normal_.K);
    const float cutR = Cutoff(reversed_.K);
    Line();
    Line(std::string(54, '*'));
    Line();
    Line("Now Redone with New Cutoffs of " + Format(RadToDeg(cutN), "0.00") + " Degrees for Normal and " +
         Format(RadToDeg(cutR), "0.00") + " Degrees for Reversed.");
    return {cutN, cutR};
  }

  // The line of a combined vector, or nothing when it has no direction. Returns
  // the direction (radians) when it has one.
  std::optional<std::pair<float, float>> VectorLine(const Vec3& v, double scale) {
    const double len = std::sqrt(Dot(v, v));
    if (!(len > 1e-6 * scale)) {
      Line("  Direction undefined: the vector has zero length.");
      return std::nullopt;
    }
    const auto dec = static_cast<float>(PolarAngle(v[0], v[1]));
    const auto inc = static_cast<float>(ArcSin(v[2] / len));
    const auto intensity = static_cast<float>(len / 2);
    Line("  Declination = " + Format(RadToDeg(dec), "0.00") + ";   Inclination = " + Format(RadToDeg(inc), "0.00") +
         " (degree);   Intensity = " + Format(intensity, "Scientific"));
    return std::make_pair(dec, inc);
  }

  // The secondary vector (sum of the two group mean vectors) and the actual normal
  // vector (their difference), and the pole of the latter.
  void VectorCombination(const FisherResult& combined) {
    Vec3 n = Unit(normal_.dec, normal_.inc);
    Vec3 r = Unit(reversed_.dec, reversed_.inc);
    for (double& c : n) c *= normal_.intensity;
    for (double& c : r) c *= reversed_.intensity;
    const Vec3 s = {n[0] + r[0], n[1] + r[1], n[2] + r[2]};
    const Vec3 a = {n[0] - r[0], n[1] - r[1], n[2] - r[2]};
    const double scale = static_cast<double>(normal_.intensity) + reversed_.intensity;
    Line();
    Line("******** Vector Combination ********");
    Line("Secondary vector:");
    VectorLine(s, scale);
    Line();
    Line("'Actual' Normal vector:");
    const auto actual = VectorLine(a, scale);
    if (actual && combined.Defined) out_.Append(VgpReport(actual->first, actual->second, combined.Alpha95, site_));
  }

  // Splits the list by the references and cut-offs and reports each polarity group,
  // both together and their vector combination.
  void PolarityFisherReport(const std::vector<SiteEntry>& list, float cutN, float cutR) {
    std::vector<FisherEntry> normal, reversed;
    for (const SiteEntry& e : list) {
      const double d = DegToRad(e.direction.Dec);
      const double i = DegToRad(e.direction.Inc);
      const Vec3 u = {std::cos(i) * std::cos(d), std::cos(i) * std::sin(d), std::sin(i)};
      const bool isNormal = ArcCos(Dot(u, refN_)) <= cutN;
      const bool isReversed = ArcCos(Dot(u, refR_)) <= cutR;
      if (isNormal) normal.push_back(e.direction);
      if (isReversed) reversed.push_back(e.direction);
      if (!isNormal && !isReversed) Line(NameOf(e.sample) + " omitted from both N and R");
    }
    bool normalMean = false, reversedMean = false;
    if (!normal.empty()) {
      Line(">>>>>>>> Normal Directions <<<<<<<<");
      normalMean = Keep(normal_, Stats(normal));
    }
    if (!reversed.empty()) {
      Line(">>>>>>>> Reversed Directions <<<<<<<<");
      reversedMean = Keep(reversed_, Stats(reversed));
    }
    if (normal.empty() || reversed.empty()) return;
    Line();
    Line(">>>>>>>> Combined Directions <<<<<<<<");
    std::vector<FisherEntry> combined;
    combined.reserve(normal.size() + reversed.size());
    for (FisherEntry e : reversed) {
      e.Dec = e.Dec + 180.0f;
      if (e.Dec >= 360.0f) e.Dec = e.Dec - 360.0f;
      e.Inc = -e.Inc;
      combined.push_back(e);
    }
    combined.insert(combined.end(), normal.begin(), normal.end());
    const FisherResult all = Stats(combined);
    if (normalMean && reversedMean) VectorCombination(all);
  }

  SiteEntry EntryOf(int sample, float gdec, float ginc, float tdec, float tinc, float intensity) const {
    SiteEntry e;
    e.sample = sample;
    e.direction.Dec = geographic_ ? gdec : tdec;
    e.direction.Inc = geographic_ ? ginc : tinc;
    e.direction.LogIntensity = static_cast<float>(std::log(static_cast<double>(intensity)));
    return e;
  }

  // ---- NRM, alternating field and temperature -----------------------------------

  bool TakesStep(const StepRecord& s) const {
    if (!IsSet(s.Plot)) return false;
    if (data_ == SiteData::Nrm) return s.Method == "NRM";
    return s.Level == level_;
  }

  SiteOutcome RunSteps() {
    if (data_ != SiteData::Nrm && !AskLevel()) return SiteOutcome::Cancelled;
    if (!AskCoordinates()) return SiteOutcome::Cancelled;
    Heading();

    // Gathering. Left-out samples go on three lists, each in file order: inactive
    // samples, samples without the step, and steps whose values cannot be used.
    std::vector<SiteEntry> list;
    std::vector<std::string> inactive, noStep, badValue;
    const SampleFile& file = session_.File();
    for (int i = 1; i <= session_.SampleCount(); ++i) {
      const SampleEntry& entry = session_.Samples()[static_cast<size_t>(i - 1)];
      if (!IsSet(entry.Active)) {
        inactive.push_back(entry.SampleName + " omitted: inactive");
        continue;
      }
      const SampleHeader h = ReadCheckedSampleHeader(file, entry.Slot, i);
      // The NRM step is looked for among the first six steps; a level among all
      // measured steps (the origin step excluded).
      const int last = data_ == SiteData::Nrm ? std::min(6, h.StepCount) : h.StepCount - 1;
      bool found = false;
      for (int k = 1; k <= last; ++k) {
        const StepRecord s = file.ReadStep(entry.Slot + k);
        if (!TakesStep(s)) continue;
        found = true;
        const float dec = geographic_ ? s.GDec : s.TDec;
        const float inc = geographic_ ? s.GInc : s.TInc;
        const std::string problem = ValueProblem(dec, inc, s.Intensity);
        if (!problem.empty()) {
          badValue.push_back(entry.SampleName + " omitted: " + problem);
          continue;
        }
        list.push_back(EntryOf(i, s.GDec, s.GInc, s.TDec, s.TInc, s.Intensity));
      }
      if (!found) noStep.push_back(entry.SampleName + "- Not Selected/No Such Step");
    }

    // Left-out samples: the inactive ones, then those without the step, then the
    // unusable values. When nothing was gathered and nothing was left out for a
    // reason of its own, every sample lacks the step: the caution says it all.
    if (!list.empty() || !inactive.empty() || !badValue.empty()) {
      if (inactive.empty() && noStep.empty() && badValue.empty())
        Line("Every sample is active and used in Fisher Analysis.");
      for (const auto* block : {&inactive, &noStep, &badValue})
        for (const std::string& l : *block) Line(l);
    }
    if (list.empty()) {
      Line("Caution: No such step. Please check your data.");
      out_.Show();
      return SiteOutcome::Stopped;
    }
    out_.Show();

    if (!AskNormalEstimate()) return SiteOutcome::Cancelled;
    const float halfPi = static_cast<float>(Pi / 2);
    PolarityFisherReport(list, halfPi, halfPi);
    const auto [cutN, cutR] = NewCutoffs();
    // The second pass splits around the first pass's normal mean (the estimate when
    // there was none) and the antipode of the estimate.
    refN_ = Unit(normal_.dec, normal_.inc);
    refR_ = Unit(reversedDec_, reversedInc_);
    PolarityFisherReport(list, cutN, cutR);
    return SiteOutcome::Completed;
  }

  // ---- least squares --------------------------------------------------------------

  // Why a sample's stored result is not used, or "" when it is; adds the result to
  // the lists (twice for a full-weight label in weighted mode).
  std::string TakeResult(int i, const SampleEntry& entry, std::vector<SiteEntry>& normal,
                         std::vector<SiteEntry>& reversed, std::vector<SiteEntry>& all) {
    if (!IsSet(entry.Active)) return "inactive";
    const SampleHeader h = ReadCheckedSampleHeader(session_.File(), entry.Slot, i);
    if (h.LSquareRecord == 0) return "No LS Data";
    const LSquareResult r = session_.File().ReadResult(h.LSquareRecord);
    const std::string& label = r.Label;
    if (r.Active == 1) {
      const bool isNormal = label == "N  " || label == "NP ";
      const bool isReversed = label == "R  " || label == "RP ";
      if (isNormal || isReversed) {
        const std::string problem =
            ValueProblem(geographic_ ? r.GDec : r.TDec, geographic_ ? r.GInc : r.TInc, r.Intensity);
        if (!problem.empty()) return problem;
        const SiteEntry e = EntryOf(i, r.GDec, r.GInc, r.TDec, r.TInc, r.Intensity);
        const int copies = weighted_ && (label == "N  " || label == "R  ") ? 2 : 1;
        for (int c = 0; c < copies; ++c) {
          (isNormal ? normal : reversed).push_back(e);
          all.push_back(e);
        }
        return {};
      }
      for (const char* omitted : {"NPP", "RPP", "N? ", "R? ", "N??", "R??", "INT"})
        if (label == omitted) return label;
      return "Bad LS Data label";
    }
    return r.Active == 0 ? "LS Data inactive" : "Bad LS Data label";
  }

  SiteOutcome RunLSquare() {
    if (!AskWeighting()) return SiteOutcome::Cancelled;
    if (!AskCoordinates()) return SiteOutcome::Cancelled;
    Heading();
    out_.Show();

    std::vector<SiteEntry> normalList, reversedList, all;
    for (int i = 1; i <= session_.SampleCount(); ++i) {
      const SampleEntry& entry = session_.Samples()[static_cast<size_t>(i - 1)];
      const std::string reason = TakeResult(i, entry, normalList, reversedList, all);
      if (!reason.empty()) Line(entry.SampleName + " omitted: " + reason);
    }
    if (normalList.empty() && reversedList.empty()) {
      Line("No Least Square Data for Fisher Analysis!!!");
      return SiteOutcome::Stopped;
    }
    const auto directions = [](const std::vector<SiteEntry>& l) {
      std::vector<FisherEntry> d;
      d.reserve(l.size());
      for (const SiteEntry& e : l) d.push_back(e.direction);
      return d;
    };
    if (!normalList.empty()) {
      Line(">>>>>>>> Normal Directions <<<<<<<<");
      Keep(normal_, Stats(directions(normalList)));
    }
    if (!reversedList.empty()) {
      Line(">>>>>>>> Reversed Directions <<<<<<<<");
      Keep(reversed_, Stats(directions(reversedList)));
    }
    const auto [cutN, cutR] = NewCutoffs();
    // Each group's mean is its reference; a group without a mean takes the
    // opposite of the other's.
    if (normal_.defined) refN_ = Unit(normal_.dec, normal_.inc);
    refR_ = reversed_.defined ? Unit(reversed_.dec, reversed_.inc) : Negated(refN_);
    if (!normal_.defined) refN_ = Negated(refR_);
    PolarityFisherReport(all, cutN, cutR);
    return SiteOutcome::Completed;
  }

  SiteData data_;
  const Session& session_;
  Dialogs& dialogs_;
  FisherOutput& out_;
  SiteLocation site_;

  float level_ = 0;
  bool weighted_ = false;
  bool geographic_ = true;
  Vec3 refN_{};
  Vec3 refR_{};
  float reversedDec_ = 0;  // antipode of the estimate, radians
  float reversedInc_ = 0;
  GroupMean normal_;
  GroupMean reversed_;
};

}  // namespace

SiteOutcome FisherAnalysis(SiteData data, const Session& session, Dialogs& dialogs, FisherOutput& out) {
  return Analysis(data, session, dialogs, out).Run();
}

std::string FisherAnalysisText(SiteData data, const Session& session, Dialogs& dialogs, SiteOutcome* outcome) {
  TextOutput out;
  const SiteOutcome o = FisherAnalysis(data, session, dialogs, out);
  if (outcome) *outcome = o;
  return out.text;
}

}  // namespace rmx
