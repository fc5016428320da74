// The plots against independent numbers and beyond the bundled examples, whose drawings
// are the golden-output test's: unplotted steps, empty, infinite or tiny plots; the
// layout rule, the projection plane, the all-sample selection, plot-all against the
// core, and every plot of real data inside its panel.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <sstream>

#include "convert/lab_file.h"
#include "plot/all_samples.h"
#include "plot/layout.h"
#include "plot/net.h"
#include "plot/plot_helpers.h"
#include "plot/projection_plane.h"
#include "plot/sample_plot.h"
#include "plot/zijderveld.h"
#include "session/session.h"
#include "store/numread.h"
#include "store/text.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

// W > H: R = (4000 - 720) / 2 = 1640, centre (3000, 2000).
const double W = 6000, H = 4000, R = 1640, CX = 3000, CY = 2000, Rad = 0.0174532925199433;

RecordingSurface DrawSteps(NetKind kind, const std::vector<StepRecord>& steps,
                           Coordinates coords = Coordinates::Geographic, double w = W, double h = H) {
  RecordingSurface s(w, h);
  PlotState state;
  DrawNet(s, ScreenLayout(), state, kind);
  DrawNetSteps(s, ScreenLayout(), state, kind, coords, steps);
  return s;
}

// The net's own circles are black; symbols are the boxes and the coloured circles.
std::vector<Primitive> Symbols(const RecordingSurface& s) {
  return Select(s, [](const Primitive& p) { return p.kind == Kind::Box || (p.kind == Kind::Circle && p.Ink != Black);
  });
}

const double PanelW = 7575, PanelH = 6405;  // the panel of a 1024 x 768 pixel window
const float Inf = std::numeric_limits<float>::infinity();

RecordingSurface DrawScreen(const std::vector<StepRecord>& steps, int32_t plane = 0, bool modified = false,
                            double w = PanelW, double h = PanelH) {
  RecordingSurface s(w, h);
  PlotState state;
  ZPlotDisplay(s, ScreenLayout(), state, steps, plane, Coordinates::Geographic, modified);
  return s;
}
ZScale Scale(const std::vector<StepRecord>& steps, bool paper = false) {
  return ZijderveldScale(steps, Coordinates::Geographic, false, 0, paper ? PaperLayout() : ScreenLayout(),
                         paper ? 11906 : PanelW, paper ? 16838 : PanelH, 100);
}
ZComponents Components(const StepRecord& s, int32_t plane, bool modified = false) {  // geographic
  return ZijderveldComponents(s, Coordinates::Geographic, modified, plane);
}

// A measured step whose tilt-corrected declination is its geographic one + 100; a
// sample as the walk reads it, its steps followed by the origin step, or with a result.
StepRecord At(const char* method, float level, float gdec, int plot = 1) {
  StepRecord s = Step(method, level, gdec, 30, gdec + 100, 30, 1e-3f, 0.1f);
  s.Plot = plot;
  return s;
}
SampleRecords Sample(std::vector<StepRecord> steps, bool active = true) {
  SampleRecords r;
  r.Active = active;
  r.Steps = WithOrigin(std::move(steps));
  r.Header.StepCount = static_cast<int32_t>(r.Steps.size());
  return r;
}
SampleRecords Result(const char* label, int32_t active, float gdec, bool sampleActive = true) {
  SampleRecords r = Sample({}, sampleActive);
  r.Header.LSquareRecord = 900;
  r.Result = LSquareResult{.GDec = gdec, .TDec = gdec + 100, .Label = label, .Active = active};
  return r;
}

}  // namespace

