#include "stats/fisher.h"

#include <cmath>
#include <limits>

#include "stats/direction.h"
#include "store/text.h"

namespace rmx {

namespace {

// Directions whose resultant is shorter than this cancel: they have no mean.
constexpr double ZeroResultant = 1e-6;

// 1 / p for the 95 % level.
constexpr double InverseLevel = 20;

constexpr float Unbounded = std::numeric_limits<float>::infinity();

// K = (N - 1) / (N - R), unbounded when R reaches N. Identical directions leave
// N - R at the rounding noise of the sum (either sign); anything below that is
// taken as R = N rather than printed as a K of 1E+15.
float Precision(double n, double r) {
  if (n - r <= n * 1e-12) return Unbounded;
  return static_cast<float>((n - 1) / (n - r));
}

// Half the angle between two directions given in degrees. The unit vectors are kept
// in double precision: rounded to single, two identical directions would come out
// a hundredth of a degree apart.
double HalfAngle(const FisherEntry& a, const FisherEntry& b) {
  const double d1 = DegToRad(a.Dec), i1 = DegToRad(a.Inc);
  const double d2 = DegToRad(b.Dec), i2 = DegToRad(b.Inc);
  const double dot = std::cos(i1) * std::cos(d1) * std::cos(i2) * std::cos(d2) +
                     std::cos(i1) * std::sin(d1) * std::cos(i2) * std::sin(d2) + std::sin(i1) * std::sin(i2);
  return std::fabs(ArcCos(dot) / 2);
}

void SetIntensity(FisherResult& r, double lm, double s) {
  const double mean = std::exp(lm);
  r.MeanIntensity = static_cast<float>(mean);
  r.Spread = static_cast<float>(s);
  r.UpperDeviation = std::exp(lm + s) - mean;
  r.LowerDeviation = mean - std::exp(lm - s);
}

}  // namespace

double FisherCone(double n, double q, double inverseLevel) {
  const double a = std::pow(inverseLevel, 1 / (n - 1));
  const double c = 1 - (a - 1) * q;
  if (c < -1) return Pi;
  return ArcCos(c);
}

double ConeOfConfidence(double n, double q) { return FisherCone(n, q, InverseLevel); }

bool FisherResult::Unbounded() const { return std::isinf(K); }

FisherResult FisherMean(const std::vector<FisherEntry>& entries, bool weighted) {
  FisherResult r;
  r.N = static_cast<int>(entries.size());
  r.Weighted = weighted;
  if (entries.empty()) return r;
  const double n = r.N;

  if (r.N == 1) {
    const FisherEntry& e = entries.front();
    r.Defined = true;
    r.MeanDec = static_cast<float>(DegToRad(e.Dec));
    r.MeanInc = static_cast<float>(DegToRad(e.Inc));
    r.Alpha95 = 0.000001f;
    r.K = 100;
    r.R = weighted ? 0.5f : 1.0f;
    r.Caution = "Caution: Only One Sample Available! Artificial K and Alpha95!";
    SetIntensity(r, e.LogIntensity, 0.000001);
    return r;
  }

  double x = 0, y = 0, z = 0, sumL = 0;
  for (const FisherEntry& e : entries) {
    const double d = DegToRad(e.Dec);
    const double i = DegToRad(e.Inc);
    x += std::cos(i) * std::cos(d);
    y += std::cos(i) * std::sin(d);
    z += std::sin(i);
    sumL += e.LogIntensity;
  }
  const double lm = sumL / n;
  double ss = 0;
  for (const FisherEntry& e : entries) ss += (e.LogIntensity - lm) * (e.LogIntensity - lm);
  // The spread always uses the list count, also in weighted mode.
  SetIntensity(r, lm, std::sqrt(ss / (n - 1)));

  const double R = std::sqrt(x * x + y * y + z * z);
  if (R < ZeroResultant) {
    r.R = 0;
    r.Caution = "Caution: Resultant Length R = 0! Mean Direction Undefined!";
    return r;
  }
  r.Defined = true;
  r.MeanInc = static_cast<float>(ArcSin(z / R));
  r.MeanDec = static_cast<float>(PolarAngle(x, y));
  r.R = static_cast<float>(weighted ? R / 2 : R);

  if (r.N == 2) {
    r.K = weighted ? 0.0f : Precision(n, R);
    r.Alpha95 = static_cast<float>(HalfAngle(entries[0], entries[1]));
  } else if (!weighted) {
    r.K = Precision(n, R);
    r.Alpha95 = static_cast<float>(ConeOfConfidence(n, r.Unbounded() ? 0 : (n - R) / R));
  } else {
    const double nw = n / 2;
    const double rw = R / 2;
    r.K = Precision(nw, rw);
    if (nw <= 2) {
      r.Alpha95 = 1;
      r.Caution = "Caution: <= 4 Weighted Analyses! Doubtful K and Artificial Alpha95!";
    } else {
      r.Alpha95 = static_cast<float>(ConeOfConfidence(nw, r.Unbounded() ? 0 : (nw - rw) / rw));
    }
  }
  return r;
}

std::string FisherReportLines(const FisherResult& r) {
  std::string out;
  if (r.N <= 0) return out;
  if (!r.Caution.empty()) {
    out += r.Caution;
    out += CrLf;
  }
  if (!r.Defined) return out;
  out += "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N";
  out += CrLf;
  out += AlignNumber(Format(RadToDeg(r.MeanDec), "0.00"), 10);
  out += AlignNumber(Format(RadToDeg(r.MeanInc), "0.00"), 14);
  out += AlignNumber(Format(RadToDeg(r.Alpha95), "0.00"), 10);
  out += AlignNumber(r.Unbounded() ? std::string("Infinity") : Format(r.K, "0.00"), 8);
  out += AlignNumber(Format(r.MeanIntensity, "Scientific"), 12);
  out += AlignNumber("+ " + Format(r.UpperDeviation, "Scientific"), 11);
  out += AlignNumber(Format(r.R, "0.00"), 7);
  if (r.Weighted) {
    out += AlignNumber(Format(r.N / 2.0, "0.0"), 6);
  } else {
    out += AlignNumber(Format(r.N, "0"), 4);
  }
  out += CrLf;
  out += AlignNumber("- " + Format(r.LowerDeviation, "Scientific"), 65);
  out += CrLf;
  return out;
}

FisherResult FisherStats(const std::vector<FisherEntry>& entries, bool weighted, const SiteLocation& site,
                         std::string& report) {
  FisherResult r = FisherMean(entries, weighted);
  report += FisherReportLines(r);
  if (r.Defined) report += VgpReport(r.MeanDec, r.MeanInc, r.Alpha95, site);
  return r;
}

}  // namespace rmx
