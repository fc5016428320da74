// Virtual geomagnetic poles, their ovals of confidence and palaeolatitudes.
#include <gtest/gtest.h>

#include <string>

#include "stats/direction.h"
#include "stats/vgp.h"
#include "store/text.h"

using namespace rmx;

namespace {

float Rad(double degrees) { return static_cast<float>(DegToRad(degrees)); }

std::string Block(const std::string& values, const std::string& palaeolatitude) {
  return ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<\r\n"
         "  Latitude       Longitude     DP      DM   \r\n" +
         values + " (degree)\r\n  PaleoLatitude = " + palaeolatitude + " degree\r\n";
}

}  // namespace

TEST(VgpPole, LongitudeIsNotReducedAndReversedGivesTheAntipode) {
  const SiteLocation site{40, 250};
  EXPECT_EQ(VgpReport(Rad(10), Rad(50), Rad(5), site), Block("     77.72        385.48      4.47    6.68", "30.79"));
  EXPECT_EQ(VgpReport(Rad(190), Rad(-50), Rad(5), site), Block("    -77.72        205.48      4.47    6.68", "-30.79"));
}

// Butler, R. F. (1992), Paleomagnetism: Magnetic Domains to Geologic Terranes, the
// worked example of a pole calculation: site 30 N, 250 E; D 25, I 45, alpha95 5.
TEST(VgpPole, ButlerWorkedExample) {
  const VgpValues v = ComputeVgp(Rad(25), Rad(45), Rad(5), SiteLocation{30, 250});
  EXPECT_NEAR(v.pole.Latitude, 67.76, 0.005);
  EXPECT_NEAR(v.pole.Longitude, 342.73, 0.005);
  EXPECT_NEAR(v.Dp, 4.00, 0.005);
  EXPECT_NEAR(v.Dm, 6.32, 0.005);
  EXPECT_EQ(VgpReport(Rad(25), Rad(45), Rad(5), SiteLocation{30, 250}),
            Block("     67.76        342.73      4.00    6.32", "26.57"));
}

TEST(VgpPole, PalaeolatitudeAndZeroCone) {
  const SiteLocation site{40, 250};
  const std::string report = VgpReport(Rad(0), Rad(30), 0, site);
  EXPECT_NE(report.find("      0.00    0.00 (degree)\r\n  PaleoLatitude = 16.10 degree\r\n"), std::string::npos)
      << report;
  EXPECT_NEAR(ComputeVgp(0, Rad(-30), 0, site).PaleoLatitude, -16.10, 0.005);
}

TEST(VgpPole, VerticalAndHorizontalInclinations) {
  const SiteLocation site{40, 250};
  // Straight down: the pole is the site, the oval a circle of 2 alpha95.
  EXPECT_EQ(VgpReport(Rad(123), Rad(90), Rad(5), site), Block("     40.00        250.00     10.00   10.00", "90.00"));
  // Straight up: the antipode of the site.
  EXPECT_EQ(VgpReport(Rad(0), Rad(-90), Rad(5), site), Block("    -40.00        430.00     10.00   10.00", "-90.00"));
  // Horizontal: magnetic colatitude 90 degrees, dp = alpha95 / 2, dm = alpha95; the
  // pole lies 90 degrees north of the site, beyond the geographic pole.
  EXPECT_EQ(VgpReport(Rad(0), 0, Rad(5), site), Block("     50.00        430.00      2.50    5.00", "0.00"));
  EXPECT_EQ(VgpReport(Rad(0), -0.0f, Rad(5), site), Block("     50.00        430.00      2.50    5.00", "0.00"));
}

TEST(VgpPole, PoleAtAGeographicPoleTakesTheSiteLongitude) {
  const SiteLocation equator{0, 250};
  const VgpValues north = ComputeVgp(0, 0, 0, equator);
  EXPECT_FLOAT_EQ(north.pole.Latitude, 90.0f);
  EXPECT_FLOAT_EQ(north.pole.Longitude, 250.0f);
  const VgpValues south = ComputeVgp(Rad(180), 0, 0, equator);
  EXPECT_NEAR(south.pole.Latitude, -90.0f, 1e-4);
  EXPECT_FLOAT_EQ(south.pole.Longitude, 250.0f);
}

TEST(VgpPole, LongitudeIsKeptAsASingleBeforeConversion) {
  // The longitude in radians is a single like every intermediate angle: 93.2149963
  // degrees (93.22), where a double-precision longitude would give 93.2149887 (93.21).
  const Pole p = PoleFromDirection(Rad(63.37), Rad(-79.89), Rad(-80), Rad(0.3));
  EXPECT_EQ(Format(p.Longitude, "0.00"), "93.22");
}

TEST(VgpReport, AnInvalidSitePositionGivesNoPole) {
  for (const SiteLocation site : {SiteLocation{1e30f, 10}, SiteLocation{-90.5f, 0}, SiteLocation{45, 360.5f}}) {
    const std::string text = VgpReport(0.1f, 0.8f, 0.05f, site);
    EXPECT_EQ(text.substr(text.find("\r\n") + 2).rfind("  The stored site position (latitude ", 0), 0u) << text;
    EXPECT_NE(text.find(") is invalid: no pole is computed.\r\n"), std::string::npos);
  }
  EXPECT_NE(VgpReport(0.1f, 0.8f, 0.05f, {-90, -360}).find("PaleoLatitude"), std::string::npos);
}
