#include "toolbox/kono.h"

#include <cmath>

#include "stats/direction.h"
#include "stats/fisher.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::toolbox {

const std::array<KonoBoxName, KonoBoxCount> KonoBoxes = {{
    {"txtNumSample", "# of Samples:"},
    {"txtNumEffective", "# Effective Samples:"},
    {"txtNumWeighted", "# Weighted Samples:"},
    {"txtAverageIncl", "Average Inclination:"},
    {"txtWeightedAveIncl", "Weighted Ave. Incl.:"},
    {"txtStdDev", "Std. Dev. Wt. Ave. Inc.:"},
    {"txtKonoIncl", "Kono (1980) Inclination:"},
    {"txtK", "K:"},
    {"txtAlpha95", "Alpha95:"},
    {"txtAlpha63", "Alpha63:"},
    {"txtLatitude", "Latitude:"},
    {"txtLatAlpha95", "Latitude (Alpha95):"},
    {"txtLatAlpha63", "Latitude (Alpha63):"},
}};

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }

// Every lone line feed becomes carriage return + line feed.
std::string WithCrLf(std::string_view text) {
  std::string s;
  s.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) s.push_back('\r');
    s.push_back(text[i]);
  }
  return s;
}

// Moves p over separators, then returns the field up to the next separator (or, for
// a value, carriage return) or the end.
std::string_view Field(const std::string& s, size_t& p, bool value) {
  const size_t start = p;
  while (p < s.size() && !IsSeparator(s[p]) && !(value && s[p] == '\r')) ++p;
  return std::string_view(s).substr(start, p - start);
}
void SkipSeparators(const std::string& s, size_t& p) {
  while (p < s.size() && IsSeparator(s[p])) ++p;
}

std::string Quoted(std::string_view field) { return "\"" + std::string(field) + "\""; }

constexpr const char* Needed = "At least two effective samples with different inclinations are needed.";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += (s.empty() ? "" : "\r\n") + l;
  return s;
}

// L(k) = coth(k) - 1/k with coth from exponentials.
double Langevin(double k) {
  const double sinh = (std::exp(k) - std::exp(-k)) / 2;
  const double cosh = (std::exp(k) + std::exp(-k)) / 2;
  return cosh / sinh - 1 / k;
}

// The iteration gave no usable estimate: the counts, averages and the iteration's
// lines stay, the estimate's boxes stay empty.
KonoResult& NoEstimate(KonoResult& r) {
  r.refusal = KonoMessage{"No Result", Lines({"The iteration did not give an inclination within -90 to 90 degrees and a finite K.",
                                              "No Kono (1980) estimate can be shown for these data."})};
  return r;
}

}  // namespace

KonoData ReadKonoData(std::string_view text, bool weighted) {
  const std::string s = WithCrLf(text);
  KonoData d;
  size_t p = 0;
  for (;;) {
    while (p + 1 < s.size() && IsBlank(s[p])) ++p;
    // A row needs at least a label, a separator and a value: none starts at the last
    // character.
    if (p + 1 >= s.size()) break;
    const std::string_view label = Field(s, p, false);
    SkipSeparators(s, p);
    const std::string_view inclination = Field(s, p, true);
    std::string_view intensity = "1";
    if (p < s.size() && s[p] != '\r') {
      SkipSeparators(s, p);
      const std::string_view typed = Field(s, p, true);
      if (!typed.empty()) intensity = typed;
    }

    const bool normal = label == "N" || label == "NP";
    const bool reversed = label == "R" || label == "RP";
    if (!normal && !reversed) {
      ++d.rows;
      continue;
    }
    const auto inc = ReadNumber(inclination);
    const auto intens = ReadNumber(intensity);
    const std::string row = "Row " + std::to_string(d.rows + 1) + " was not read: ";
    if (!inc) {
      d.stopped = row + "its inclination " + Quoted(inclination) + " is not a number.";
    } else if (*inc < -90 || *inc > 90) {
      d.stopped = row + "its inclination " + Quoted(inclination) + " is outside -90 to 90 degrees.";
    } else if (!intens) {
      d.stopped = row + "its intensity " + Quoted(intensity) + " is not a number.";
    }
    if (!d.stopped.empty()) break;

    ++d.rows;
    ++d.effective;
    const KonoEntry e{std::string(label), reversed ? -*inc : *inc, *intens};
    d.entries.push_back(e);
    d.effectiveSum += e.inclination;
    if (weighted && (label == "N" || label == "R")) d.entries.push_back(e);
  }
  return d;
}

