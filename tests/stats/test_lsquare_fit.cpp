#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "fit_helpers.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "store/text.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// Steps from vectors, closed by the origin step as in a sample file.
std::vector<StepRecord> Sample(const std::vector<Vec3>& vectors, double tiltTurn = 0) {
  std::vector<StepRecord> steps;
  float level = 100;
  for (const auto& v : vectors) {
    steps.push_back(StepFromVector(v, level, tiltTurn));
    level += 50;
  }
  steps.push_back(OriginStep());
  return steps;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> r;
  for (int k = from; k <= to; ++k) r.push_back(k);
  return r;
}

}  // namespace

TEST(PrincipalComponentFit, KnownLines) {
  const double equalMad = Degrees(std::atan(std::sqrt(2.0)));
  const struct {
    std::vector<Vec3> vectors;
    std::vector<int> selected;  // the origin is the step after the vectors
    int tied;
    double dec, inc, mad, tolerance;  // mad < 0: only above 1 degree
  } cases[] = {
      // The textbook case: (3,3,2), (2,2,1), (1,1,0) lie on the line along (1,1,1).
      {{{3, 3, 2}, {2, 2, 1}, {1, 1, 0}}, {1, 2, 3}, 0, 45, 35.26439, 0, 5e-4},
      {{{3, 3, 2}, {2, 2, 1}, {1, 1, 0}}, {1, 2, 3, 4}, 1, 45, 22.2661, 6.0596, 5e-4},
      // Two points give the joining line without deviation; with the origin, scatter.
      {{{4, 0, 3}, {1, 0, 0}}, {1, 2}, 0, 0, 45, 0, 1e-4},
      {{{4, 0, 3}, {1, 0, 0}}, {1, 2, 3}, 1, NAN, NAN, -1, 0},
      // Along (1, -1, 0) from the last toward the first: declination 315, horizontal.
      {{{5, -2, 1}, {4, -1, 1}, {3, 0, 1}, {2, 1, 1}, {1, 2, 1}}, {1, 2, 3, 4, 5}, 0, 315, 0, 0, 1e-3},
      // A vertical line pointing up (from the deepest last step toward the first).
      {{{0, 0, 1}, {0, 0, 2}, {0, 0, 3}}, {1, 2, 3}, 0, 0, -90, 0, 0},
      // Coinciding points, not tied: a zero matrix; no rotation divides 0 by 0.
      {{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}, {1, 2, 3}, 0, NAN, NAN, 0, 0},
      // Three orthogonal unit vectors tied to the origin: three equal eigenvalues.
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {1, 2, 3, 4}, 1, NAN, NAN, equalMad, 1e-3},
      // Only the origin: the zero vector, no line, but no failure either.
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {4}, 1, NAN, NAN, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected.size());
    const LineFit fit = PrincipalComponentFit(1, Sample(c.vectors), c.selected, c.tied);
    EXPECT_TRUE(std::isfinite(fit.Dec) && std::isfinite(fit.Inc));
    if (!std::isnan(c.dec)) EXPECT_NEAR(fit.Dec, c.dec, c.tolerance);
    if (!std::isnan(c.inc)) EXPECT_NEAR(fit.Inc, c.inc, c.tolerance);
    if (c.mad < 0) EXPECT_GT(fit.MAD, 1.0f);
    else if (c.tolerance == 0 || c.mad == 0) EXPECT_EQ(fit.MAD, static_cast<float>(c.mad));
    else EXPECT_NEAR(fit.MAD, c.mad, c.tolerance);
  }
}

