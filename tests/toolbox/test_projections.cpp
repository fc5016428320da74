// The projections toolbox: typed rows, Fisher mean, poles, style checks, ellipses and drawings.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "plot/points_plot.h"
#include "stats/direction.h"
#include "stats/fisher.h"
#include "store/text.h"
#include "toolbox/drawings.h"
#include "toolbox/projections.h"
#include "toolbox/rows.h"

namespace rmx::toolbox {
namespace {

using plot::Primitive;
using Kind = plot::Primitive::Kind;

// Ellipse boxes that pass every check: mean 10 / 60, alpha95 5, site 45 / -10.
EllipseTexts GoodEllipse() {
  EllipseTexts t;
  t.Symbol = t.Line = {"0", "0", "255"};
  t.SymbolSize = "4", t.Diameter = "15", t.Lat = "45", t.Long = "-10", t.Thickness = "1", t.Points = "2000";
  t.Dec = "10", t.Inc = "60", t.Alpha95 = "5";
  return t;
}

TEST(ProjRows, ParseAndConvert) {
  const struct {
    const char* name;
    std::string text;
    std::vector<Row> rows;
  } cases[] = {
      {"blank separated, CR LF", "10 20 2\r\n30 -40 3\r\n", {{10, 20, 2}, {30, -40, 3}}},
      {"mixed separators", "10, 20,\t2\r\n30 ,, 40  ,3", {{10, 20, 2}, {30, 40, 3}}},
      {"LF line ends", "1 2\n3 4\n", {{1, 2, 1}, {3, 4, 1}}},
      {"CR line ends", "1 2 5\r3 4\r", {{1, 2, 5}, {3, 4, 1}}},
      {"no intensity defaults to one", "12.5 30", {{12.5f, 30, 1}}},
      {"last row without a line end", "1 2 3\r\n4 5 6", {{1, 2, 3}, {4, 5, 6}}},
      {"blank lines and leading blanks", "\r\n\r\n   1 2 3\r\n\r\n  4 5\r\n\r\n", {{1, 2, 3}, {4, 5, 1}}},
      {"trailing blanks before the line end", "1 2 \r\n3 4\t\r\n", {{1, 2, 1}, {3, 4, 1}}},
      {"four values on a line begin a new row", "1 2 3 4 5 6\r\n", {{1, 2, 3}, {4, 5, 6}}},
      {"a header line stops at once", "Dec Inc Int\r\n1 2 3\r\n", {}},
      {"a bad value drops its row and stops", "1 2 3\r\n4 x 6\r\n7 8 9\r\n", {{1, 2, 3}}},
      {"a row cut short is dropped", "1 2 3\r\n4\r\n5 6\r\n", {{1, 2, 3}}},
      {"a value beyond Single range stops", "1 2 3\r\n1e40 2 3\r\n", {{1, 2, 3}}},
      {"comma decimals are not numbers", "1,5 2,5\r\n", {{1, 5, 2}}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRows(c.text), c.rows) << c.name;

  // 12.5 / 30 without intensity: the unit vector; with intensity 2 twice it.
  EXPECT_EQ(SphericalToCartesianText(ParseRows("12.5 30\r\n12.5 30 2\r\n")),
            "        0.845497        0.187442        0.500000\r\n"
            "        1.690994        0.374884        1.000000\r\n");
  EXPECT_EQ(CartesianToSphericalText(ParseRows("0 0 5\r\n0 0 -5\r\n0 -1 0\r\n")),
            "            0.00         90.00        5.000000\r\n"
            "            0.00        -90.00        5.000000\r\n"
            "          270.00          0.00        1.000000\r\n");
  // Both ways round: the direction box's own rows come back.
  const std::string directions = "          123.40        -56.70        2.500000\r\n";
  EXPECT_EQ(CartesianToSphericalText(ParseRows(SphericalToCartesianText(ParseRows(directions)))), directions);
}

TEST(ProjFisher, EqualsTheSiteFisherAtFivePercent) {
  const std::vector<std::pair<float, float>> dirs = {{20.5f, 41.3f}, {19.0f, 35.4f}, {345.0f, 37.0f}, {12.3f, 37.2f},
                                                     {350.7f, 40.4f}, {20.6f, 36.7f}, {9.9f, 41.5f}, {8.2f, 44.4f},
                                                     {21.4f, 34.9f}, {18.4f, 40.7f}};
  std::vector<FisherEntry> entries;
  std::string text;
  for (auto [d, i] : dirs) {
    entries.push_back({d, i, 0});
    text += Format(d, "0.0") + " " + Format(i, "0.0") + "\r\n";
  }
  const std::vector<Row> unit = ParseRows(SphericalToCartesianText(ParseRows(text)));
  const FisherResult site = FisherMean(entries, false);
  const FisherBoxes b = ToolboxFisher(unit, 0.05f);
  EXPECT_EQ(b.Dec, Format(RadToDeg(site.MeanDec), "0.00"));
  EXPECT_EQ(b.Inc, Format(RadToDeg(site.MeanInc), "0.00"));
  EXPECT_EQ(b.Alpha95, Format(RadToDeg(site.Alpha95), "0.00"));
  EXPECT_EQ(b.K, Format(site.K, "0.00"));
  // A wider confidence level gives a wider cone.
  EXPECT_GT(std::stod(ToolboxFisher(unit, 0.01f).Alpha95), std::stod(b.Alpha95));
}

TEST(ProjFisher, DecisionsAndLevels) {
  const auto boxes = [](const FisherBoxes& b) { return std::tuple{b.K, b.Dec, b.Inc, b.Alpha95, b.Caution}; };
  const struct {
    const char* name;
    std::vector<Row> rows;
    FisherBoxes expected;
  } cases[] = {
      {"one row: its direction only", {{0, 0, -1}}, {"", "0.00", "-90.00", "", ""}},
      {"identical rows: K unbounded", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}}, {"Infinity", "90.00", "0.00", "0.00", ""}},
      {"longer than unit: K unbounded", {{2, 0, 0}, {2, 0, 0}}, {"Infinity", "0.00", "0.00", "0.00", ""}},
      {"cancelling rows: no mean", {{1, 0, 0}, {-1, 0, 0}},
       {"", "", "", "", "Caution: Resultant Length R = 0! Mean Direction Undefined!"}},
      {"scattered beyond the formula: 180", {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0.1f}}, {"1.00", "90.00", "5.71", "180.00", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(boxes(ToolboxFisher(c.rows, 0.05f)), boxes(c.expected)) << c.name;
  for (const char* good : {"0.05", " .01 ", "0.999"}) EXPECT_TRUE(SignificanceLevel(good)) << good;
  for (const char* bad : {"0", "1", "-0.05", "5%", "", "nan"}) EXPECT_FALSE(SignificanceLevel(bad)) << bad;
}

TEST(ProjPoles, VgpRoundTripTextsAndRefusals) {
  const struct {
    float dec, inc, lat, lon;
  } trips[] = {{10, 40, 45, 10}, {200, -30, -20, -70}, {350, 60, 70, -150}, {90, 5, 10, 300}};
  for (const auto& c : trips) {
    const VgpOutcome v =
        CalculateVgp(Format(c.dec, "0.00"), Format(c.inc, "0.00"), "", Format(c.lat, "0.00"), Format(c.lon, "0.00"));
    ASSERT_FALSE(v.Refused);
    EXPECT_FALSE(v.Boxes.Dp);  // no alpha95: dp and dm stay as they were
    const Direction d = ExpectedDirection(std::stof(v.Boxes.PoleLat), std::stof(v.Boxes.PoleLong), c.lat, c.lon);
    EXPECT_NEAR(std::remainder(d.Dec - c.dec, 360.0f), 0, 0.05) << c.dec << " " << c.lat << " " << c.lon;
    EXPECT_NEAR(d.Inc, c.inc, 0.05) << c.dec << " " << c.lat << " " << c.lon;
  }
  // Negative inclination: pole in the other hemisphere, dp and dm positive.
  const VgpOutcome v = CalculateVgp("180", "-45", "5", "30", "-100");
  ASSERT_FALSE(v.Refused);
  EXPECT_EQ(std::tuple(v.Boxes.PoleLat, v.Boxes.PoleLong, *v.Boxes.Dp, *v.Boxes.Dm),
            std::tuple("-86.57", "-100.00", "4.00", "6.32"));
  // Pole latitude 90: declination 0 and the dipole inclination whatever the longitude;
  // the site at the pole and at its antipode.
  const std::string dipole30 = Format(RadToDeg(std::atan(2 * std::tan(DegToRad(30.0)))), "0.00");
  const struct {
    const char *plat, *plon, *slat, *slon;
    std::string dec, inc;
  } fromPole[] = {{"90", "0", "30", "17", "0.00", dipole30},     {"90", "123.4", "30", "17", "0.00", dipole30},
                  {"90", "-77", "30", "17", "0.00", dipole30},   {"40", "20", "40", "20", "0.00", "90.00"},
                  {"-40", "200", "40", "20", "0.00", "-90.00"}};
  for (const auto& c : fromPole) {
    const DirectionOutcome d = DirectionFromPole(c.plat, c.plon, c.slat, c.slon);
    EXPECT_EQ(d.Dec + " " + d.Inc, c.dec + " " + c.inc) << c.plat << " " << c.plon;
  }
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
  const char* const range = "Color values must be in the range 0 to 255";
  const char* const integers = "Color values must be Integers!";
  const char* const size = "Symbol size must be an integer (1 to 100)";
  const struct {
    const char* red;
    const char* size;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"255.4", "4", nullptr},   {"254.5", "100.4", nullptr}, {"255.6", "4", range}, {"-0.6", "4", range},
      {"1e20", "4", range},      {"red", "4", integers},      {"", "4", integers},   {"0", "0.4", size},
      {"0", "100.6", size},      {"0", "big", "Symbol size is not a number!"},
  };
  for (const auto& c : cases) {
    const StyleOutcome o = CheckStyle({c.red, "0", "0"}, blue, c.size, "Zijderveld Plot Symbol Size", "txtDecSize");
    ASSERT_EQ(o.Refused.has_value(), c.message != nullptr) << c.red << " " << c.size;
    if (!c.message) {
      EXPECT_EQ(o.Value.Second, (Rgb{0, 0, 255}));
      continue;
    }
    const bool sizeMessage = std::string(c.message).rfind("Symbol", 0) == 0;
    EXPECT_EQ(*o.Refused, (Refusal{c.message, sizeMessage ? "Zijderveld Plot Symbol Size" : "Color (0 to 255)",
                                   sizeMessage ? "txtDecSize" : ""}));
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

TEST(ProjEllipse, InputChecksAndPoints) {
  const struct {
    std::string EllipseTexts::*field;
    const char* text;
    const char* focus;  // nullptr: accepted
  } cases[] = {
      {&EllipseTexts::Lat, "north", "txtLat"},         {&EllipseTexts::Thickness, "", "txtLat"},
      {&EllipseTexts::Points, "many", "txtNumPoints"}, {&EllipseTexts::Alpha95, "-", "txtFisherDec"},
      {&EllipseTexts::Inc, "91", "txtFisherDec"},      {&EllipseTexts::SymbolSize, "0.4", "txtSymSize"},
      {&EllipseTexts::Diameter, "wide", nullptr},      {&EllipseTexts::Points, "-5", nullptr},
  };
  for (const auto& c : cases) {
    EllipseTexts t = GoodEllipse();
    t.*c.field = c.text;
    const EllipseOutcome o = ReadEllipseInputs(t, "Stereographic Plot Symbol Size");
    ASSERT_EQ(o.Refused.has_value(), c.focus != nullptr) << c.text;
    if (c.focus) {
      EXPECT_EQ(o.Refused->Focus, c.focus) << c.text;
    }
  }
  EllipseTexts t = GoodEllipse();
  t.Thickness = "-2";
  t.Points = "1e9";
  EXPECT_EQ(ReadEllipseInputs(t, "").Value.Thickness, 2);
  EXPECT_EQ(ReadEllipseInputs(t, "").Value.Points, MaxEllipsePoints);

  t = GoodEllipse();
  for (auto [points, count] : {std::pair{"2000", 2001u}, {"1", 2u}, {"0", 0u}, {"-3", 0u}}) {
    t.Points = points;
    const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
    EXPECT_EQ(e.Circle.size(), count) << points;
    EXPECT_EQ(e.Oval.size(), count) << points;
  }
  t.Points = "360";
  const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
  // Every circle point lies alpha95 from the mean direction; first and last alike.
  const double d0 = DegToRad(10.0), i0 = DegToRad(60.0);
  for (const Direction& d : e.Circle) {
    const double di = DegToRad(static_cast<double>(d.Dec)), ii = DegToRad(static_cast<double>(d.Inc));
    EXPECT_NEAR(RadToDeg(ArcCos(std::cos(i0) * std::cos(ii) * std::cos(di - d0) + std::sin(i0) * std::sin(ii))), 5,
                1e-3);
  }
  EXPECT_NEAR(e.Circle.front().Dec, e.Circle.back().Dec, 1e-3);
  EXPECT_NEAR(e.Oval.front().Lat, e.Oval.back().Lat, 1e-3);
}

// Through the recording surface: the symbols, chords, notes and ellipse dots each drawing makes.
TEST(ProjDrawings, NetsZijderveldAndEllipses) {
  const auto count = [](const plot::RecordingSurface& s, Kind kind, plot::Colour c, double size = -1, int filled = -1) {
    size_t n = 0;
    for (const Primitive& p : s.Primitives())
      n += p.kind == kind && p.Ink == c && (size < 0 || p.Size == size) && (filled < 0 || p.Filled == bool(filled));
    return n;
  };
  const auto text = [](const plot::RecordingSurface& s, const std::string& t) -> const Primitive* {
    for (const Primitive& p : s.Primitives())
      if (p.kind == Kind::Text && p.Text == t) return &p;
    return nullptr;
  };
  const std::vector<Row> net = ParseRows("10 20\r\n100 -30\r\n200 50\r\n");
  const plot::Colour symbol{10, 20, 30};
  for (auto [connect, squares, circles, chords] : {std::tuple{"Yes", 1u, 2u, 200u}, {"no", 0u, 3u, 0u}}) {
    StyleTexts style;
    style.Connect = connect;
    style.Symbol = {"10", "20", "30"};
    style.Line = {"40", "50", "60"};
    style.SymbolSize = "3";
    plot::RecordingSurface s(9000, 9000);
    plot::PlotState state;
    ASSERT_FALSE(DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::EqualArea, net, style));
    EXPECT_EQ(state.NetRadius, static_cast<float>(CentimetresToTwips(15) / 2));
    EXPECT_EQ(count(s, Kind::Box, symbol, 60), squares) << connect;
    EXPECT_EQ(count(s, Kind::Circle, symbol, 30), circles) << connect;
    EXPECT_EQ(count(s, Kind::Circle, symbol, -1, 0), 1u) << connect;  // the upward row
    EXPECT_EQ(count(s, Kind::Line, plot::Colour{40, 50, 60}), chords) << connect;
    EXPECT_TRUE(text(s, "N")) << "the net is drawn";
  }
  // A refused style leaves the net and draws no symbol.
  StyleTexts bad;
  bad.SymbolSize = "0";
  plot::RecordingSurface s(9000, 9000);
  plot::PlotState state;
  const auto refused = DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::Stereographic, net, bad);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Title, "Stereographic Plot Symbol Size");
  EXPECT_EQ(count(s, Kind::Circle, plot::Blue), 0u);
  EXPECT_EQ(count(s, Kind::Circle, plot::Black), 9u);

