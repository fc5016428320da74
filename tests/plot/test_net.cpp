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
const double W = 6000, H = 4000, R = 1640, CX = 3000, CY = 2000;

struct Drawn {
  RecordingSurface s{W, H};
  PlotState state;
};

Drawn DrawSteps(NetKind kind, const std::vector<StepRecord>& steps, Coordinates coords = Coordinates::Geographic) {
  Drawn d;
  DrawNet(d.s, ScreenLayout(), d.state, kind);
  DrawNetSteps(d.s, ScreenLayout(), d.state, kind, coords, steps);
  return d;
}

std::vector<Primitive> Symbols(const RecordingSurface& s) {
  // The net's own circles are centred at (cx, cy) and black; symbols are the rest.
  return Select(s, [](const Primitive& p) {
    return (p.kind == Kind::Box) || (p.kind == Kind::Circle && (p.Size == 35 || p.Size == 50) && p.Ink != Black);
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
  EXPECT_NEAR(EqualAreaRadius(R, 30), R * std::sqrt(2.0) * std::sin(30 * 0.0174532925199433), 1e-9);
  EXPECT_NEAR(EqualAreaRadius(R, -30), EqualAreaRadius(R, 30), 1e-12);
}

TEST(DrawNet, ScreenNetSizesCirclesDiametersAndLetters) {
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    RecordingSurface s(W, H);
    PlotState state;
    DrawNet(s, ScreenLayout(), state, kind);
    EXPECT_EQ(state.NetRadius, R);
    EXPECT_EQ(state.NetCentreX, CX);
    EXPECT_EQ(state.NetCentreY, CY);
    const auto circles = OfKind(s, Kind::Circle);
    ASSERT_EQ(circles.size(), 9u);  // the rim and 10 .. 80 degrees
    EXPECT_EQ(circles[0].Size, R);
    EXPECT_NEAR(circles[1].Size, NetDistance(kind, R, 10), 1e-9);
    EXPECT_NEAR(circles[8].Size, NetDistance(kind, R, 80), 1e-9);
    const auto lines = OfKind(s, Kind::Line);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(Describe(lines[0]), "line 4640.000 2000.000 1360.000 2000.000 0,0,0");
    EXPECT_NEAR(lines[9].X1, CX, 1e-9);  // 90 degrees: the north-south diameter
    const Primitive* n = FindText(s, "N");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->X1, CX - 100);
    EXPECT_EQ(n->Y1, CY - R - 280);
    EXPECT_EQ(FindText(s, "W")->X1, CX - R - 260);
    EXPECT_EQ(FindText(s, "E")->X1, CX + R + 40);
    EXPECT_EQ(FindText(s, "S")->Y1, CY + R + 30);
  }
  // A square panel: size = W.
  RecordingSurface sq(5000, 5000);
  PlotState state;
  DrawNet(sq, ScreenLayout(), state, NetKind::Stereographic);
  EXPECT_EQ(state.NetRadius, (5000 - 720) / 2);

  // Radius and centre are single precision, and the net is drawn with the values the
  // points are placed by: a step at I = 90 sits exactly on the centre of the rim.
  Drawn odd{RecordingSurface(7575.3, 6405.7), PlotState{}};
  DrawNet(odd.s, ScreenLayout(), odd.state, NetKind::EqualArea);
  DrawNetSteps(odd.s, ScreenLayout(), odd.state, NetKind::EqualArea, Coordinates::Geographic,
               WithOrigin({Dir(0, 20), Dir(10, 90)}));
  const Primitive rim = OfKind(odd.s, Kind::Circle).front();
  EXPECT_EQ(rim.X1, static_cast<float>(7575.3 / 2));
  EXPECT_EQ(rim.Y1, static_cast<float>(6405.7 / 2));
  EXPECT_EQ(rim.Size, static_cast<float>((6405.7 - 720) / 2));
  EXPECT_EQ(Symbols(odd.s).back().X1, rim.X1);
  EXPECT_EQ(Symbols(odd.s).back().Y1, rim.Y1);
}

