#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/all_samples.h"
#include "plot/plot_helpers.h"
#include "session/session.h"
#include "store/numread.h"
#include "store/text.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

// A measured step whose tilt-corrected declination is its geographic one + 100.
StepRecord At(const char* method, float level, float gdec, float ginc = 30, int plot = 1) {
  StepRecord s = Step(method, level, gdec, ginc, gdec + 100, ginc, 1e-3f, 0.1f);
  s.Plot = plot;
  return s;
}

// A sample as the walk reads it, its steps followed by the origin step.
SampleRecords Sample(std::vector<StepRecord> steps, bool active = true) {
  SampleRecords r;
  r.Active = active;
  r.Position = 1;
  r.Slot = 2;
  r.Steps = WithOrigin(std::move(steps));
  r.Header.StepCount = static_cast<int32_t>(r.Steps.size());
  return r;
}

SampleRecords WithResult(const char* label, int32_t active, float gdec, bool sampleActive = true) {
  SampleRecords r = Sample({}, sampleActive);
  r.Header.LSquareRecord = 900;
  LSquareResult res;
  res.GDec = gdec;
  res.GInc = -20;
  res.TDec = gdec + 100;
  res.TInc = -20;
  res.Label = label;
  res.Active = active;
  r.Result = res;
  return r;
}

struct SelectCase {
  const char* what;
  std::vector<SampleRecords> samples;
  AllSamplesData data;
  float level;
  std::vector<float> declinations;  // geographic, in order
};

}  // namespace

TEST(AllSamples, SelectionRules) {
  using D = AllSamplesData;
  const std::vector<StepRecord> six = {At("AF", 5, 2), At("AF", 10, 3), At("AF", 15, 4), At("AF", 20, 5),
                                       At("AF", 25, 6)};
  auto nrmAt = [&](size_t index) {
    std::vector<StepRecord> steps = six;
    steps.insert(steps.begin() + static_cast<long>(index), At("NRM", 0, 99));
    return steps;
  };
  const std::vector<SelectCase> cases = {
      {"inactive sample left out", {Sample({At("NRM", 0, 10)}, false), Sample({At("NRM", 0, 11)})}, D::Nrm, 0, {11}},
      {"NRM with Plot 0 left out", {Sample({At("NRM", 0, 10, 30, 0), At("AF", 5, 12)})}, D::Nrm, 0, {}},
      {"NRM as the sixth step", {Sample(nrmAt(5))}, D::Nrm, 0, {99}},
      {"NRM as the seventh step", {Sample([&] { auto s = nrmAt(5); s.insert(s.begin(), At("AF", 1, 1)); return s; }())},
       D::Nrm, 0, {}},
      {"two data steps give one NRM point", {Sample({At("NRM", 0, 10), At("TT", 100, 20)})}, D::Nrm, 0, {10}},
      {"two NRM steps give two points", {Sample({At("NRM", 0, 10), At("NRM", 0, 20), At("TT", 100, 30)})}, D::Nrm,
       0, {10, 20}},
      {"two steps at the level", {Sample({At("AF", 20, 1), At("AF", 20, 2), At("AF", 30, 3)})}, D::AlternatingField,
       20, {1, 2}},
      {"20 does not match 20.5", {Sample({At("AF", 20.5f, 1), At("AF", 20, 2)})}, D::AlternatingField, 20, {2}},
      {"20.0 typed is 20", {Sample({At("AF", 20.5f, 1), At("AF", 20, 2)})}, D::ArbitraryTemperature,
       *ReadSingle("20.0"), {2}},
      {"Plot 0 at the level left out", {Sample({At("TT", 300, 1, 30, 0), At("TT", 300, 2)})},
       D::ArbitraryTemperature, 300, {2}},
      {"level 0 matches the NRM, never the origin", {Sample({At("NRM", 0, 7)})}, D::AlternatingField, 0, {7}},
      {"the method is not examined for a level", {Sample({At("TT", 20, 8), At("AF", 20, 9)})}, D::AlternatingField,
       20, {8, 9}},
      {"admitted labels",
       {WithResult("N  ", 1, 1), WithResult("NP ", 1, 2), WithResult("R  ", 1, 3), WithResult("RP ", 1, 4)},
       D::LSquare, 0, {1, 2, 3, 4}},
      {"other labels left out",
       {WithResult("NPP", 1, 1), WithResult("RPP", 1, 2), WithResult("N? ", 1, 3), WithResult("R? ", 1, 4),
        WithResult("INT", 1, 5), WithResult("n  ", 1, 6), WithResult("N", 1, 7)},
       D::LSquare, 0, {}},
      {"more than 500 directions, all kept", std::vector<SampleRecords>(260, Sample({At("NRM", 0, 1), At("NRM", 0, 1)})),
       D::Nrm, 0, std::vector<float>(520, 1)},
      {"result Active 0, inactive sample, no result",
       {WithResult("N  ", 0, 1), WithResult("R  ", 1, 2, false), Sample({At("NRM", 0, 3)}), WithResult("R  ", 1, 4)},
       D::LSquare, 0, {4}},
  };
  for (const SelectCase& c : cases) {
    const PointSelection p = SelectPoints(c.samples, c.data, c.level, Coordinates::Geographic);
    EXPECT_EQ(p.Declinations, c.declinations) << c.what;
    // The tilt-corrected directions of the same records.
    std::vector<float> tilt;
    for (float d : c.declinations) tilt.push_back(d + 100);
    EXPECT_EQ(SelectPoints(c.samples, c.data, c.level, Coordinates::TiltCorrected).Declinations, tilt) << c.what;
  }
}

