#include <gtest/gtest.h>

#include <cmath>

#include "stats/direction.h"

using namespace rmx;

TEST(Direction, ConstantsAndInverseFunctionsAtTheEnds) {
  EXPECT_EQ(DegToRad(180.0), 180.0 * 0.0174532925199433);
  EXPECT_EQ(RadToDeg(1.0), 57.2957795130824);
  // The program's pi is the 15-digit literal, not the full double value.
  EXPECT_NE(Pi, std::acos(-1.0));
  EXPECT_EQ(TwoPi, 6.28318530717958);
  // x, ArcSin(x), ArcCos(x): a rounding step beyond +-1 gives the end, not NaN.
  const struct {
    double x, asin, acos, tolerance;
  } ends[] = {{1.0, Pi / 2, 0.0, 0},          {-1.0, -Pi / 2, Pi, 0},          {0.0, 0.0, Pi / 2, 0},
              {1.0000001, Pi / 2, 0.0, 1e-3}, {-1.0000001, -Pi / 2, Pi, 1e-3}};
  for (const auto& e : ends) {
    EXPECT_NEAR(ArcSin(e.x), e.asin, e.tolerance) << e.x;
    EXPECT_NEAR(ArcCos(e.x), e.acos, e.tolerance) << e.x;
  }
  for (double x = -0.95; x < 0.96; x += 0.05) {
    EXPECT_NEAR(ArcSin(x), std::asin(x), 1e-12) << x;
    EXPECT_NEAR(ArcCos(x), std::acos(x), 1e-12) << x;
  }
}

TEST(Direction, PolarAngleIsInZeroToTwoPi) {
  const struct {
    double x, y, angle, tolerance;
  } axes[] = {{0, 0, 0, 0}, {0, -1, 3 * Pi / 2, 0}, {0, 1, Pi / 2, 0}, {1, 0, 0, 0}, {-1, 0, Pi, 1e-15}};
  for (const auto& a : axes) EXPECT_NEAR(PolarAngle(a.x, a.y), a.angle, a.tolerance) << a.x << " " << a.y;
  for (int deg = 0; deg < 360; deg += 7) {
    const double t = PolarAngle(3 * std::cos(DegToRad(deg)), 3 * std::sin(DegToRad(deg)));
    EXPECT_GE(t, 0.0);
    EXPECT_NEAR(RadToDeg(t), deg, 1e-9) << deg;
  }
}

TEST(Direction, VectorToDirectionSpecialCases) {
  // East, north, down -> declination, inclination.
  const struct {
    float e, n, d, dec, inc;
  } cases[] = {
      {0, 0, 5, 0, 90},    {0, 0, -5, 0, -90}, {-1, 0, 0, 270, 0}, {0, -1, 0, 180, 0},
      {1, 0, 0, 90, 0},    {0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    float d = -1, i = -1;
    XYZToDir(c.e, c.n, c.d, d, i);
    EXPECT_EQ(d, c.dec) << c.e << " " << c.n << " " << c.d;
    EXPECT_EQ(i, c.inc) << c.e << " " << c.n << " " << c.d;
  }
  float d, i;
  XYZToDir(1e-8f, 0, -1, d, i);  // a horizontal length at or below 1e-7 counts as vertical
  EXPECT_EQ(i, -90.0f);
  // West of north by less than single precision can hold stays below 360.
  XYZToDir(-1e-9f, 1, 0, d, i);
  EXPECT_GE(d, 0.0f);
  EXPECT_LT(d, 360.0f);
}

TEST(Direction, DirectionToVectorAndBackRoundTrips) {
  for (int dd = 0; dd < 360; dd += 13) {
    for (int ii = -85; ii <= 85; ii += 17) {
      const float D = static_cast<float>(dd) + 0.25f, I = static_cast<float>(ii) + 0.5f;
      float e, n, dn, D2, I2;
      DirToXYZ(2.5f, D, I, e, n, dn);
      XYZToDir(e, n, dn, D2, I2);
      EXPECT_NEAR(D2, D, 2e-4) << D << " " << I;
      EXPECT_NEAR(I2, I, 2e-4) << D << " " << I;
      EXPECT_NEAR(std::sqrt(double(e) * e + double(n) * n + double(dn) * dn), 2.5, 1e-5);
    }
  }
  float e, n, dn;
  DirToXYZ(1, 90, 0, e, n, dn);  // east
  EXPECT_NEAR(e, 1.0f, 1e-7);
  EXPECT_NEAR(n, 0.0f, 1e-7);
  // The unit vector takes radians, in north, east, down order.
  DirToUnit(static_cast<float>(DegToRad(45)), static_cast<float>(DegToRad(30)), n, e, dn);
  EXPECT_NEAR(n, std::cos(Pi / 6) * std::cos(Pi / 4), 1e-7);
  EXPECT_NEAR(e, std::cos(Pi / 6) * std::sin(Pi / 4), 1e-7);
  EXPECT_NEAR(dn, 0.5, 1e-7);
}
