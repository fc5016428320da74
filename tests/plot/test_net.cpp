// The nets: radii, the drawn net, the steps' symbols and great-circle paths, the
// sample plot's titles, the plot window's layout rule and the recording surface.
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

// W > H: size = H, R = (4000 - 720) / 2 = 1640, centre (3000, 2000).
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

TEST(NetRadius, RimCentreAndOrder) {
  for (double r : {1.0, 1640.0}) {
    EXPECT_NEAR(StereoRadius(r, 0), r, 1e-9 * r);
    EXPECT_NEAR(EqualAreaRadius(r, 0), r, 1e-9 * r);
    EXPECT_NEAR(StereoRadius(r, 90), 0, 1e-9);
    EXPECT_NEAR(EqualAreaRadius(r, 90), 0, 1e-6);
    EXPECT_NEAR(EqualAreaRadius(r, -90), 0, 1e-6);
  }
  for (int a = 5; a < 90; a += 5) EXPECT_GT(EqualAreaRadius(R, a), StereoRadius(R, a)) << a;
  EXPECT_NEAR(EqualAreaRadius(R, 30), R * std::sqrt(2.0) * std::sin(30 * Rad), 1e-9);
  EXPECT_NEAR(EqualAreaRadius(R, -30), EqualAreaRadius(R, 30), 1e-12);
}

TEST(DrawNet, CirclesDiametersAndLettersOnScreenAndPaper) {
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    RecordingSurface s(W, H);
    PlotState state;
    DrawNet(s, ScreenLayout(), state, kind);
    EXPECT_TRUE(state.NetRadius == R && state.NetCentreX == CX && state.NetCentreY == CY);
    const auto circles = OfKind(s, Kind::Circle);
    ASSERT_EQ(circles.size(), 9u);  // the rim and 10 .. 80 degrees
    EXPECT_EQ(circles[0].Size, R);
    EXPECT_NEAR(circles[1].Size, NetDistance(kind, R, 10), 1e-9);
    EXPECT_NEAR(circles[8].Size, NetDistance(kind, R, 80), 1e-9);
    const auto lines = OfKind(s, Kind::Line);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(Describe(lines[0]), "line 4640.000 2000.000 1360.000 2000.000 0,0,0");
    EXPECT_NEAR(lines[9].X1, CX, 1e-9);  // 90 degrees: the north-south diameter
    ASSERT_TRUE(FindText(s, "N"));
    EXPECT_EQ(FindText(s, "N")->X1, CX - 100);
    EXPECT_EQ(FindText(s, "N")->Y1, CY - R - 280);
    EXPECT_EQ(FindText(s, "W")->X1, CX - R - 260);
    EXPECT_EQ(FindText(s, "E")->X1, CX + R + 40);
    EXPECT_EQ(FindText(s, "S")->Y1, CY + R + 30);
  }
  RecordingSurface square(5000, 5000), paper(11906, 16838, 50), narrow(700, 4000);
  PlotState sq, pa, na;
  DrawNet(square, ScreenLayout(), sq, NetKind::Stereographic);
  EXPECT_EQ(sq.NetRadius, (5000 - 720) / 2);
  // On paper: the zoom, and the centre half an inch low.
  DrawNet(paper, PaperLayout(), pa, NetKind::EqualArea);
  EXPECT_FLOAT_EQ(pa.NetRadius, (11906.0f - 2880) / 2 * 50 / 100);
  EXPECT_EQ(pa.NetCentreX, 11906 / 2);
  EXPECT_EQ(pa.NetCentreY, 16838 / 2 + 720);
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
  EXPECT_EQ(rim.X1, static_cast<float>(7575.3 / 2));
  EXPECT_EQ(rim.Y1, static_cast<float>(6405.7 / 2));
  EXPECT_EQ(rim.Size, static_cast<float>((6405.7 - 720) / 2));
  EXPECT_EQ(Symbols(odd).back().X1, rim.X1);
  EXPECT_EQ(Symbols(odd).back().Y1, rim.Y1);
}