TEST(AllSamples, CaptionsTitlesAndQuestions) {
  using D = AllSamplesData;
  using C = Coordinates;

  // Nothing ticked: a fresh title; stereographic before equal-area; geographic from either net.
  const NetChoice none = ChooseAllSamplesNet(false, false, false, false);
  EXPECT_TRUE(none.Net == NetKind::EqualArea && none.Coords == C::TiltCorrected && none.FreshTitle);
  const NetChoice first = ChooseAllSamplesNet(false, true, true, false);
  EXPECT_TRUE(first.Net == NetKind::Stereographic && first.Coords == C::Geographic && !first.FreshTitle);
  EXPECT_EQ(ChooseAllSamplesNet(false, false, false, true).Coords, C::Geographic);
  EXPECT_EQ(AllSamplesCaption(D::Nrm, 0), "Right Panel: Projection of all samples using NRM data");
  EXPECT_EQ(AllSamplesCaption(D::AlternatingField, 20.5f), "Right Panel: Projection of all samples using data at 21 mT");
  EXPECT_EQ(AllSamplesCaption(D::ArbitraryTemperature, 250),
            "Right Panel: Projection of all samples using data at 250 degree");
  const NetKind S = NetKind::Stereographic, E = NetKind::EqualArea;
  const struct { D data; NetKind net; C coords; const char* text; } titles[] = {
      {D::Nrm, E, C::TiltCorrected, "Equal-Area Projection of All Samples - NRM, Tilt-Corrected"},
      {D::AlternatingField, E, C::Geographic, "Equal-Area Projection of All Samples -  20 mT, Geographic"},
      {D::AlternatingField, E, C::TiltCorrected, "Equal-Area Projection of All Samples - 20 mT, Tilt-Corrected"},
      {D::ArbitraryTemperature, E, C::Geographic, "Equal-Area Projection of All Samples -  20 degree, Geographic"},
      {D::ArbitraryTemperature, S, C::TiltCorrected, "Stereographic Projection of All Samples - 20 degree, Tilt-Corrected"},
      {D::LSquare, E, C::Geographic, "Equal-Area Projection of All Samples - Least Square, Geographic"}};
  for (const auto& t : titles) EXPECT_EQ(PrintedAllSamplesTitle(t.data, t.net, t.coords, 20), t.text);

  // The level and the data set are asked until valid; an empty answer cancels.
  ScriptedDialogs d;
  d.answers = {"abc", " ", "inf", "20.0"};
  EXPECT_EQ(AskAllSamplesLevel(d, D::AlternatingField), 20.0f);
  ASSERT_EQ(d.questions.size(), 4u);
  EXPECT_EQ(d.questions[0].title, "Alternating Field Strength Selection");
  EXPECT_EQ(d.questions[0].prompt, "Please enter a desired strength of\r\nAlternating Field for plotting: ");
  d.answers = {""};
  EXPECT_FALSE(AskAllSamplesLevel(d, D::ArbitraryTemperature));
  EXPECT_EQ(d.questions.back().title, "Temperature Selection");
  d.questions.clear();
  d.answers = {"NRM", " l", "x", "l", "T", ""};
  EXPECT_EQ(AskPrintDataSet(d), D::LSquare);
  EXPECT_EQ(d.questions.size(), 4u);
  EXPECT_EQ(d.questions[0].title, "Data Set Selection for Printing All Points");
  EXPECT_EQ(AskPrintDataSet(d), D::ArbitraryTemperature);
  EXPECT_FALSE(AskPrintDataSet(d));
}