TEST(DrawNet, PaperNetUsesZoomAndDropsTheCentre) {
  RecordingSurface s(11906, 16838, 50);
  PlotState state;
  DrawNet(s, PaperLayout(), state, NetKind::EqualArea);
  EXPECT_FLOAT_EQ(state.NetRadius, (11906.0f - 2880) / 2 * 50 / 100);
  EXPECT_EQ(state.NetCentreX, 11906 / 2);
  EXPECT_EQ(state.NetCentreY, 16838 / 2 + 720);
  EXPECT_EQ(FindText(s, "N")->TextFont, (Font{"Courier", 12}));
}

TEST(DrawNet, NoRadiusDrawsNothingAndNoPoints) {
  RecordingSurface s(700, 4000);
  PlotState state;
  DrawNet(s, ScreenLayout(), state, NetKind::Stereographic);
  DrawNetSteps(s, ScreenLayout(), state, NetKind::Stereographic, Coordinates::Geographic,
               WithOrigin({Dir(10, 10), Dir(20, 20)}));
  DrawNetPoints(s, ScreenLayout(), state, NetKind::Stereographic, {10}, {10});
  EXPECT_LE(state.NetRadius, 0);
  EXPECT_TRUE(s.Primitives().empty());
}

TEST(NetSteps, PositionsOnBothNets) {
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    // Step 1 (square) at I = 90 is the centre; then I = 0 east on the rim; I = -90
    // the centre again; I = -30 and 30 at 200 degrees on one point.
    const auto steps = WithOrigin({Dir(123, 90), Dir(90, 0), Dir(45, -90), Dir(200, -30), Dir(200, 30)});
    Drawn d = DrawSteps(kind, steps);
    const auto sym = Symbols(d.s);
    ASSERT_EQ(sym.size(), 5u);
    EXPECT_EQ(sym[0].kind, Kind::Box);
    EXPECT_NEAR(sym[0].X1 + 35, CX, 1e-6);
    EXPECT_NEAR(sym[0].Y1 + 35, CY, 1e-6);
    EXPECT_TRUE(sym[0].Filled);
    EXPECT_EQ(sym[0].Ink, Black);  // the step-1 square is in the foreground colour
    EXPECT_NEAR(sym[1].X1, CX + R, 1e-3);  // on the rim, filled: I = 0 is the lower hemisphere
    EXPECT_NEAR(sym[1].Y1, CY, 1e-3);
    EXPECT_TRUE(sym[1].Filled);
    EXPECT_NEAR(sym[2].X1, CX, 1e-3);
    EXPECT_NEAR(sym[2].Y1, CY, 1e-3);
    EXPECT_FALSE(sym[2].Filled);
    EXPECT_DOUBLE_EQ(sym[3].X1, sym[4].X1);
    EXPECT_DOUBLE_EQ(sym[3].Y1, sym[4].Y1);
    EXPECT_FALSE(sym[3].Filled);
    EXPECT_TRUE(sym[4].Filled);
    const double r = NetDistance(kind, R, 30);
    EXPECT_NEAR(sym[4].X1, CX + r * std::sin(200 * 0.0174532925199433), 1e-3);
    EXPECT_NEAR(sym[4].Y1, CY - r * std::cos(200 * 0.0174532925199433), 1e-3);
    for (size_t k = 1; k < sym.size(); ++k) {
      EXPECT_EQ(sym[k].Ink, Red);
      EXPECT_EQ(sym[k].Size, 35);
    }
  }
}

TEST(NetSteps, OpenSquareColoursByLSquareAndTiltCorrected) {
  StepRecord first = Step("NRM", 0, 0, 50, 100, -20, 1, 0);
  first.LSquare = 1;  // the square ignores the selection
  StepRecord second = Step("AF", 5, 0, 50, 90, 40, 1, 0);
  second.LSquare = 1;
  Drawn d = DrawSteps(NetKind::EqualArea, WithOrigin({first, second, Dir(0, 10, 1, 7)}), Coordinates::TiltCorrected);
  const auto sym = Symbols(d.s);
  ASSERT_EQ(sym.size(), 3u);
  EXPECT_FALSE(sym[0].Filled);  // TInc -20: upper hemisphere
  EXPECT_EQ(sym[0].Ink, Black);
  EXPECT_EQ(sym[0].Size, 70);
  EXPECT_EQ(sym[1].Ink, Green);
  EXPECT_NEAR(sym[1].X1, CX + EqualAreaRadius(R, 40), 1e-3);  // TDec 90
  EXPECT_EQ(sym[2].Ink, Red);  // LSquare 7 is not set
}

