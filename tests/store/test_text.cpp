// The one number formatter, the one strict number reader, the text alignment and the
// ISO 8859-1 / UTF-8 conversions, each over a table of cases.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "store/numread.h"
#include "store/text.h"

using namespace rmx;

TEST(Align, PadsTextsCutsThemAndNeverCutsNumbers) {
  const struct { std::string got, want; } cases[] = {
      {AlignLeft("NRM", 4), "NRM "}, {AlignRight("0", 3), "  0"},
      {AlignLeft("ABCDEFGHIJKLMNOPQR", 16), "ABCDEFGHIJKLMNOP"}, {AlignRight("1000", 3), "100"},
      {AlignNumber("1000", 3), "1000"}, {AlignNumber("318.0", 8), "   318.0"}, {AlignLeft("x", 0), ""}};
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

// Singles round on their shortest decimal, doubles on 15 significant digits, both half
// away from zero; a minus only when a digit is not zero; "0." keeps its period.
TEST(Format, RoundsHalfAwayFromZeroOnTheDecimalForm) {
  const struct { float value; const char* pattern; const char* want; } singles[] = {
      {318.0f, "0.0", "318.0"}, {-4.8f, "0.0", "-4.8"}, {0.08f, "0.00", "0.08"}, {75.04f, "0.00", "75.04"},
      {0.35f, "0.0", "0.4"}, {1000.0f, "0", "1000"}, {-0.0f, "0.0", "0.0"}, {0.0271f, "Scientific", "2.71E-02"},
      {0.0f, "Scientific", "0.00E+00"}, {9.999e-5f, "Scientific", "1.00E-04"}, {7.67e-5f, "Scientific", "7.67E-05"},
      {std::numeric_limits<float>::denorm_min(), "Scientific", "1.00E-45"}};
  for (const auto& c : singles) EXPECT_EQ(Format(c.value, c.pattern), c.want) << c.value << " " << c.pattern;
  const struct { double value; const char* pattern; const char* want; } doubles[] = {
      {12.5, "0", "13"}, {2.675, "0.00", "2.68"}, {-2.5, "0", "-3"}, {0.5, "0", "1"}, {9.96, "0.0", "10.0"},
      {999.96, "0.0", "1000.0"}, {0.0, "0.000000", "0.000000"}, {1.23456789, "0.00000000", "1.23456789"},
      {123456789.0, "0", "123456789"}, {-0.04, "0.0", "0.0"}, {-7.7e-16, "0.00000", "0.00000"},
      {-0.05, "0.0", "-0.1"}, {-0.0, "Scientific", "0.00E+00"}, {12.4, "0.", "12."}, {12.5, "0.", "13."},
      {9.995e-3, "Scientific", "1.00E-02"}, {9.994e-3, "Scientific", "9.99E-03"},
      {-1.5e10, "Scientific", "-1.50E+10"}, {1.0e100, "Scientific", "1.00E+100"}, {1.0, "Scientific", "1.00E+00"},
      {123.45, "Scientific", "1.23E+02"}, {123.5, "Scientific", "1.24E+02"}};
  for (const auto& c : doubles) EXPECT_EQ(Format(c.value, c.pattern), c.want) << c.value << " " << c.pattern;
  // Whole numbers print their digits, as the double formatter does for them.
  for (const int v : {0, 7, -1, 100000, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(Format(v, "0"), Format(static_cast<double>(v), "0")) << v;
    EXPECT_EQ(Format(v, "0.00"), Format(static_cast<double>(v), "0.00")) << v;
  }
  EXPECT_EQ(Format(-2147483647 - 1, "0"), "-2147483648");
  EXPECT_THROW(Format(1.0, "#,##0"), std::invalid_argument);
}

TEST(ReadNumber, AcceptsOnlyTheStrictFormsInRange) {
  const std::string zeros(400, '0');
  const struct { std::string text; std::optional<double> want; } cases[] = {
      {" 12.5\t", 12.5}, {".5", 0.5}, {"5.", 5.0}, {"+3", 3.0}, {"-2.71E-02", -0.0271}, {"1e3", 1000.0},
      {"1e-400", 0.0}, {"0." + zeros + "1", 0.0}, {"0.000001e-400", 0.0},
      {"-" + std::string(350, '0') + "1e-330", -0.0},
      // Out of range is judged by the whole number, not by the exponent's sign.
      {"1" + zeros + "e-10", std::nullopt}, {"-1" + zeros + ".5e-80", std::nullopt},
      {"", std::nullopt}, {" ", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"NaN", std::nullopt},
      {"Infinity", std::nullopt}, {"0x10", std::nullopt}, {"12,5", std::nullopt}, {"1,000", std::nullopt},
      {"1.2.3", std::nullopt}, {"e5", std::nullopt}, {".", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
      {"1e", std::nullopt}, {"1e+", std::nullopt}, {"5 5", std::nullopt}, {"--1", std::nullopt},
      {"1e999", std::nullopt}, {"１２", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.want) << c.text.substr(0, 20);

  EXPECT_TRUE(ReadSingle("3.4e38").has_value());
  EXPECT_FALSE(ReadSingle("3.5e38").has_value());
  // Whole numbers: inside the 32-bit range, then half to even.
  const struct { const char* text; std::optional<int32_t> want; } whole[] = {
      {"0.5", 0}, {"1.5", 2}, {"254.5", 254}, {"-2.5", -2}, {"2147483647", 2147483647},
      {"2147483648", std::nullopt}, {"1e10", std::nullopt}};
  for (const auto& c : whole) EXPECT_EQ(ReadWhole(c.text), c.want) << c.text;
}

TEST(Encoding, Latin1AndUtf8) {
  EXPECT_EQ(Latin1ToUtf8("M\xFCller"), "M\xC3\xBCller");
  std::string out;
  EXPECT_TRUE(Utf8ToLatin1("M\xC3\xBCller", out));
  EXPECT_EQ(out, "M\xFCller");
  EXPECT_FALSE(Utf8ToLatin1("\xE2\x82\xAC", out));  // the euro sign is not in ISO 8859-1
  EXPECT_FALSE(Utf8ToLatin1("M\xFCller", out));     // not UTF-8
  EXPECT_TRUE(IsNonAsciiUtf8("\xC3\xBC"));
  EXPECT_FALSE(IsNonAsciiUtf8("plain"));
  EXPECT_FALSE(IsNonAsciiUtf8("M\xFCller"));
  // Paths named in messages: UTF-8 names become ISO 8859-1, others are kept.
  EXPECT_EQ(PathToLatin1("/data/M\xC3\xBCller.mag"), "/data/M\xFCller.mag");
  EXPECT_EQ(PathToLatin1("/data/\xE2\x82\xAC.mag"), "/data/?.mag");
  EXPECT_EQ(PathToLatin1("/data/M\xFCller.mag"), "/data/M\xFCller.mag");
}
