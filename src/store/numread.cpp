#include "store/numread.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <system_error>

namespace rmx {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a number of checked syntax that is out of the double range: true when its
// magnitude is below 1 (an underflow), false when it is at least 1 (an overflow).
// The order is that of the first non-zero digit plus the exponent, so that
// "1000...0e-10" with hundreds of zeros is an overflow, not a zero.
bool DecimalOrderBelowZero(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t intEnd = i;
  while (intEnd < s.size() && IsDigit(s[intEnd])) ++intEnd;
  // Decimal position of the next digit read: 0 is the units digit, -1 the tenths.
  long position = static_cast<long>(intEnd - i) - 1;
  long order = 0;
  bool found = false;
  for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
    if (s[i] == '.') continue;
    if (!found && s[i] != '0') {
      order = position;
      found = true;
    }
    --position;
  }
  if (!found) return true;  // zero digits only
  long exponent = 0;
  bool negative = false;
  if (i < s.size()) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    for (; i < s.size(); ++i) exponent = std::min(exponent * 10 + (s[i] - '0'), 1000000L);
  }
  return order + (negative ? -exponent : exponent) < 0;
}
}  // namespace

namespace {

unsigned DigitAt(const char* c) { return static_cast<unsigned>(static_cast<unsigned char>(*c)) - '0'; }

// The reading itself, by pointers: a converter reads some 170,000 numbers from a full
// laboratory file.
inline std::optional<double> Read(const char* p, const char* end) {
  while (p != end && IsBlank(*p)) ++p;
  while (end != p && IsBlank(end[-1])) --end;
  const char* const number = p;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  // The first 19 digits (leading zeros included) as a whole number and the power of
  // ten that scales them, for the exact fast reading below.
  uint64_t mantissa = 0;
  long scale = 0;
  size_t mantissaDigits = 0;
  for (unsigned d; p != end && (d = DigitAt(p)) <= 9; ++p, ++mantissaDigits)
    if (mantissaDigits < 19) mantissa = mantissa * 10 + d;
  if (p != end && *p == '.') {
    ++p;
    for (unsigned d; p != end && (d = DigitAt(p)) <= 9; ++p, ++mantissaDigits, --scale)
      if (mantissaDigits < 19) mantissa = mantissa * 10 + d;
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    const char* const exponentDigits = p;
    long exponent = 0;
    for (unsigned d; p != end && (d = DigitAt(p)) <= 9; ++p) exponent = std::min(exponent * 10 + d, 100000L);
    if (p == exponentDigits) return std::nullopt;
    scale += negativeExponent ? -exponent : exponent;
  }
  if (p != end) return std::nullopt;
  // Exact fast reading: a whole number up to 2^53 and a power of ten up to 10^22 are
  // both doubles, so one multiplication or division rounds once, correctly, to the
  // value from_chars gives.
  static constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                           1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (mantissaDigits <= 19 && mantissa <= (uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    double v = static_cast<double>(mantissa);
    v = scale < 0 ? v / PowersOfTen[-scale] : v * PowersOfTen[scale];
    return negative ? -v : v;
  }
  // The syntax is checked; from_chars reads it whatever the process locale says.
  std::string_view digits(number, static_cast<size_t>(end - number));
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double v = 0;
  const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as zero of the right sign; overflow is no number.
    if (!DecimalOrderBelowZero(digits)) return std::nullopt;
    return digits.front() == '-' ? -0.0 : 0.0;
  }
  if (res.ec != std::errc() || res.ptr != digits.data() + digits.size()) return std::nullopt;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) { return Read(text.data(), text.data() + text.size()); }

std::optional<float> ReadSingle(std::string_view text) {
  const auto v = Read(text.data(), text.data() + text.size());
  if (!v) return std::nullopt;
  const float f = static_cast<float>(*v);
  if (!std::isfinite(f)) return std::nullopt;
  return f;
}

std::optional<int32_t> RoundWhole(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = std::nearbyint(value);  // default rounding mode: half to even
  if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<int32_t> ReadWhole(std::string_view text) {
  const auto v = ReadNumber(text);
  if (!v) return std::nullopt;
  return RoundWhole(*v);
}

}  // namespace rmx