TEST(Net, RadiiCentresPositionsFillingColoursAndPaths) {
  EXPECT_TRUE(std::abs(StereoRadius(R, 0) - R) < 1e-9 && std::abs(EqualAreaRadius(R, 0) - R) < 1e-9);
  EXPECT_NEAR(StereoRadius(R, 90), 0, 1e-9);
  EXPECT_NEAR(EqualAreaRadius(R, -90), 0, 1e-6);
  EXPECT_NEAR(EqualAreaRadius(R, -30), R * std::sqrt(2.0) * std::sin(30 * Rad), 1e-9);
  EXPECT_NEAR(StereoRadius(R, 30), R * std::tan(30 * Rad), 1e-9);
  RecordingSurface wide(W, H), narrow(700, 4000);
  PlotState st, na;
  DrawNet(wide, ScreenLayout(), st, NetKind::EqualArea);
  EXPECT_TRUE(st.NetRadius == R && st.NetCentreX == CX && st.NetCentreY == CY);
  // No radius: no net and no points.
  DrawNet(narrow, ScreenLayout(), na, NetKind::Stereographic);
  DrawNetSteps(narrow, ScreenLayout(), na, NetKind::Stereographic, Coordinates::Geographic, WithOrigin({Dir(10, 10)}));
  DrawNetPoints(narrow, ScreenLayout(), na, NetKind::Stereographic, {10}, {10});
  EXPECT_TRUE(na.NetRadius <= 0 && narrow.Primitives().empty());
  // The net is drawn with the single-precision values the points are placed by.
  const RecordingSurface odd =
      DrawSteps(NetKind::EqualArea, WithOrigin({Dir(0, 20), Dir(10, 90)}), Coordinates::Geographic, 7575.3, 6405.7);
  const Primitive rim = OfKind(odd, Kind::Circle).front(), centre = Symbols(odd).back();
  EXPECT_TRUE(rim.X1 == static_cast<float>(7575.3 / 2) && rim.Y1 == static_cast<float>(6405.7 / 2) &&
              rim.Size == static_cast<float>((6405.7 - 720) / 2) && centre.X1 == rim.X1 && centre.Y1 == rim.Y1);
  // The step-1 square at I = 90 on the centre; I = 0 east on the rim; I = -30 where 30 would be.
  for (NetKind kind : {NetKind::Stereographic, NetKind::EqualArea}) {
    const auto sym = Symbols(DrawSteps(kind, WithOrigin({Dir(123, 90), Dir(90, 0), Dir(200, -30)})));
    const double r = NetDistance(kind, R, 30);
    const double x = CX + r * std::sin(200 * Rad), y = CY - r * std::cos(200 * Rad);
    const double want[][2] = {{CX - 35, CY - 35}, {CX + R, CY}, {x, y}};
    ASSERT_EQ(sym.size(), 3u);
    for (size_t k = 0; k < 3; ++k)
      EXPECT_TRUE(std::abs(sym[k].X1 - want[k][0]) < 1e-3 && std::abs(sym[k].Y1 - want[k][1]) < 1e-3) << k;
  }
  // Tilt-corrected: an open square for an upper TInc, whatever the selection; selected green; LSquare 7 unset.
  StepRecord first = Step("NRM", 0, 0, 50, 100, -20, 1, 0), second = Step("AF", 5, 0, 50, 90, 40, 1, 0);
  first.LSquare = second.LSquare = 1;
  const auto tilt =
      Symbols(DrawSteps(NetKind::EqualArea, WithOrigin({first, second, Dir(0, 10, 1, 7)}), Coordinates::TiltCorrected));
  ASSERT_EQ(tilt.size(), 3u);
  EXPECT_TRUE(!tilt[0].Filled && tilt[0].Ink == Black && tilt[1].Ink == Green && tilt[2].Ink == Red);
  EXPECT_NEAR(tilt[1].X1, CX + EqualAreaRadius(R, 40), 1e-3);  // TDec 90
  // Step 2 not plotted: the chords join the square's centre to step 3's, drawn before its circle.
  const RecordingSurface s =
      DrawSteps(NetKind::Stereographic, WithOrigin({Dir(0, 20), Dir(300, 60, 1, 0, 0), Dir(90, 20)}));
  const auto path = Lines(s, Blue), sym = Symbols(s);
  ASSERT_TRUE(path.size() == 100 && sym.size() == 2);
  EXPECT_TRUE(path.front().X1 == sym[0].X1 + 35 && path.front().Y1 == sym[0].Y1 + 35);
  EXPECT_TRUE(path.back().X2 == sym[1].X1 && path.back().Y2 == sym[1].Y1);
  for (size_t k = 1; k < path.size(); ++k) EXPECT_TRUE(path[k].X1 == path[k - 1].X2 && path[k].Y1 == path[k - 1].Y2);
  // The great circle between two directions at I = 20 climbs toward the centre.
  EXPECT_LT(std::hypot(path[50].X1 - CX, path[50].Y1 - CY), std::hypot(sym[1].X1 - CX, sym[1].Y1 - CY));
  EXPECT_TRUE(s.Primitives().back().kind == Kind::Circle && s.Primitives().back().Ink == Red);
  // One step: the square only, whatever the origin step's Plot. Step 1 not plotted: a circle, no path.
  const RecordingSurface one = DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40)}));
  auto plottedOrigin = WithOrigin({Dir(40, 40)});
  plottedOrigin.back().Plot = 1;
  EXPECT_EQ(DrawSteps(NetKind::Stereographic, plottedOrigin).Dump(), one.Dump());
  EXPECT_TRUE(Symbols(one).size() == 1 && Lines(one, Blue).empty());
  const auto noFirst = Symbols(DrawSteps(NetKind::Stereographic, WithOrigin({Dir(40, 40, 1, 0, 0), Dir(50, 40)})));
  EXPECT_TRUE(noFirst.size() == 1 && noFirst[0].kind == Kind::Circle);
}

