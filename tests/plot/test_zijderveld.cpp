#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/layout.h"
#include "plot/zijderveld.h"
#include "plot/plot_helpers.h"
#include "store/text.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

const double PanelW = 7575, PanelH = 6405;  // the panel of a 1024 x 768 pixel window

RecordingSurface DrawScreen(const std::vector<StepRecord>& steps, int32_t projectionDec = 0, bool modified = false,
                            double w = PanelW, double h = PanelH) {
  RecordingSurface s(w, h);
  PlotState state;
  ZPlotDisplay(s, ScreenLayout(), state, steps, projectionDec, Coordinates::Geographic, modified);
  return s;
}

}  // namespace

TEST(TickInterval, ExamplesAndLargeExtents) {
  EXPECT_FLOAT_EQ(TickInterval(100), 10);
  EXPECT_FLOAT_EQ(TickInterval(50), 5);
  EXPECT_FLOAT_EQ(TickInterval(40), 2);  // 40 is not above 40
  EXPECT_FLOAT_EQ(TickInterval(30), 2);
  EXPECT_FLOAT_EQ(TickInterval(15), 1);
  EXPECT_FLOAT_EQ(TickInterval(5), 0.5f);
  EXPECT_FLOAT_EQ(TickInterval(0.37f), 0.02f);
  EXPECT_FLOAT_EQ(TickInterval(1000), 20);
  EXPECT_FLOAT_EQ(TickInterval(7.67e-5f), 5e-6f);
  EXPECT_FLOAT_EQ(TickInterval(3e38f), 20);
}

TEST(TickInterval, NoAnswerGivesZeroInsteadOfLooping) {
  EXPECT_EQ(TickInterval(0), 0);
  EXPECT_EQ(TickInterval(-3), 0);
  EXPECT_EQ(TickInterval(std::numeric_limits<float>::infinity()), 0);
  EXPECT_EQ(TickInterval(std::numeric_limits<float>::quiet_NaN()), 0);
  // The smallest float: the interval underflows, or is a tiny positive number; it
  // must come back either way.
  EXPECT_GE(TickInterval(std::numeric_limits<float>::denorm_min()), 0);
}

TEST(ZijderveldComponents, ProjectionPlanes) {
  const StepRecord s = Dir(30, 20, 10);
  const double h = 10 * std::cos(20 * 0.0174532925199433);
  const double n = h * std::cos(30 * 0.0174532925199433);
  const double e = h * std::sin(30 * 0.0174532925199433);
  const ZComponents z0 = ZijderveldComponents(s, Coordinates::Geographic, false, 0);
  EXPECT_NEAR(z0.A, n, 1e-5);
  EXPECT_NEAR(z0.B, e, 1e-5);
  EXPECT_NEAR(z0.C, n, 1e-5);  // the north-south plane
  EXPECT_NEAR(z0.V, 10 * std::sin(20 * 0.0174532925199433), 1e-5);
  // -2: no projection, the horizontal component at full length, right of the axis.
  const ZComponents none = ZijderveldComponents(Dir(200, -20, 10), Coordinates::Geographic, false, -2);
  EXPECT_NEAR(none.C, h, 1e-5);
  EXPECT_GT(none.C, 0);
  // 400 acts as 40.
  const ZComponents z400 = ZijderveldComponents(s, Coordinates::Geographic, false, 400);
  const ZComponents z40 = ZijderveldComponents(s, Coordinates::Geographic, false, 40);
  EXPECT_NEAR(z400.C, z40.C, 1e-5);
  EXPECT_NEAR(z40.C, h * std::cos(-10 * 0.0174532925199433), 1e-5);
  EXPECT_EQ(z0.C, z0.A);  // exactly N
}

