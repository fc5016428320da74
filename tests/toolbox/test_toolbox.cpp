// The toolboxes beyond the typed tables of the golden-output test: rows that stop the
// reading, refusals, Fisher means without a cone, poles, style limits, ellipses and
// drawings; and remanex-cli kono, coords and toolbox, each once against the core.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "plot/layout.h"
#include "plot/points_plot.h"
#include "stats/direction.h"
#include "store/text.h"
#include "support/cli_run.h"
#include "support/magbuilder.h"
#include "toolbox/coord_conversion.h"
#include "toolbox/drawings.h"
#include "toolbox/kono.h"
#include "toolbox/projections.h"
#include "toolbox/rows.h"

namespace rmx::toolbox {
namespace {

using plot::Primitive;
using Kind = plot::Primitive::Kind;
using test::RunCli;

// Ellipse boxes that pass every check: mean 10 / 60, alpha95 5, site 45 / -10.
EllipseTexts GoodEllipse() {
  EllipseTexts t;
  t.Symbol = t.Line = {"0", "0", "255"};
  t.SymbolSize = "4", t.Diameter = "15", t.Lat = "45", t.Long = "-10", t.Thickness = "1", t.Points = "2000";
  t.Dec = "10", t.Inc = "60", t.Alpha95 = "5";
  return t;
}

TEST(Kono, ReadingRowsResultsAndRefusals) {
  const struct { const char* text; bool weighted; int rows, effective; std::vector<double> entries; bool stopped; }
      cases[] = {
      {"N 45\nR -45\nNP 44.5", true, 3, 3, {45, 45, 45, 45, 44.5}, false},  // N and R count twice when weighted
      // Blanks, tabs and commas in any mix, blank lines, intensities or none.
      {"\n\n N,\t45, 2.5\n\n\nR\t,-30\nRP  20 ,\n\n", false, 3, 3, {45, 30, -20}, false},
      // Other labels count as rows only, whatever follows them.
      {"Polarity Inclination Intensity\nn 45\nNPP 40\nN? 41\nINT x\nN 43", false, 6, 1, {43}, false},
      // A usable row whose number does not read ends the reading and is not used.
      {"N 45\nN 4x5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 90.5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 40 one\nN 40", false, 1, 1, {45}, true},
      {"N", false, 0, 0, {}, false},
  };
  for (const auto& c : cases) {
    const KonoData d = ReadKonoData(c.text, c.weighted);
    std::vector<double> entries;
    for (const KonoEntry& e : d.entries) entries.push_back(e.inclination);
    EXPECT_TRUE(d.rows == c.rows && d.effective == c.effective && !d.stopped.empty() == c.stopped) << c.text;
    EXPECT_EQ(entries, c.entries) << c.text;
  }
  // Ne of the confidence limits: weighted, 5 entries / 2 rounds half to even; else the effective rows.
  EXPECT_EQ(ComputeKono("N 45\nR -45\nNP 44.5\n", true).effectiveCount, 2);
  EXPECT_EQ(ComputeKono("N 45\nR -45\nNP 44.5\n", false).effectiveCount, 3);
  const char* const few = "Too few effective samples!";
  // The refusal's title and first line, and per box: 1 filled, 0 empty.
  const struct { const char *text; bool weighted; const char *title, *first, *filled; } results[] = {
      {"INT 40\nNPP 30", false, "No Data", "No effective data available!", "1110000000000"},
      {"N 45", true, "No Data", few, "1110000000000"},
      // Two effective rows, but 2 / 2 = 1 independent sample in weighted mode.
      {"NP 40\nRP -50", true, "No Data", few, "1110000000000"},
      {"N 45\nR -45\nN? 30", false, "No Data", "All effective inclinations are equal!", "1110000000000"},
      // The six steps run off to an inclination of 1624 degrees: no estimate.
      {"N 80\nN -70\nN 10\nN -20\nN 60", false, "No Result",
       "The iteration did not give an inclination within -90 to 90 degrees and a finite K.", "1111110000000"},
      // Random directions: K = 0.442 makes (K - 1) Ne + 1 negative: no cone, no limits.
      {"N 14.5\nN 26.8\nN 55.7\nN -22.6\nN -5.8\nN 40.8\nN -33.5\nN -50.2\nN -22.1\nN -55.6\nN 33\nN 39.7", false,
       "", "", "1111111100100"},
  };
  for (const auto& c : results) {
    const KonoResult k = ComputeKono(c.text, c.weighted);
    ASSERT_EQ(k.refusal.has_value(), *c.title != 0) << c.text;
    if (k.refusal) {
      EXPECT_EQ(k.refusal->title, c.title);
      EXPECT_EQ(k.refusal->text.substr(0, k.refusal->text.find('\r')), c.first);
    }
    for (int b = 0; b < KonoBoxCount; ++b) EXPECT_EQ(k.boxes[b].empty(), c.filled[b] == '0') << c.text << b;
  }
  EXPECT_NE(ComputeKono(results[4].text, false).intermediate.find("\r\n6. Incl = 1624.148, K = -2208.24517954"),
            std::string::npos);
}

// Inputs in box order (digits and three values, or one); the result texts or the refusal.
TEST(CoordConversion, ResultsAndRefusals) {
  enum Conv { S2C, C2S, I2L, L2I };
  const auto convert = [](Conv c, const std::vector<std::string>& in) {
    switch (c) {
      case S2C: return SphericalToCartesian(in[0], in[1], in[2], in[3]);
      case C2S: return CartesianToSpherical(in[0], in[1], in[2], in[3]);
      case I2L: return InclinationToLatitude(in[0]);
      case L2I: return LatitudeToInclination(in[0]);
    }
    return CoordOutcome{};
  };
  const std::string z30(30, '0');
  const char* digits = "Please input an integer for digits";
  const char* incRange = "Please input a valid Inclination: -90 to 90 degree";
  const struct {  // title nullptr: converted
    Conv c;
    std::vector<std::string> in, out;
    CoordBox box = CoordBox::Digits;
    const char *title = nullptr, *prompt = nullptr;
  } cases[] = {
      // The zero vector has no horizontal length: it points down.
      {C2S, {"2", "0", "0", "0"}, {"0.00", "90.00", "0.00"}},
      {C2S, {"3", "1e150", "0", "0"}, {"0.000", "0.000", "1" + std::string(150, '0') + ".000"}},
      // cos(90 degrees) is a rounding remainder below zero: never "-0.00000".
      {S2C, {"5", "90", "0", "2"}, {"0.00000", "2.00000", "0.00000"}},
      // Digits: 0 or less keeps the period; a fraction rounds half to even.
      {S2C, {"-3", "0", "0", "12"}, {"12.", "0.", "0."}},
      {S2C, {" 2.5 ", "0", "0", "12"}, {"12.00", "0.00", "0.00"}},
      {S2C, {"30", "0", "0", "1"}, {"1." + z30, "0." + z30, "0." + z30}},
      {I2L, {"90"}, {"90.00"}},
      {S2C, {"31", "0", "0", "1"}, {}, CoordBox::Digits, "Digits for display", digits},
      {S2C, {"5", "", "91", "x"}, {}, CoordBox::Declination, "Input Declination",
       "Please input a valid number for Declination"},
      {S2C, {"5", "0", "-90", "12,5"}, {}, CoordBox::Intensity, "Input Intensity",
       "Please input a valid number for Intensity"},
      {C2S, {"5", "1", "1", "-inf"}, {}, CoordBox::Down, "Input Down (x3) Component",
       "Please input a valid number for the Down (x3) component"},
      {C2S, {"5", "1e200", "1e200", "1e300"}, {}, CoordBox::North, "Input North (x1) Component",
       "The components are too large: the intensity of the vector cannot be computed"},
      {I2L, {"abc"}, {}, CoordBox::Inclination2, "Input inclination", "Please input an valid inclination"},
      {I2L, {"90.5"}, {}, CoordBox::Inclination2, "Input Inclination", incRange},
      {L2I, {""}, {}, CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude"},
      {L2I, {"-90.01"}, {}, CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude: -90 to 90 degree"},
  };
  for (const auto& c : cases) {
    const CoordOutcome o = convert(c.c, c.in);
    const std::string what = c.in[0] + "," + c.in[1 % c.in.size()];
    EXPECT_EQ(o.texts, c.out) << what;
    ASSERT_EQ(o.refusal.has_value(), c.title != nullptr) << what;
    EXPECT_TRUE(!o.refusal || (o.refusal->box == c.box && o.refusal->title == c.title && o.refusal->prompt == c.prompt))
        << what;
  }
}

TEST(ProjRows, ParseAndConvert) {
  const struct { const char* name; std::string text; std::vector<Row> rows; } cases[] = {
      {"mixed separators", "10, 20,\t2\r\n30 ,, 40  ,3", {{10, 20, 2}, {30, 40, 3}}},
      {"CR line ends", "1 2 5\r3 4\r", {{1, 2, 5}, {3, 4, 1}}},
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
  // Straight down, up and west; both ways round the direction box's own rows come back.
  EXPECT_EQ(CartesianToSphericalText(ParseRows("0 0 5\r\n0 0 -5\r\n0 -1 0\r\n")),
            "            0.00         90.00        5.000000\r\n"
            "            0.00        -90.00        5.000000\r\n"
            "          270.00          0.00        1.000000\r\n");
  const std::string directions = "          123.40        -56.70        2.500000\r\n";
  EXPECT_EQ(CartesianToSphericalText(ParseRows(SphericalToCartesianText(ParseRows(directions)))), directions);
}

TEST(ProjFisherAndPoles, DecisionsLevelsAndRefusals) {
  const auto boxes = [](const FisherBoxes& b) { return std::tuple{b.K, b.Dec, b.Inc, b.Alpha95, b.Caution}; };
  const struct { const char* name; std::vector<Row> rows; FisherBoxes expected; } cases[] = {
      {"one row: its direction only", {{0, 0, -1}}, {"", "0.00", "-90.00", "", ""}},
      {"longer than unit: K unbounded", {{2, 0, 0}, {2, 0, 0}}, {"Infinity", "0.00", "0.00", "0.00", ""}},
      {"cancelling rows: no mean", {{1, 0, 0}, {-1, 0, 0}},
       {"", "", "", "", "Caution: Resultant Length R = 0! Mean Direction Undefined!"}},
      {"beyond the formula: 180", {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0.1f}}, {"1.00", "90.00", "5.71", "180.00", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(boxes(ToolboxFisher(c.rows, 0.05f)), boxes(c.expected)) << c.name;
  for (const char* good : {"0.05", " .01 ", "0.999"}) EXPECT_TRUE(SignificanceLevel(good)) << good;
  for (const char* bad : {"0", "1", "-0.05", "5%", "", "nan"}) EXPECT_FALSE(SignificanceLevel(bad)) << bad;
  // The pole of a negative inclination: in the other hemisphere, dp and dm positive.
  const VgpOutcome v = CalculateVgp("180", "-45", "5", "30", "-100");
  EXPECT_EQ(std::tuple(v.Boxes.PoleLat, v.Boxes.PoleLong, *v.Boxes.Dp, *v.Boxes.Dm),
            std::tuple("-86.57", "-100.00", "4.00", "6.32"));
  // Pole latitude 90: north and the dipole inclination at any longitude; the site at the pole, its antipode.
  const std::string dipole30 = "0.00 " + Format(RadToDeg(std::atan(2 * std::tan(DegToRad(30.0)))), "0.00");
  const struct { const char *plat, *plon, *slat, *slon; std::string dir; } fromPole[] = {
      {"90", "0", "30", "17", dipole30}, {"90", "-77", "30", "17", dipole30}, {"40", "20", "40", "20", "0.00 90.00"},
      {"-40", "200", "40", "20", "0.00 -90.00"}};
  for (const auto& c : fromPole) {
    const DirectionOutcome d = DirectionFromPole(c.plat, c.plon, c.slat, c.slon);
    EXPECT_EQ(d.Dec + " " + d.Inc, c.dir) << c.plat << " " << c.plon;
  }
  const Refusal insufficient{"Insufficient Data. Check you input!", "VGP Data Input", "txtLat"};
  const Refusal notNumber{"One or more input is/are not a number(s). Check you input!", "VGP Data Input", "txtLat"};
  EXPECT_EQ(CalculateVgp("10", "", "5", "30", "40").Refused, insufficient);
  EXPECT_EQ(CalculateVgp("10", "20", "5", "3O", "40").Refused, notNumber);
  EXPECT_EQ(DirectionFromPole("80", "10", "", "40").Refused, insufficient);
  EXPECT_EQ(DirectionFromPole("80", "x", "30", "40").Refused, notNumber);
  EXPECT_TRUE(DirectionFromPole("95", "10", "30", "40").Refused && CalculateVgp("10", "20", "5", "-91", "40").Refused);
}

TEST(ProjStyleAndEllipse, EdgesInputChecksAndPoints) {
  const char* const range = "Color values must be in the range 0 to 255";
  const char* const integers = "Color values must be Integers!";
  const char* const size = "Symbol size must be an integer (1 to 100)";
  const struct { const char *red, *size, *message; } cases[] = {  // message nullptr: accepted
      {"255.4", "4", nullptr}, {"254.5", "100.4", nullptr}, {"255.6", "4", range}, {"-0.6", "4", range},
      {"1e20", "4", range},    {"red", "4", integers},      {"", "4", integers},   {"0", "0.4", size},
      {"0", "100.6", size},    {"0", "big", "Symbol size is not a number!"}};
  for (const auto& c : cases) {
    const StyleOutcome o = CheckStyle({c.red, "0", "0"}, {"0", "0", "255"}, c.size, "Zijderveld Plot Symbol Size",
                                      "txtDecSize");
    ASSERT_EQ(o.Refused.has_value(), c.message != nullptr) << c.red << " " << c.size;
    const bool sizeMessage = c.message && std::string(c.message).rfind("Symbol", 0) == 0;
    const Refusal want{c.message ? c.message : "", sizeMessage ? "Zijderveld Plot Symbol Size" : "Color (0 to 255)",
                       sizeMessage ? "txtDecSize" : ""};
    EXPECT_TRUE(c.message ? *o.Refused == want
                          : o.Value.First.Red == (c.red[2] == '4' ? 254 : 255) && o.Value.Second == (Rgb{0, 0, 255}))
        << c.red << " " << c.size;
  }
  for (const char* off : {"NO", "no", "No", " nO "}) EXPECT_FALSE(ConnectPoints(off)) << off;
  for (const char* on : {"Yes", "", "NOT", "N O", "none"}) EXPECT_TRUE(ConnectPoints(on)) << on;
  for (const char* fifteen : {"15", "x", "0", "-3", "100.1", ""}) EXPECT_EQ(PlotCentimetres(fifteen), 15) << fifteen;
  EXPECT_EQ(PlotCentimetres("100"), 100);
  EXPECT_TRUE(ProjectionPlane("-10") == -2 && ProjectionPlane("abc") == 0 && ProjectionPlane("40.5") == 40);
  const struct { std::string EllipseTexts::*field; const char *text, *focus; } inputs[] = {  // focus nullptr: accepted
      {&EllipseTexts::Lat, "north", "txtLat"},         {&EllipseTexts::Thickness, "", "txtLat"},
      {&EllipseTexts::Points, "many", "txtNumPoints"}, {&EllipseTexts::Alpha95, "-", "txtFisherDec"},
      {&EllipseTexts::Inc, "91", "txtFisherDec"},      {&EllipseTexts::SymbolSize, "0.4", "txtSymSize"},
      {&EllipseTexts::Diameter, "wide", nullptr},      {&EllipseTexts::Points, "-5", nullptr}};
  for (const auto& c : inputs) {
    EllipseTexts t = GoodEllipse();
    t.*c.field = c.text;
    const EllipseOutcome o = ReadEllipseInputs(t, "Stereographic Plot Symbol Size");
    ASSERT_EQ(o.Refused.has_value(), c.focus != nullptr) << c.text;
    EXPECT_TRUE(!c.focus || o.Refused->Focus == c.focus) << c.text;
  }
  EllipseTexts t = GoodEllipse();
  t.Thickness = "-2";
  t.Points = "1e9";
  const EllipseInputs clamped = ReadEllipseInputs(t, "").Value;  // the thickness's size; as many points as drawn
  EXPECT_TRUE(clamped.Thickness == 2 && clamped.Points == MaxEllipsePoints);
  for (auto [points, count] : {std::pair{"2000", 2001u}, {"1", 2u}, {"0", 0u}, {"-3", 0u}}) {
    t.Points = points;
    const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
    EXPECT_TRUE(e.Circle.size() == count && e.Oval.size() == count) << points;
  }
  // Every circle point lies alpha95 from the mean direction; first and last alike.
  t.Points = "360";
  const PoleEllipse e = ComputePoleEllipse(ReadEllipseInputs(t, "").Value);
  const double d0 = DegToRad(10.0), i0 = DegToRad(60.0);
  for (const Direction& d : e.Circle) {
    const double di = DegToRad(static_cast<double>(d.Dec)), ii = DegToRad(static_cast<double>(d.Inc));
    EXPECT_NEAR(RadToDeg(ArcCos(std::cos(i0) * std::cos(ii) * std::cos(di - d0) + std::sin(i0) * std::sin(ii))), 5,
                1e-3);
  }
  EXPECT_NEAR(e.Circle.front().Dec, e.Circle.back().Dec, 1e-3);
  EXPECT_NEAR(e.Oval.front().Lat, e.Oval.back().Lat, 1e-3);
}

// The toolbox plots beyond the golden outputs: unconnected points, a refused style, the page, bare ellipses.
TEST(ProjDrawings, NetsZijderveldAndEllipses) {
  const auto count = [](const plot::RecordingSurface& s, Kind kind, plot::Colour c, double size = -1) {
    size_t n = 0;
    for (const Primitive& p : s.Primitives()) n += p.kind == kind && p.Ink == c && (size < 0 || p.Size == size);
    return n;
  };
  const std::vector<Row> net = ParseRows("10 20\r\n100 -30\r\n200 50\r\n");
  StyleTexts style;
  style.Symbol = {"10", "20", "30"};
  style.SymbolSize = "3";
  for (auto [connect, squares, circles, chords] : {std::tuple{"Yes", 1u, 2u, 200u}, {"no", 0u, 3u, 0u}}) {
    style.Connect = connect;
    plot::RecordingSurface s(9000, 9000);
    plot::PlotState state;
    ASSERT_FALSE(DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::EqualArea, net, style));
    EXPECT_EQ(count(s, Kind::Box, {10, 20, 30}, 60), squares) << connect;
    EXPECT_EQ(count(s, Kind::Circle, {10, 20, 30}, 30), circles) << connect;
    EXPECT_EQ(count(s, Kind::Line, plot::Blue), chords) << connect;
  }
  // A refused style leaves the net and draws no symbol.
  style.SymbolSize = "0";
  plot::RecordingSurface s(9000, 9000);
  plot::PlotState state;
  const auto refused = DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::Stereographic, net, style);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Title, "Stereographic Plot Symbol Size");
  EXPECT_TRUE(count(s, Kind::Circle, {10, 20, 30}) == 0 && count(s, Kind::Circle, plot::Black) == 9);
  // The modified diagram with no projection, on the panel and on the page: inside the surface.
  style.Plane = "-10";
  for (bool paper : {false, true}) {
    plot::RecordingSurface z(paper ? plot::A4Width : 9000, paper ? plot::A4Height : 9000);
    ASSERT_FALSE(DrawProjection(z, paper ? plot::PaperLayout() : plot::ScreenLayout(), state,
                                ToolboxPlot::ModifiedZijderveld, ParseRows("0 0 2\n90 30 1\n180 -10 1\n"), style));
    EXPECT_EQ(count(z, Kind::Circle, plot::Red, 40), 2u) << paper;
    size_t notes = 0;
    for (const Primitive& p : z.Primitives()) {
      notes += p.kind == Kind::Text && p.Text == "Horizontal; No Projection" && p.Ink == plot::Blue;
      if (p.kind == Kind::Text) continue;
      const bool line = p.kind == Kind::Line;
      EXPECT_GE(line ? std::min(p.X1, p.X2) : p.X1 - p.Size, 0) << Describe(p);
      EXPECT_LE(line ? std::max(p.X1, p.X2) : p.X1 + p.Size, z.Width()) << Describe(p);
    }
    EXPECT_EQ(notes, 1u) << paper;
  }
  EllipseTexts t = GoodEllipse();
  t.Line = {"0", "128", "0"};
  t.Thickness = "1.5";
  for (auto [points, circle, site, dots, squares] :
       {std::tuple{"100", true, true, 202u, 1u}, {"100", false, false, 101u, 0u}, {"0", true, true, 0u, 1u}}) {
    t.Points = points;
    plot::RecordingSurface e(9000, 9000);
    DrawEllipse(e, plot::ScreenLayout(), state, plot::NetKind::Stereographic, ReadEllipseInputs(t, "").Value, circle,
                site);
    EXPECT_EQ(count(e, Kind::Circle, plot::Blue, 40), 1u) << "the pole";
    EXPECT_EQ(count(e, Kind::Circle, {0, 128, 0}, 6), dots) << points;
    EXPECT_EQ(count(e, Kind::Box, plot::Red, 60), squares) << points;
  }
}

TEST(ToolboxCli, CommandsEqualTheCoreAndRefuse) {
  test::TempDir dir;
  const std::string incl = dir.File("incl.txt"), dirs = dir.File("dirs.txt"), z = dir.File("z.txt");
  const std::string table = "N 45\r\nR -45 2\r\nNP 44.5\r\nINT 3\r\nN 47\r\nN 4x\r\nN 50\r\n";
  const std::string directions = "20.5 41.3\r\n19.0 35.4\r\n345.0 37.0\n12.3 37.2\r\n350.7 -40.4";
  test::WriteBytes(incl, table);
  test::WriteBytes(dirs, directions);
  test::WriteBytes(dir.File("one.txt"), "N 45\n");
  test::WriteBytes(dir.File("header.txt"), "North East Down\r\n1 0 0\r\n");
  // kono: "label text" per box (an empty box: its label), the iteration; the notice on stderr.
  const KonoResult k = ComputeKono(table, true);
  std::string want;
  for (int b = 0; b < KonoBoxCount; ++b)
    want += KonoBoxes[b].label + (k.boxes[b].empty() ? "" : " " + k.boxes[b]) + "\n";
  want += "\n" + k.intermediate + "\n";
  std::erase(want, '\r');
  test::CliResult r = RunCli({"kono", incl, "--weighted"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, want);
  EXPECT_EQ(r.err, "Data Not Read: Row 6 was not read: its inclination \"4x\" is not a number.\n"
                   "Reading stopped there: the 5 rows before it are used.\n");
  // coords: one box a line.
  const CoordOutcome c = SphericalToCartesian("8", "12.5", "-33", "4e-3");
  EXPECT_EQ(RunCli({"coords", "sph2cart", "12.5", "-33", "4e-3", "--digits", "8"}).out,
            c.texts[0] + "\n" + c.texts[1] + "\n" + c.texts[2] + "\n");
  // toolbox plot, styled.
  StyleTexts style;
  style.Length = "10";
  style.DecColour = {"0", "128", "0"};
  r = RunCli({"toolbox", "plot", dirs, "--kind", "modified-zijderveld", "--length", "10", "--dec-colour", "0,128,0",
              "--out", z});
  ASSERT_EQ(r.status, 0) << r.err;
  const double panel = PanelFor(CentimetresToTwips(10));
  plot::RecordingSurface expected(panel, panel);
  plot::PlotState state;
  DrawProjection(expected, plot::ScreenLayout(), state, ToolboxPlot::ModifiedZijderveld, ParseRows(directions), style);
  EXPECT_EQ(test::ReadBytes(z), expected.Dump());
  // Refusals: the status, the message on stderr (all of it, or the part given) and no drawing written.
  const std::string out = dir.File("refused.svg"), none = dir.File("none.txt");
  const struct { std::string args; int status; std::string err; bool whole; } cases[] = {
      {"kono " + dir.File("one.txt"), 1,
       "No Data: Too few effective samples!\nAt least two effective samples with different inclinations are needed.\n",
       true},
      {"kono " + none, 1, "remanex-cli: " + none + ": cannot be read: No such file or directory\n", true},
      {"coords cart2sph 1 x 3", 1, "Please input a valid number for the East (x2) component\n", true},
      {"toolbox fisher " + dir.File("header.txt"), 1, "No North(x1), East(x2), and Down(x3) data available!", false},
      {"stereographic --symbol-size 0.4", 1, "Symbol size must be an integer (1 to 100)", false},
      {"ellipse-equal-area", 2, "the ellipse plots need --site", false},
      {"cylinder", 2, "--kind must be", false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args;
    if (!c.args.starts_with("kono") && !c.args.starts_with("coords") && !c.args.starts_with("toolbox"))
      args = {"toolbox", "plot", dirs, "--out", out, "--kind"};
    std::istringstream words(c.args);
    for (std::string word; words >> word;) args.push_back(word);
    const test::CliResult got = RunCli(args);
    EXPECT_EQ(got.status, c.status) << c.args;
    EXPECT_TRUE(c.whole ? got.err == c.err : got.err.find(c.err) != std::string::npos) << c.args << ": " << got.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
  }
}

}  // namespace
}  // namespace rmx::toolbox
