#include "stats/direction.h"

#include <cmath>

namespace rmx {

double DegToRad(double x) { return x * RadPerDeg; }

double RadToDeg(double x) { return x * DegPerRad; }

double ArcSin(double x) {
  if (x == 1.0 || x == -1.0) return x * Pi / 2;
  // The absolute value lets an argument a rounding step beyond +-1 through.
  return std::atan(x / std::sqrt(std::fabs(1 - x * x)));
}

double ArcCos(double x) {
  if (x == 1.0) return 0;
  if (x == -1.0) return Pi;
  return -std::atan(x / std::sqrt(std::fabs(1 - x * x))) + Pi / 2;
}

double PolarAngle(double x, double y) {
  if (x == 0) {
    if (y < 0) return 3 * Pi / 2;
    if (y > 0) return Pi / 2;
    return 0;
  }
  double t = std::atan(y / x);
  if (x < 0 && y < 0) {
    t = t - Pi;
  } else if (x < 0 && y >= 0) {
    t = t + Pi;
  }
  if (t < 0) t = t + TwoPi;
  return t;
}

void DirToXYZ(float F, float D, float I, float& east, float& north, float& down) {
  const double f = F;
  const double d = DegToRad(D);
  const double i = DegToRad(I);
  east = static_cast<float>(f * std::cos(i) * std::sin(d));
  north = static_cast<float>(f * std::cos(i) * std::cos(d));
  down = static_cast<float>(f * std::sin(i));
}

void XYZToDir(float east, float north, float down, float& D, float& I) {
  const double e = east;
  const double n = north;
  const double d = down;
  double dec = 0;
  if (e > 0) {
    if (n > 0) {
      dec = RadToDeg(std::atan(e / n));
    } else if (n == 0) {
      dec = 90;
    } else {
      dec = RadToDeg(std::atan(e / n)) + 180;
    }
  } else if (e == 0) {
    dec = n >= 0 ? 0 : 180;
  } else {
    if (n > 0) {
      dec = RadToDeg(std::atan(e / n)) + 360;
    } else if (n == 0) {
      dec = 270;
    } else {
      dec = RadToDeg(std::atan(e / n)) + 180;
    }
  }
  D = static_cast<float>(dec);
  // A declination a hair below 360 rounds to 360 in single precision; it is north.
  if (D >= 360.0f) D = 0.0f;

  const double h = std::sqrt(e * e + n * n);
  double inc = 0;
  if (d != 0) {
    if (h > 1e-7) {
      inc = RadToDeg(std::atan(d / h));
    } else {
      inc = d > 0 ? 90 : -90;
    }
  }
  I = static_cast<float>(inc);
}

void DirToUnit(float D, float I, float& north, float& east, float& down) {
  const double d = D;
  const double i = I;
  north = static_cast<float>(std::cos(i) * std::cos(d));
  east = static_cast<float>(std::cos(i) * std::sin(d));
  down = static_cast<float>(std::sin(i));
}

}  // namespace rmx