TEST(NetSteps, PositionsFillingAndColours) {
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    // Step 1 (square) at I = 90 is the centre; I = 0 east on the rim; I = -90 the
    // centre again; I = -30 and 30 at 200 degrees on one point.
    const auto sym = Symbols(DrawSteps(kind, WithOrigin({Dir(123, 90), Dir(90, 0), Dir(45, -90), Dir(200, -30),
                                                          Dir(200, 30)})));
    ASSERT_EQ(sym.size(), 5u);
    EXPECT_EQ(sym[0].kind, Kind::Box);
    EXPECT_NEAR(sym[0].X1 + 35, CX, 1e-6);
    EXPECT_NEAR(sym[0].Y1 + 35, CY, 1e-6);
    EXPECT_EQ(sym[0].Ink, Black);  // the step-1 square is in the foreground colour
    const double r = NetDistance(kind, R, 30);
    const struct { double x, y; bool filled; } want[] = {
        {CX, CY, true}, {CX + R, CY, true}, {CX, CY, false}, {CX + r * std::sin(200 * Rad), CY - r * std::cos(200 * Rad), false},
        {CX + r * std::sin(200 * Rad), CY - r * std::cos(200 * Rad), true}};
    for (size_t k = 1; k < 5; ++k) {
      EXPECT_NEAR(sym[k].X1, want[k].x, 1e-3) << k;
      EXPECT_NEAR(sym[k].Y1, want[k].y, 1e-3) << k;
      EXPECT_EQ(sym[k].Filled, want[k].filled) << k;
      EXPECT_EQ(sym[k].Ink, Red);
      EXPECT_EQ(sym[k].Size, 35);
    }
    EXPECT_TRUE(sym[0].Filled);
    EXPECT_DOUBLE_EQ(sym[3].X1, sym[4].X1);
  }
  // Tilt-corrected: the square is open for an upper-hemisphere TInc and ignores the
  // selection; a selected step is green; LSquare 7 is not set.
  StepRecord first = Step("NRM", 0, 0, 50, 100, -20, 1, 0), second = Step("AF", 5, 0, 50, 90, 40, 1, 0);
  first.LSquare = second.LSquare = 1;
  const auto sym = Symbols(DrawSteps(NetKind::EqualArea, WithOrigin({first, second, Dir(0, 10, 1, 7)}),
                                     Coordinates::TiltCorrected));
  ASSERT_EQ(sym.size(), 3u);
  EXPECT_FALSE(sym[0].Filled);
  EXPECT_EQ(sym[0].Ink, Black);
  EXPECT_EQ(sym[0].Size, 70);
  EXPECT_EQ(sym[1].Ink, Green);
  EXPECT_NEAR(sym[1].X1, CX + EqualAreaRadius(R, 40), 1e-3);  // TDec 90
  EXPECT_EQ(sym[2].Ink, Red);

  // Free points: red circles filled by hemisphere, no path.
  RecordingSurface s(W, H);
  PlotState state;
  DrawNet(s, ScreenLayout(), state, NetKind::Stereographic);
  DrawNetPoints(s, ScreenLayout(), state, NetKind::Stereographic, {0, 180}, {0, -45});
  const auto points = Symbols(s);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_TRUE(points[0].Filled);
  EXPECT_NEAR(points[0].Y1, CY - R, 1e-3);
  EXPECT_FALSE(points[1].Filled);
  EXPECT_NEAR(points[1].Y1, CY + StereoRadius(R, 45), 1e-3);
  EXPECT_TRUE(Lines(s, Blue).empty());
}

