// The nets: radii, the drawn net, the steps' symbols and great-circle paths, the
// sample plot's title, the plot window's layout rule and the recording surface.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/plot_helpers.h"
#include "plot/sample_plot.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

// W > H: R = (4000 - 720) / 2 = 1640, centre (3000, 2000).
const double W = 6000, H = 4000, R = 1640, CX = 3000, CY = 2000, Rad = 0.0174532925199433;

RecordingSurface DrawSteps(NetKind kind, const std::vector<StepRecord>& steps,
                           Coordinates coords = Coordinates::Geographic, const PlotLayout& layout = ScreenLayout(),
                           double w = W, double h = H) {
  RecordingSurface s(w, h);
  PlotState state;
  DrawNet(s, layout, state, kind);
  DrawNetSteps(s, layout, state, kind, coords, steps);
  return s;
}

// The net's own circles are black; symbols are the boxes and the coloured circles.
std::vector<Primitive> Symbols(const RecordingSurface& s) {
  return Select(s, [](const Primitive& p) {
    return p.kind == Kind::Box || (p.kind == Kind::Circle && (p.Size == 35 || p.Size == 50) && p.Ink != Black);
  });
}

}  // namespace

TEST(Net, RadiiCirclesDiametersAndLetters) {
  for (double r : {1.0, 1640.0}) {
    EXPECT_NEAR(StereoRadius(r, 0), r, 1e-9 * r);
    EXPECT_NEAR(EqualAreaRadius(r, 0), r, 1e-9 * r);
    EXPECT_NEAR(StereoRadius(r, 90), 0, 1e-9);
    EXPECT_NEAR(EqualAreaRadius(r, -90), 0, 1e-6);
  }
  for (int a = 5; a < 90; a += 5) EXPECT_GT(EqualAreaRadius(R, a), StereoRadius(R, a)) << a;
  EXPECT_NEAR(EqualAreaRadius(R, -30), R * std::sqrt(2.0) * std::sin(30 * Rad), 1e-9);

  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    RecordingSurface s(W, H);
    PlotState state;
    DrawNet(s, ScreenLayout(), state, kind);
    EXPECT_TRUE(state.NetRadius == R && state.NetCentreX == CX && state.NetCentreY == CY);
    const auto circles = OfKind(s, Kind::Circle), lines = OfKind(s, Kind::Line);
    ASSERT_EQ(circles.size(), 9u);  // the rim and 10 .. 80 degrees
    EXPECT_EQ(circles[0].Size, R);
    EXPECT_NEAR(circles[1].Size, NetDistance(kind, R, 10), 1e-9);
    EXPECT_NEAR(circles[8].Size, NetDistance(kind, R, 80), 1e-9);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(Describe(lines[0]), "line 4640.000 2000.000 1360.000 2000.000 0,0,0");
    EXPECT_NEAR(lines[9].X1, CX, 1e-9);  // 90 degrees: the north-south diameter
    const struct { const char* letter; double x, y; } letters[] = {
        {"N", CX - 100, CY - R - 280}, {"W", CX - R - 260, NAN}, {"E", CX + R + 40, NAN}, {"S", NAN, CY + R + 30}};
    for (const auto& l : letters) {
      const Primitive* p = FindText(s, l.letter);
      ASSERT_TRUE(p) << l.letter;
      EXPECT_TRUE(std::isnan(l.x) || p->X1 == l.x) << l.letter;
      EXPECT_TRUE(std::isnan(l.y) || p->Y1 == l.y) << l.letter;
    }
  }
  RecordingSurface square(5000, 5000), paper(11906, 16838, 50), narrow(700, 4000);
  PlotState sq, pa, na;
  DrawNet(square, ScreenLayout(), sq, NetKind::Stereographic);
  EXPECT_EQ(sq.NetRadius, (5000 - 720) / 2);
  DrawNet(paper, PaperLayout(), pa, NetKind::EqualArea);  // the zoom, and the centre half an inch low
  EXPECT_FLOAT_EQ(pa.NetRadius, (11906.0f - 2880) / 2 * 50 / 100);
  EXPECT_TRUE(pa.NetCentreX == 11906 / 2 && pa.NetCentreY == 16838 / 2 + 720);
  EXPECT_EQ(FindText(paper, "N")->TextFont, (Font{"Courier", 12}));
  // No radius: no net and no points.
  DrawNet(narrow, ScreenLayout(), na, NetKind::Stereographic);
  DrawNetSteps(narrow, ScreenLayout(), na, NetKind::Stereographic, Coordinates::Geographic,
               WithOrigin({Dir(10, 10), Dir(20, 20)}));
  DrawNetPoints(narrow, ScreenLayout(), na, NetKind::Stereographic, {10}, {10});
  EXPECT_LE(na.NetRadius, 0);
  EXPECT_TRUE(narrow.Primitives().empty());
  // Radius and centre are single precision, and the net is drawn with the values the
  // points are placed by: a step at I = 90 sits exactly on the centre of the rim.
  const RecordingSurface odd = DrawSteps(NetKind::EqualArea, WithOrigin({Dir(0, 20), Dir(10, 90)}),
                                         Coordinates::Geographic, ScreenLayout(), 7575.3, 6405.7);
  const Primitive rim = OfKind(odd, Kind::Circle).front();
  EXPECT_TRUE(rim.X1 == static_cast<float>(7575.3 / 2) && rim.Y1 == static_cast<float>(6405.7 / 2));
  EXPECT_EQ(rim.Size, static_cast<float>((6405.7 - 720) / 2));
  EXPECT_TRUE(Symbols(odd).back().X1 == rim.X1 && Symbols(odd).back().Y1 == rim.Y1);
}