TEST(ZijderveldComponents, ModifiedLayoutTurnsTheHorizontalProjectionAQuarterTurn) {
  for (float d : {0.0f, 45.0f, 135.0f, 270.0f}) {
    const StepRecord s = Dir(d, 35, 4);
    const ZComponents std_ = ZijderveldComponents(s, Coordinates::Geographic, false, 20);
    const ZComponents mod = ZijderveldComponents(s, Coordinates::Geographic, true, 20);
    EXPECT_FLOAT_EQ(mod.A, std_.B);   // east to the right
    EXPECT_FLOAT_EQ(mod.B, -std_.A);  // north up
    EXPECT_FLOAT_EQ(mod.C, std_.C);   // the vertical projection is the same
    EXPECT_FLOAT_EQ(mod.V, std_.V);
  }
  // Tilt-corrected reads TDec and TInc.
  StepRecord t = Step("AF", 10, 0, 0, 90, 0, 2, 0);
  EXPECT_NEAR(ZijderveldComponents(t, Coordinates::TiltCorrected, false, 0).B, 2, 1e-6);
  EXPECT_NEAR(ZijderveldComponents(t, Coordinates::Geographic, false, 0).A, 2, 1e-6);
}

TEST(ZijderveldScale, OriginsScreenAndPaper) {
  // Only positive components: the origin sits at the fixed corner.
  const auto positive = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  const ZScale s = ZijderveldScale(positive, Coordinates::Geographic, false, 0, ScreenLayout(), PanelW, PanelH, 100);
  EXPECT_EQ(s.Min1, 0);
  EXPECT_EQ(s.Min2, 0);
  EXPECT_EQ(s.OriginX, 1000);
  EXPECT_EQ(s.OriginY, 1000);
  const ZScale p = ZijderveldScale(positive, Coordinates::Geographic, false, 0, PaperLayout(), 11906, 16838, 100);
  EXPECT_EQ(p.OriginX, 2160);
  EXPECT_EQ(p.OriginY, 2160);

  // A step to the south-east: A = C = -8.66, so the origin moves right by whole
  // ticks; extent 17.32 + 8.66, interval 2, 14 intervals.
  const auto south = WithOrigin({Dir(150, 0, 10), Dir(0, 30, 20)});
  const ZScale z = ZijderveldScale(south, Coordinates::Geographic, false, 0, ScreenLayout(), PanelW, PanelH, 100);
  EXPECT_NEAR(z.Min1, -8.660254, 1e-5);
  EXPECT_EQ(z.Min2, 0);
  EXPECT_NEAR(z.Extent, 8.660254 + 17.320508, 1e-4);
  EXPECT_FLOAT_EQ(z.Tick, 2);
  EXPECT_EQ(z.Intervals, 14);
  EXPECT_DOUBLE_EQ(z.TickLength, (PanelH - 1000) / 14);  // the shorter side
  // A tall panel: the width is the shorter side.
  EXPECT_DOUBLE_EQ(
      ZijderveldScale(south, Coordinates::Geographic, false, 0, ScreenLayout(), 5000, 9000, 100).TickLength,
      (5000.0 - 1000) / 14);
  EXPECT_DOUBLE_EQ(z.OriginX, 5 * z.TickLength + 600);
  EXPECT_EQ(z.OriginY, 1000);
  // On paper: u from the shorter side, times the zoom, origin offset 2160.
  const ZScale zp = ZijderveldScale(south, Coordinates::Geographic, false, 0, PaperLayout(), 11906, 16838, 50);
  EXPECT_DOUBLE_EQ(zp.TickLength, (11906.0 - 2880) / 14 * 50 / 100);
  EXPECT_DOUBLE_EQ(zp.OriginX, 5 * zp.TickLength + 2160);

  // An extent of 1000: interval 20 and 52 intervals.
  const auto big = WithOrigin({Dir(0, 0, 1000)});
  const ZScale b = ZijderveldScale(big, Coordinates::Geographic, false, 0, ScreenLayout(), PanelW, PanelH, 100);
  EXPECT_FLOAT_EQ(b.Tick, 20);
  EXPECT_EQ(b.Intervals, 52);
  // Far more intervals than 16 bits hold: still scaled, no failure.
  const auto huge = WithOrigin({Dir(0, 0, 1e30f)});
  const ZScale hz = ZijderveldScale(huge, Coordinates::Geographic, false, 0, ScreenLayout(), PanelW, PanelH, 100);
  EXPECT_GT(hz.Intervals, 1e28);
  EXPECT_TRUE(hz.Drawable);
}

