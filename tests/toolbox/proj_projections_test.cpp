// The projections toolbox's Fisher mean, poles, style checks and ellipse points.
#include <gtest/gtest.h>

#include <cmath>

#include "stats/direction.h"
#include "stats/fisher.h"
#include "store/text.h"
#include "toolbox/projections.h"
#include "toolbox/proj_helpers.h"

namespace rmx::toolbox {
namespace {

std::vector<Row> UnitVectors(const std::vector<std::pair<float, float>>& dirs) {
  std::string text;
  for (auto [d, i] : dirs) text += Format(d, "0.0") + " " + Format(i, "0.0") + "\r\n";
  return ParseRows(SphericalToCartesianText(ParseRows(text)));
}

TEST(ProjFisher, EqualsTheSiteFisherAtFivePercent) {
  const std::vector<std::pair<float, float>> dirs = {{20.5f, 41.3f}, {19.0f, 35.4f},  {345.0f, 37.0f}, {12.3f, 37.2f},
                                                     {350.7f, 40.4f}, {20.6f, 36.7f}, {9.9f, 41.5f},   {8.2f, 44.4f},
                                                     {21.4f, 34.9f}, {18.4f, 40.7f}};
  std::vector<FisherEntry> entries;
  for (auto [d, i] : dirs) entries.push_back({d, i, 0});
  const FisherResult site = FisherMean(entries, false);
  const FisherBoxes b = ToolboxFisher(UnitVectors(dirs), 0.05f);
  EXPECT_EQ(b.Dec, Format(RadToDeg(site.MeanDec), "0.00"));
  EXPECT_EQ(b.Inc, Format(RadToDeg(site.MeanInc), "0.00"));
  EXPECT_EQ(b.Alpha95, Format(RadToDeg(site.Alpha95), "0.00"));
  EXPECT_EQ(b.K, Format(site.K, "0.00"));
  // A wider confidence level gives a wider cone.
  EXPECT_GT(std::stod(ToolboxFisher(UnitVectors(dirs), 0.01f).Alpha95), std::stod(b.Alpha95));
}

TEST(ProjFisher, Decisions) {
  struct Case {
    const char* name;
    std::vector<Row> rows;
    FisherBoxes expected;
  };
  const Case cases[] = {
      {"one row: its direction only", {{0, 0, -1}}, {"", "0.00", "-90.00", "", ""}},
      {"identical rows: K unbounded", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}}, {"Infinity", "90.00", "0.00", "0.00", ""}},
      {"longer than unit: K unbounded", {{2, 0, 0}, {2, 0, 0}}, {"Infinity", "0.00", "0.00", "0.00", ""}},
      {"cancelling rows: no mean",
       {{1, 0, 0}, {-1, 0, 0}},
       {"", "", "", "", "Caution: Resultant Length R = 0! Mean Direction Undefined!"}},
      {"scattered beyond the formula: 180", {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0.1f}}, {"1.00", "90.00", "5.71", "180.00", ""}},
  };
  for (const Case& c : cases) {
    const FisherBoxes b = ToolboxFisher(c.rows, 0.05f);
    EXPECT_EQ(b.K, c.expected.K) << c.name;
    EXPECT_EQ(b.Dec, c.expected.Dec) << c.name;
    EXPECT_EQ(b.Inc, c.expected.Inc) << c.name;
    EXPECT_EQ(b.Alpha95, c.expected.Alpha95) << c.name;
    EXPECT_EQ(b.Caution, c.expected.Caution) << c.name;
  }
}

TEST(ProjFisher, SignificanceLevel) {
  for (const char* good : {"0.05", " .01 ", "0.999"}) EXPECT_TRUE(SignificanceLevel(good)) << good;
  for (const char* bad : {"0", "1", "-0.05", "5%", "", "nan"}) EXPECT_FALSE(SignificanceLevel(bad)) << bad;
}