TEST(NetSteps, PathChordsOnScreenAndPaperAndSkippedSteps) {
  // Step 2 not plotted: the path joins step 1 and step 3 directly.
  const auto steps = WithOrigin({Dir(0, 20), Dir(300, 60, 1, 0, 0), Dir(90, 20)});
  Drawn d = DrawSteps(NetKind::Stereographic, steps);
  const auto path = Lines(d.s, Blue);
  ASSERT_EQ(path.size(), 100u);
  const auto sym = Symbols(d.s);
  ASSERT_EQ(sym.size(), 2u);
  EXPECT_DOUBLE_EQ(path.front().X1, sym[0].X1 + 35);  // from the square's centre
  EXPECT_DOUBLE_EQ(path.front().Y1, sym[0].Y1 + 35);
  EXPECT_DOUBLE_EQ(path.back().X2, sym[1].X1);  // to the circle's centre
  EXPECT_DOUBLE_EQ(path.back().Y2, sym[1].Y1);
  for (size_t k = 1; k < path.size(); ++k) {
    EXPECT_DOUBLE_EQ(path[k].X1, path[k - 1].X2);
    EXPECT_DOUBLE_EQ(path[k].Y1, path[k - 1].Y2);
  }
  // The arc between two directions at I = 20 bulges toward the centre (the great
  // circle climbs): its middle is nearer the centre than the end points.
  const Primitive& mid = path[50];
  EXPECT_LT(std::hypot(mid.X1 - CX, mid.Y1 - CY), std::hypot(sym[1].X1 - CX, sym[1].Y1 - CY));
  // The path is drawn before the symbol it reaches.
  const auto& all = d.s.Primitives();
  size_t lastLine = 0, circleAt = 0;
  for (size_t k = 0; k < all.size(); ++k) {
    if (all[k].kind == Kind::Line && all[k].Ink == Blue) lastLine = k;
    if (all[k].kind == Kind::Circle && all[k].Ink == Red) circleAt = k;
  }
  EXPECT_LT(lastLine, circleAt);

  RecordingSurface paper(11906, 16838);
  PlotState state;
  DrawNet(paper, PaperLayout(), state, NetKind::Stereographic);
  DrawNetSteps(paper, PaperLayout(), state, NetKind::Stereographic, Coordinates::Geographic, steps);
  EXPECT_EQ(Lines(paper, Blue).size(), 1000u);
  EXPECT_EQ(OfKind(paper, Kind::Box)[0].Size, 80);
  EXPECT_EQ(Symbols(paper).back().Size, 50);
}

TEST(NetSteps, IdenticalStepsCollapseAndSingleStepGetsOnlyTheSquare) {
  Drawn same = DrawSteps(NetKind::EqualArea, WithOrigin({Dir(40, 40), Dir(40, 40)}));
  const auto path = Lines(same.s, Blue);
  ASSERT_EQ(path.size(), 100u);
  for (const Primitive& p : path) {
    EXPECT_NEAR(p.X1, p.X2, 1e-3);
    EXPECT_NEAR(p.Y1, p.Y2, 1e-3);
  }
  Drawn one = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40)}));
  EXPECT_EQ(Symbols(one.s).size(), 1u);
  EXPECT_TRUE(Lines(one.s, Blue).empty());
  // Step 1 not plotted: the first plotted step gets a circle and no path.
  Drawn noFirst = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40, 1, 0, 0), Dir(50, 40)}));
  const auto sym = Symbols(noFirst.s);
  ASSERT_EQ(sym.size(), 1u);
  EXPECT_EQ(sym[0].kind, Kind::Circle);
  EXPECT_TRUE(Lines(noFirst.s, Blue).empty());
}

