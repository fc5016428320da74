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

TEST(VgpPole, ReportsOfPolesAndOvals) {
  const SiteLocation site{40, 250};
  const struct {
    double dec, inc, alpha95;
    SiteLocation site;
    std::string values, palaeolatitude;
  } cases[] = {
      // The longitude is not reduced; reversed gives the antipode.
      {10, 50, 5, site, "     77.72        385.48      4.47    6.68", "30.79"},
      {190, -50, 5, site, "    -77.72        205.48      4.47    6.68", "-30.79"},
      // Butler, R. F. (1992), Paleomagnetism: Magnetic Domains to Geologic Terranes,
      // the worked example of a pole calculation.
      {25, 45, 5, SiteLocation{30, 250}, "     67.76        342.73      4.00    6.32", "26.57"},
      {0, 30, 0, site, "     66.10        430.00      0.00    0.00", "16.10"},
      {0, -30, 0, site, "     33.90        430.00      0.00    0.00", "-16.10"},
      // Straight down: the pole is the site, the oval a circle of 2 alpha95; up: the antipode.
      {123, 90, 5, site, "     40.00        250.00     10.00   10.00", "90.00"},
      {0, -90, 5, site, "    -40.00        430.00     10.00   10.00", "-90.00"},
      // Horizontal: magnetic colatitude 90 degrees, dp = alpha95 / 2, dm = alpha95; the
      // pole lies 90 degrees north of the site, beyond the geographic pole.
      {0, 0, 5, site, "     50.00        430.00      2.50    5.00", "0.00"},
      {0, -0.0, 5, site, "     50.00        430.00      2.50    5.00", "0.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VgpReport(Rad(c.dec), Rad(c.inc), Rad(c.alpha95), c.site), Block(c.values, c.palaeolatitude))
        << c.dec << " " << c.inc;
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