TEST(ProjPoles, VgpAndItsInverseRoundTrip) {
  struct Case {
    float dec, inc, lat, lon;
  };
  const Case cases[] = {{10, 40, 45, 10}, {200, -30, -20, -70}, {350, 60, 70, -150}, {90, 5, 10, 300}};
  for (const Case& c : cases) {
    const VgpOutcome v = CalculateVgp(Format(c.dec, "0.00"), Format(c.inc, "0.00"), "", Format(c.lat, "0.00"),
                                      Format(c.lon, "0.00"));
    ASSERT_FALSE(v.Refused);
    EXPECT_FALSE(v.Boxes.Dp);  // no alpha95: dp and dm stay as they were
    const Direction d =
        ExpectedDirection(std::stof(v.Boxes.PoleLat), std::stof(v.Boxes.PoleLong), c.lat, c.lon);
    EXPECT_NEAR(std::remainder(d.Dec - c.dec, 360.0f), 0, 0.05) << c.dec << " " << c.lat << " " << c.lon;
    EXPECT_NEAR(d.Inc, c.inc, 0.05) << c.dec << " " << c.lat << " " << c.lon;
  }
}

TEST(ProjPoles, Texts) {
  // Negative inclination: pole in the other hemisphere, dp and dm positive.
  const VgpOutcome v = CalculateVgp("180", "-45", "5", "30", "-100");
  ASSERT_FALSE(v.Refused);
  EXPECT_EQ(v.Boxes.PoleLat, "-86.57");
  EXPECT_EQ(v.Boxes.PoleLong, "-100.00");
  EXPECT_EQ(*v.Boxes.Dp, "4.00");
  EXPECT_EQ(*v.Boxes.Dm, "6.32");
  // Pole latitude 90: declination 0 and the dipole inclination whatever the longitude.
  for (const char* lon : {"0", "123.4", "-77"}) {
    const DirectionOutcome d = DirectionFromPole("90", lon, "30", "17");
    EXPECT_EQ(d.Dec, "0.00");
    EXPECT_EQ(d.Inc, Format(RadToDeg(std::atan(2 * std::tan(DegToRad(30.0)))), "0.00"));
  }
  // The site at the pole and at its antipode.
  EXPECT_EQ(DirectionFromPole("40", "20", "40", "20").Inc, "90.00");
  EXPECT_EQ(DirectionFromPole("-40", "200", "40", "20").Inc, "-90.00");
  EXPECT_EQ(DirectionFromPole("-40", "200", "40", "20").Dec, "0.00");

  const Refusal insufficient{"Insufficient Data. Check you input!", "VGP Data Input", "txtLat"};
  const Refusal notNumber{"One or more input is/are not a number(s). Check you input!", "VGP Data Input", "txtLat"};
  EXPECT_EQ(CalculateVgp("10", "", "5", "30", "40").Refused, insufficient);
  EXPECT_EQ(CalculateVgp("10", "20", "5", "3O", "40").Refused, notNumber);
  EXPECT_EQ(DirectionFromPole("80", "10", "", "40").Refused, insufficient);
  EXPECT_EQ(DirectionFromPole("80", "x", "30", "40").Refused, notNumber);
  EXPECT_TRUE(DirectionFromPole("95", "10", "30", "40").Refused);
  EXPECT_TRUE(CalculateVgp("10", "20", "5", "-91", "40").Refused);
}