TEST(ZPlotDisplay, AxesLabelsNotesAndLegendOnScreen) {
  const auto steps = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  RecordingSurface s = DrawScreen(steps, 0);
  const auto& all = s.Primitives();
  ASSERT_GE(all.size(), 2u);
  // The two axis lines first, in the foreground colour.
  EXPECT_EQ(Describe(all[0]), "line 500.000 1000.000 7075.000 1000.000 0,0,0");
  EXPECT_EQ(Describe(all[1]), "line 1000.000 500.000 1000.000 5905.000 0,0,0");
  const Primitive* top = FindText(s, "Up, W");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->X1, 700);
  EXPECT_EQ(top->Y1, 180);
  EXPECT_EQ(top->TextFont, (Font{"Times New Roman", 12}));
  const Primitive* note = FindText(s, "Projection Plane: ");
  ASSERT_TRUE(note);
  EXPECT_EQ(note->Text, "Projection Plane: 0 degree");
  EXPECT_EQ(note->Ink, Blue);
  EXPECT_EQ(note->X1, PanelW - 2800);
  const Primitive* tick = FindText(s, "1 Tick Mark = ");
  ASSERT_TRUE(tick);
  EXPECT_EQ(tick->Text, "1 Tick Mark = 5.00E+00");  // extent 42.6
  EXPECT_EQ(FindText(s, "Declination")->Ink, Red);
  EXPECT_EQ(FindText(s, "Inclination")->Ink, Blue);
  EXPECT_EQ(FindText(s, "N")->X1, PanelW - 450);
  EXPECT_EQ(FindText(s, "Down, E")->Y1, PanelH - 500);
  EXPECT_EQ(FindText(s, "S")->X1, 200);
  // The axis labels and the tick note keep the foreground colour.
  EXPECT_EQ(top->Ink, Black);
  EXPECT_EQ(tick->Ink, Black);
  EXPECT_EQ(s.Foreground(), Black);

  RecordingSurface none = DrawScreen(steps, -2);
  const Primitive* np = FindText(none, "No Projection");
  ASSERT_TRUE(np);
  EXPECT_EQ(np->X1, PanelW - 1450);
  EXPECT_EQ(np->Ink, Blue);
  RecordingSurface mod = DrawScreen(steps, 400, true);
  EXPECT_TRUE(FindText(mod, "N, Up"));
  EXPECT_TRUE(FindText(mod, "S, Down"));
  EXPECT_TRUE(FindText(mod, "W"));
  EXPECT_EQ(FindText(mod, "Projection Plane: ")->Text, "Projection Plane: 400 degree");
}

TEST(ZPlotDisplay, TicksStayInsideTheAxes) {
  // Extent 42.6, interval 5: nt = 10 and u = 540.5 (the height) from the origin at
  // (1000, 1000): eleven ticks to the right (1000 + 11 u < 7075), nine down
  // (1000 + 9 u < 5905), none left or up (1000 - u < 500).
  const auto steps = WithOrigin({Dir(10, 30, 50)});
  RecordingSurface s = DrawScreen(steps);
  const auto ticks = Select(s, [](const Primitive& p) {
    return p.kind == Kind::Line && p.Ink == Black && (std::abs(p.Y2 - p.Y1) == 160 || std::abs(p.X2 - p.X1) == 160);
  });
  int right = 0, down = 0;
  for (const Primitive& p : ticks) {
    if (p.Y1 == 920) {
      EXPECT_GT(p.X1, 1000);
      EXPECT_LT(p.X1, PanelW - 500);
      ++right;
    } else {
      EXPECT_EQ(p.X1, 920);
      EXPECT_GT(p.Y1, 1000);
      EXPECT_LT(p.Y1, PanelH - 500);
      ++down;
    }
  }
  EXPECT_EQ(right, 11);
  EXPECT_EQ(down, 9);
  EXPECT_DOUBLE_EQ(ticks.front().X1, 1000 + 540.5);
}

