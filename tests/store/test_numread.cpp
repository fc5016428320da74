#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>
#include <string>

#include "store/numread.h"

using namespace rmx;

namespace {

// What the reader must give for a text of checked syntax: the correctly rounded
// double of from_chars, bit for bit (so that -0 stays -0).
uint64_t Reference(std::string text) {
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return std::bit_cast<uint64_t>(v);
}

void ExpectSameAsReference(const std::string& text) {
  const auto v = ReadNumber(text);
  ASSERT_TRUE(v) << text;
  EXPECT_EQ(std::bit_cast<uint64_t>(*v), Reference(text)) << text;
}

}  // namespace

TEST(ReadNumber, EqualsTheCorrectlyRoundedValueBitForBit) {
  for (const char* text :
       {"0", "-0", "+0", "-0.000", "0.1", "-0.1", "0.3", "2.71E-02", "2.71e-2", ".5", "5.", "-12.5e+1", "318.0",
        "9007199254740992", "9007199254740993", "9007199254740991.5", "1e22", "1e23", "1e-22", "1e-23",
        "123456789012345678", "1234567890123456789", "12345678901234567890", "0.00000000000000000000000001",
        "4.35679E-05", "1.7976931348623157e308", "4.9e-324", "0.1e-21", "100000000000000000000000e-2",
        "00000000000000000000000000012.5", "3.4028235677973366e38", "1.00000005960464477539"})
    ExpectSameAsReference(text);
}

TEST(ReadNumber, RandomDecimalsEqualTheCorrectlyRoundedValue) {
  std::mt19937_64 random(14);
  for (int n = 0; n < 200000; ++n) {
    std::string text = (random() % 2) ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int k = 0; k < digits; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
    ExpectSameAsReference(text);
  }
}
