#include "store/text.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace rmx {

std::string AlignLeft(std::string_view text, int width) {
  if (width <= 0) return {};
  std::string out(text.substr(0, static_cast<size_t>(width)));
  out.resize(static_cast<size_t>(width), ' ');
  return out;
}

std::string AlignRight(std::string_view text, int width) {
  if (width <= 0) return {};
  const auto w = static_cast<size_t>(width);
  if (text.size() >= w) return std::string(text.substr(0, w));
  return std::string(w - text.size(), ' ') + std::string(text);
}

std::string AlignNumber(std::string_view number, int width) {
  if (width > 0 && number.size() < static_cast<size_t>(width))
    return std::string(static_cast<size_t>(width) - number.size(), ' ') + std::string(number);
  return std::string(number);
}

namespace {

// A finite value as sign, decimal digits and exponent: value = 0.d1d2d3... x 10^exp10.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zeros; empty for zero
  int exp10 = 0;       // position of the decimal point relative to digits[0]
};

// Reads the output of to_chars/printf in scientific form ("d.ddde[+-]XX").
Decimal ParseScientific(std::string_view s) {
  Decimal d;
  size_t i = 0;
  if (i < s.size() && s[i] == '-') {
    d.negative = true;
    ++i;
  }
  std::string digits;
  int pointPos = -1;
  for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
    if (s[i] == '.') {
      pointPos = static_cast<int>(digits.size());
    } else {
      digits.push_back(s[i]);
    }
  }
  if (pointPos < 0) pointPos = static_cast<int>(digits.size());
  int exponent = 0;
  if (i < s.size()) exponent = std::atoi(std::string(s.substr(i + 1)).c_str());
  // strip leading zeros
  size_t lead = 0;
  while (lead < digits.size() && digits[lead] == '0') ++lead;
  if (lead == digits.size()) {
    d.digits.clear();
    d.exp10 = 0;
    return d;
  }
  d.digits = digits.substr(lead);
  d.exp10 = pointPos - static_cast<int>(lead) + exponent;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

Decimal DecimalOf(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", v);
  return ParseScientific(buf);
}

Decimal DecimalOf(float v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  return ParseScientific(std::string_view(buf, static_cast<size_t>(res.ptr - buf)));
}

// Digit k of the number (k = 0 is the units digit, k = 1 tenths, k = -1 tens ...),
// in terms of the decimal: digit index = exp10 - 1 + k.
// Rounds to `decimals` places after the point, half away from zero, and returns
// the integer digits string (may be "0") and the fraction digits.
void RoundFixed(const Decimal& d, int decimals, std::string& intPart, std::string& fracPart) {
  // Build the digit sequence for positions from the highest integer digit down to
  // `decimals` places, plus one guard digit (for half-up decisions we need every
  // digit beyond, but since digits beyond the guard only matter when the guard is 5
  // and rounding is half away from zero, the guard alone decides).
  const int intDigits = std::max(d.exp10, 1);
  const int total = intDigits + decimals;  // digits kept
  std::string kept;
  kept.reserve(static_cast<size_t>(total) + 1);
  // position p runs over kept digits: value position index in d.digits
  // index of first kept digit within d.digits = exp10 - intDigits
  const int first = d.exp10 - intDigits;
  auto digitAt = [&](int idx) -> char {
    if (idx < 0 || idx >= static_cast<int>(d.digits.size())) return '0';
    return d.digits[static_cast<size_t>(idx)];
  };
  for (int k = 0; k < total; ++k) kept.push_back(digitAt(first + k));
  const char guard = digitAt(first + total);
  if (guard >= '5') {
    int k = total - 1;
    while (k >= 0) {
      if (kept[static_cast<size_t>(k)] == '9') {
        kept[static_cast<size_t>(k)] = '0';
        --k;
      } else {
        ++kept[static_cast<size_t>(k)];
        break;
      }
    }
    if (k < 0) kept.insert(kept.begin(), '1');
  }
  const size_t intLen = kept.size() - static_cast<size_t>(decimals);
  intPart = kept.substr(0, intLen);
  fracPart = kept.substr(intLen);
  size_t lead = 0;
  while (lead + 1 < intPart.size() && intPart[lead] == '0') ++lead;
  intPart.erase(0, lead);
}

