#include "stats/lsquare.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "stats/direction.h"
#include "store/text.h"

namespace rmx {

namespace {

// 3x3 single-precision matrix indexed 1..3 (row 0 and column 0 unused).
using Mat3 = std::array<std::array<float, 4>, 4>;

Mat3 Identity() {
  Mat3 m{};
  for (int i = 1; i <= 3; ++i) m[i][i] = 1.0f;
  return m;
}

// One Jacobi rotation of the pair (q, p), q < p, annihilating A(q,p). Columns are
// rotated into scratch matrices first, then rows q and p of the block, then rows q
// and p are copied from their columns in one loop, as the columns were rotated, so
// that A stays symmetric. A rotation whose off-diagonal element is 0 would be the
// identity (and 0/0 when the two diagonal elements are equal): it is skipped.
void Rotate(Mat3& a, Mat3& v, int q, int p) {
  const double l = -static_cast<double>(a[q][p]);
  if (l == 0) return;
  const double m = (static_cast<double>(a[q][q]) - static_cast<double>(a[p][p])) / 2;
  const double sg = m >= 0 ? 1.0 : -1.0;
  double w = sg * l / std::sqrt(m * m + l * l);
  if (w > 1) w = 1;
  if (w < -1) w = -1;
  const double s = w / std::sqrt(2 * (1 + std::sqrt(1 - w * w)));
  const double c = std::sqrt(1 - s * s);

  Mat3 b = a;
  Mat3 u = v;
  for (int i = 1; i <= 3; ++i) {
    b[i][q] = static_cast<float>(c * a[i][q] - s * a[i][p]);
    b[i][p] = static_cast<float>(c * a[i][p] + s * a[i][q]);
    u[i][q] = static_cast<float>(c * v[i][q] - s * v[i][p]);
    u[i][p] = static_cast<float>(c * v[i][p] + s * v[i][q]);
  }
  v = u;
  a = b;
  a[q][q] = static_cast<float>(c * b[q][q] - s * b[p][q]);
  a[p][p] = static_cast<float>(c * b[p][p] + s * b[q][p]);
  a[q][p] = static_cast<float>(c * b[q][p] - s * b[p][p]);
  a[p][q] = static_cast<float>(c * b[p][q] + s * b[q][q]);
  for (int i = 1; i <= 3; ++i) {
    a[q][i] = a[i][q];
    a[p][i] = a[i][p];
  }
}

// Threshold Jacobi method: the threshold starts at the off-diagonal norm and is
// divided by 3 before each sweep; sweeps stop once it falls to 1e-9 of the norm
// divided by 3 (20 sweeps; a single sweep for a diagonal matrix). Afterwards every
// element below the final threshold is set to 0. Eigenvalues end on the diagonal of
// A, eigenvectors in the columns of V.
void JacobiEigen(Mat3& a, Mat3& v) {
  v = Identity();
  const double a13 = a[1][3], a12 = a[1][2], a23 = a[2][3];
  const double off = std::sqrt(2 * a13 * a13 + 2 * a12 * a12 + 2 * a23 * a23);
  const double eps = std::pow(10.0, -9) * off / 3;
  double t = off;
  do {
    t = t / 3;
    for (int p = 2; p <= 3; ++p)
      for (int q = 1; q <= p - 1; ++q)
        if (std::fabs(static_cast<double>(a[q][p])) >= t) Rotate(a, v, q, p);
  } while (!(t <= eps));
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j)
      if (std::fabs(static_cast<double>(a[i][j])) < t) a[i][j] = 0.0f;
}

bool Finite(const Mat3& m) {
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j)
      if (!std::isfinite(m[i][j])) return false;
  return true;
}

}  // namespace