TEST(NetSteps, PathChordsJoinThePlottedSteps) {
  // Step 2 not plotted: the path joins step 1 and step 3 directly.
  const auto steps = WithOrigin({Dir(0, 20), Dir(300, 60, 1, 0, 0), Dir(90, 20)});
  const RecordingSurface s = DrawSteps(NetKind::Stereographic, steps);
  const auto path = Lines(s, Blue);
  const auto sym = Symbols(s);
  ASSERT_EQ(path.size(), 100u);
  ASSERT_EQ(sym.size(), 2u);
  EXPECT_DOUBLE_EQ(path.front().X1, sym[0].X1 + 35);  // from the square's centre
  EXPECT_DOUBLE_EQ(path.front().Y1, sym[0].Y1 + 35);
  EXPECT_DOUBLE_EQ(path.back().X2, sym[1].X1);  // to the circle's centre
  EXPECT_DOUBLE_EQ(path.back().Y2, sym[1].Y1);
  for (size_t k = 1; k < path.size(); ++k) EXPECT_TRUE(path[k].X1 == path[k - 1].X2 && path[k].Y1 == path[k - 1].Y2);
  // The great circle between two directions at I = 20 climbs toward the centre.
  EXPECT_LT(std::hypot(path[50].X1 - CX, path[50].Y1 - CY), std::hypot(sym[1].X1 - CX, sym[1].Y1 - CY));
  // The path is drawn before the symbol it reaches.
  EXPECT_EQ(s.Primitives().back().kind, Kind::Circle);
  EXPECT_EQ(s.Primitives().back().Ink, Red);

  const RecordingSurface paper =
      DrawSteps(NetKind::Stereographic, steps, Coordinates::Geographic, PaperLayout(), 11906, 16838);
  EXPECT_EQ(Lines(paper, Blue).size(), 1000u);
  EXPECT_EQ(OfKind(paper, Kind::Box)[0].Size, 80);
  EXPECT_EQ(Symbols(paper).back().Size, 50);

  // Identical steps: chords of no length. One step: the square only. Step 1 not
  // plotted: the first plotted step gets a circle and no path.
  for (const Primitive& p : Lines(DrawSteps(NetKind::EqualArea, WithOrigin({Dir(40, 40), Dir(40, 40)})), Blue)) {
    EXPECT_NEAR(p.X1, p.X2, 1e-3);
    EXPECT_NEAR(p.Y1, p.Y2, 1e-3);
  }
  EXPECT_EQ(Lines(DrawSteps(NetKind::EqualArea, WithOrigin({Dir(40, 40), Dir(40, 40)})), Blue).size(), 100u);
  const RecordingSurface one = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40)}));
  auto plottedOrigin = WithOrigin({Dir(40, 40)});
  plottedOrigin.back().Plot = 1;  // the origin step is never drawn, whatever its Plot flag
  EXPECT_EQ(DrawSteps(NetKind::Stereographic, plottedOrigin).Dump(), one.Dump());
  EXPECT_EQ(Symbols(one).size(), 1u);
  EXPECT_TRUE(Lines(one, Blue).empty());
  const RecordingSurface noFirst = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40, 1, 0, 0), Dir(50, 40)}));
  ASSERT_EQ(Symbols(noFirst).size(), 1u);
  EXPECT_EQ(Symbols(noFirst)[0].kind, Kind::Circle);
  EXPECT_TRUE(Lines(noFirst, Blue).empty());
}

TEST(SamplePlot, PrintedTitleInTheDrawingPanelTitleOnTheLabel) {
  // The panel titles are the labels of the plot window (see its window test).
  SampleHeader header;
  header.SampleName = FixedText("jm002 i1", NameWidth);
  RecordingSurface s(12000, 16000), panel(W, H);
  PlotState state;
  DrawSamplePlot(s, PaperLayout(), state, PlotKind::EqualArea, Coordinates::TiltCorrected, header,
                 WithOrigin({Dir(10, 10)}));
  const Primitive* t = FindText(s, "Lambert");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Text, "Lambert Equal-Area Projection: jm002 i1        - Tilt-Corrected");
  EXPECT_DOUBLE_EQ(t->X1, state.NetCentreX - state.NetRadius);
  EXPECT_DOUBLE_EQ(t->Y1, state.NetCentreY - state.NetRadius - 1440);
  // On a panel the title goes to the label, not into the drawing.
  DrawSamplePlot(panel, ScreenLayout(), state, PlotKind::Stereographic, Coordinates::Geographic, header,
                 WithOrigin({Dir(10, 10)}));
  EXPECT_FALSE(FindText(panel, "Stereographic"));
}

TEST(PlotWindowLayout, ResizeRule) {
  // W = 2 (H - 550) exactly: the first rule; a little wider: the second; wide and low:
  // room to spare; too small: no layout.
  const struct { double w, h, panelWidth, panelHeight; } cases[] = {
      {12000, 6550, 5900, 0.8453 * 5900}, {12002, 6550, 5950, 0.75 * 5950}, {30000, 5000, 4400, -1}};
  for (const auto& c : cases) {
    const PlotWindowLayout l = LayoutPlotWindow(c.w, c.h);
    EXPECT_TRUE(l.Valid);
    EXPECT_EQ(l.PanelWidth, c.panelWidth) << c.w;
    if (c.panelHeight > 0) {
      EXPECT_DOUBLE_EQ(l.PanelHeight, c.panelHeight) << c.w;
    }
    EXPECT_EQ(l.SLeft, l.PanelWidth + 300);
  }
  EXPECT_LT(LayoutPlotWindow(30000, 5000).SLeft + 4400, 30000);
  for (auto [w, h] : {std::pair{200.0, 5000.0}, {5000.0, 600.0}, {0.0, 0.0}}) EXPECT_FALSE(LayoutPlotWindow(w, h).Valid);
}

TEST(Surface, DropsPrimitivesThatCannotBeDrawnAndReplays) {
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