TEST(PrincipalComponentFit, MatchesAnIndependentDoublePrecisionAnalysis) {
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::normal_distribution<double> noise(0, 1);
  for (int trial = 0; trial < 200; ++trial) {
    // A component removed along a random axis, decaying toward a random end point,
    // with scatter; 3 to 12 points; sometimes tied to the origin.
    Vec3 axis{unit(rng), unit(rng), unit(rng)};
    const Vec3 end{unit(rng) * 2, unit(rng) * 2, unit(rng) * 2};
    const int n = 3 + trial % 10;
    const double scatter = (trial % 4) * 0.05;
    std::vector<Vec3> vs;
    for (int k = n; k >= 1; --k) {
      const double t = 1.0 + k;
      vs.push_back({end[0] + t * axis[0] + scatter * noise(rng), end[1] + t * axis[1] + scatter * noise(rng),
                    end[2] + t * axis[2] + scatter * noise(rng)});
    }
    const auto steps = Sample(vs, 25.0);
    const bool tied = trial % 3 == 0;
    std::vector<int> sel = Range(1, n);
    if (tied) sel.push_back(n + 1);
    for (int geographic : {1, 0}) {
      const LineFit fit = PrincipalComponentFit(geographic, steps, sel, tied ? 1 : 0);
      const ReferenceFit ref = ReferencePca(steps, sel, tied, geographic == 1);
      EXPECT_LT(AngleBetween(fit.Dec, fit.Inc, ref.dec, ref.inc), 2e-3) << "trial " << trial;
      EXPECT_GE(fit.Dec, 0.0f);
      EXPECT_LT(fit.Dec, 360.0f);
      // tan^2 MAD = (lambda2 + lambda3) / lambda1. Single-precision matrices carry an
      // absolute error of about 1e-7 in that ratio, a floor of about 0.02 degrees for
      // points exactly on a line.
      const double r = std::pow(std::tan(Radians(fit.MAD)), 2);
      const double refR = std::pow(std::tan(Radians(ref.mad)), 2);
      EXPECT_NEAR(r, refR, 3e-7 + 1e-5 * refR) << "trial " << trial << " MAD " << fit.MAD << " ref " << ref.mad;
      if (ref.mad >= 0.05) {
        EXPECT_GT(fit.MAD, 0.0f);
      }
    }
    // The tilt-corrected directions are the geographic ones turned by 25 degrees.
    const LineFit g = PrincipalComponentFit(1, steps, sel, tied ? 1 : 0);
    const LineFit t = PrincipalComponentFit(0, steps, sel, tied ? 1 : 0);
    EXPECT_NEAR(std::remainder(t.Dec - g.Dec - 25.0, 360.0), 0.0, 2e-3);
    EXPECT_NEAR(t.Inc, g.Inc, 2e-3);
  }
}

TEST(PrincipalComponentFit, RefusesSelectionsOutsideTheSample) {
  const auto steps = Sample({{1, 0, 0}, {2, 0, 0}});
  EXPECT_THROW(PrincipalComponentFit(1, steps, {}, 0), std::invalid_argument);
  EXPECT_THROW(PrincipalComponentFit(1, steps, {0, 1}, 0), std::invalid_argument);
  EXPECT_THROW(PrincipalComponentFit(1, steps, {1, 4}, 0), std::invalid_argument);
  auto huge = steps;
  huge[0].Intensity = 3e38f;  // beyond single precision once scaled
  EXPECT_THROW(PrincipalComponentFit(1, huge, {1, 2}, 0), std::domain_error);
}

TEST(FitLSquareResult, PointsTiesIntensityAndOnePointShortcut) {
  auto steps = Sample({{3, 3, 2}, {2, 2, 1}, {1, 1, 0}});
  steps[1].GDec = 10;  // the one-point path copies the step's own directions
  steps[1].TDec = 20;

  const LSquareResult one = FitLSquareResult(steps, {2}, 0, "n");
  EXPECT_EQ(one.GDec, 10.0f);
  EXPECT_EQ(one.TDec, 20.0f);
  EXPECT_EQ(one.GInc, steps[1].GInc);
  EXPECT_EQ(one.Error, 0.0f);
  EXPECT_EQ(one.Points, 1);
  EXPECT_EQ(one.Tied, 0);
  EXPECT_EQ(one.Intensity, steps[1].Intensity);
  EXPECT_EQ(one.Label, "n  ");
  EXPECT_EQ(one.Active, 1);
  EXPECT_EQ(one.Reserved, 0);

  const LSquareResult onePlusOrigin = FitLSquareResult(steps, {2, 4}, 1, "R");
  EXPECT_EQ(onePlusOrigin.TDec, 20.0f);
  EXPECT_EQ(onePlusOrigin.Points, 1);
  EXPECT_EQ(onePlusOrigin.Tied, 1);
  EXPECT_EQ(onePlusOrigin.Intensity, steps[1].Intensity);

  steps = Sample({{3, 3, 2}, {2, 2, 1}, {1, 1, 0}});
  const LSquareResult tied = FitLSquareResult(steps, {1, 2, 3, 4}, 1, "NPP");
  EXPECT_EQ(tied.Points, 3);
  EXPECT_EQ(tied.Tied, 1);
  EXPECT_EQ(Format(tied.Error, "0.00"), "6.06");
  EXPECT_EQ(Format(tied.GInc, "0.00"), "22.27");
  // The mean raw intensity of the real points, not the fitted component's length.
  const double mean = (double(steps[0].Intensity) + steps[1].Intensity + steps[2].Intensity) / 3;
  EXPECT_FLOAT_EQ(tied.Intensity, static_cast<float>(mean));

  // Two real points and the origin: a real three-point fit.
  const LSquareResult two = FitLSquareResult(steps, {1, 3, 4}, 1, "N");
  EXPECT_EQ(two.Points, 2);
  EXPECT_GT(two.Error, 0.0f);
}