LineFit PrincipalComponentFit(int useGeographic, const std::vector<StepRecord>& steps,
                              const std::vector<int>& selected, int tied) {
  const int stepCount = static_cast<int>(steps.size());
  const int count = static_cast<int>(selected.size());
  if (stepCount > MaxSteps) throw std::invalid_argument("a sample holds at most 50 steps");
  if (count < 1) throw std::invalid_argument("no step is selected for the fit");
  for (int s : selected)
    if (s < 1 || s > stepCount) throw std::invalid_argument("a selected step is outside the sample");

  // The steps' vectors in north, east, down order, scaled by 1,000,000.
  std::array<float, MaxSteps + 1> x{}, y{}, z{};
  for (int j = 1; j <= stepCount; ++j) {
    const StepRecord& st = steps[static_cast<size_t>(j - 1)];
    const double f = static_cast<double>(st.Intensity) * 1000000;
    const double d = DegToRad(useGeographic == 1 ? st.GDec : st.TDec);
    const double i = DegToRad(useGeographic == 1 ? st.GInc : st.TInc);
    x[j] = static_cast<float>(f * std::cos(d) * std::cos(i));
    y[j] = static_cast<float>(f * std::cos(i) * std::sin(d));
    z[j] = static_cast<float>(f * std::sin(i));
  }

  // Centre of mass, or the origin for a line tied to it.
  float xm = 0, ym = 0, zm = 0;
  if (tied != 1) {
    for (int s : selected) {
      xm = static_cast<float>(static_cast<double>(xm) + x[s]);
      ym = static_cast<float>(static_cast<double>(ym) + y[s]);
      zm = static_cast<float>(static_cast<double>(zm) + z[s]);
    }
    xm = static_cast<float>(static_cast<double>(xm) / count);
    ym = static_cast<float>(static_cast<double>(ym) / count);
    zm = static_cast<float>(static_cast<double>(zm) / count);
  }

  // Orientation matrix of the deviations.
  Mat3 a{};
  for (int s : selected) {
    const double dx = static_cast<double>(x[s]) - xm;
    const double dy = static_cast<double>(y[s]) - ym;
    const double dz = static_cast<double>(z[s]) - zm;
    a[1][1] = static_cast<float>(a[1][1] + dx * dx);
    a[1][2] = static_cast<float>(a[1][2] + dy * dx);
    a[1][3] = static_cast<float>(a[1][3] + dx * dz);
    a[2][2] = static_cast<float>(a[2][2] + dy * dy);
    a[2][3] = static_cast<float>(a[2][3] + dy * dz);
    a[3][3] = static_cast<float>(a[3][3] + dz * dz);
  }
  a[2][1] = a[1][2];
  a[3][1] = a[1][3];
  a[3][2] = a[2][3];
  // Values beyond single precision (a damaged record) cannot be fitted; without this
  // the sweeps' threshold would never fall.
  if (!Finite(a)) throw std::domain_error("the selected steps hold values that cannot be fitted");

  Mat3 v{};
  JacobiEigen(a, v);

  // Largest, middle and smallest eigenvalue. Three equal eigenvalues take 1, 2, 3.
  int mx = 0, mn = 0;
  for (int k = 1; k <= 3; ++k) {
    if (a[k][k] >= a[1][1] && a[k][k] >= a[2][2] && a[k][k] >= a[3][3]) mx = k;
    if (a[k][k] <= a[1][1] && a[k][k] <= a[2][2] && a[k][k] <= a[3][3]) mn = k;
  }
  if (mx == mn) {
    mx = 1;
    mn = 3;
  }
  const int mid = 6 - mx - mn;
  const double lambda1 = a[mx][mx], lambda2 = a[mid][mid], lambda3 = a[mn][mn];

  double mad = 0;
  if (std::fabs(lambda1) > 1e-7) {
    const double r = (lambda3 + lambda2) / lambda1;
    if (r > 0) mad = RadToDeg(std::atan(std::sqrt(r)));
  }
  if (count == 2) mad = 0;
  // The MAD is kept in single precision; it is that value which is compared.
  if (static_cast<double>(static_cast<float>(mad)) < 0.01) mad = 0;

  // The principal eigenvector, pointed from the last selected step toward the first.
  float e1 = v[1][mx], e2 = v[2][mx], e3 = v[3][mx];
  const int f = selected.front();
  const int l = selected.back();
  const double d = (static_cast<double>(x[f]) - x[l]) * e1 + (static_cast<double>(y[f]) - y[l]) * e2 +
                   (static_cast<double>(z[f]) - z[l]) * e3;
  if (d < 0) {
    e1 = -e1;
    e2 = -e2;
    e3 = -e3;
  }

  LineFit fit;
  if (e1 == 0 && e2 == 0) {
    // A vertical line: straight down or up.
    fit.Inc = e3 > 0 ? 90.0f : -90.0f;
    fit.Dec = 0.0f;
  } else {
    const double h = std::sqrt(static_cast<double>(e1) * e1 + static_cast<double>(e2) * e2);
    fit.Inc = static_cast<float>(RadToDeg(std::atan(e3 / h)));
    fit.Dec = static_cast<float>(RadToDeg(PolarAngle(e1, e2)));
    // A declination a hair below 360 rounds to 360 in single precision; it is north.
    if (fit.Dec >= 360.0f) fit.Dec = 0.0f;
  }
  fit.MAD = static_cast<float>(mad);
  if (!std::isfinite(fit.Dec) || !std::isfinite(fit.Inc) || !std::isfinite(fit.MAD))
    throw std::domain_error("the selected steps hold values that cannot be fitted");
  return fit;
}

std::vector<int> SelectedSteps(const std::vector<StepRecord>& steps) {
  std::vector<int> selected;
  for (size_t k = 0; k < steps.size(); ++k)
    if (IsSet(steps[k].LSquare)) selected.push_back(static_cast<int>(k) + 1);
  return selected;
}

LSquareResult FitLSquareResult(const std::vector<StepRecord>& steps, const std::vector<int>& selected, int tied,
                               std::string_view label) {
  if (selected.empty()) throw std::invalid_argument("no step is selected for the fit");
  const int count = static_cast<int>(selected.size());
  LSquareResult r;
  if (count == 1 || (count == 2 && tied == 1)) {
    // One real point (with or without the origin): the line is that step's direction.
    const StepRecord& s = steps.at(static_cast<size_t>(selected.front() - 1));
    r.GDec = s.GDec;
    r.GInc = s.GInc;
    r.TDec = s.TDec;
    r.TInc = s.TInc;
    r.Error = 0;
  } else {
    const LineFit geographic = PrincipalComponentFit(1, steps, selected, tied);
    const LineFit tilted = PrincipalComponentFit(0, steps, selected, tied);
    r.GDec = geographic.Dec;
    r.GInc = geographic.Inc;
    r.TDec = tilted.Dec;
    r.TInc = tilted.Inc;
    r.Error = tilted.MAD;
  }
  const int points = tied == 1 ? count - 1 : count;
  double sum = 0;
  for (int k = 0; k < points; ++k) sum += steps.at(static_cast<size_t>(selected[static_cast<size_t>(k)] - 1)).Intensity;
  r.Intensity = points <= 0 ? 0.0f : static_cast<float>(sum / points);
  r.Points = points;
  r.Tied = tied == 1 ? 1 : 0;
  r.Label = FixedText(label, CodeWidth);
  r.Reserved = 0;
  r.Active = 1;
  return r;
}

bool IsPolarityLabel(std::string_view label) {
  static constexpr std::string_view valid[] = {"R", "N", "NP", "RP", "NPP", "RPP", "N?", "R?", "INT"};
  for (auto v : valid)
    if (label == v) return true;
  return false;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace rmx