KonoResult ComputeKono(const KonoData& data, bool weighted) {
  KonoResult r;
  r.boxes[NumSample] = std::to_string(data.rows);
  r.boxes[NumEffective] = std::to_string(data.effective);
  r.boxes[NumWeighted] = std::to_string(data.entries.size());
  r.intermediate = "===Intermediate Results===";
  if (!data.stopped.empty())
    r.notice = KonoMessage{"Data Not Read", Lines({data.stopped, "Reading stopped there: the " +
                                                                     std::to_string(data.rows) +
                                                                     " rows before it are used."})};

  const int n = static_cast<int>(data.entries.size());
  // Ne, the number of independent samples of the confidence limits.
  const int ne = weighted ? RoundWhole(n / 2.0).value_or(0) : data.effective;
  bool spread = false;
  for (const KonoEntry& e : data.entries) spread = spread || e.inclination != data.entries[0].inclination;
  if (data.rows == 0 || n == 0) {
    r.refusal = KonoMessage{"No Data", Lines({"No effective data available!", "Please input data!", Needed})};
  } else if (data.effective < 2 || ne < 2) {
    r.refusal = KonoMessage{"No Data", Lines({"Too few effective samples!", Needed})};
  } else if (!spread) {
    r.refusal = KonoMessage{"No Data", Lines({"All effective inclinations are equal!", Needed})};
  }
  if (r.refusal) return r;

  double sum = 0;
  for (const KonoEntry& e : data.entries) sum += e.inclination;
  const double iw = sum / n;
  double squares = 0;
  for (const KonoEntry& e : data.entries) squares += (e.inclination - iw) * (e.inclination - iw);
  const double s = std::sqrt(squares / (n - 1));
  r.boxes[AverageIncl] = Format(data.effectiveSum / data.effective, "0.000");
  r.boxes[WeightedAveIncl] = Format(iw, "0.000");
  r.boxes[StdDev] = Format(s, "0.000");

  double k = std::pow(81 / s, 2) / 2;
  if (k > 200) k = 200;
  double t = DegToRad(iw) * 1.06;
  double s1 = 0, s2 = 0;
  for (const KonoEntry& e : data.entries) {
    const double si = std::sin(DegToRad(e.inclination));
    s1 += si;
    s2 += si * si;
  }
  s1 /= n;
  s2 /= n;

  const auto line = [&r](const std::string& text) { r.intermediate += "\r\n" + text; };
  for (int j = 1; j <= 6; ++j) {
    const double sigma = std::sin(t) * std::sin(t);
    double l = 0, lp = 0, lr = 0;  // L and L' of the Jacobian, L of the residuals
    if (k <= 40) {
      lr = Langevin(k);
      if (k <= 35) {
        const double sinh = (std::exp(k) - std::exp(-k)) / 2;
        l = lr;
        lp = 1 / (k * k) - 1 / (sinh * sinh);
      } else {
        l = 1 - 1 / k;
        lp = 1 / (k * k);
      }
    } else {
      line(std::to_string(j) + ". Overflow, K = " + Format(k, "0.00000000"));
      l = lr = 1 - 1 / k;
      lp = 1 / (k * k);
    }
    const double r1 = s1 - std::sin(t) * lr;
    const double r2 = s2 - sigma - (1 - 3 * sigma) * lr / k;
    const double j11 = std::cos(t) * l;
    const double j12 = std::sin(t) * lp;
    const double j21 = 2 * std::sin(t) * std::cos(t) - 6 * std::sin(t) * std::cos(t) * l / k;
    const double j22 = (1 - 3 * sigma) * (lp / k - l / (k * k));
    double det = j22 * j11 - j12 * j21;
    if (std::fabs(det) < 1e-22) det = 1e-22;
    const double i11 = j22 / det, i12 = -j12 / det, i21 = -j21 / det, i22 = j11 / det;
    t = t + (i11 * r1 + i12 * r2);
    k = k + (i21 * r1 + i22 * r2);
    // A step to an unbounded or undefined estimate ends the iteration: there is no
    // result to show.
    if (!std::isfinite(t) || !std::isfinite(k)) return NoEstimate(r);
    line(std::to_string(j) + ". Incl = " + Format(RadToDeg(t), "0.000") + ", K = " + Format(k, "0.00000000"));
    if (k < 0) {
      k = -k;
      line("   K set as :" + Format(k, "0.00000000"));
    }
    if (k > 50 && RadToDeg(t) > 65) {
      t = 1.1 * t;
      k = 30;
      line("   K set to 30.");
    }
  }

  // Scattered data can drive the iteration off the sphere: an inclination beyond
  // +-90 degrees is no estimate.
  if (std::fabs(RadToDeg(t)) > 90) return NoEstimate(r);
  r.inclination = RadToDeg(t);
  r.k = k;
  r.effectiveCount = ne;
  r.boxes[KonoIncl] = Format(r.inclination, "0.000");
  r.boxes[KonoK] = Format(k, "0.000");
  const double lambda = std::atan(std::tan(t) / 2);
  r.boxes[Latitude] = Format(RadToDeg(lambda), "0.000");
  // alpha95 is the Fisher cone of Ne directions with R = Ne - (Ne - 1) / k; a K so
  // small that R is not positive has no cone.
  const double denominator = (k - 1) * ne + 1;
  if (denominator > 0) {
    const double a95 = RadToDeg(ConeOfConfidence(ne, (ne - 1) / denominator));
    const double d95 = (a95 / 2) * (1 + 3 * std::sin(lambda) * std::sin(lambda));
    r.boxes[Alpha95] = Format(a95, "0.000");
    r.boxes[Alpha63] = Format(0.58 * a95, "0.000");
    r.boxes[LatAlpha95] = Format(d95, "0.000");
    r.boxes[LatAlpha63] = Format(0.58 * d95, "0.000");
  }
  return r;
}

}  // namespace rmx::toolbox