TEST(NetPoints, RedCirclesFilledByHemisphere) {
  RecordingSurface s(W, H);
  PlotState state;
  DrawNet(s, ScreenLayout(), state, NetKind::Stereographic);
  DrawNetPoints(s, ScreenLayout(), state, NetKind::Stereographic, {0, 180}, {0, -45});
  const auto sym = Symbols(s);
  ASSERT_EQ(sym.size(), 2u);
  EXPECT_TRUE(sym[0].Filled);
  EXPECT_NEAR(sym[0].Y1, CY - R, 1e-3);
  EXPECT_FALSE(sym[1].Filled);
  EXPECT_NEAR(sym[1].Y1, CY + StereoRadius(R, 45), 1e-3);
  EXPECT_TRUE(Lines(s, Blue).empty());
}

TEST(SamplePlot, TitlesAndPrintedNetTitle) {
  EXPECT_EQ(PanelTitle(PlotKind::Stereographic, Coordinates::Geographic), "Stereographic Projection: Geographic");
  EXPECT_EQ(PanelTitle(PlotKind::EqualArea, Coordinates::TiltCorrected),
            "Lambert Equal-area Projection: Tilt-corrected");
  EXPECT_EQ(PanelTitle(PlotKind::Zijderveld, Coordinates::Geographic),
            "Zijderveld Progressive Demagnetization Diagram : Geographic");
  EXPECT_EQ(PanelTitle(PlotKind::ModifiedZijderveld, Coordinates::TiltCorrected),
            "Modified Zijderveld Progressive Demagnetization Diagram : Tilt-corrected");

  SampleHeader header;
  header.SampleName = FixedText("jm002 i1", NameWidth);
  RecordingSurface s(12000, 16000);
  PlotState state;
  DrawSamplePlot(s, PaperLayout(), state, PlotKind::EqualArea, Coordinates::TiltCorrected, header,
                 WithOrigin({Dir(10, 10)}));
  const Primitive* t = FindText(s, "Lambert");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Text, "Lambert Equal-Area Projection: jm002 i1        - Tilt-Corrected");
  EXPECT_DOUBLE_EQ(t->X1, state.NetCentreX - state.NetRadius);
  EXPECT_DOUBLE_EQ(t->Y1, state.NetCentreY - state.NetRadius - 1440);
  // On a panel the title goes to the label, not into the drawing.
  RecordingSurface panel(W, H);
  DrawSamplePlot(panel, ScreenLayout(), state, PlotKind::Stereographic, Coordinates::Geographic, header,
                 WithOrigin({Dir(10, 10)}));
  EXPECT_FALSE(FindText(panel, "Stereographic"));
}

TEST(PlotWindowLayout, ResizeRule) {
  // W = 2 (H - 550) exactly: the first rule.
  PlotWindowLayout a = LayoutPlotWindow(12000, 6550);
  EXPECT_TRUE(a.Valid);
  EXPECT_EQ(a.PanelWidth, 5900);
  EXPECT_DOUBLE_EQ(a.PanelHeight, 0.8453 * 5900);
  EXPECT_EQ(a.SLeft, 6200);
  // A little wider: the second rule.
  PlotWindowLayout b = LayoutPlotWindow(12002, 6550);
  EXPECT_EQ(b.PanelWidth, 5950);
  EXPECT_DOUBLE_EQ(b.PanelHeight, 0.75 * 5950);
  // Wide and low: both panels fit with room to spare.
  PlotWindowLayout c = LayoutPlotWindow(30000, 5000);
  EXPECT_EQ(c.PanelWidth, 4400);
  EXPECT_LT(c.SLeft + c.PanelWidth, 30000);
  // Too small for a positive panel.
  EXPECT_FALSE(LayoutPlotWindow(200, 5000).Valid);
  EXPECT_FALSE(LayoutPlotWindow(5000, 600).Valid);
  EXPECT_FALSE(LayoutPlotWindow(0, 0).Valid);
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