TEST(AllSamples, PanelAndPageDrawings) {
  PointSelection p;
  p.Declinations = {0, 90, 180};
  p.Inclinations = {0, -45, 90};
  PlotState state;
  RecordingSurface screen(7575, 6405), page(A4Width, A4Height);
  auto red = [](const Primitive& c) { return c.kind == Kind::Circle && c.Ink == Red; };
  DrawAllSamplesPlot(screen, ScreenLayout(), state, NetKind::EqualArea, p, nullptr);
  const auto circles = Select(screen, red);
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(Describe(circles[0]), "circle 3787.500 360.000 35.000 filled 255,0,0");  // on the rim, filled
  EXPECT_FALSE(circles[1].Filled);                                                 // upper hemisphere
  EXPECT_EQ(Describe(circles[2]), "circle 3787.500 3202.500 35.000 filled 255,0,0");  // the centre
  EXPECT_EQ(OfKind(screen, Kind::Text).size(), 4u);  // the compass letters only

  const PageHeading heading{"/data/site.mag", "Equal-Area Projection of All Samples - NRM, Tilt-Corrected"};
  DrawAllSamplesPlot(page, PaperLayout(), state, NetKind::EqualArea, p, &heading);
  const Primitive* file = FindText(page, "/data/site.mag");
  const Primitive* title = FindText(page, "Equal-Area Projection");
  ASSERT_TRUE(file && title);
  const double left = state.NetCentreX - state.NetRadius, top = state.NetCentreY - state.NetRadius;
  EXPECT_TRUE(file->X1 == left && file->Y1 == top - 1440 && title->X1 == left && title->Y1 == top - 1000);
  EXPECT_EQ(title->TextFont, (Font{"Courier", 12}));
  EXPECT_EQ(Select(page, red).front().Size, 50);
}

// plot-all writes what the plot window draws for the same data, on a panel or a page.
TEST(CliPlotAll, PrimitivesEqualTheWindowsPanelAndPageAndBadUsageIsRefused) {
  TempDir dir;
  const std::string path = dir.File("section.mag"), out = dir.File("all.txt"), pdf = dir.File("all.pdf");
  SectionPlan plan;
  plan.samples = {{"A1", {Step("NRM", 0, 10, 40, 15, 35, 1e-3f, 1), Step("AF", 20, 20, -10, 25, -5, 5e-4f, 1)}},
                  {"A2", {Step("NRM", 0, 200, -30, 205, -25, 1e-3f, 1), Step("AF", 20, 190, -20, 195, -15, 5e-4f, 1)}},
                  {"A3", {Step("NRM", 0, 100, 10, 100, 10, 1e-3f, 1)}, 0}};
  WriteMag(path, plan);
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  const struct {
    std::vector<std::string> args;
    AllSamplesData data;
    float level;
    NetKind net;
    Coordinates coords;
    bool paper;
  } cases[] = {
      {{"--data", "af", "--level", "20.0", "--kind", "stereographic", "--coords", "geographic"},
       AllSamplesData::AlternatingField, 20, NetKind::Stereographic, Coordinates::Geographic, false},
      {{"--data=nrm", "--kind=equal-area", "--coords=tilt", "--paper"}, AllSamplesData::Nrm, 0, NetKind::EqualArea,
       Coordinates::TiltCorrected, true}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"plot-all", path, "--out", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out + "\n");
    const PointSelection points = SelectPoints(ReadAllSamples(s, c.data), c.data, c.level, c.coords);
    const PanelSize size = c.paper ? PanelSize{A4Width, A4Height} : PlotWindowPanelSize(1024, 768, 96);
    RecordingSurface rec(size.Width, size.Height);
    PlotState state;
    const PageHeading heading{path, PrintedAllSamplesTitle(c.data, c.net, c.coords, c.level)};
    DrawAllSamplesPlot(rec, c.paper ? PaperLayout() : ScreenLayout(), state, c.net, points, c.paper ? &heading : nullptr);
    EXPECT_EQ(ReadBytes(out), Latin1ToUtf8(rec.Dump())) << c.args[0];
  }
  const auto tail = [&](std::vector<std::string> args, const std::string& to) {
    args.insert(args.begin(), {"plot-all", path});
    args.insert(args.end(), {"--coords", "tilt", "--out", to});
    return RunCli(args);
  };
  ASSERT_EQ(tail({"--data", "lsq", "--kind", "equal-area", "--paper"}, pdf).status, 0);
  EXPECT_EQ(ReadBytes(pdf).rfind("%PDF-", 0), 0u);
  // A misspelt data set, a missing or needless level, a kind that is no net, a position.
  for (const auto& args : std::vector<std::vector<std::string>>{{"--data", "xrm", "--kind", "equal-area"},
                                                                {"--data", "af", "--kind", "equal-area"},
                                                                {"--data", "nrm", "--level", "20", "--kind", "equal-area"},
                                                                {"--data", "nrm", "--kind", "zijderveld"},
                                                                {"1", "--data", "nrm", "--kind", "equal-area"}}) {
    const CliResult r = tail(args, dir.File("x.svg"));
    EXPECT_EQ(r.status, 2) << args[1] << " " << r.err;
    EXPECT_NE(r.err.find("usage: remanex-cli plot-all"), std::string::npos) << r.err;
  }
}
