#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/numread.h"
#include "store/text.h"

using namespace rmx;

TEST(Align, PadsAndCuts) {
  EXPECT_EQ(AlignLeft("NRM", 4), "NRM ");
  EXPECT_EQ(AlignRight("0", 3), "  0");
  EXPECT_EQ(AlignLeft("ABCDEFGHIJKLMNOPQR", 16), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(AlignRight("1000", 3), "100");  // texts keep the fixed-width cut
  EXPECT_EQ(AlignNumber("1000", 3), "1000");  // numbers are never cut
  EXPECT_EQ(AlignNumber("318.0", 8), "   318.0");
  EXPECT_EQ(AlignLeft("x", 0), "");
}

TEST(Format, FixedPatternsRoundHalfAwayFromZeroOnTheDecimalForm) {
  EXPECT_EQ(Format(318.0f, "0.0"), "318.0");
  EXPECT_EQ(Format(-4.8f, "0.0"), "-4.8");
  EXPECT_EQ(Format(0.08f, "0.00"), "0.08");
  EXPECT_EQ(Format(75.04f, "0.00"), "75.04");
  EXPECT_EQ(Format(0.35f, "0.0"), "0.4");     // float by its shortest decimal 0.35
  EXPECT_EQ(Format(12.5, "0"), "13");
  EXPECT_EQ(Format(2.675, "0.00"), "2.68");   // double by 15 significant digits
  EXPECT_EQ(Format(-2.5, "0"), "-3");
  EXPECT_EQ(Format(0.5, "0"), "1");
  EXPECT_EQ(Format(9.96, "0.0"), "10.0");
  EXPECT_EQ(Format(999.96, "0.0"), "1000.0");
  EXPECT_EQ(Format(1000.0f, "0"), "1000");
  EXPECT_EQ(Format(0.0, "0.000000"), "0.000000");
  EXPECT_EQ(Format(1.23456789, "0.00000000"), "1.23456789");
  EXPECT_EQ(Format(123456789.0, "0"), "123456789");
  EXPECT_EQ(Format(7, "0"), "7");
}

TEST(Format, MinusOnlyWhenDigitsAreNotAllZero) {
  EXPECT_EQ(Format(-0.04, "0.0"), "0.0");
  EXPECT_EQ(Format(-7.7e-16, "0.00000"), "0.00000");
  EXPECT_EQ(Format(-0.0f, "0.0"), "0.0");
  EXPECT_EQ(Format(-0.05, "0.0"), "-0.1");
  EXPECT_EQ(Format(-0.0, "Scientific"), "0.00E+00");
}

TEST(Format, PeriodOnlyPatternKeepsThePeriod) {
  EXPECT_EQ(Format(12.4, "0."), "12.");
  EXPECT_EQ(Format(12.5, "0."), "13.");
}

TEST(Format, Scientific) {
  EXPECT_EQ(Format(0.0271f, "Scientific"), "2.71E-02");
  EXPECT_EQ(Format(0.0f, "Scientific"), "0.00E+00");
  EXPECT_EQ(Format(9.999e-5f, "Scientific"), "1.00E-04");
  EXPECT_EQ(Format(9.995e-3, "Scientific"), "1.00E-02");
  EXPECT_EQ(Format(9.994e-3, "Scientific"), "9.99E-03");
  EXPECT_EQ(Format(7.67e-5f, "Scientific"), "7.67E-05");
  EXPECT_EQ(Format(-1.5e10, "Scientific"), "-1.50E+10");
  EXPECT_EQ(Format(1.0e100, "Scientific"), "1.00E+100");
  EXPECT_EQ(Format(1.0, "Scientific"), "1.00E+00");
  EXPECT_EQ(Format(123.45, "Scientific"), "1.23E+02");  // 1.2345 -> half away: 1.23|45 -> 1.23
  EXPECT_EQ(Format(123.5, "Scientific"), "1.24E+02");
  EXPECT_EQ(Format(std::numeric_limits<float>::denorm_min(), "Scientific"), "1.00E-45");
}

TEST(Format, UnknownPatternIsRefused) { EXPECT_THROW(Format(1.0, "#,##0"), std::invalid_argument); }

TEST(ReadNumber, AcceptsTheStrictForms) {
  EXPECT_EQ(ReadNumber(" 12.5\t"), 12.5);
  EXPECT_EQ(ReadNumber(".5"), 0.5);
  EXPECT_EQ(ReadNumber("5."), 5.0);
  EXPECT_EQ(ReadNumber("+3"), 3.0);
  EXPECT_EQ(ReadNumber("-2.71E-02"), -0.0271);
  EXPECT_EQ(ReadNumber("1e3"), 1000.0);
  EXPECT_EQ(ReadNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(ReadNumber, OutOfRangeIsJudgedByTheWholeNumberNotTheExponentSign) {
  // 1 followed by 400 zeros, times 10^-10, is 1e390: no number, not zero.
  EXPECT_FALSE(ReadNumber("1" + std::string(400, '0') + "e-10").has_value());
  EXPECT_FALSE(ReadNumber("-1" + std::string(400, '0') + ".5e-80").has_value());
  EXPECT_EQ(ReadNumber("0.000001e-400"), 0.0);
  EXPECT_EQ(ReadNumber("-" + std::string(350, '0') + "1e-330"), -0.0);
}

TEST(ReadNumber, RefusesEverythingElse) {
  for (const char* bad : {"", " ", "inf", "nan", "NaN", "Infinity", "0x10", "12,5", "1,000", "1.2.3", "e5", ".",
                          "+", "-", "1e", "1e+", "5 5", "--1", "1e999", "１２"})
    EXPECT_FALSE(ReadNumber(bad).has_value()) << bad;
}

TEST(ReadNumber, SingleRangeAndWholeNumbers) {
  EXPECT_TRUE(ReadSingle("3.4e38").has_value());
  EXPECT_FALSE(ReadSingle("3.5e38").has_value());
  EXPECT_EQ(ReadWhole("0.5"), 0);
  EXPECT_EQ(ReadWhole("1.5"), 2);
  EXPECT_EQ(ReadWhole("254.5"), 254);
  EXPECT_EQ(ReadWhole("-2.5"), -2);
  EXPECT_EQ(ReadWhole("2147483647"), 2147483647);
  EXPECT_FALSE(ReadWhole("2147483648").has_value());
  EXPECT_FALSE(ReadWhole("1e10").has_value());
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
  // Paths named in messages: UTF-8 file names become ISO 8859-1 text.
  EXPECT_EQ(PathToLatin1("/data/M\xC3\xBCller.mag"), "/data/M\xFCller.mag");
  EXPECT_EQ(PathToLatin1("/data/\xE2\x82\xAC.mag"), "/data/?.mag");
  EXPECT_EQ(PathToLatin1("/data/M\xFCller.mag"), "/data/M\xFCller.mag");  // not UTF-8: kept
}