TEST(PlotWindowLayout, RuleAndRecordingSurface) {
  // W = 2 (H - 550) exactly: the first rule; a little wider: the second; too small: no layout.
  const struct { double w, h, panelWidth, panelHeight; } cases[] = {
      {12000, 6550, 5900, 0.8453 * 5900}, {12002, 6550, 5950, 0.75 * 5950}, {30000, 5000, 4400, 0.75 * 4400}};
  for (const auto& c : cases) {
    const PlotWindowLayout l = LayoutPlotWindow(c.w, c.h);
    EXPECT_TRUE(l.Valid && l.PanelWidth == c.panelWidth && l.SLeft == l.PanelWidth + 300) << c.w;
    EXPECT_DOUBLE_EQ(l.PanelHeight, c.panelHeight) << c.w;
  }
  for (auto [w, h] : {std::pair{200.0, 5000.0}, {5000.0, 600.0}, {0.0, 0.0}})
    EXPECT_FALSE(LayoutPlotWindow(w, h).Valid);
  // The recording surface drops what cannot be drawn and replays the rest in its colours.
  RecordingSurface s(100, 100), copy(100, 100);
  s.Line(0, 0, NAN, 1);
  s.Circle(1, 1, -1, Red);
  s.Box(1, 1, INFINITY, true);
  s.SetForeground(Green);
  s.Text(7, 8, "x");
  Replay(s.Primitives(), copy);
  EXPECT_EQ(copy.Dump(), "text 7.000 8.000 0,255,0 \"Times New Roman\" 12.000 \"x\"\n");
  EXPECT_EQ(copy.Foreground(), Black);
}

TEST(Zijderveld, TickIntervalsComponentsAndScale) {
  // 40 is not above 40; no answer gives zero instead of looping.
  const struct { float extent, want; } ticks[] = {
      {100, 10}, {50, 5}, {40, 2}, {30, 2}, {15, 1}, {5, 0.5f}, {0.37f, 0.02f}, {1000, 20}, {7.67e-5f, 5e-6f},
      {3e38f, 20}, {0, 0}, {-3, 0}, {Inf, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& c : ticks) EXPECT_FLOAT_EQ(TickInterval(c.extent), c.want) << c.extent;
  EXPECT_GE(TickInterval(std::numeric_limits<float>::denorm_min()), 0);  // must come back
  const double h = 10 * std::cos(20 * Rad);
  const ZComponents z0 = Components(Dir(30, 20, 10), 0);
  EXPECT_NEAR(z0.A, h * std::cos(30 * Rad), 1e-5);
  EXPECT_NEAR(z0.B, h * std::sin(30 * Rad), 1e-5);
  EXPECT_TRUE(z0.C == z0.A && std::abs(z0.V - 10 * std::sin(20 * Rad)) < 1e-5);  // the north-south plane: N
  // -2: no projection, the horizontal component at full length; 400 acts as 40.
  EXPECT_NEAR(Components(Dir(200, -20, 10), -2).C, h, 1e-5);
  EXPECT_NEAR(Components(Dir(30, 20, 10), 400).C, h * std::cos(-10 * Rad), 1e-5);
  // The modified layout turns the horizontal projection a quarter turn.
  const ZComponents mod = Components(Dir(30, 20, 10), 20, true), std_ = Components(Dir(30, 20, 10), 20);
  EXPECT_TRUE(mod.A == std_.B && mod.B == -std_.A && mod.C == std_.C && mod.V == std_.V);
  // Only positive components: the origin sits at the fixed corner.
  const ZScale p = Scale(WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)}), true);
  EXPECT_TRUE(p.Min1 == 0 && p.Min2 == 0 && p.OriginX == 2160 && p.OriginY == 2160);
  // South-east: A = C = -8.66 moves the origin by whole ticks; extent 25.98, interval 2, 14 of them.
  const auto south = WithOrigin({Dir(150, 0, 10), Dir(0, 30, 20)});
  const ZScale z = Scale(south);
  EXPECT_NEAR(z.Min1, -8.660254, 1e-5);
  EXPECT_NEAR(z.Extent, 8.660254 + 17.320508, 1e-4);
  EXPECT_TRUE(z.Min2 == 0 && z.Tick == 2 && z.Intervals == 14 && z.OriginY == 1000);
  EXPECT_DOUBLE_EQ(z.TickLength, (PanelH - 1000) / 14);
  EXPECT_DOUBLE_EQ(z.OriginX, 5 * z.TickLength + 600);
  // Far more intervals than 16 bits hold: still scaled, no failure.
  const ZScale hz = Scale(WithOrigin({Dir(0, 0, 1e30f)}));
  EXPECT_TRUE(hz.Intervals > 1e28 && hz.Drawable);
}