  StyleTexts style;
  style.Plane = "-10";
  style.DecSize = "2";
  for (bool paper : {false, true}) {
    plot::RecordingSurface z(paper ? plot::A4Width : 9000, paper ? plot::A4Height : 9000);
    plot::PlotState fresh;
    ASSERT_FALSE(DrawProjection(z, paper ? plot::PaperLayout() : plot::ScreenLayout(), fresh,
                                ToolboxPlot::ModifiedZijderveld, ParseRows("0 0 2\r\n90 30 1\r\n180 -10 1\r\n"), style));
    EXPECT_EQ(count(z, Kind::Box, plot::Red, 40), 1u) << paper;
    EXPECT_EQ(count(z, Kind::Box, plot::Blue, 40), 1u) << paper;
    EXPECT_EQ(count(z, Kind::Circle, plot::Red, 20), 2u) << paper;
    const Primitive* note = text(z, "Horizontal; No Projection");
    ASSERT_TRUE(note) << paper;
    EXPECT_EQ(note->Ink, plot::Blue);
    for (const Primitive& p : z.Primitives()) {  // everything stays inside the surface
      if (p.kind == Kind::Clear || p.kind == Kind::Text) continue;
      const bool line = p.kind == Kind::Line;
      EXPECT_GE(line ? std::min(p.X1, p.X2) : p.X1 - p.Size, 0) << Describe(p);
      EXPECT_LE(line ? std::max(p.X1, p.X2) : p.X1 + p.Size, z.Width()) << Describe(p);
    }
  }

  EllipseTexts t = GoodEllipse();
  t.Line = {"0", "128", "0"};
  t.Thickness = "1.5";
  for (auto [points, circle, site, dots, squares] :
       {std::tuple{"100", true, true, 202u, 1u}, {"100", false, false, 101u, 0u}, {"0", true, true, 0u, 1u}}) {
    t.Points = points;
    const EllipseOutcome in = ReadEllipseInputs(t, "");
    ASSERT_FALSE(in.Refused);
    plot::RecordingSurface e(9000, 9000);
    plot::PlotState fresh;
    DrawEllipse(e, plot::ScreenLayout(), fresh, plot::NetKind::Stereographic, in.Value, circle, site);
    EXPECT_EQ(count(e, Kind::Circle, plot::Blue, 40), 1u) << "the pole";
    EXPECT_EQ(count(e, Kind::Circle, plot::Colour{0, 128, 0}, 6), dots) << points;
    EXPECT_EQ(count(e, Kind::Box, plot::Red, 60), squares) << points;
  }
}

}  // namespace
}  // namespace rmx::toolbox
