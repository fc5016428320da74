// The Zijderveld diagram: tick intervals, components, the scale and the drawing on a
// panel and on paper.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/layout.h"
#include "plot/plot_helpers.h"
#include "plot/zijderveld.h"
#include "store/text.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

const double PanelW = 7575, PanelH = 6405;  // the panel of a 1024 x 768 pixel window
const double Rad = 0.0174532925199433;
const float Inf = std::numeric_limits<float>::infinity();

RecordingSurface DrawScreen(const std::vector<StepRecord>& steps, int32_t projectionDec = 0, bool modified = false,
                            double w = PanelW, double h = PanelH) {
  RecordingSurface s(w, h);
  PlotState state;
  ZPlotDisplay(s, ScreenLayout(), state, steps, projectionDec, Coordinates::Geographic, modified);
  return s;
}

ZScale Scale(const std::vector<StepRecord>& steps, bool paper = false, int zoom = 100, double w = 0) {
  return ZijderveldScale(steps, Coordinates::Geographic, false, 0, paper ? PaperLayout() : ScreenLayout(),
                         w ? w : paper ? 11906 : PanelW, w ? 9000 : paper ? 16838 : PanelH, zoom);
}

}  // namespace

TEST(Zijderveld, TickIntervalsComponentsAndScale) {
  // 40 is not above 40; no answer gives zero instead of looping.
  const struct { float extent, want; } ticks[] = {
      {100, 10}, {50, 5}, {40, 2}, {30, 2}, {15, 1}, {5, 0.5f}, {0.37f, 0.02f}, {1000, 20}, {7.67e-5f, 5e-6f},
      {3e38f, 20}, {0, 0}, {-3, 0}, {Inf, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& c : ticks) EXPECT_FLOAT_EQ(TickInterval(c.extent), c.want) << c.extent;
  EXPECT_GE(TickInterval(std::numeric_limits<float>::denorm_min()), 0);  // must come back

  const StepRecord s = Dir(30, 20, 10);
  const double h = 10 * std::cos(20 * Rad);
  const ZComponents z0 = ZijderveldComponents(s, Coordinates::Geographic, false, 0);
  EXPECT_NEAR(z0.A, h * std::cos(30 * Rad), 1e-5);
  EXPECT_NEAR(z0.B, h * std::sin(30 * Rad), 1e-5);
  EXPECT_EQ(z0.C, z0.A);  // the north-south plane: exactly N
  EXPECT_NEAR(z0.V, 10 * std::sin(20 * Rad), 1e-5);
  // -2: no projection, the horizontal component at full length; 400 acts as 40.
  EXPECT_NEAR(ZijderveldComponents(Dir(200, -20, 10), Coordinates::Geographic, false, -2).C, h, 1e-5);
  for (int32_t plane : {40, 400}) EXPECT_NEAR(ZijderveldComponents(s, Coordinates::Geographic, false, plane).C, h * std::cos(-10 * Rad), 1e-5);
  // The modified layout turns the horizontal projection a quarter turn.
  for (float d : {0.0f, 45.0f, 135.0f, 270.0f}) {
    const ZComponents std_ = ZijderveldComponents(Dir(d, 35, 4), Coordinates::Geographic, false, 20);
    const ZComponents mod = ZijderveldComponents(Dir(d, 35, 4), Coordinates::Geographic, true, 20);
    EXPECT_TRUE(mod.A == std_.B && mod.B == -std_.A && mod.C == std_.C && mod.V == std_.V) << d;
  }
  const StepRecord t = Step("AF", 10, 0, 0, 90, 0, 2, 0);  // tilt-corrected reads TDec and TInc
  EXPECT_NEAR(ZijderveldComponents(t, Coordinates::TiltCorrected, false, 0).B, 2, 1e-6);
  EXPECT_NEAR(ZijderveldComponents(t, Coordinates::Geographic, false, 0).A, 2, 1e-6);

  // Only positive components: the origin sits at the fixed corner.
  const auto positive = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  const ZScale p = Scale(positive), pp = Scale(positive, true);
  EXPECT_TRUE(p.Min1 == 0 && p.Min2 == 0 && p.OriginX == 1000 && p.OriginY == 1000);
  EXPECT_TRUE(pp.OriginX == 2160 && pp.OriginY == 2160);
  // A step to the south-east: A = C = -8.66, the origin moves right by whole ticks;
  // extent 17.32 + 8.66, interval 2, 14 intervals, u from the shorter side.
  const auto south = WithOrigin({Dir(150, 0, 10), Dir(0, 30, 20)});
  const ZScale z = Scale(south);
  EXPECT_NEAR(z.Min1, -8.660254, 1e-5);
  EXPECT_EQ(z.Min2, 0);
  EXPECT_NEAR(z.Extent, 8.660254 + 17.320508, 1e-4);
  EXPECT_FLOAT_EQ(z.Tick, 2);
  EXPECT_EQ(z.Intervals, 14);
  EXPECT_DOUBLE_EQ(z.TickLength, (PanelH - 1000) / 14);
  EXPECT_DOUBLE_EQ(Scale(south, false, 100, 5000).TickLength, (5000.0 - 1000) / 14);  // a tall panel
  EXPECT_DOUBLE_EQ(z.OriginX, 5 * z.TickLength + 600);
  EXPECT_EQ(z.OriginY, 1000);
  const ZScale zp = Scale(south, true, 50);  // on paper: times the zoom, origin offset 2160
  EXPECT_DOUBLE_EQ(zp.TickLength, (11906.0 - 2880) / 14 * 50 / 100);
  EXPECT_DOUBLE_EQ(zp.OriginX, 5 * zp.TickLength + 2160);
  // Far more intervals than 16 bits hold: still scaled, no failure.
  const ZScale hz = Scale(WithOrigin({Dir(0, 0, 1e30f)}));
  EXPECT_GT(hz.Intervals, 1e28);
  EXPECT_TRUE(hz.Drawable);
}

TEST(ZPlotDisplay, AxesTicksLabelsAndEmptyDiagramsOnScreen) {
  const auto steps = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  const RecordingSurface s = DrawScreen(steps, 0), none = DrawScreen(steps, -2), mod = DrawScreen(steps, 400, true);
  ASSERT_GE(s.Primitives().size(), 2u);
  // The two axis lines first, in the foreground colour.
  EXPECT_EQ(Describe(s.Primitives()[0]), "line 500.000 1000.000 7075.000 1000.000 0,0,0");
  EXPECT_EQ(Describe(s.Primitives()[1]), "line 1000.000 500.000 1000.000 5905.000 0,0,0");
  const struct { const RecordingSurface* in; const char* text; double x, y; Colour ink; } texts[] = {
      {&s, "Up, W", 700, 180, Black}, {&s, "Projection Plane: 0 degree", PanelW - 2800, NAN, Blue},
      {&s, "1 Tick Mark = 5.00E+00", NAN, NAN, Black},  // extent 42.6
      {&s, "Declination", NAN, NAN, Red}, {&s, "Inclination", NAN, NAN, Blue}, {&s, "N", PanelW - 450, NAN, Black},
      {&s, "Down, E", NAN, PanelH - 500, Black}, {&s, "S", 200, NAN, Black},
      {&none, "No Projection", PanelW - 1450, NAN, Blue}, {&mod, "Projection Plane: 400 degree", NAN, NAN, Blue},
      {&mod, "N, Up", NAN, NAN, Black}, {&mod, "S, Down", NAN, NAN, Black}, {&mod, "W", NAN, NAN, Black}};
  for (const auto& t : texts) {
    const Primitive* p = FindText(*t.in, t.text);
    ASSERT_TRUE(p) << t.text;
    EXPECT_EQ(p->Text, t.text);
    EXPECT_EQ(p->Ink, t.ink) << t.text;
    EXPECT_TRUE(std::isnan(t.x) || p->X1 == t.x) << t.text;
    EXPECT_TRUE(std::isnan(t.y) || p->Y1 == t.y) << t.text;
  }
  EXPECT_EQ(FindText(s, "Up, W")->TextFont, (Font{"Times New Roman", 12}));
  EXPECT_EQ(s.Foreground(), Black);
  // Ticks: extent 42.6, interval 5: nt = 10 and u = 540.5 (from the panel's height)
  // from the origin at (1000, 1000): eleven to the right (1000 + 11 u < 7075), nine
  // down (1000 + 9 u < 5905), none left or up (1000 - u < 500).
  const auto ticks = Select(s, [](const Primitive& p) {
    return p.kind == Kind::Line && p.Ink == Black && (std::abs(p.Y2 - p.Y1) == 160 || std::abs(p.X2 - p.X1) == 160);
  });
  int right = 0, down = 0;
  for (const Primitive& p : ticks) {
    const bool horizontal = p.Y1 == 920;
    EXPECT_EQ(horizontal ? p.Y1 : p.X1, 920);
    EXPECT_GT(horizontal ? p.X1 : p.Y1, 1000);
    EXPECT_LT(horizontal ? p.X1 : p.Y1, horizontal ? PanelW - 500 : PanelH - 500);
    ++(horizontal ? right : down);
  }
  EXPECT_TRUE(right == 11 && down == 9);
  EXPECT_DOUBLE_EQ(ticks.front().X1, 1000 + 540.5);

  // No extent: no ticks, the axes only, and every symbol on the origin.
  for (const auto& empty : {WithOrigin({Dir(10, 30, 0), Dir(20, 40, 0)}), WithOrigin({}), std::vector<StepRecord>{},
                            WithOrigin({Dir(10, 30, 5, 0, 0)})}) {
    RecordingSurface e(PanelW, PanelH);
    PlotState state;
    ZPlotDisplay(e, ScreenLayout(), state, empty, 0, Coordinates::Geographic, false);
    EXPECT_TRUE(state.ZOriginX == 1000 && state.ZOriginY == 1000);
    EXPECT_EQ(OfKind(e, Kind::Line).size() - Lines(e, Red).size() - Lines(e, Blue).size(), 2u);
    EXPECT_TRUE(!FindText(e, "1 Tick Mark") && FindText(e, "Projection Plane: 0 degree"));
    for (const Primitive& p : OfKind(e, Kind::Box)) EXPECT_TRUE(p.X1 == 965 && p.Y1 == 965);
    for (const Primitive& p : OfKind(e, Kind::Circle)) EXPECT_TRUE(p.X1 == 1000 && p.Y1 == 1000);
  }
  // An infinite intensity: nothing at an infinite place. Too small a panel: nothing.
  const RecordingSurface inf = DrawScreen(WithOrigin({Dir(10, 30, Inf), Dir(10, 30, 2)}));
  EXPECT_FALSE(FindText(inf, "1 Tick Mark"));
  for (const Primitive& p : inf.Primitives()) EXPECT_TRUE(std::isfinite(p.X1) && std::isfinite(p.Y1));
  const auto one = WithOrigin({Dir(10, 30, 50)});
  EXPECT_TRUE(DrawScreen(one, 0, false, 1000, 5000).Primitives().empty());
  EXPECT_TRUE(DrawScreen(one, 0, false, 5000, 1000).Primitives().empty());
  EXPECT_FALSE(DrawScreen(one, 0, false, 1001, 1001).Primitives().empty());
}

TEST(ZPlotDisplay, PointsLinesColoursAndPaper) {
  // Step 1 plotted, step 2 not plotted, step 3 selected for least squares, step 4 not.
  const auto steps = WithOrigin({Dir(0, 0, 40), Dir(90, 0, 30, 0, 0), Dir(90, 0, 20, 1), Dir(170, 0, 10, 0, 1)});
  const RecordingSurface s = DrawScreen(steps);
  const auto boxes = OfKind(s, Kind::Box), circles = OfKind(s, Kind::Circle);  // steps 3 and 4, each twice
  ASSERT_EQ(boxes.size(), 2u);
  ASSERT_EQ(circles.size(), 4u);
  const Colour inks[] = {Red, Blue, Magenta, Green, Red, Blue};
  for (size_t k = 0; k < 6; ++k) {
    const Primitive& p = k < 2 ? boxes[k] : circles[k - 2];
    EXPECT_TRUE(p.Ink == inks[k] && p.Filled && p.Size == (k < 2 ? 70 : 35)) << k;
  }
  // The lines jump over the unplotted step 2: from the squares' centres to step 3.
  const auto red = Lines(s, Red), blue = Lines(s, Blue);
  ASSERT_EQ(red.size(), 2u);
  ASSERT_EQ(blue.size(), 2u);
  EXPECT_TRUE(red[0].X1 == boxes[0].X1 + 35 && red[0].Y1 == boxes[0].Y1 + 35 && red[0].X2 == circles[0].X1);
  EXPECT_TRUE(blue[0].X1 == boxes[1].X1 + 35 && blue[1].X2 == circles[3].X1);
  // Step 3 lies east: straight below the origin. Step 4 (N = -9.85) moves the origin
  // right by two ticks of (6405 - 1000) / 11 (extent 49.85, interval 5; the shorter side).
  const double u = 5405.0 / 11;
  const Primitive& verticalAxis = s.Primitives()[1];
  EXPECT_EQ(verticalAxis.X1, static_cast<float>(2 * u + 600));  // the origin is kept in single precision
  EXPECT_NEAR(circles[0].X1, verticalAxis.X1, 1e-6);
  EXPECT_NEAR(circles[0].Y1, 1000 + 20 * u / 5, 1e-6);
  // Step 1 not plotted: no squares, and step 2 has no line. The origin step is never
  // drawn, whatever its Plot flag.
  auto noFirst = WithOrigin({Dir(0, 0, 40, 0, 0), Dir(90, 10, 30), Dir(90, 20, 20)});
  const RecordingSurface n = DrawScreen(noFirst);
  EXPECT_TRUE(OfKind(n, Kind::Box).empty() && OfKind(n, Kind::Circle).size() == 4 && Lines(n, Red).size() == 1);
  noFirst.back().Plot = 1;
  EXPECT_EQ(DrawScreen(noFirst).Dump(), n.Dump());

  // On paper: the title first, the printer's sizes, the notes in the text colour.
  RecordingSurface page(11906, 16838, 100), tiny(2880, 16838);
  PlotState state;
  ZPlotDisplay(page, PaperLayout(), state, WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)}), -2,
               Coordinates::TiltCorrected, false);
  ASSERT_GE(page.Primitives().size(), 2u);
  EXPECT_EQ(Describe(page.Primitives()[0]),
            "text 1200.000 1200.000 0,0,0 \"Courier\" 12.000 \"Zijderveld Progressive Demagnetization "
            "Diagram : Tilt-corrected\"");
  const double length = 10 * ((11906.0 - 2880) / 10);  // extent 43.3 (C = h), interval 5
  EXPECT_EQ(Describe(page.Primitives()[1]),
            "line 1440.000 2160.000 " + Format(length + 2160, "0.000") + " 2160.000 0,0,0");
  const Primitive* np = FindText(page, "No Projection");
  ASSERT_TRUE(np);
  EXPECT_TRUE(np->X1 == length + 600 && np->Ink == Black);
  EXPECT_DOUBLE_EQ(FindText(page, "1 Tick Mark")->Y1, length + 2500);
  EXPECT_TRUE(OfKind(page, Kind::Box)[0].Size == 80 && OfKind(page, Kind::Circle)[0].Size == 50);
  EXPECT_EQ(state.ZOriginX, 2160);
  ZPlotDisplay(tiny, PaperLayout(), state, steps, 0, Coordinates::Geographic, false);
  EXPECT_TRUE(tiny.Primitives().empty());  // a page smaller than the margins
}
