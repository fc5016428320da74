// Direction arithmetic: degrees and radians, inverse sines and cosines, the polar
// angle of a vector, and conversions between a direction and its Cartesian vector.
//
// Angles are stored and shown in degrees and computed in radians. Declination is
// clockwise from north in [0, 360); inclination is positive downward in [-90, 90].
// Arithmetic is double precision; values that are stored (the outputs of the vector
// conversions) are single precision. Pi is the 15-digit literal below, everywhere,
// so that every computed angle is reproducible to the last printed digit.
//
// Two Cartesian orders are in use and each function names its own:
//  - north, east, down: the least-squares fit, the Fisher statistics, DirToUnit;
//  - east, north, down: DirToXYZ and XYZToDir, for drawing.
#pragma once

namespace rmx {

inline constexpr double Pi = 3.14159265358979;
inline constexpr double TwoPi = 6.28318530717958;
inline constexpr double DegPerRad = 57.2957795130824;
inline constexpr double RadPerDeg = 0.0174532925199433;

// x * 0.0174532925199433.
double DegToRad(double x);
// x * 57.2957795130824.
double RadToDeg(double x);

// Radians in [-pi/2, pi/2]. An argument slightly beyond +-1 (from rounding) gives an
// angle near +-pi/2 instead of failing.
double ArcSin(double x);
// Radians in [0, pi]; slightly beyond +-1 gives an angle near 0 or pi.
double ArcCos(double x);

// The angle of (x, y) from the +x axis toward the +y axis, radians in [0, 2 pi).
// With (north, east) it is a declination.
double PolarAngle(double x, double y);

// Intensity F and direction D, I in degrees -> east, north, down (each stored as a
// single): (F cos I sin D, F cos I cos D, F sin I).
void DirToXYZ(float F, float D, float I, float& east, float& north, float& down);

// East, north, down -> declination D in [0, 360) and inclination I in [-90, 90], in
// degrees. A vector with no horizontal length points straight down or up (D = 0,
// I = +-90); the zero vector gives D = 0, I = 0.
void XYZToDir(float east, float north, float down, float& D, float& I);

// Direction D, I in RADIANS -> unit vector north, east, down:
// (cos I cos D, cos I sin D, sin I). No conversion is done; callers pass radians.
void DirToUnit(float D, float I, float& north, float& east, float& down);

}  // namespace rmx
