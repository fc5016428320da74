// The one strict number reader, for laboratory files, input boxes and text boxes.
//
// Accepted: optional blanks and tabs around the number, an optional sign, digits with
// an optional fraction (".5" and "5." are numbers), an optional exponent (E or e,
// optional sign, digits), in the C locale. Not numbers: "inf", "nan", hexadecimal,
// "12,5", thousands separators, an empty or blank text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rmx {

// A finite double, or nothing.
std::optional<double> ReadNumber(std::string_view text);
// A value that fits a Single field (finite after conversion to float), or nothing.
std::optional<float> ReadSingle(std::string_view text);
// A whole number: a number that is finite and inside the 32-bit range, rounded half
// to even (0.5 gives 0, 1.5 gives 2, 254.5 gives 254), or nothing.
std::optional<int32_t> ReadWhole(std::string_view text);
// Rounds a finite value half to even when it lies inside the 32-bit range.
std::optional<int32_t> RoundWhole(double value);

}  // namespace rmx
