// The rows typed or pasted into the projections toolbox: three numbers a row, either
// a direction (declination, inclination, intensity) or a Cartesian vector (north,
// east, down), and the conversions between the two boxes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rmx::toolbox {

// One row as typed: (D, I, J) in degrees for a direction, (x1, x2, x3) for a vector.
struct Row {
  float V1 = 0;
  float V2 = 0;
  float V3 = 1;
  friend bool operator==(const Row&, const Row&) = default;
};

// Reads the rows of a box's text. Values are separated by blanks, tabs or commas,
// repeated or mixed; a line break ends a row after its second value, and a row
// without a third value gets 1. A fourth value on a line begins a new row. The
// first value that is not a number ends the reading: the row it belongs to is
// dropped, the rows before it are kept. CR LF, LF and CR all end lines.
std::vector<Row> ParseRows(std::string_view text);

// The text of the Cartesian box for direction rows: per row x1 = J cos I cos D,
// x2 = J cos I sin D, x3 = J sin I, each "0.000000" right-aligned in 16, CR LF.
std::string SphericalToCartesianText(const std::vector<Row>& directions);
// The text of the direction box for Cartesian rows: D "0.00" in 16, I "0.00" in 14,
// J "0.000000" in 16, CR LF. A vector with no horizontal length (below 1e-6) points
// straight down (I = 90) or up (I = -90).
std::string CartesianToSphericalText(const std::vector<Row>& vectors);

// The direction (D, I, J) of a Cartesian row, as the direction box shows it.
Row ToDirection(const Row& vector);

// The messages of an empty box.
inline constexpr const char* NoDirectionData = "No Declination, Inclination, and Intensity data available!";
inline constexpr const char* NoCartesianData = "No North(x1), East(x2), and Down(x3) data available!";

}  // namespace rmx::toolbox
