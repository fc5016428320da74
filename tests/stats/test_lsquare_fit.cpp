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

// The textbook case: (3,3,2), (2,2,1), (1,1,0) lie on the line along (1,1,1).
TEST(PrincipalComponentFit, WorkedExampleFreeAndTied) {
  const auto steps = Sample({{3, 3, 2}, {2, 2, 1}, {1, 1, 0}});
  const LineFit free = PrincipalComponentFit(1, steps, {1, 2, 3}, 0);
  EXPECT_EQ(Format(free.Dec, "0.00"), "45.00");
  EXPECT_EQ(Format(free.Inc, "0.00"), "35.26");
  EXPECT_EQ(free.MAD, 0.0f);

  const LineFit tied = PrincipalComponentFit(1, steps, {1, 2, 3, 4}, 1);
  EXPECT_EQ(Format(tied.Dec, "0.00"), "45.00");
  EXPECT_EQ(Format(tied.Inc, "0.00"), "22.27");
  EXPECT_EQ(Format(tied.MAD, "0.00"), "6.06");
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

TEST(PrincipalComponentFit, TwoPointsGiveTheJoiningLineWithoutDeviation) {
  const auto steps = Sample({{4, 0, 3}, {1, 0, 0}});
  const LineFit fit = PrincipalComponentFit(1, steps, {1, 2}, 0);
  EXPECT_NEAR(fit.Dec, 0.0f, 1e-4);
  EXPECT_NEAR(fit.Inc, 45.0f, 1e-4);
  EXPECT_EQ(fit.MAD, 0.0f);
  // With the origin the two points and the origin are a three-point fit with scatter.
  const LineFit tied = PrincipalComponentFit(1, steps, {1, 2, 3}, 1);
  EXPECT_GT(tied.MAD, 1.0f);
}

TEST(PrincipalComponentFit, PointsOnAPerfectLineHaveNoDeviation) {
  const auto steps = Sample({{5, -2, 1}, {4, -1, 1}, {3, 0, 1}, {2, 1, 1}, {1, 2, 1}});
  const LineFit fit = PrincipalComponentFit(1, steps, Range(1, 5), 0);
  EXPECT_EQ(fit.MAD, 0.0f);
  // Along (1, -1, 0) from the last toward the first: declination 315, horizontal.
  EXPECT_NEAR(fit.Dec, 315.0f, 1e-3);
  EXPECT_NEAR(fit.Inc, 0.0f, 1e-3);
}

TEST(PrincipalComponentFit, ReversedStepOrderOnlyReversesTheLine) {
  const std::vector<Vec3> vs{{6, 2, 3}, {4.2, 1.1, 2.4}, {3, 1, 1.2}, {1.1, 0.2, 0.9}};
  const std::vector<Vec3> reversed(vs.rbegin(), vs.rend());
  const LineFit a = PrincipalComponentFit(1, Sample(vs), Range(1, 4), 0);
  const LineFit b = PrincipalComponentFit(1, Sample(reversed), Range(1, 4), 0);
  EXPECT_NEAR(std::remainder(b.Dec - a.Dec - 180.0, 360.0), 0.0, 1e-3);
  EXPECT_NEAR(b.Inc, -a.Inc, 1e-3);
  EXPECT_NEAR(b.MAD, a.MAD, 1e-4);
  EXPECT_GT(a.MAD, 0.0f);
}

TEST(PrincipalComponentFit, DegenerateSelections) {
  // A vertical line pointing up (from the deepest last step toward the first).
  const auto vertical = Sample({{0, 0, 1}, {0, 0, 2}, {0, 0, 3}});
  const LineFit up = PrincipalComponentFit(1, vertical, {1, 2, 3}, 0);
  EXPECT_EQ(up.Inc, -90.0f);
  EXPECT_EQ(up.Dec, 0.0f);
  EXPECT_EQ(up.MAD, 0.0f);

  // Coinciding points, not tied: a zero matrix; no rotation divides 0 by 0.
  const auto same = Sample({{1, 2, 3}, {1, 2, 3}, {1, 2, 3}});
  const LineFit none = PrincipalComponentFit(1, same, {1, 2, 3}, 0);
  EXPECT_TRUE(std::isfinite(none.Dec) && std::isfinite(none.Inc));
  EXPECT_EQ(none.MAD, 0.0f);

  // Three orthogonal unit vectors tied to the origin: three equal eigenvalues.
  const auto sphere = Sample({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  const LineFit equal = PrincipalComponentFit(1, sphere, {1, 2, 3, 4}, 1);
  EXPECT_NEAR(equal.MAD, Degrees(std::atan(std::sqrt(2.0))), 1e-3);

  // Only the origin: the zero vector, no line, but no failure either.
  const LineFit origin = PrincipalComponentFit(1, sphere, {4}, 1);
  EXPECT_EQ(origin.MAD, 0.0f);
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