TEST(NetSteps, PositionsFillingColoursAndPaths) {
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    // The step-1 square at I = 90 on the centre; I = 0 east on the rim; I = -90 the
    // centre again; I = -30 and 30 at 200 degrees on one point.
    const auto sym = Symbols(DrawSteps(kind, WithOrigin({Dir(123, 90), Dir(90, 0), Dir(45, -90), Dir(200, -30),
                                                          Dir(200, 30)})));
    ASSERT_EQ(sym.size(), 5u);
    const double r = NetDistance(kind, R, 30), x = CX + r * std::sin(200 * Rad), y = CY - r * std::cos(200 * Rad);
    const struct { Kind kind; double x, y; bool filled; Colour ink; double size; } want[] = {
        {Kind::Box, CX - 35, CY - 35, true, Black, 70}, {Kind::Circle, CX + R, CY, true, Red, 35},
        {Kind::Circle, CX, CY, false, Red, 35},         {Kind::Circle, x, y, false, Red, 35},
        {Kind::Circle, x, y, true, Red, 35}};
    for (size_t k = 0; k < 5; ++k) {
      EXPECT_EQ(sym[k].kind, want[k].kind) << k;
      EXPECT_NEAR(sym[k].X1, want[k].x, 1e-3) << k;
      EXPECT_NEAR(sym[k].Y1, want[k].y, 1e-3) << k;
      EXPECT_EQ(sym[k].Filled, want[k].filled) << k;
      EXPECT_EQ(sym[k].Ink, want[k].ink) << k;
      EXPECT_EQ(sym[k].Size, want[k].size) << k;
    }
    EXPECT_TRUE(std::abs(sym[0].X1 + 35 - CX) < 1e-6 && std::abs(sym[0].Y1 + 35 - CY) < 1e-6);
  }
  // Tilt-corrected: the square is open for an upper-hemisphere TInc and ignores the
  // selection; a selected step is green; LSquare 7 is not set.
  StepRecord first = Step("NRM", 0, 0, 50, 100, -20, 1, 0), second = Step("AF", 5, 0, 50, 90, 40, 1, 0);
  first.LSquare = second.LSquare = 1;
  const auto tilt = Symbols(DrawSteps(NetKind::EqualArea, WithOrigin({first, second, Dir(0, 10, 1, 7)}),
                                      Coordinates::TiltCorrected));
  ASSERT_EQ(tilt.size(), 3u);
  EXPECT_TRUE(!tilt[0].Filled && tilt[0].Ink == Black && tilt[1].Ink == Green && tilt[2].Ink == Red);
  EXPECT_NEAR(tilt[1].X1, CX + EqualAreaRadius(R, 40), 1e-3);  // TDec 90

  // Free points: red circles filled by hemisphere, no path.
  RecordingSurface free(W, H);
  PlotState state;
  DrawNet(free, ScreenLayout(), state, NetKind::Stereographic);
  DrawNetPoints(free, ScreenLayout(), state, NetKind::Stereographic, {0, 180}, {0, -45});
  const auto points = Symbols(free);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_TRUE(points[0].Filled && !points[1].Filled);
  EXPECT_NEAR(points[0].Y1, CY - R, 1e-3);
  EXPECT_NEAR(points[1].Y1, CY + StereoRadius(R, 45), 1e-3);
  EXPECT_TRUE(Lines(free, Blue).empty());

  // Step 2 not plotted: the path of chords joins step 1 and step 3 directly, from the
  // square's centre to the circle's, and is drawn before the symbol it reaches.
  const auto steps = WithOrigin({Dir(0, 20), Dir(300, 60, 1, 0, 0), Dir(90, 20)});
  const RecordingSurface s = DrawSteps(NetKind::Stereographic, steps);
  const auto path = Lines(s, Blue);
  const auto sym = Symbols(s);
  ASSERT_EQ(path.size(), 100u);
  ASSERT_EQ(sym.size(), 2u);
  EXPECT_TRUE(path.front().X1 == sym[0].X1 + 35 && path.front().Y1 == sym[0].Y1 + 35);
  EXPECT_TRUE(path.back().X2 == sym[1].X1 && path.back().Y2 == sym[1].Y1);
  for (size_t k = 1; k < path.size(); ++k) EXPECT_TRUE(path[k].X1 == path[k - 1].X2 && path[k].Y1 == path[k - 1].Y2);
  // The great circle between two directions at I = 20 climbs toward the centre.
  EXPECT_LT(std::hypot(path[50].X1 - CX, path[50].Y1 - CY), std::hypot(sym[1].X1 - CX, sym[1].Y1 - CY));
  EXPECT_TRUE(s.Primitives().back().kind == Kind::Circle && s.Primitives().back().Ink == Red);
  const RecordingSurface paper =
      DrawSteps(NetKind::Stereographic, steps, Coordinates::Geographic, PaperLayout(), 11906, 16838);
  EXPECT_EQ(Lines(paper, Blue).size(), 1000u);
  EXPECT_EQ(OfKind(paper, Kind::Box)[0].Size, 80);
  EXPECT_EQ(Symbols(paper).back().Size, 50);

  // Identical steps: 100 chords of no length. One step: the square only, whatever the
  // origin step's Plot flag. Step 1 not plotted: a circle and no path.
  const auto same = Lines(DrawSteps(NetKind::EqualArea, WithOrigin({Dir(40, 40), Dir(40, 40)})), Blue);
  EXPECT_EQ(same.size(), 100u);
  for (const Primitive& p : same) EXPECT_TRUE(std::abs(p.X1 - p.X2) < 1e-3 && std::abs(p.Y1 - p.Y2) < 1e-3);
  const RecordingSurface one = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40)}));
  auto plottedOrigin = WithOrigin({Dir(40, 40)});
  plottedOrigin.back().Plot = 1;
  EXPECT_EQ(DrawSteps(NetKind::Stereographic, plottedOrigin).Dump(), one.Dump());
  EXPECT_TRUE(Symbols(one).size() == 1 && Lines(one, Blue).empty());
  const RecordingSurface noFirst = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40, 1, 0, 0), Dir(50, 40)}));
  ASSERT_EQ(Symbols(noFirst).size(), 1u);
  EXPECT_TRUE(Symbols(noFirst)[0].kind == Kind::Circle && Lines(noFirst, Blue).empty());
}

