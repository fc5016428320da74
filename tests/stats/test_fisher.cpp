// Direction arithmetic, Fisher statistics and virtual geomagnetic poles: the pure
// computations against published worked examples and at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "stats/direction.h"
#include "stats/fisher.h"
#include "stats/vgp.h"
#include "store/text.h"

using namespace rmx;

namespace {

float Rad(double degrees) { return static_cast<float>(DegToRad(degrees)); }

std::vector<FisherEntry> Dirs(std::initializer_list<std::pair<float, float>> dirs) {
  std::vector<FisherEntry> v;
  for (const auto& [d, i] : dirs) v.push_back({d, i, 0});
  return v;
}

// The heading, the value line and the lower-deviation line of a report (none for no mean).
std::string Values(const std::string& line, const std::string& lower) {
  if (line.empty()) return "";
  return "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N\r\n" + line + "\r\n" +
         std::string(65 - lower.size(), ' ') + lower + "\r\n";
}

}  // namespace

TEST(Direction, InverseFunctionsPolarAnglesAndVectors) {
  // x, ArcSin(x), ArcCos(x): a rounding step beyond +-1 gives the end, not NaN.
  const struct { double x, asin, acos, tolerance; } ends[] = {
      {1.0, Pi / 2, 0.0, 0}, {-1.0, -Pi / 2, Pi, 0}, {0.0, 0.0, Pi / 2, 0},
      {1.0000001, Pi / 2, 0.0, 1e-3}, {-1.0000001, -Pi / 2, Pi, 1e-3}, {0.3, std::asin(0.3), std::acos(0.3), 1e-12}};
  for (const auto& e : ends) {
    EXPECT_NEAR(ArcSin(e.x), e.asin, e.tolerance) << e.x;
    EXPECT_NEAR(ArcCos(e.x), e.acos, e.tolerance) << e.x;
  }
  const struct { double x, y, angle, tolerance; } axes[] = {
      {0, 0, 0, 0}, {0, -1, 3 * Pi / 2, 0}, {0, 1, Pi / 2, 0}, {1, 0, 0, 0}, {-1, 0, Pi, 1e-15}};
  for (const auto& a : axes) EXPECT_NEAR(PolarAngle(a.x, a.y), a.angle, a.tolerance) << a.x << " " << a.y;
  // East, north, down -> declination, inclination; a horizontal length at or below
  // 1e-7 counts as vertical; west of north by less than a single can hold is north.
  const struct { float e, n, d, dec, inc; } cases[] = {
      {0, 0, 5, 0, 90}, {0, 0, -5, 0, -90}, {-1, 0, 0, 270, 0}, {0, -1, 0, 180, 0}, {1, 0, 0, 90, 0},
      {0, 0, 0, 0, 0},  {1e-8f, 0, -1, 90, -90}, {-1e-9f, 1, 0, 0, 0}};
  for (const auto& c : cases) {
    float d = -1, i = -1;
    XYZToDir(c.e, c.n, c.d, d, i);
    EXPECT_EQ(d, c.dec) << c.e << " " << c.n << " " << c.d;
    EXPECT_EQ(i, c.inc) << c.e << " " << c.n << " " << c.d;
  }
  float e, n, dn, D, I;  // and back
  DirToXYZ(2.5f, 123.25f, -33.5f, e, n, dn);
  XYZToDir(e, n, dn, D, I);
  EXPECT_NEAR(D, 123.25f, 2e-4);
  EXPECT_NEAR(I, -33.5f, 2e-4);
}

// Butler, R. F. (1992), Paleomagnetism: Magnetic Domains to Geologic Terranes, the
// worked example of Fisher statistics on ten directions: mean D 10.8, I 39.6,
// R 9.8484, k 59.4, alpha95 6.3.
TEST(FisherStats, PublishedTenDirections) {
  const FisherResult r = FisherMean(Dirs({{20.5f, 41.3f}, {19.0f, 35.4f}, {345.0f, 37.0f}, {12.3f, 37.2f},
                                          {350.7f, 40.4f}, {20.6f, 36.7f}, {9.9f, 41.5f}, {8.2f, 44.4f},
                                          {21.4f, 34.9f}, {18.4f, 40.7f}}),
                                    false);
  EXPECT_NEAR(RadToDeg(r.MeanDec), 10.8, 0.05);
  EXPECT_NEAR(RadToDeg(r.MeanInc), 39.6, 0.05);
  EXPECT_NEAR(r.R, 9.8484, 0.00005);
  EXPECT_NEAR(r.K, 59.4, 0.05);
  EXPECT_NEAR(RadToDeg(r.Alpha95), 6.3, 0.05);
}