TEST(ZPlotDisplay, NotesEmptyDiagramsUnplottedStepsAndTheOrigin) {
  const auto steps = WithOrigin({Dir(10, 30, 50), Dir(20, 40, 30)});
  const RecordingSurface none = DrawScreen(steps, -2), mod = DrawScreen(steps, 400, true);
  for (const auto& [in, text, x] : {std::tuple{&none, "No Projection", PanelW - 1450},
                                     {&mod, "Projection Plane: 400 degree", PanelW - 2800}}) {
    const Primitive* p = FindText(*in, text);
    ASSERT_TRUE(p) << text;
    EXPECT_TRUE(p->Text == text && p->Ink == Blue && p->X1 == x) << text;
  }
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
  // An infinite intensity: nothing at an infinite place. Too small a panel or page: nothing.
  const RecordingSurface inf = DrawScreen(WithOrigin({Dir(10, 30, Inf), Dir(10, 30, 2)}));
  EXPECT_TRUE(!FindText(inf, "1 Tick Mark") && !inf.Primitives().empty());
  for (const Primitive& p : inf.Primitives()) EXPECT_TRUE(std::isfinite(p.X1) && std::isfinite(p.Y1));
  const auto one = WithOrigin({Dir(10, 30, 50)});
  EXPECT_TRUE(DrawScreen(one, 0, false, 1000, 5000).Primitives().empty() &&
              DrawScreen(one, 0, false, 5000, 1000).Primitives().empty());
  EXPECT_FALSE(DrawScreen(one, 0, false, 1001, 1001).Primitives().empty());
  RecordingSurface tiny(2880, 16838);
  PlotState state;
  ZPlotDisplay(tiny, PaperLayout(), state, one, 0, Coordinates::Geographic, false);
  EXPECT_TRUE(tiny.Primitives().empty());
  // Step 2 not plotted, step 3 selected: lines from the squares' centres to step 3, magenta and green.
  const RecordingSurface s = DrawScreen(WithOrigin({Dir(0, 0, 40), Dir(90, 0, 30, 0, 0), Dir(90, 0, 20, 1)}));
  const auto boxes = OfKind(s, Kind::Box), circles = OfKind(s, Kind::Circle), red = Lines(s, Red);
  ASSERT_TRUE(boxes.size() == 2 && circles.size() == 2 && red.size() == 1 && Lines(s, Blue).size() == 1);
  EXPECT_TRUE(red[0].X1 == boxes[0].X1 + 35 && red[0].Y1 == boxes[0].Y1 + 35 && red[0].X2 == circles[0].X1);
  EXPECT_TRUE(circles[0].Ink == Magenta && circles[1].Ink == Green && boxes[0].Ink == Red && boxes[1].Ink == Blue);
  EXPECT_NEAR(circles[0].X1, s.Primitives()[1].X1, 1e-6);  // the vertical axis
  EXPECT_NEAR(circles[0].Y1, 1000 + 20 * (5405.0 / 22) / 2, 1e-6);  // extent 40, interval 2: 22 intervals
  // Step 1 not plotted: no squares, no line to step 2. The origin step is never drawn, whatever its Plot.
  auto noFirst = WithOrigin({Dir(0, 0, 40, 0, 0), Dir(90, 10, 30), Dir(90, 20, 20)});
  const RecordingSurface n = DrawScreen(noFirst);
  EXPECT_TRUE(OfKind(n, Kind::Box).empty() && OfKind(n, Kind::Circle).size() == 4 && Lines(n, Red).size() == 1);
  noFirst.back().Plot = 1;
  EXPECT_EQ(DrawScreen(noFirst).Dump(), n.Dump());
}

