#include "toolbox/coord_conversion.h"

#include <cmath>

#include "stats/direction.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::toolbox {

namespace {

CoordOutcome Refuse(CoordBox box, const char* title, const char* prompt) {
  CoordOutcome o;
  o.refusal = CoordRefusal{box, title, prompt};
  return o;
}

constexpr const char* InclinationRange = "Please input a valid Inclination: -90 to 90 degree";

bool InRange(double angle) { return angle >= -90 && angle <= 90; }

// The message of each box that does not hold a number.
struct NumberBox {
  CoordBox box;
  const char* title;
  const char* prompt;
};
constexpr NumberBox DigitsBox{CoordBox::Digits, "Digits for display", "Please input an integer for digits"};
constexpr NumberBox NorthBox{CoordBox::North, "Input North (x1) Component",
                             "Please input a valid number for the North (x1) component"};
constexpr NumberBox EastBox{CoordBox::East, "Input East (x2) Component",
                            "Please input a valid number for the East (x2) component"};
constexpr NumberBox DownBox{CoordBox::Down, "Input Down (x3) Component",
                            "Please input a valid number for the Down (x3) component"};
constexpr NumberBox DeclinationBox{CoordBox::Declination, "Input Declination",
                                   "Please input a valid number for Declination"};
constexpr NumberBox InclinationBox{CoordBox::Inclination, "Input Inclination",
                                   "Please input a valid number for Inclination"};
constexpr NumberBox IntensityBox{CoordBox::Intensity, "Input Intensity", "Please input a valid number for Intensity"};

// Reads a box as a double; a box that is not a number refuses the command.
bool Read(std::string_view text, const NumberBox& box, double& value, CoordOutcome& outcome) {
  const auto v = ReadNumber(text);
  if (!v) {
    outcome.refusal = CoordRefusal{box.box, box.title, box.prompt};
    return false;
  }
  value = *v;
  return true;
}

// The dipole relation between inclination and latitude: arctan(factor x tan(angle)),
// radians, with the poles exact (factor 2 from latitude, 1/2 from inclination).
double DipoleAngle(float degrees, double factor) {
  if (degrees == 90) return Pi / 2;
  if (degrees == -90) return -Pi / 2;
  return std::atan(factor * std::tan(DegToRad(degrees)));
}

}  // namespace

std::optional<std::string> DigitsPattern(std::string_view digits) {
  const auto n = ReadWhole(digits);
  if (!n || *n > MaxDigits) return std::nullopt;
  return "0." + std::string(static_cast<size_t>(std::max(*n, 0)), '0');
}

CoordOutcome SphericalToCartesian(std::string_view digits, std::string_view declination,
                                  std::string_view inclination, std::string_view intensity) {
  const auto pattern = DigitsPattern(digits);
  if (!pattern) return Refuse(DigitsBox.box, DigitsBox.title, DigitsBox.prompt);
  CoordOutcome o;
  double dec = 0, inc = 0, m = 0;
  if (!Read(declination, DeclinationBox, dec, o) || !Read(inclination, InclinationBox, inc, o)) return o;
  if (!InRange(inc)) return Refuse(CoordBox::Inclination, "Input Inclination", InclinationRange);
  if (!Read(intensity, IntensityBox, m, o)) return o;

  // The declination is used as given, whatever its range.
  const double d = DegToRad(dec);
  const double i = DegToRad(inc);
  const double x1 = m * std::cos(i) * std::cos(d);
  const double x2 = m * std::cos(i) * std::sin(d);
  const double x3 = m * std::sin(i);
  return {std::nullopt, {Format(x1, *pattern), Format(x2, *pattern), Format(x3, *pattern)}};
}

CoordOutcome CartesianToSpherical(std::string_view digits, std::string_view north, std::string_view east,
                                  std::string_view down) {
  const auto pattern = DigitsPattern(digits);
  if (!pattern) return Refuse(DigitsBox.box, DigitsBox.title, DigitsBox.prompt);
  CoordOutcome o;
  double x[3] = {};
  if (!Read(north, NorthBox, x[0], o) || !Read(east, EastBox, x[1], o) || !Read(down, DownBox, x[2], o)) return o;

  const double m = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
  // Components near the largest double overflow the sum of squares; there is no
  // intensity to show.
  if (!std::isfinite(m))
    return Refuse(CoordBox::North, "Input North (x1) Component",
                  "The components are too large: the intensity of the vector cannot be computed");
  const double d = PolarAngle(x[0], x[1]);
  const double h = std::sqrt(x[0] * x[0] + x[1] * x[1]);
  double i = 0;
  if (h < 1e-6) {
    i = x[2] < 0 ? -Pi / 2 : Pi / 2;
  } else {
    i = std::atan(x[2] / h);
  }
  return {std::nullopt, {Format(RadToDeg(d), *pattern), Format(RadToDeg(i), *pattern), Format(m, *pattern)}};
}

CoordOutcome InclinationToLatitude(std::string_view inclination) {
  const auto inc = ReadSingle(inclination);
  if (!inc) return Refuse(CoordBox::Inclination2, "Input inclination", "Please input an valid inclination");
  if (!InRange(*inc)) return Refuse(CoordBox::Inclination2, "Input Inclination", InclinationRange);
  return {std::nullopt, {Format(RadToDeg(DipoleAngle(*inc, 0.5)), "0.00")}};
}

CoordOutcome LatitudeToInclination(std::string_view latitude) {
  const auto lat = ReadSingle(latitude);
  if (!lat) return Refuse(CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude");
  if (!InRange(*lat)) return Refuse(CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude: -90 to 90 degree");
  return {std::nullopt, {Format(RadToDeg(DipoleAngle(*lat, 2)), "0.00")}};
}

}  // namespace rmx::toolbox