TEST(ZPlotDisplay, ExtentZeroDrawsAxesWithoutTicksAndSymbolsAtTheOrigin) {
  for (const auto& steps : {WithOrigin({Dir(10, 30, 0), Dir(20, 40, 0)}), WithOrigin({}), std::vector<StepRecord>{},
                            WithOrigin({Dir(10, 30, 5, 0, 0)})}) {
    RecordingSurface s(PanelW, PanelH);
    PlotState state;
    ZPlotDisplay(s, ScreenLayout(), state, steps, 0, Coordinates::Geographic, false);
    EXPECT_EQ(state.ZOriginX, 1000);
    EXPECT_EQ(state.ZOriginY, 1000);
    EXPECT_EQ(OfKind(s, Kind::Line).size() - Lines(s, Red).size() - Lines(s, Blue).size(), 2u);  // the axes only
    EXPECT_FALSE(FindText(s, "1 Tick Mark"));
    EXPECT_TRUE(FindText(s, "Projection Plane: 0 degree"));
    for (const Primitive& p : OfKind(s, Kind::Box)) {
      EXPECT_EQ(p.X1, 965);
      EXPECT_EQ(p.Y1, 965);
    }
    for (const Primitive& p : OfKind(s, Kind::Circle)) {
      EXPECT_EQ(p.X1, 1000);
      EXPECT_EQ(p.Y1, 1000);
    }
  }
  // A step whose intensity is not finite has no extent either; nothing is drawn at
  // an infinite place.
  RecordingSurface s = DrawScreen(WithOrigin({Dir(10, 30, std::numeric_limits<float>::infinity()), Dir(10, 30, 2)}));
  EXPECT_FALSE(FindText(s, "1 Tick Mark"));
  for (const Primitive& p : s.Primitives()) EXPECT_TRUE(std::isfinite(p.X1) && std::isfinite(p.Y1));
}

TEST(ZPlotDisplay, PointsLinesAndColours) {
  // Step 1 plotted, step 2 not plotted, step 3 selected for least squares, step 4 not.
  const auto steps =
      WithOrigin({Dir(0, 0, 40), Dir(90, 0, 30, 0, 0), Dir(90, 0, 20, 1), Dir(170, 0, 10, 0, 1)});
  RecordingSurface s = DrawScreen(steps);
  const auto boxes = OfKind(s, Kind::Box);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Ink, Red);
  EXPECT_EQ(boxes[1].Ink, Blue);
  EXPECT_TRUE(boxes[0].Filled && boxes[1].Filled);
  EXPECT_EQ(boxes[0].Size, 70);
  const auto circles = OfKind(s, Kind::Circle);
  ASSERT_EQ(circles.size(), 4u);  // steps 3 and 4, each twice
  EXPECT_EQ(circles[0].Ink, Magenta);
  EXPECT_EQ(circles[1].Ink, Green);
  EXPECT_EQ(circles[2].Ink, Red);
  EXPECT_EQ(circles[3].Ink, Blue);
  for (const Primitive& c : circles) {
    EXPECT_TRUE(c.Filled);
    EXPECT_EQ(c.Size, 35);
  }
  // The lines jump over the unplotted step 2: from the squares' centres to step 3.
  const auto red = Lines(s, Red);
  const auto blue = Lines(s, Blue);
  ASSERT_EQ(red.size(), 2u);
  ASSERT_EQ(blue.size(), 2u);
  EXPECT_DOUBLE_EQ(red[0].X1, boxes[0].X1 + 35);
  EXPECT_DOUBLE_EQ(red[0].Y1, boxes[0].Y1 + 35);
  EXPECT_DOUBLE_EQ(red[0].X2, circles[0].X1);
  EXPECT_DOUBLE_EQ(blue[0].X1, boxes[1].X1 + 35);
  EXPECT_DOUBLE_EQ(blue[1].X2, circles[3].X1);
  // Step 3 lies east of the origin: straight below it in the standard layout. Step 4
  // (N = -9.85) moves the origin right by two ticks of (6405 - 1000) / 11 (extent
  // 49.85, interval 5).
  const double u = 5405.0 / 11;
  const Primitive& verticalAxis = s.Primitives()[1];
  EXPECT_EQ(verticalAxis.X1, static_cast<float>(2 * u + 600));  // the origin is kept in single precision
  EXPECT_NEAR(circles[0].X1, verticalAxis.X1, 1e-6);
  EXPECT_NEAR(circles[0].Y1, 1000 + 20 * u / 5, 1e-6);
}

