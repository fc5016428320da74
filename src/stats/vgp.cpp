#include "stats/vgp.h"

#include <cmath>

#include "stats/direction.h"
#include "store/records.h"
#include "store/text.h"

namespace rmx {

namespace {

constexpr double HalfPi = Pi / 2;

// Below this |sin| the pole colatitude, kept in single precision, is 0 or pi to its
// rounding: the pole prints as +-90.00 and its longitude is arbitrary.
constexpr double PoleTolerance = 1e-6;

}  // namespace

SiteLocation SiteOf(const SectionHeader& section) { return {section.Latitude, section.Longitude}; }

bool IsVerticalInclination(double I) { return std::fabs(std::fabs(I) - HalfPi) <= 1e-7; }

Pole PoleFromDirection(float D, float I, float siteLat, float siteLon) {
  Pole pole;
  if (IsVerticalInclination(I)) {
    // Magnetic colatitude 0 (straight down) puts the pole at the site; pi (straight
    // up) at its antipode.
    if (I > 0) {
      pole.Latitude = static_cast<float>(RadToDeg(siteLat));
      pole.Longitude = static_cast<float>(RadToDeg(siteLon));
    } else {
      pole.Latitude = static_cast<float>(-RadToDeg(siteLat));
      pole.Longitude = static_cast<float>(RadToDeg(static_cast<double>(siteLon) + Pi));
    }
    return pole;
  }
  const auto thetaS = static_cast<float>(HalfPi - siteLat);                                     // site colatitude
  const auto p = static_cast<float>(HalfPi - std::atan(std::tan(static_cast<double>(I)) / 2));  // magnetic colatitude
  const double ts = thetaS;
  const double pp = p;
  const auto thetaP = static_cast<float>(
      ArcCos(std::cos(ts) * std::cos(pp) + std::sin(ts) * std::sin(pp) * std::cos(static_cast<double>(D))));
  pole.Latitude = static_cast<float>(RadToDeg(HalfPi - thetaP));

  const double sinThetaP = std::sin(static_cast<double>(thetaP));
  // The longitude, like every intermediate angle, is kept as a single.
  float lon = siteLon;
  if (std::fabs(sinThetaP) >= PoleTolerance) {
    const auto beta = static_cast<float>(ArcSin(std::sin(pp) * std::sin(static_cast<double>(D)) / sinThetaP));
    if (std::cos(static_cast<double>(thetaP)) * std::cos(ts) <= std::cos(pp)) {
      lon = static_cast<float>(static_cast<double>(siteLon) + beta);
    } else {
      lon = static_cast<float>(static_cast<double>(siteLon) + Pi - beta);
    }
  }
  pole.Longitude = static_cast<float>(RadToDeg(lon));
  return pole;
}

VgpValues ComputeVgp(float D, float I, float alpha95, const SiteLocation& site) {
  VgpValues v;
  const auto siteLat = static_cast<float>(DegToRad(site.Latitude));
  const auto siteLon = static_cast<float>(DegToRad(site.Longitude));
  v.pole = PoleFromDirection(D, I, siteLat, siteLon);

  const double inc = I;
  const double a95 = alpha95;
  const bool vertical = IsVerticalInclination(inc);
  double p = HalfPi;  // horizontal direction: magnetic equator
  if (vertical) {
    p = inc > 0 ? 0 : Pi;
  } else if (inc != 0) {
    p = std::atan(2 / std::tan(inc));
    if (p < 0) p = p + Pi;
  }
  const double pf = static_cast<float>(p);

  if (vertical) {
    v.PaleoLatitude = inc > 0 ? 90.0f : -90.0f;
  } else {
    v.PaleoLatitude = static_cast<float>(RadToDeg(std::atan(std::tan(inc) / 2)));
  }
  const auto dp = static_cast<float>(a95 * (1 + 3 * std::cos(pf) * std::cos(pf)) / 2);
  // At +-90 degrees sin(p) / cos(I) tends to 2: the oval becomes a circle of 2 alpha95.
  const auto dm = static_cast<float>(vertical ? 2 * a95 : a95 * std::sin(pf) / std::cos(inc));
  v.Dp = static_cast<float>(RadToDeg(dp));
  v.Dm = static_cast<float>(RadToDeg(dm));
  return v;
}

bool IsSitePosition(const SiteLocation& site) {
  return std::fabs(site.Latitude) <= 90.0f && std::fabs(site.Longitude) <= 360.0f;
}

std::string VgpReport(float D, float I, float alpha95, const SiteLocation& site) {
  std::string out;
  out += ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<";
  out += CrLf;
  if (!IsSitePosition(site)) {
    // A pole from an impossible site would look plausible and mean nothing.
    out += "  The stored site position (latitude " + Format(site.Latitude, "0.00") + ", longitude " +
           Format(site.Longitude, "0.00") + ") is invalid: no pole is computed.";
    out += CrLf;
    return out;
  }
  const VgpValues v = ComputeVgp(D, I, alpha95, site);
  out += "  Latitude       Longitude     DP      DM   ";
  out += CrLf;
  out += AlignNumber(Format(v.pole.Latitude, "0.00"), 10);
  out += AlignNumber(Format(v.pole.Longitude, "0.00"), 14);
  out += AlignNumber(Format(v.Dp, "0.00"), 10);
  out += AlignNumber(Format(v.Dm, "0.00"), 8);
  out += " (degree)";
  out += CrLf;
  out += "  PaleoLatitude = " + Format(v.PaleoLatitude, "0.00") + " degree";
  out += CrLf;
  return out;
}

}  // namespace rmx