TEST(ProjectionPlane, AskedUntilAWholeNumberWritesOnlyTheFieldOrNothing) {
  TempDir dir;
  const std::string path = dir.File("plane.mag");
  WriteMag(path, {"Section", 70.96f, 351.39f, {{"A", {Dir(10, 10), Dir(20, 20)}}, {"B", {Dir(30, 30)}, 0, 12.5f, 7}}});
  Session s = OpenSession(path), closed;
  s.ListSample(2);
  ScriptedDialogs dialogs;
  const auto header = [&] { return SampleFile::Open(path).ReadSlot(6); };  // B: after A's header and 3 steps
  const Slot before = header();
  dialogs.answers = {"north", " ", "1e10", "inf", "12,5", "2.5"};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done);
  EXPECT_TRUE(dialogs.questions.size() == 6 && dialogs.questions[0].title == "Projection Plane Dialogbox");
  Slot after = header();
  EXPECT_EQ(DecodeSampleHeader(after).ProjectionDec, 2);  // halves to even
  EXPECT_EQ(s.CurrentHeader().ProjectionDec, 2);          // the sample is read again
  std::copy_n(before.begin() + 32, 4, after.begin() + 32);
  EXPECT_EQ(after, before);  // every other byte as it was
  for (auto [answer, stored] : {std::pair{"-2", -2}, {"400", 400}, {"-2147483648", INT32_MIN}, {" 359.5 ", 360}}) {
    dialogs.answers = {answer};
    EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done) << answer;
    EXPECT_EQ(DecodeSampleHeader(header()).ProjectionDec, stored) << answer;
  }
  // Cancel, no file, no such sample, B's header out of its chain: nothing written.
  dialogs.questions.clear();
  dialogs.answers = {"abc", "", "45"};
  SampleHeader broken = DecodeSampleHeader(header());
  broken.StepCount = 40;
  s.File().Write(6, broken);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Cancelled);
  EXPECT_EQ(SetProjectionPlane(closed, 1, dialogs), Outcome::Kind::Nothing);
  for (int position : {0, 3}) EXPECT_EQ(SetProjectionPlane(s, position, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Failed);
  EXPECT_TRUE(dialogs.messages.size() == 1 && ReadBytes(path) == bytes);
}