TEST(ZPlotDisplay, FirstStepNotPlottedGivesNoSquares) {
  const auto steps = WithOrigin({Dir(0, 0, 40, 0, 0), Dir(90, 10, 30), Dir(90, 20, 20)});
  RecordingSurface s = DrawScreen(steps);
  EXPECT_TRUE(OfKind(s, Kind::Box).empty());
  EXPECT_EQ(OfKind(s, Kind::Circle).size(), 4u);
  EXPECT_EQ(Lines(s, Red).size(), 1u);  // step 2 has no line, step 3 one
  // The origin step is never drawn, whatever its Plot flag.
  auto withPlottedOrigin = steps;
  withPlottedOrigin.back().Plot = 1;
  EXPECT_EQ(DrawScreen(withPlottedOrigin).Dump(), s.Dump());
}

TEST(ZPlotDisplay, TooSmallPanelDrawsNothing) {
  const auto steps = WithOrigin({Dir(10, 30, 50)});
  EXPECT_TRUE(DrawScreen(steps, 0, false, 1000, 5000).Primitives().empty());
  EXPECT_TRUE(DrawScreen(steps, 0, false, 5000, 1000).Primitives().empty());
  EXPECT_FALSE(DrawScreen(steps, 0, false, 1001, 1001).Primitives().empty());
}

TEST(ZPlotDisplay, PaperPlacesTitleFirstAndUsesThePrinterSizes) {
  const auto steps = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  RecordingSurface s(11906, 16838, 100);
  PlotState state;
  ZPlotDisplay(s, PaperLayout(), state, steps, -2, Coordinates::TiltCorrected, false);
  ASSERT_FALSE(s.Primitives().empty());
  const Primitive& title = s.Primitives().front();
  EXPECT_EQ(Describe(title),
            "text 1200.000 1200.000 0,0,0 \"Courier\" 12.000 \"Zijderveld Progressive Demagnetization "
            "Diagram : Tilt-corrected\"");
  const double u = (11906.0 - 2880) / 10;  // extent 43.3 (C = h), interval 5
  const double length = 10 * u;
  EXPECT_EQ(Describe(s.Primitives()[1]), "line 1440.000 2160.000 " + Format(length + 2160, "0.000") +
                                             " 2160.000 0,0,0");
  const Primitive* np = FindText(s, "No Projection");
  ASSERT_TRUE(np);
  EXPECT_DOUBLE_EQ(np->X1, length + 600);
  EXPECT_EQ(np->Ink, Black);  // on paper the note keeps the text colour
  EXPECT_DOUBLE_EQ(FindText(s, "1 Tick Mark")->Y1, length + 2500);
  EXPECT_EQ(OfKind(s, Kind::Box)[0].Size, 80);
  EXPECT_EQ(OfKind(s, Kind::Circle)[0].Size, 50);
  EXPECT_EQ(state.ZOriginX, 2160);
  // A page smaller than the margins gets nothing.
  RecordingSurface tiny(2880, 16838);
  ZPlotDisplay(tiny, PaperLayout(), state, steps, 0, Coordinates::Geographic, false);
  EXPECT_TRUE(tiny.Primitives().empty());
}
