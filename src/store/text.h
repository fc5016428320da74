// Fixed-pitch text: alignment, the one number formatter, and ISO 8859-1 text.
//
// Every listing and report of the program is built from these pieces. Core text is
// held as ISO 8859-1 bytes (one byte, one column), exactly as names are stored in the
// sample file; windows and the command line convert it for display.
#pragma once

#include <string>
#include <string_view>

namespace rmx {

// A string of exactly `width` characters: the text left-aligned and followed by
// spaces; a longer text is cut to its first `width` characters.
std::string AlignLeft(std::string_view text, int width);
// A string of exactly `width` characters: the text right-aligned and preceded by
// spaces; a longer text is cut to its first `width` characters.
std::string AlignRight(std::string_view text, int width);

// Right-aligns a number already formatted: numbers are never cut, so a number wider
// than its field is returned whole and the line grows.
std::string AlignNumber(std::string_view number, int width);

// The number formatter. Patterns: "0", "0.0", "0.00", ..., "0." followed by n zeros
// (n may be 0: "0." keeps its period), and "Scientific" (d.ddE+XX).
// Rounding is half away from zero on the value's decimal form: a float by its
// shortest round-trip decimal, a double by 15 significant digits. A minus sign is
// printed only when the rounded digits are not all zero. Values must be finite.
std::string Format(double value, std::string_view pattern);
std::string Format(float value, std::string_view pattern);
// Integers print as their digits (pattern "0" on a whole number).
std::string Format(int value, std::string_view pattern);

// ISO 8859-1 <-> UTF-8. Latin1ToUtf8 never fails; Utf8ToLatin1 returns false when
// the text is not valid UTF-8 or holds a character outside ISO 8859-1.
std::string Latin1ToUtf8(std::string_view latin1);
bool Utf8ToLatin1(std::string_view utf8, std::string& latin1);
// True when the bytes are valid UTF-8 and hold at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes);
// A file path (bytes as the file system holds them, UTF-8 on this platform) as core
// text for a message: valid UTF-8 becomes ISO 8859-1 with "?" for characters outside
// it; any other bytes are kept as they are.
std::string PathToLatin1(std::string_view path);

// Joins a folder and a file name with one "/" (none added when the folder ends
// with one, as the root does).
std::string PathJoin(const std::string& folder, const std::string& name);

// Report lines end with carriage return and line feed.
inline constexpr std::string_view CrLf = "\r\n";

}  // namespace rmx