TEST(AllSamples, SelectionRules) {
  using D = AllSamplesData;
  std::vector<StepRecord> sixth(5, At("AF", 5, 2)), seventh(6, At("AF", 5, 2));
  sixth.push_back(At("NRM", 0, 99));
  seventh.push_back(At("NRM", 0, 99));
  // What is taken, of which samples, for which data set and level: the geographic declinations in order.
  const struct { const char* what; std::vector<SampleRecords> samples; D data; float level; std::vector<float> decs; }
      cases[] = {
      {"inactive sample left out", {Sample({At("NRM", 0, 10)}, false), Sample({At("NRM", 0, 11)})}, D::Nrm, 0, {11}},
      {"NRM with Plot 0 left out", {Sample({At("NRM", 0, 10, 0), At("AF", 5, 12)})}, D::Nrm, 0, {}},
      {"NRM as the sixth step", {Sample(sixth)}, D::Nrm, 0, {99}},
      {"NRM as the seventh step", {Sample(seventh)}, D::Nrm, 0, {}},
      {"two NRM steps", {Sample({At("NRM", 0, 10), At("NRM", 0, 20), At("TT", 100, 30)})}, D::Nrm, 0, {10, 20}},
      {"two at the level", {Sample({At("AF", 20, 1), At("AF", 20, 2), At("AF", 30, 3)})}, D::AlternatingField, 20,
       {1, 2}},
      {"20 does not match 20.5", {Sample({At("AF", 20.5f, 1), At("AF", 20, 2)})}, D::AlternatingField, 20, {2}},
      {"20.0 typed is 20", {Sample({At("AF", 20.5f, 1), At("AF", 20, 2)})}, D::ArbitraryTemperature,
       *ReadSingle("20.0"), {2}},
      {"Plot 0 at the level", {Sample({At("TT", 300, 1, 0), At("TT", 300, 2)})}, D::ArbitraryTemperature, 300, {2}},
      {"level 0 matches the NRM, never the origin", {Sample({At("NRM", 0, 7)})}, D::AlternatingField, 0, {7}},
      {"no method examined for a level", {Sample({At("TT", 20, 8), At("AF", 20, 9)})}, D::AlternatingField, 20, {8, 9}},
      {"admitted labels", {Result("N  ", 1, 1), Result("NP ", 1, 2), Result("R  ", 1, 3), Result("RP ", 1, 4)},
       D::LSquare, 0, {1, 2, 3, 4}},
      {"other labels left out", {Result("NPP", 1, 1), Result("RPP", 1, 2), Result("N? ", 1, 3), Result("R? ", 1, 4),
                                 Result("INT", 1, 5), Result("n  ", 1, 6), Result("N", 1, 7)}, D::LSquare, 0, {}},
      {"over 500 directions, all kept", std::vector<SampleRecords>(260, Sample({At("NRM", 0, 1), At("NRM", 0, 1)})),
       D::Nrm, 0, std::vector<float>(520, 1)},
      {"result Active 0, inactive sample, no result",
       {Result("N  ", 0, 1), Result("R  ", 1, 2, false), Sample({At("NRM", 0, 3)}), Result("R  ", 1, 4)}, D::LSquare,
       0, {4}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SelectPoints(c.samples, c.data, c.level, Coordinates::Geographic).Declinations, c.decs) << c.what;
    std::vector<float> tilt;  // the tilt-corrected declinations are the geographic ones + 100
    for (float d : c.decs) tilt.push_back(d + 100);
    EXPECT_EQ(SelectPoints(c.samples, c.data, c.level, Coordinates::TiltCorrected).Declinations, tilt) << c.what;
  }
}

TEST(AllSamples, CaptionsTitlesAndQuestions) {
  using D = AllSamplesData;
  using C = Coordinates;
  // Nothing ticked: a fresh title; stereographic before equal-area; geographic from either net.
  const NetChoice none = ChooseAllSamplesNet(false, false, false, false);
  const NetChoice first = ChooseAllSamplesNet(false, true, true, false);
  EXPECT_TRUE(none.Net == NetKind::EqualArea && none.Coords == C::TiltCorrected && none.FreshTitle);
  EXPECT_TRUE(first.Net == NetKind::Stereographic && first.Coords == C::Geographic && !first.FreshTitle);
  EXPECT_EQ(ChooseAllSamplesNet(false, false, false, true).Coords, C::Geographic);
  EXPECT_EQ(AllSamplesCaption(D::AlternatingField, 20.5f),
            "Right Panel: Projection of all samples using data at 21 mT");
  const NetKind S = NetKind::Stereographic, E = NetKind::EqualArea;
  const struct { D data; NetKind net; C coords; const char* text; } titles[] = {
      {D::AlternatingField, E, C::Geographic, "Equal-Area Projection of All Samples -  20 mT, Geographic"},
      {D::AlternatingField, E, C::TiltCorrected, "Equal-Area Projection of All Samples - 20 mT, Tilt-Corrected"},
      {D::ArbitraryTemperature, E, C::Geographic, "Equal-Area Projection of All Samples -  20 degree, Geographic"},
      {D::ArbitraryTemperature, S, C::TiltCorrected,
       "Stereographic Projection of All Samples - 20 degree, Tilt-Corrected"},
      {D::LSquare, E, C::Geographic, "Equal-Area Projection of All Samples - Least Square, Geographic"}};
  for (const auto& t : titles) EXPECT_EQ(PrintedAllSamplesTitle(t.data, t.net, t.coords, 20), t.text);
  // The level and the data set are asked until valid; an empty answer cancels.
  ScriptedDialogs d;
  d.answers = {"abc", "20.0", "", "NRM", " l", "l", "T", ""};
  EXPECT_EQ(AskAllSamplesLevel(d, D::AlternatingField), 20.0f);
  EXPECT_FALSE(AskAllSamplesLevel(d, D::ArbitraryTemperature));
  EXPECT_EQ(AskPrintDataSet(d), D::LSquare);
  EXPECT_EQ(AskPrintDataSet(d), D::ArbitraryTemperature);
  EXPECT_FALSE(AskPrintDataSet(d));
  ASSERT_EQ(d.questions.size(), 8u);
  EXPECT_TRUE(d.questions[0].title == "Alternating Field Strength Selection" &&
              d.questions[2].title == "Temperature Selection" &&
              d.questions[3].title == "Data Set Selection for Printing All Points");
}