bool AllZero(const std::string& a, const std::string& b) {
  for (char c : a)
    if (c != '0') return false;
  for (char c : b)
    if (c != '0') return false;
  return true;
}

std::string FormatScientific(const Decimal& d) {
  if (d.digits.empty()) return "0.00E+00";
  // Three significant digits, half away from zero.
  std::string m = d.digits.substr(0, 3);
  m.resize(3, '0');
  int exponent = d.exp10 - 1;
  if (d.digits.size() > 3 && d.digits[3] >= '5') {
    int k = 2;
    while (k >= 0) {
      if (m[static_cast<size_t>(k)] == '9') {
        m[static_cast<size_t>(k)] = '0';
        --k;
      } else {
        ++m[static_cast<size_t>(k)];
        break;
      }
    }
    if (k < 0) {
      m = "100";
      ++exponent;
    }
  }
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  std::string out;
  if (d.negative) out.push_back('-');
  out.push_back(m[0]);
  out.push_back('.');
  out.append(m, 1, 2);
  out += exp;
  return out;
}

// Returns the number of decimals of a fixed pattern and whether the period is kept.
bool ParsePattern(std::string_view pattern, int& decimals, bool& period) {
  if (pattern == "0") {
    decimals = 0;
    period = false;
    return true;
  }
  if (pattern.size() >= 2 && pattern.substr(0, 2) == "0.") {
    for (char c : pattern.substr(2))
      if (c != '0') return false;
    decimals = static_cast<int>(pattern.size()) - 2;
    period = true;
    return true;
  }
  return false;
}

std::string FormatDecimal(const Decimal& d, std::string_view pattern) {
  if (pattern == "Scientific") return FormatScientific(d);
  int decimals = 0;
  bool period = false;
  if (!ParsePattern(pattern, decimals, period))
    throw std::invalid_argument("unknown number format: " + std::string(pattern));
  std::string intPart, fracPart;
  if (d.digits.empty()) {
    intPart = "0";
    fracPart.assign(static_cast<size_t>(decimals), '0');
  } else {
    RoundFixed(d, decimals, intPart, fracPart);
  }
  std::string out;
  if (d.negative && !AllZero(intPart, fracPart)) out.push_back('-');
  out += intPart;
  if (period) out.push_back('.');
  out += fracPart;
  return out;
}

std::string NonFinite(double value) {
  assert(std::isfinite(value) && "the formatter never prints a non-finite value");
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return NonFinite(value);
  return FormatDecimal(DecimalOf(value), pattern);
}

std::string Format(float value, std::string_view pattern) {
  if (!std::isfinite(value)) return NonFinite(value);
  return FormatDecimal(DecimalOf(value), pattern);
}

std::string Format(int value, std::string_view pattern) {
  // A whole number has no digits to round: "0" prints its digits as they are.
  if (pattern == "0") return std::to_string(value);
  return Format(static_cast<double>(value), pattern);
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

namespace {
// Decodes one UTF-8 sequence at s[i]; returns the code point or -1 when invalid.
long DecodeUtf8(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int len = 0;
  long cp = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    return -1;
  }
  if (i + static_cast<size_t>(len) > s.size()) return -1;
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((b & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (b & 0x3F);
  }
  static const long minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  i += static_cast<size_t>(len);
  return cp;
}
}  // namespace

bool Utf8ToLatin1(std::string_view utf8, std::string& latin1) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const long cp = DecodeUtf8(utf8, i);
    if (cp < 0 || cp > 0xFF) return false;
    out.push_back(static_cast<char>(static_cast<unsigned char>(cp)));
  }
  latin1 = std::move(out);
  return true;
}

std::string PathToLatin1(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  size_t i = 0;
  while (i < path.size()) {
    const long cp = DecodeUtf8(path, i);
    if (cp < 0) return std::string(path);
    out.push_back(cp > 0xFF ? '?' : static_cast<char>(static_cast<unsigned char>(cp)));
  }
  return out;
}

bool IsNonAsciiUtf8(std::string_view bytes) {
  bool nonAscii = false;
  size_t i = 0;
  while (i < bytes.size()) {
    const long cp = DecodeUtf8(bytes, i);
    if (cp < 0) return false;
    if (cp >= 0x80) nonAscii = true;
  }
  return nonAscii;
}

std::string PathJoin(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace rmx
