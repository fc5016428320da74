// The virtual geomagnetic pole (VGP) of a mean direction, the half-axes dp and dm of
// its oval of confidence, and the palaeolatitude of the site.
//
// Angles come in as radians and go out as degrees; intermediate angles are kept as
// single-precision radians between steps. The pole longitude is not reduced to
// 0..360: it lies between the site longitude - 90 and the site longitude + 270.
#pragma once

#include <string>

namespace rmx {

struct SectionHeader;

// A pole position, degrees.
struct Pole {
  float Latitude = 0;
  float Longitude = 0;
};

// The position of the site, degrees (the section header's Latitude and Longitude).
struct SiteLocation {
  float Latitude = 0;
  float Longitude = 0;
};
SiteLocation SiteOf(const SectionHeader& section);

// True when the inclination I (radians) is within 1e-7 of +-90 degrees. Such a
// direction points straight down or up: its tangent has no usable value.
bool IsVerticalInclination(double I);

// The pole of the direction D, I seen at the site (all four in radians):
// latitude and longitude in degrees. Straight down gives the site itself, straight
// up its antipode; a pole at a geographic pole takes the site longitude.
Pole PoleFromDirection(float D, float I, float siteLat, float siteLon);

// The whole pole block of one mean direction, degrees.
struct VgpValues {
  Pole pole;
  float Dp = 0;
  float Dm = 0;
  float PaleoLatitude = 0;
};
// D, I and alpha95 in radians.
VgpValues ComputeVgp(float D, float I, float alpha95, const SiteLocation& site);

// True for a latitude within +-90 degrees and a longitude within +-360 degrees.
bool IsSitePosition(const SiteLocation& site);

// The report block of the pole (four lines, CR LF line ends); for a site position
// that is invalid, the heading and a line saying so instead of a pole:
// the heading, the column titles, latitude/longitude/dp/dm, the palaeolatitude.
std::string VgpReport(float D, float I, float alpha95, const SiteLocation& site);

}  // namespace rmx