// plot-all writes what the core draws for the file's directions on the page; bad usage is refused.
TEST(CliPlotAll, EqualsTheCoreAndRefusesBadUsage) {
  TempDir dir;
  const std::string path = dir.File("section.mag"), out = dir.File("all.txt");
  WriteMag(path, {"S", 0, 0,
                  {{"A1", {Step("NRM", 0, 10, 40, 15, 35, 1e-3f, 1), Step("AF", 20, 20, -10, 25, -5, 5e-4f, 1)}},
                   {"A2", {Step("NRM", 0, 200, -30, 205, -25, 1e-3f, 1)}}}});
  const Session s = OpenSession(path);
  const CliResult r = RunCli({"plot-all", path, "--out", out, "--data=af", "--level", "20.0", "--kind=equal-area",
                              "--coords=tilt", "--paper"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + "\n");
  const auto data = AllSamplesData::AlternatingField;
  const PointSelection points = SelectPoints(ReadAllSamples(s, data), data, 20, Coordinates::TiltCorrected);
  RecordingSurface rec(A4Width, A4Height);
  PlotState state;
  const PageHeading heading{path, PrintedAllSamplesTitle(data, NetKind::EqualArea, Coordinates::TiltCorrected, 20)};
  DrawAllSamplesPlot(rec, PaperLayout(), state, NetKind::EqualArea, points, &heading);
  EXPECT_EQ(ReadBytes(out), Latin1ToUtf8(rec.Dump()));
  // A misspelt data set, a missing or needless level, a kind that is no net: each said.
  for (auto [args, reason] : {std::pair{"--data xrm --kind equal-area", "--data must be"},
                              {"--data af --kind equal-area", "need --level"},
                              {"--data nrm --level 20 --kind equal-area", "--level applies to"},
                              {"--data nrm --kind rose", "--kind must be"}}) {
    std::vector<std::string> full = {"plot-all", path, "--out", dir.File("x.svg"), "--coords=tilt"};
    std::istringstream words(args);
    for (std::string word; words >> word;) full.push_back(word);
    const CliResult bad = RunCli(full);
    EXPECT_TRUE(bad.status == 2 && bad.err.find(reason) != std::string::npos &&
                bad.err.find("usage: remanex-cli plot-all") != std::string::npos) << args << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.svg")));
  }
}

// Every plot stays inside its panel or page: every point, line and label of every
// kind of plot, for every sample of the bundled examples and of the real data sets
// (skipped when that folder is absent), on panels of several shapes and on the page.
class Bounds : public ::testing::TestWithParam<std::string> {};

TEST_P(Bounds, EverySamplePlotAndAllSampleNetStaysInside) {
  if (!std::filesystem::exists(GetParam())) GTEST_SKIP() << "no data at " << GetParam();
  TempDir dir;
  const auto records = ReadLaboratoryFile(ReadBytes(GetParam()), Layout::Tab).records;
  WriteSlots(dir.File("d.mag"), {records.begin(), records.end()});
  Session session = OpenSession(dir.File("d.mag"));
  std::vector<std::string> failures;
  // Draws on each frame (three panels, the A4 page) and keeps what fell outside: either
  // end of a line, any part of a circle or square, the top-left corner of a text.
  const auto expect = [&](const std::string& what, const std::function<void(Surface&, const PlotLayout&)>& draw) {
    for (auto [w, h] : {std::pair{7575.0, 6405.0}, {12000.0, 4500.0}, {4500.0, 8000.0}, {A4Width, A4Height}}) {
      RecordingSurface s(w, h);
      draw(s, w == A4Width ? PaperLayout() : ScreenLayout());
      const auto in = [&](double x, double y) { return x >= 0 && y >= 0 && x <= w && y <= h; };
      if (s.Primitives().empty()) failures.push_back(what + ": nothing drawn");
      for (const Primitive& p : s.Primitives()) {
        const double r = p.kind == Kind::Circle ? p.Size : 0, side = p.kind == Kind::Box ? p.Size : 0;
        const bool inside = p.kind == Kind::Line ? in(p.X1, p.Y1) && in(p.X2, p.Y2)
                                                 : in(p.X1 - r, p.Y1 - r) && in(p.X1 + r + side, p.Y1 + r + side);
        if (!inside) failures.push_back(what + " on " + std::to_string(w) + " wide: " + Describe(p));
      }
    }
  };
  for (int p = 1; p <= session.SampleCount(); ++p) {
    session.ListSample(p);
    const SampleHeader& header = session.CurrentHeader();
    for (const int32_t plane : {header.ProjectionDec, -2, 135})
      for (PlotKind kind :
           {PlotKind::Zijderveld, PlotKind::ModifiedZijderveld, PlotKind::Stereographic, PlotKind::EqualArea})
        for (Coordinates coords : {Coordinates::Geographic, Coordinates::TiltCorrected}) {
          if (IsNet(kind) && plane != header.ProjectionDec) continue;  // the plane is the diagram's only
          SampleHeader h = header;
          h.ProjectionDec = plane;
          expect(header.SampleName + " " + PanelTitle(kind, coords) + " plane " + std::to_string(plane),
                 [&](Surface& s, const PlotLayout& l) {
                   PlotState state;
                   DrawSamplePlot(s, l, state, kind, coords, h, session.Steps());
                 });
        }
  }
  // Every level some step of the file has, and the NRM and least-squares sets.
  std::set<float> levels;
  for (const SampleRecords& r : ReadAllSamples(session, AllSamplesData::AlternatingField))
    for (const StepRecord& s : r.Steps) levels.insert(s.Level);
  std::vector<std::pair<AllSamplesData, float>> sets = {{AllSamplesData::Nrm, 0}, {AllSamplesData::LSquare, 0}};
  for (float level : levels) sets.push_back({AllSamplesData::ArbitraryTemperature, level});
  size_t points = 0;
  for (const auto& [data, level] : sets)
    for (NetKind net : {NetKind::Stereographic, NetKind::EqualArea})
      for (Coordinates coords : {Coordinates::Geographic, Coordinates::TiltCorrected}) {
        const PointSelection sel = SelectPoints(ReadAllSamples(session, data), data, level, coords);
        points += sel.Declinations.size();
        const PageHeading heading{session.FileName(), PrintedAllSamplesTitle(data, net, coords, level)};
        expect(heading.Title, [&](Surface& s, const PlotLayout& l) {
          PlotState state;
          DrawAllSamplesPlot(s, l, state, net, sel, l.Paper ? &heading : nullptr);
        });
      }
  EXPECT_GT(points, 0u);
  for (size_t k = 0; k < failures.size() && k < 20; ++k) ADD_FAILURE() << failures[k] << " of " << failures.size();
}

INSTANTIATE_TEST_SUITE_P(Sets, Bounds,
                         ::testing::Values(REMANEX_EXAMPLES "/af/KVA.tab", REMANEX_EXAMPLES "/thermal/KVT.tab",
                                           REMANEX_REAL_DATA "/simpson_island_si1/SI1.tab",
                                           REMANEX_REAL_DATA "/jan_mayen_thermal/JMT.tab",
                                           REMANEX_REAL_DATA "/sfvf_thermal/SFVT.tab"),
                         [](const auto& i) { return std::filesystem::path(i.param).parent_path().filename().string();
                         });