TEST(FisherStats, ReportLinesOfSmallGroups) {
  const std::string weighted = "Caution: <= 4 Weighted Analyses! Doubtful K and Artificial Alpha95!\r\n";
  const struct {
    std::vector<FisherEntry> list;
    bool weighted;
    std::string caution, line, lower;
  } cases[] = {
      // One direction: artificial K and alpha95.
      {{{350, -20, static_cast<float>(std::log(2.5e-5))}}, false,
       "Caution: Only One Sample Available! Artificial K and Alpha95!\r\n",
       "    350.00        -20.00      0.00  100.00    2.50E-05 + 2.50E-11   1.00   1", "- 2.50E-11"},
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
      // Weighted, two entries (one full-weight result): K 0, N 1.0, R halved.
      {Dirs({{30, 40}, {30, 40}}), true, "",
       "     30.00         40.00      0.00    0.00    1.00E+00 + 0.00E+00   1.00   1.0", "- 0.00E+00"},
      // Four entries: K from N' = 2 and R' = R / 2; alpha95 is an artificial radian.
      {Dirs({{0, 0}, {0, 0}, {20, 0}, {20, 0}}), true, weighted,
       "     10.00          0.00     57.30   32.91    1.00E+00 + 0.00E+00   1.97   2.0", "- 0.00E+00"},
      // Six entries (three full-weight results): the statistics of the three, N 3.0.
      {Dirs({{0, 0}, {0, 0}, {20, 0}, {20, 0}, {10, 20}, {10, 20}}), true, "",
       "     10.00          6.70     23.62   28.31    1.00E+00 + 0.00E+00   2.93   3.0", "- 0.00E+00"},
      // The spread of the logarithms uses the list count also when weighted.
      {{{0, 0, 0}, {0, 0, 0}, {20, 0, 2}, {20, 0, 2}}, true, weighted,
       "     10.00          0.00     57.30   32.91    2.72E+00 + 5.91E+00   1.97   2.0", "- 1.86E+00"},
      // Directions that cancel have no mean.
      {Dirs({{10.3f, 30.7f}, {190.3f, -30.7f}}), false, "Caution: Resultant Length R = 0! Mean Direction Undefined!\r\n",
       "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FisherReportLines(FisherMean(c.list, c.weighted)), c.caution + Values(c.line, c.lower));
  const FisherResult same = FisherMean(Dirs({{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}), true);
  EXPECT_TRUE(same.Unbounded());
  EXPECT_FLOAT_EQ(same.Alpha95, 0);
}

TEST(FisherStats, CancellingDirectionsHaveNoMeanAndNoPole) {
  std::string report = "before\r\n";
  const FisherResult r = FisherStats(Dirs({{10, 30}, {190, -30}, {100, 0}, {280, 0}}), false, {40, 250}, report);
  EXPECT_FALSE(r.Defined);
  EXPECT_EQ(report, "before\r\nCaution: Resultant Length R = 0! Mean Direction Undefined!\r\n");
  std::string nothing;
  EXPECT_EQ(FisherStats({}, false, SiteLocation{}, nothing).N, 0);
  EXPECT_EQ(nothing, "");
}

TEST(VgpPole, PolesAndOvals) {
  const SiteLocation site{40, 250};
  const struct {
    double dec, inc, alpha95;
    SiteLocation site;
    std::string values, palaeolatitude;
  } cases[] = {
      // The longitude is not reduced.
      {190, -50, 5, site, "    -77.72        205.48      4.47    6.68", "-30.79"},
      // Butler, R. F. (1992), Paleomagnetism: Magnetic Domains to Geologic Terranes,
      // the worked example of a pole calculation.
      {25, 45, 5, SiteLocation{30, 250}, "     67.76        342.73      4.00    6.32", "26.57"},
      {0, -30, 0, site, "     33.90        430.00      0.00    0.00", "-16.10"},
      // Straight down: the pole is the site, the oval a circle of 2 alpha95; up: the antipode.
      {123, 90, 5, site, "     40.00        250.00     10.00   10.00", "90.00"},
      {0, -90, 5, site, "    -40.00        430.00     10.00   10.00", "-90.00"},
      // Horizontal: magnetic colatitude 90 degrees, dp = alpha95 / 2, dm = alpha95; the
      // pole lies 90 degrees north of the site, beyond the geographic pole.
      {0, -0.0, 5, site, "     50.00        430.00      2.50    5.00", "0.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VgpReport(Rad(c.dec), Rad(c.inc), Rad(c.alpha95), c.site),
              ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<\r\n"
              "  Latitude       Longitude     DP      DM   \r\n" +
                  c.values + " (degree)\r\n  PaleoLatitude = " + c.palaeolatitude + " degree\r\n")
        << c.dec << " " << c.inc;
}

TEST(VgpPole, EdgesOfThePoleAndTheSite) {
  // A pole at a geographic pole takes the site longitude.
  const VgpValues north = ComputeVgp(0, 0, 0, SiteLocation{0, 250});
  EXPECT_FLOAT_EQ(north.pole.Latitude, 90.0f);
  EXPECT_FLOAT_EQ(north.pole.Longitude, 250.0f);
  const VgpValues south = ComputeVgp(Rad(180), 0, 0, SiteLocation{0, 250});
  EXPECT_NEAR(south.pole.Latitude, -90.0f, 1e-4);
  EXPECT_FLOAT_EQ(south.pole.Longitude, 250.0f);
  // The longitude in radians is a single like every intermediate angle: 93.2149963
  // degrees (93.22), where a double-precision longitude would give 93.2149887 (93.21).
  EXPECT_EQ(Format(PoleFromDirection(Rad(63.37), Rad(-79.89), Rad(-80), Rad(0.3)).Longitude, "0.00"), "93.22");
  // An invalid site position gives no pole.
  for (const SiteLocation bad : {SiteLocation{1e30f, 10}, SiteLocation{-90.5f, 0}, SiteLocation{45, 360.5f}}) {
    const std::string text = VgpReport(0.1f, 0.8f, 0.05f, bad);
    EXPECT_TRUE(text.substr(text.find("\r\n") + 2).starts_with("  The stored site position (latitude ")) << text;
    EXPECT_TRUE(text.ends_with(") is invalid: no pole is computed.\r\n")) << text;
  }
  EXPECT_NE(VgpReport(0.1f, 0.8f, 0.05f, {-90, -360}).find("PaleoLatitude"), std::string::npos);
}