TEST(SamplePlot, PrintedTitleLayoutRuleAndSurface) {
  // The printed title sits in the drawing; on a panel it goes to the window's label.
  SampleHeader header;
  header.SampleName = FixedText("jm002 i1", NameWidth);
  RecordingSurface page(12000, 16000), panel(W, H);
  PlotState state;
  DrawSamplePlot(page, PaperLayout(), state, PlotKind::EqualArea, Coordinates::TiltCorrected, header,
                 WithOrigin({Dir(10, 10)}));
  const Primitive* t = FindText(page, "Lambert");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Text, "Lambert Equal-Area Projection: jm002 i1        - Tilt-Corrected");
  EXPECT_DOUBLE_EQ(t->X1, state.NetCentreX - state.NetRadius);
  EXPECT_DOUBLE_EQ(t->Y1, state.NetCentreY - state.NetRadius - 1440);
  DrawSamplePlot(panel, ScreenLayout(), state, PlotKind::Stereographic, Coordinates::Geographic, header,
                 WithOrigin({Dir(10, 10)}));
  EXPECT_FALSE(FindText(panel, "Stereographic"));

  // W = 2 (H - 550) exactly: the first rule; a little wider: the second; wide and low:
  // room to spare; too small: no layout.
  const struct { double w, h, panelWidth, panelHeight; } cases[] = {
      {12000, 6550, 5900, 0.8453 * 5900}, {12002, 6550, 5950, 0.75 * 5950}, {30000, 5000, 4400, -1}};
  for (const auto& c : cases) {
    const PlotWindowLayout l = LayoutPlotWindow(c.w, c.h);
    EXPECT_TRUE(l.Valid && l.PanelWidth == c.panelWidth && l.SLeft == l.PanelWidth + 300) << c.w;
    if (c.panelHeight > 0) {
      EXPECT_DOUBLE_EQ(l.PanelHeight, c.panelHeight) << c.w;
    }
  }
  EXPECT_LT(LayoutPlotWindow(30000, 5000).SLeft + 4400, 30000);
  for (auto [w, h] : {std::pair{200.0, 5000.0}, {5000.0, 600.0}, {0.0, 0.0}}) EXPECT_FALSE(LayoutPlotWindow(w, h).Valid);

  // The recording surface drops what cannot be drawn and replays the rest.
  RecordingSurface s(100, 100);
  s.Line(0, 0, NAN, 1);
  s.Circle(1, 1, -1, Red);
  s.Box(1, 1, INFINITY, true);
  EXPECT_TRUE(s.Primitives().empty());
  s.Line(1, 2, 3, 4);
  s.LineTo(5, 6, Blue);
  EXPECT_EQ(Describe(s.Primitives()[1]), "line 3.000 4.000 5.000 6.000 0,0,255");
  s.SetForeground(Green);
  s.Text(7, 8, "x");
  RecordingSurface copy(100, 100);
  s.ReplayOn(copy);
  EXPECT_EQ(copy.Dump(), s.Dump());
  EXPECT_EQ(copy.Foreground(), Black);
}
