// The coordinate-conversion calculator: a magnetic vector between spherical form
// (declination, inclination, intensity) and Cartesian form (north x1, east x2,
// down x3), and inclination <-> latitude by the geocentric axial dipole relation
// tan I = 2 tan(latitude).
//
// Each conversion takes the texts of its input boxes and gives either the texts of
// its result boxes or the refusal of the first box that does not hold a valid value
// (checked in a fixed order), so that the window and the command line show the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rmx::toolbox {

// The boxes of the calculator.
enum class CoordBox { Digits, North, East, Down, Declination, Inclination, Intensity, Inclination2, Latitude };
inline constexpr int CoordBoxCount = 9;

// A refused box: the message box's title and prompt; the focus goes to the box.
struct CoordRefusal {
  CoordBox box;
  std::string title;
  std::string prompt;
};

// Either `texts` (the result boxes' texts, in the order each conversion names) or a
// refusal.
struct CoordOutcome {
  std::optional<CoordRefusal> refusal;
  std::vector<std::string> texts;
};

// The pattern of the vector conversions for the text of the digits box: "0." and
// that many zeros (none for a count of 0 or less). Nothing when the text is not a
// whole number from the reader, or the count is above MaxDigits.
inline constexpr int MaxDigits = 30;
std::optional<std::string> DigitsPattern(std::string_view digits);

// D, I, M -> x1, x2, x3 (texts: north, east, down). Checks digits, declination,
// inclination (number, then -90 to 90), intensity.
CoordOutcome SphericalToCartesian(std::string_view digits, std::string_view declination,
                                  std::string_view inclination, std::string_view intensity);
// x1, x2, x3 -> D, I, M (texts: declination, inclination, intensity). Checks digits,
// north, east, down.
CoordOutcome CartesianToSpherical(std::string_view digits, std::string_view north, std::string_view east,
                                  std::string_view down);
// Inclination (degrees, read as a Single, -90 to 90) -> latitude, "0.00".
CoordOutcome InclinationToLatitude(std::string_view inclination);
// Latitude (degrees, read as a Single, -90 to 90) -> inclination, "0.00".
CoordOutcome LatitudeToInclination(std::string_view latitude);

}  // namespace rmx::toolbox
