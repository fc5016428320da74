// Fisher statistics: the numbers and their report lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "stats/direction.h"
#include "stats/fisher.h"

using namespace rmx;

namespace {

const char* const Heading = "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N\r\n";

// The value line and the lower-deviation line under the heading.
std::string Values(const std::string& line, const std::string& lower) {
  return std::string(Heading) + line + "\r\n" + std::string(65 - lower.size(), ' ') + lower + "\r\n";
}

std::vector<FisherEntry> Dirs(std::initializer_list<std::pair<float, float>> dirs, float logIntensity = 0) {
  std::vector<FisherEntry> v;
  for (const auto& [d, i] : dirs) v.push_back({d, i, logIntensity});
  return v;
}

std::string Lines(const std::vector<FisherEntry>& list, bool weighted = false) {
  return FisherReportLines(FisherMean(list, weighted));
}

}  // namespace

// Butler, R. F. (1992), Paleomagnetism: Magnetic Domains to Geologic Terranes, the
// worked example of Fisher statistics on ten directions: mean D 10.8, I 39.6,
// R 9.8484, k 59.4, alpha95 6.3.
TEST(FisherStats, PublishedTenDirections) {
  const auto list = Dirs({{20.5f, 41.3f},
                          {19.0f, 35.4f},
                          {345.0f, 37.0f},
                          {12.3f, 37.2f},
                          {350.7f, 40.4f},
                          {20.6f, 36.7f},
                          {9.9f, 41.5f},
                          {8.2f, 44.4f},
                          {21.4f, 34.9f},
                          {18.4f, 40.7f}});
  const FisherResult r = FisherMean(list, false);
  EXPECT_NEAR(RadToDeg(r.MeanDec), 10.8, 0.05);
  EXPECT_NEAR(RadToDeg(r.MeanInc), 39.6, 0.05);
  EXPECT_NEAR(r.R, 9.8484, 0.00005);
  EXPECT_NEAR(r.K, 59.4, 0.05);
  EXPECT_NEAR(RadToDeg(r.Alpha95), 6.3, 0.05);
  EXPECT_EQ(FisherReportLines(r),
            Values("     10.78         39.60      6.32   59.38    1.00E+00 + 0.00E+00   9.85  10", "- 0.00E+00"));
}

TEST(FisherStats, OneDirectionIsArtificial) {
  const std::vector<FisherEntry> one = {{350, -20, static_cast<float>(std::log(2.5e-5))}};
  const FisherResult r = FisherMean(one, false);
  EXPECT_TRUE(r.Defined);
  EXPECT_FLOAT_EQ(r.K, 100);
  EXPECT_FLOAT_EQ(r.Alpha95, 0.000001f);
  EXPECT_EQ(FisherReportLines(r),
            "Caution: Only One Sample Available! Artificial K and Alpha95!\r\n" +
                Values("    350.00        -20.00      0.00  100.00    2.50E-05 + 2.50E-11   1.00   1", "- 2.50E-11"));
}

TEST(FisherStats, ReportLinesOfSmallGroups) {
  const struct {
    std::vector<FisherEntry> list;
    bool weighted;
    std::string caution, line, lower;
  } cases[] = {
      // 20 degrees apart: alpha95 is half the angle; the geometric mean intensity of 1
      // and e^2 is e, with asymmetric deviations.
      {{{0, 0, 0}, {20, 0, 2}}, false, "",
       "     10.00          0.00     10.00   32.91    2.72E+00 + 8.46E+00   1.97   2", "- 2.06E+00"},
      // Identical: R reaches N, K is unbounded.
      {Dirs({{30, 40}, {30, 40}}), false, "",
       "     30.00         40.00      0.00Infinity    1.00E+00 + 0.00E+00   2.00   2", "- 0.00E+00"},
      {Dirs({{0, 0}, {20, 0}, {10, 20}}), false, "",
       "     10.00          6.70     23.62   28.31    1.00E+00 + 0.00E+00   2.93   3", "- 0.00E+00"},
      // So scattered that the cosine of alpha95 falls below -1: 180 degrees.
      {Dirs({{0, 0}, {120, 0}, {240, 10}}), false, "",
       "     60.00         85.00    180.00    0.71    1.00E+00 + 0.00E+00   0.17   3", "- 0.00E+00"},
      {Dirs({{200, -35}, {200, -35}, {200, -35}}), false, "",
       "    200.00        -35.00      0.00Infinity    1.00E+00 + 0.00E+00   3.00   3", "- 0.00E+00"},
      // Weighted, two entries (one full-weight result): K 0, N 1.0, R halved.
      {Dirs({{30, 40}, {30, 40}}), true, "",
       "     30.00         40.00      0.00    0.00    1.00E+00 + 0.00E+00   1.00   1.0", "- 0.00E+00"},
      // Four entries: K from N' = 2 and R' = R / 2; alpha95 is an artificial radian.
      {Dirs({{0, 0}, {0, 0}, {20, 0}, {20, 0}}), true,
       "Caution: <= 4 Weighted Analyses! Doubtful K and Artificial Alpha95!\r\n",
       "     10.00          0.00     57.30   32.91    1.00E+00 + 0.00E+00   1.97   2.0", "- 0.00E+00"},
      // Six entries (three full-weight results): the statistics of the three, N 3.0.
      {Dirs({{0, 0}, {0, 0}, {20, 0}, {20, 0}, {10, 20}, {10, 20}}), true, "",
       "     10.00          6.70     23.62   28.31    1.00E+00 + 0.00E+00   2.93   3.0", "- 0.00E+00"},
      // The spread of the logarithms uses the list count also when weighted.
      {{{0, 0, 0}, {0, 0, 0}, {20, 0, 2}, {20, 0, 2}}, true,
       "Caution: <= 4 Weighted Analyses! Doubtful K and Artificial Alpha95!\r\n",
       "     10.00          0.00     57.30   32.91    2.72E+00 + 5.91E+00   1.97   2.0", "- 1.86E+00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(c.list, c.weighted), c.caution + Values(c.line, c.lower));
  const FisherResult same = FisherMean(Dirs({{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}), true);
  EXPECT_TRUE(same.Unbounded());
  EXPECT_FLOAT_EQ(same.Alpha95, 0);
}

TEST(FisherStats, CancellingDirectionsHaveNoMean) {
  const FisherResult r = FisherMean(Dirs({{10.3f, 30.7f}, {190.3f, -30.7f}}), false);
  EXPECT_FALSE(r.Defined);
  EXPECT_EQ(FisherReportLines(r), "Caution: Resultant Length R = 0! Mean Direction Undefined!\r\n");
  std::string report = "before\r\n";
  FisherStats(Dirs({{10, 30}, {190, -30}, {100, 0}, {280, 0}}), false, SiteLocation{40, 250}, report);
  EXPECT_EQ(report, "before\r\nCaution: Resultant Length R = 0! Mean Direction Undefined!\r\n");
}

TEST(FisherStats, ReportEndsWithThePoleOfTheMean) {
  std::string report;
  const FisherResult r = FisherStats(Dirs({{10, 50}, {10, 50}}), false, SiteLocation{40, 250}, report);
  EXPECT_TRUE(r.Defined);
  const std::string tail = "     77.72        385.48      0.00    0.00 (degree)\r\n  PaleoLatitude = 30.79 degree\r\n";
  ASSERT_GE(report.size(), tail.size());
  EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
  std::string nothing;
  EXPECT_EQ(FisherStats({}, false, SiteLocation{}, nothing).N, 0);
  EXPECT_EQ(nothing, "");
}