TEST(ProjStyle, Edges) {
  const ColourTexts blue{"0", "0", "255"};
  struct Case {
    const char* red;
    const char* size;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {"255.4", "4", nullptr},
      {"254.5", "100.4", nullptr},
      {"255.6", "4", "Color values must be in the range 0 to 255"},
      {"-0.6", "4", "Color values must be in the range 0 to 255"},
      {"1e20", "4", "Color values must be in the range 0 to 255"},
      {"red", "4", "Color values must be Integers!"},
      {"", "4", "Color values must be Integers!"},
      {"0", "0.4", "Symbol size must be an integer (1 to 100)"},
      {"0", "100.6", "Symbol size must be an integer (1 to 100)"},
      {"0", "big", "Symbol size is not a number!"},
  };
  for (const Case& c : cases) {
    const StyleOutcome o = CheckStyle({c.red, "0", "0"}, blue, c.size, "Zijderveld Plot Symbol Size", "txtDecSize");
    if (!c.message) {
      ASSERT_FALSE(o.Refused) << c.red << " " << c.size;
      EXPECT_EQ(o.Value.Second, (Rgb{0, 0, 255}));
      continue;
    }
    ASSERT_TRUE(o.Refused) << c.red << " " << c.size;
    EXPECT_EQ(o.Refused->Text, c.message);
    const bool sizeMessage = std::string(c.message).rfind("Symbol", 0) == 0;
    EXPECT_EQ(o.Refused->Title, sizeMessage ? "Zijderveld Plot Symbol Size" : "Color (0 to 255)");
    EXPECT_EQ(o.Refused->Focus, sizeMessage ? "txtDecSize" : "");
  }
  EXPECT_EQ(CheckStyle({"254.5", "0", "0"}, blue, "4", "", "").Value.First.Red, 254);

  for (const char* off : {"NO", "no", "No", " nO "}) EXPECT_FALSE(ConnectPoints(off)) << off;
  for (const char* on : {"Yes", "", "NOT", "N O", "none"}) EXPECT_TRUE(ConnectPoints(on)) << on;
  for (const char* fifteen : {"15", "x", "0", "-3", "100.1", ""}) EXPECT_EQ(PlotCentimetres(fifteen), 15) << fifteen;
  EXPECT_EQ(PlotCentimetres("100"), 100);
  EXPECT_EQ(ProjectionPlane("-10"), -2);
  EXPECT_EQ(ProjectionPlane("abc"), 0);
  EXPECT_EQ(ProjectionPlane("40.5"), 40);
}


TEST(ProjEllipse, InputChecks) {
  struct Case {
    std::string EllipseTexts::*field;
    const char* text;
    const char* focus;  // nullptr: accepted
  };
  const Case cases[] = {
      {&EllipseTexts::Lat, "north", "txtLat"},       {&EllipseTexts::Thickness, "", "txtLat"},
      {&EllipseTexts::Points, "many", "txtNumPoints"}, {&EllipseTexts::Alpha95, "-", "txtFisherDec"},
      {&EllipseTexts::Inc, "91", "txtFisherDec"},     {&EllipseTexts::SymbolSize, "0.4", "txtSymSize"},
      {&EllipseTexts::Diameter, "wide", nullptr},     {&EllipseTexts::Points, "-5", nullptr},
  };
  for (const Case& c : cases) {
    EllipseTexts t = GoodEllipse();
    t.*c.field = c.text;
    const EllipseOutcome o = ReadEllipseInputs(t, "Stereographic Plot Symbol Size");
    if (c.focus) {
      ASSERT_TRUE(o.Refused) << c.text;
      EXPECT_EQ(o.Refused->Focus, c.focus) << c.text;
    } else {
      EXPECT_FALSE(o.Refused) << c.text;
    }
  }
  EllipseTexts t = GoodEllipse();
  t.Thickness = "-2";
  t.Points = "1e9";
  const EllipseInputs in = ReadEllipseInputs(t, "").Value;
  EXPECT_EQ(in.Thickness, 2);
  EXPECT_EQ(in.Points, MaxEllipsePoints);
}

TEST(ProjEllipse, Points) {
  EllipseTexts t = GoodEllipse();
  for (auto [points, count] : {std::pair{"2000", 2001}, {"1", 2}, {"0", 0}, {"-3", 0}}) {
    t.Points = points;
    const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
    EXPECT_EQ(e.Circle.size(), static_cast<size_t>(count)) << points;
    EXPECT_EQ(e.Oval.size(), static_cast<size_t>(count)) << points;
  }
  t.Points = "360";
  const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
  // Every circle point lies alpha95 from the mean direction; first and last alike.
  const double d0 = DegToRad(10.0), i0 = DegToRad(60.0);
  for (const Direction& d : e.Circle) {
    const double di = DegToRad(static_cast<double>(d.Dec)), ii = DegToRad(static_cast<double>(d.Inc));
    const double c = std::cos(i0) * std::cos(ii) * std::cos(di - d0) + std::sin(i0) * std::sin(ii);
    EXPECT_NEAR(RadToDeg(ArcCos(c)), 5, 1e-3);
  }
  EXPECT_NEAR(e.Circle.front().Dec, e.Circle.back().Dec, 1e-3);
  EXPECT_NEAR(e.Oval.front().Lat, e.Oval.back().Lat, 1e-3);
}

}  // namespace
}  // namespace rmx::toolbox
