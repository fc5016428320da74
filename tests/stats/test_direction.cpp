#include <gtest/gtest.h>

#include <cmath>

#include "stats/direction.h"

using namespace rmx;

TEST(Direction, DegreesAndRadiansUseTheFixedConstants) {
  EXPECT_EQ(DegToRad(180.0), 180.0 * 0.0174532925199433);
  EXPECT_EQ(RadToDeg(1.0), 57.2957795130824);
  EXPECT_NEAR(DegToRad(180.0), Pi, 1e-13);
  EXPECT_NEAR(RadToDeg(Pi), 180.0, 1e-11);
  // The program's pi is the 15-digit literal, not the full double value.
  EXPECT_NE(Pi, std::acos(-1.0));
  EXPECT_EQ(TwoPi, 6.28318530717958);
}

TEST(Direction, InverseSineAndCosineAtAndBeyondTheEnds) {
  EXPECT_EQ(ArcCos(1.0), 0.0);
  EXPECT_EQ(ArcCos(-1.0), Pi);
  EXPECT_EQ(ArcCos(0.0), Pi / 2);
  EXPECT_EQ(ArcSin(-1.0), -Pi / 2);
  EXPECT_EQ(ArcSin(1.0), Pi / 2);
  EXPECT_EQ(ArcSin(0.0), 0.0);
  // A rounding step beyond +-1 gives an angle near the end rather than NaN.
  EXPECT_NEAR(ArcCos(1.0000001), 0.0, 1e-3);
  EXPECT_NEAR(ArcSin(-1.0000001), -Pi / 2, 1e-3);
  EXPECT_NEAR(ArcCos(-1.0000001), Pi, 1e-3);
  for (double x = -0.95; x < 0.96; x += 0.05) {
    EXPECT_NEAR(ArcSin(x), std::asin(x), 1e-12) << x;
    EXPECT_NEAR(ArcCos(x), std::acos(x), 1e-12) << x;
  }
}

TEST(Direction, PolarAngleQuadrantsAndAxes) {
  EXPECT_EQ(PolarAngle(0, 0), 0.0);
  EXPECT_EQ(PolarAngle(0, -1), 3 * Pi / 2);
  EXPECT_EQ(PolarAngle(0, 1), Pi / 2);
  EXPECT_NEAR(PolarAngle(-1, 0), Pi, 1e-15);
  EXPECT_NEAR(PolarAngle(1, -1), 7 * Pi / 4, 1e-13);
  EXPECT_NEAR(PolarAngle(-1, -1), 5 * Pi / 4, 1e-13);
  EXPECT_NEAR(PolarAngle(-1, 1), 3 * Pi / 4, 1e-13);
  EXPECT_NEAR(PolarAngle(1, 1), Pi / 4, 1e-13);
  EXPECT_EQ(PolarAngle(1, 0), 0.0);
  for (int deg = 0; deg < 360; deg += 7) {
    const double a = DegToRad(deg);
    const double t = PolarAngle(3 * std::cos(a), 3 * std::sin(a));
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, TwoPi + 1e-12);
    EXPECT_NEAR(RadToDeg(t), deg, 1e-9) << deg;
  }
}

TEST(Direction, VectorToDirectionSpecialCases) {
  float d = -1, i = -1;
  XYZToDir(0, 0, 5, d, i);
  EXPECT_EQ(d, 0.0f);
  EXPECT_EQ(i, 90.0f);
  XYZToDir(0, 0, -5, d, i);
  EXPECT_EQ(d, 0.0f);
  EXPECT_EQ(i, -90.0f);
  XYZToDir(-1, 0, 0, d, i);
  EXPECT_EQ(d, 270.0f);
  EXPECT_EQ(i, 0.0f);
  XYZToDir(0, -1, 0, d, i);
  EXPECT_EQ(d, 180.0f);
  XYZToDir(1, 0, 0, d, i);
  EXPECT_EQ(d, 90.0f);
  XYZToDir(0, 0, 0, d, i);
  EXPECT_EQ(d, 0.0f);
  EXPECT_EQ(i, 0.0f);
  // A horizontal length at or below 1e-7 counts as vertical.
  XYZToDir(1e-8f, 0, -1, d, i);
  EXPECT_EQ(i, -90.0f);
  // West of north by less than single precision can hold stays below 360.
  XYZToDir(-1e-9f, 1, 0, d, i);
  EXPECT_GE(d, 0.0f);
  EXPECT_LT(d, 360.0f);
}

TEST(Direction, DirectionToVectorAndBackRoundTrips) {
  for (int dd = 0; dd < 360; dd += 13) {
    for (int ii = -85; ii <= 85; ii += 17) {
      const float D = static_cast<float>(dd) + 0.25f;
      const float I = static_cast<float>(ii) + 0.5f;
      float e, n, dn;
      DirToXYZ(2.5f, D, I, e, n, dn);
      float D2, I2;
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
  EXPECT_NEAR(dn, 0.0f, 1e-7);
}

TEST(Direction, UnitVectorTakesRadiansInNorthEastDownOrder) {
  float n, e, d;
  DirToUnit(static_cast<float>(DegToRad(90)), 0, n, e, d);
  EXPECT_NEAR(n, 0.0f, 1e-7);
  EXPECT_NEAR(e, 1.0f, 1e-7);
  EXPECT_NEAR(d, 0.0f, 1e-7);
  DirToUnit(static_cast<float>(DegToRad(45)), static_cast<float>(DegToRad(30)), n, e, d);
  EXPECT_NEAR(n, std::cos(Pi / 6) * std::cos(Pi / 4), 1e-7);
  EXPECT_NEAR(e, std::cos(Pi / 6) * std::sin(Pi / 4), 1e-7);
  EXPECT_NEAR(d, 0.5, 1e-7);
}
