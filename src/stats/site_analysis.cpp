#include "stats/site_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "stats/direction.h"
#include "stats/fisher.h"
#include "stats/vgp.h"
#include "store/text.h"

namespace rmx {

bool IsEstimatedInclination(float value) { return value >= -90.0f && value <= 90.0f; }
bool IsEstimatedDeclination(float value) { return value >= 0.0f && value < 360.0f; }

namespace {

using Vec3 = std::array<double, 3>;  // north, east, down

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

SiteEntry EntryOf(bool geographic, int sample, float gdec, float ginc, float tdec, float tinc, float intensity) {
  SiteEntry e;
  e.sample = sample;
  e.direction.Dec = geographic ? gdec : tdec;
  e.direction.Inc = geographic ? ginc : tinc;
  e.direction.LogIntensity = static_cast<float>(std::log(static_cast<double>(intensity)));
  return e;
}

void Line(std::string& out, const std::string& text = {}) { out += text + std::string(CrLf); }

void Heading(std::string& out, const SiteOptions& o) {
  Line(out);
  Line(out, std::string(78, '='));
  switch (o.data) {
    case SiteData::Nrm:
      Line(out, "Fisher Analysis using NRM Data");
      break;
    case SiteData::LSquare:
      Line(out, "Fisher Analysis using Least Square Data");
      if (o.weighted) {
        Line(out, "The data set is weighted: N or R full weight => Count Twice");
        Line(out, "                          NP or RP half Weight => Count Once");
      } else {
        Line(out, "The data set is not weighted: N and NP or R and RP same weight.");
      }
      break;
    case SiteData::AlternatingField:
      Line(out, "Fisher Analysis using data at " + Format(o.level, "0") + " mT");
      break;
    case SiteData::ArbitraryTemperature:
      Line(out, "Fisher Analysis using data at " + Format(o.level, "0") + " degrees (Centigrade)");
      break;
  }
  Line(out);
  Line(out, o.geographic ? "Geographic coordinates" : "Tilt-corrected directions");
  Line(out);
}

// ---- gathering ------------------------------------------------------------------

void GatherSteps(const Snapshot& snapshot, const SiteOptions& o, SiteDirections& found) {
  // Left-out samples go on two lists, each in file order: inactive samples and
  // samples without the step.
  std::vector<std::string> inactive, noStep, badValue;
  for (int i = 1; i <= snapshot.SampleCount(); ++i) {
    const SampleEntry& entry = snapshot.Entry(i);
    if (!IsSet(entry.Active)) {
      inactive.push_back(entry.SampleName + " omitted: inactive");
      continue;
    }
    const SampleHeader h = snapshot.Header(i);
    const std::vector<StepRecord> steps = snapshot.Steps(i, h);
    // The NRM step is looked for among the first six steps; a level among all
    // measured steps (the origin step excluded).
    const int last = o.data == SiteData::Nrm ? std::min(6, h.StepCount) : h.StepCount - 1;
    bool taken = false;
    for (int k = 1; k <= last; ++k) {
      const StepRecord& s = steps[static_cast<size_t>(k - 1)];
      if (!IsSet(s.Plot)) continue;
      if (o.data == SiteData::Nrm ? s.Method != "NRM" : s.Level != o.level) continue;
      taken = true;
      if (s.Intensity <= 0) {
        badValue.push_back(entry.SampleName + " omitted: intensity <= 0");
        continue;
      }
      found.all.push_back(EntryOf(o.geographic, i, s.GDec, s.GInc, s.TDec, s.TInc, s.Intensity));
    }
    if (!taken) noStep.push_back(entry.SampleName + "- Not Selected/No Such Step");
  }
  // When nothing was gathered and nothing was left out for a reason of its own,
  // every sample lacks the step: the caution says it all.
  if (!found.all.empty() || !inactive.empty() || !badValue.empty()) {
    found.allUsed = inactive.empty() && noStep.empty() && badValue.empty();
    for (const auto* block : {&inactive, &noStep, &badValue})
      found.leftOut.insert(found.leftOut.end(), block->begin(), block->end());
  }
}

// Why a sample's stored result is not used, or "" when it is; adds the result to
// the lists (twice for a full-weight label in weighted mode).
std::string TakeResult(const Snapshot& snapshot, const SiteOptions& o, int i, SiteDirections& found) {
  const SampleEntry& entry = snapshot.Entry(i);
  if (!IsSet(entry.Active)) return "inactive";
  const SampleHeader h = snapshot.Header(i);
  std::optional<LSquareResult> stored;
  try {
    stored = snapshot.Result(i, h);
  } catch (const LostResult& e) {
    return "LS Data lost (record " + std::to_string(e.slot) + " lies past the end of the file)";
  }
  if (!stored) return "No LS Data";
  const LSquareResult& r = *stored;
  const std::string& label = r.Label;
  if (r.Active == 1) {
    const bool isNormal = label == "N  " || label == "NP ";
    const bool isReversed = label == "R  " || label == "RP ";
    if (isNormal || isReversed) {
      if (r.Intensity <= 0) return "intensity <= 0";
      const SiteEntry e = EntryOf(o.geographic, i, r.GDec, r.GInc, r.TDec, r.TInc, r.Intensity);
      const int copies = o.weighted && (label == "N  " || label == "R  ") ? 2 : 1;
      for (int c = 0; c < copies; ++c) {
        (isNormal ? found.normal : found.reversed).push_back(e);
        found.all.push_back(e);
      }
      return {};
    }
    for (const char* omitted : {"NPP", "RPP", "N? ", "R? ", "N??", "R??", "INT"})
      if (label == omitted) return label;
    return "Bad LS Data label";
  }
  return r.Active == 0 ? "LS Data inactive" : "Bad LS Data label";
}

// ---- the passes -------------------------------------------------------------------

class Passes {
 public:
  Passes(const SiteOptions& o, const SiteDirections& found, const SiteLocation& site)
      : o_(o), found_(found), site_(site) {}

