// Helpers of the least-squares tests: steps made from vectors, and an independent
// double-precision principal component analysis to compare the fit with.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "store/records.h"
#include "support/magbuilder.h"

namespace rmx::test {

using Vec3 = std::array<double, 3>;  // north, east, down

inline constexpr double kPi = 3.141592653589793;

inline double Degrees(double rad) { return rad * 180.0 / kPi; }
inline double Radians(double deg) { return deg * kPi / 180.0; }

// A thermal step whose direction and intensity are those of v (north, east, down), in
// both coordinate systems; the tilt-corrected declination is turned by `tiltTurn`.
inline StepRecord StepFromVector(const Vec3& v, float level, double tiltTurn = 0) {
  const double f = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  double dec = f == 0 ? 0 : Degrees(std::atan2(v[1], v[0]));
  if (dec < 0) dec += 360;
  const double inc = f == 0 ? 0 : Degrees(std::asin(v[2] / f));
  double tdec = std::fmod(dec + tiltTurn, 360.0);
  return Step("TT", level, static_cast<float>(dec), static_cast<float>(inc), static_cast<float>(tdec),
              static_cast<float>(inc), static_cast<float>(f), 0.1f);
}

// The vector of a stored step, in double precision.
inline Vec3 VectorOf(const StepRecord& s, bool geographic) {
  const double d = Radians(geographic ? s.GDec : s.TDec);
  const double i = Radians(geographic ? s.GInc : s.TInc);
  const double f = s.Intensity;
  return {f * std::cos(i) * std::cos(d), f * std::cos(i) * std::sin(d), f * std::sin(i)};
}

struct ReferenceFit {
  double dec = 0, inc = 0, mad = 0;
  Vec3 axis{};
};

// Closed-form eigenvalues of a symmetric 3x3 matrix (trigonometric method), in
// descending order.
inline std::array<double, 3> Eigenvalues(const std::array<Vec3, 3>& a) {
  const double p1 = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
  if (p1 == 0) {
    std::array<double, 3> e{a[0][0], a[1][1], a[2][2]};
    std::sort(e.begin(), e.end(), [](double x, double y) { return x > y; });
    return e;
  }
  const double q = (a[0][0] + a[1][1] + a[2][2]) / 3;
  const double p2 = (a[0][0] - q) * (a[0][0] - q) + (a[1][1] - q) * (a[1][1] - q) + (a[2][2] - q) * (a[2][2] - q) +
                    2 * p1;
  const double p = std::sqrt(p2 / 6);
  std::array<Vec3, 3> b{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) b[i][j] = (a[i][j] - (i == j ? q : 0)) / p;
  const double detB = b[0][0] * (b[1][1] * b[2][2] - b[1][2] * b[2][1]) -
                      b[0][1] * (b[1][0] * b[2][2] - b[1][2] * b[2][0]) +
                      b[0][2] * (b[1][0] * b[2][1] - b[1][1] * b[2][0]);
  const double r = std::clamp(detB / 2, -1.0, 1.0);
  const double phi = std::acos(r) / 3;
  const double e1 = q + 2 * p * std::cos(phi);
  const double e3 = q + 2 * p * std::cos(phi + 2 * kPi / 3);
  return {e1, 3 * q - e1 - e3, e3};
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Principal component fit in double precision: the orientation matrix of the selected
// vectors (about their mean, or about the origin when tied), its largest eigenvector
// (from the cross products of the rows of A - lambda1 I), pointed from the last
// selected vector toward the first.
inline ReferenceFit ReferencePca(const std::vector<StepRecord>& steps, const std::vector<int>& selected, bool tied,
                                 bool geographic) {
  std::vector<Vec3> v;
  for (int s : selected) v.push_back(VectorOf(steps[static_cast<size_t>(s - 1)], geographic));
  Vec3 c{};
  if (!tied) {
    for (const auto& x : v)
      for (int k = 0; k < 3; ++k) c[k] += x[k] / static_cast<double>(v.size());
  }
  std::array<Vec3, 3> a{};
  for (const auto& x : v)
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) a[i][j] += (x[i] - c[i]) * (x[j] - c[j]);
  const auto lambda = Eigenvalues(a);
  std::array<Vec3, 3> m = a;
  for (int i = 0; i < 3; ++i) m[i][i] -= lambda[0];
  Vec3 best{};
  double bestNorm = -1;
  for (int i = 0; i < 3; ++i) {
    const Vec3 cr = Cross(m[i], m[(i + 1) % 3]);
    const double n = Dot(cr, cr);
    if (n > bestNorm) {
      bestNorm = n;
      best = cr;
    }
  }
  const double len = std::sqrt(Dot(best, best));
  for (auto& x : best) x /= len;
  const Vec3 first = v.front(), last = v.back();
  const Vec3 diff{first[0] - last[0], first[1] - last[1], first[2] - last[2]};
  if (Dot(diff, best) < 0)
    for (auto& x : best) x = -x;
  ReferenceFit fit;
  fit.axis = best;
  fit.dec = Degrees(std::atan2(best[1], best[0]));
  if (fit.dec < 0) fit.dec += 360;
  fit.inc = Degrees(std::asin(std::clamp(best[2], -1.0, 1.0)));
  const double r = (std::max(lambda[1], 0.0) + std::max(lambda[2], 0.0)) / lambda[0];
  fit.mad = Degrees(std::atan(std::sqrt(r)));
  return fit;
}

// The angle in degrees between two directions.
inline double AngleBetween(double dec1, double inc1, double dec2, double inc2) {
  const Vec3 a{std::cos(Radians(inc1)) * std::cos(Radians(dec1)), std::cos(Radians(inc1)) * std::sin(Radians(dec1)),
               std::sin(Radians(inc1))};
  const Vec3 b{std::cos(Radians(inc2)) * std::cos(Radians(dec2)), std::cos(Radians(inc2)) * std::sin(Radians(dec2)),
               std::sin(Radians(inc2))};
  return Degrees(std::acos(std::clamp(Dot(a, b), -1.0, 1.0)));
}

}  // namespace rmx::test