  std::string Run() {
    if (o_.data == SiteData::LSquare)
      RunLSquare();
    else
      RunSteps();
    return out_;
  }

 private:
  void Line(const std::string& text = {}) { rmx::Line(out_, text); }
  const std::string& NameOf(int sample) const { return found_.names[static_cast<size_t>(sample - 1)]; }

  void Estimate() {
    const auto dn = static_cast<float>(DegToRad(o_.estimatedDec));
    const auto in = static_cast<float>(DegToRad(o_.estimatedInc));
    double dr = static_cast<double>(dn) + Pi;
    if (dr >= TwoPi) dr = dr - TwoPi;
    reversedDec_ = static_cast<float>(dr);
    reversedInc_ = -in;
    normal_.dec = dn;
    normal_.inc = in;
    refN_ = Unit(dn, in);
    refR_ = Unit(reversedDec_, reversedInc_);
  }

  FisherResult Stats(const std::vector<FisherEntry>& list) {
    std::string text;
    FisherResult r = FisherStats(list, o_.weighted, site_, text);
    out_ += text;
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
    if (actual && combined.Defined) out_ += (VgpReport(actual->first, actual->second, combined.Alpha95, site_));
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

  void RunSteps() {
    Estimate();
    const float halfPi = static_cast<float>(Pi / 2);
    PolarityFisherReport(found_.all, halfPi, halfPi);
    const auto [cutN, cutR] = NewCutoffs();
    // The second pass splits around the first pass's normal mean (the estimate when
    // there was none) and the antipode of the estimate.
    refN_ = Unit(normal_.dec, normal_.inc);
    refR_ = Unit(reversedDec_, reversedInc_);
    PolarityFisherReport(found_.all, cutN, cutR);
  }

  void RunLSquare() {
    const auto directions = [](const std::vector<SiteEntry>& l) {
      std::vector<FisherEntry> d;
      d.reserve(l.size());
      for (const SiteEntry& e : l) d.push_back(e.direction);
      return d;
    };
    if (!found_.normal.empty()) {
      Line(">>>>>>>> Normal Directions <<<<<<<<");
      Keep(normal_, Stats(directions(found_.normal)));
    }
    if (!found_.reversed.empty()) {
      Line(">>>>>>>> Reversed Directions <<<<<<<<");
      Keep(reversed_, Stats(directions(found_.reversed)));
    }
    const auto [cutN, cutR] = NewCutoffs();
    // Each group's mean is its reference; a group without a mean takes the
    // opposite of the other's.
    if (normal_.defined) refN_ = Unit(normal_.dec, normal_.inc);
    refR_ = reversed_.defined ? Unit(reversed_.dec, reversed_.inc) : Negated(refN_);
    if (!normal_.defined) refN_ = Negated(refR_);
    PolarityFisherReport(found_.all, cutN, cutR);
  }

  const SiteOptions& o_;
  const SiteDirections& found_;
  SiteLocation site_;
  std::string out_;
  Vec3 refN_{};
  Vec3 refR_{};
  float reversedDec_ = 0;  // antipode of the estimate, radians
  float reversedInc_ = 0;
  GroupMean normal_;
  GroupMean reversed_;
};

}  // namespace

SiteDirections GatherSiteDirections(const Snapshot& snapshot, const SiteOptions& o) {
  SiteDirections found;
  for (const SampleEntry& e : snapshot.Samples()) found.names.push_back(e.SampleName);
  if (o.data != SiteData::LSquare) {
    GatherSteps(snapshot, o, found);
    return found;
  }
  for (int i = 1; i <= snapshot.SampleCount(); ++i) {
    const std::string reason = TakeResult(snapshot, o, i, found);
    if (!reason.empty()) found.leftOut.push_back(snapshot.Entry(i).SampleName + " omitted: " + reason);
  }
  return found;
}

bool SiteReportEnds(const SiteOptions& o, const SiteDirections& found) {
  return o.data == SiteData::LSquare ? found.normal.empty() && found.reversed.empty() : found.all.empty();
}

std::string SiteReportOpening(const SiteOptions& o, const SiteDirections& found) {
  std::string out;
  Heading(out, o);
  if (found.allUsed) Line(out, "Every sample is active and used in Fisher Analysis.");
  for (const std::string& l : found.leftOut) Line(out, l);
  if (SiteReportEnds(o, found))
    Line(out, o.data == SiteData::LSquare ? "No Least Square Data for Fisher Analysis!!!"
                                          : "Caution: No such step. Please check your data.");
  return out;
}

std::string SiteReportPasses(const SiteOptions& o, const SiteDirections& found, const SiteLocation& site) {
  return Passes(o, found, site).Run();
}

std::string SiteReport(const SiteOptions& o, const Snapshot& snapshot) {
  const SiteDirections found = GatherSiteDirections(snapshot, o);
  std::string report = SiteReportOpening(o, found);
  if (!SiteReportEnds(o, found)) report += SiteReportPasses(o, found, SiteOf(snapshot.CheckedSection()));
  return report;
}

}  // namespace rmx
