// The least-squares fit, and the Least Square Analysis command from the window:
// what it asks, what it writes where, and what it refuses. The listing texts of
// ordinary samples are the golden-output test's.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "helpers.h"
#include "stats/direction.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "store/text.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// Steps from vectors (north, east, down), closed by the origin step as in a sample file.
std::vector<StepRecord> Sample(const std::vector<std::array<double, 3>>& vectors) {
  std::vector<StepRecord> steps;
  for (const auto& v : vectors) steps.push_back(StepFromVector(v, 100.0f + 50.0f * static_cast<float>(steps.size())));
  steps.push_back(OriginStep());
  return steps;
}

// One sample: its header at slot 2, its steps at 3 to 6 (the origin), its result at 7.
class LSquareCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"CRA 1a", {StepFromVector({3, 3, 2}, 200), StepFromVector({2, 2, 1}, 250),
                                StepFromVector({1, 1, 0}, 300)}}};
    WriteMag(path, plan);
    s = OpenSession(path);
  }
  // The LSquare flags of the steps, as the file holds them.
  std::vector<int32_t> Flags() {
    std::vector<int32_t> flags;
    for (int k = 1; k <= 4; ++k) flags.push_back(SampleFile::Open(path).ReadStep(2 + k).LSquare);
    return flags;
  }
  // Sets the LSquare flags of steps in the file.
  void Mark(std::initializer_list<int> steps, int32_t flag = 1) {
    for (int k : steps) {
      StepRecord r = s.File().ReadStep(2 + k);
      r.LSquare = flag;
      s.File().Write(2 + k, r);
    }
  }
  Outcome Analyse(int position, std::vector<std::string> answers) {
    d.answers.assign(answers.begin(), answers.end());
    return LSquareAnalysis(s, d, position);
  }
  std::vector<int> Changed(const std::string& before) { return ChangedSlots(before, ReadBytes(path)); }
  TempDir dir;
  std::string path = dir.File("CRA.mag");
  Session s;
  ScriptedDialogs d;
};

}  // namespace

TEST(PrincipalComponentFit, KnownLines) {
  const double equalMad = std::atan(std::sqrt(2.0)) * 180 / Pi;
  const struct {
    std::vector<std::array<double, 3>> vectors;
    std::vector<int> selected;  // the origin is the step after the vectors
    int tied;
    double dec, inc, mad, tolerance;  // mad < 0: only above 1 degree
  } cases[] = {
      // The textbook case: (3,3,2), (2,2,1), (1,1,0) lie on the line along (1,1,1).
      {{{3, 3, 2}, {2, 2, 1}, {1, 1, 0}}, {1, 2, 3}, 0, 45, 35.26439, 0, 5e-4},
      {{{3, 3, 2}, {2, 2, 1}, {1, 1, 0}}, {1, 2, 3, 4}, 1, 45, 22.2661, 6.0596, 5e-4},
      // Two points give the joining line without deviation; with the origin, scatter.
      {{{4, 0, 3}, {1, 0, 0}}, {1, 2}, 0, 0, 45, 0, 1e-4},
      {{{4, 0, 3}, {1, 0, 0}}, {1, 2, 3}, 1, NAN, NAN, -1, 0},
      // Along (1, -1, 0) from the last toward the first: declination 315, horizontal.
      {{{5, -2, 1}, {4, -1, 1}, {3, 0, 1}, {2, 1, 1}, {1, 2, 1}}, {1, 2, 3, 4, 5}, 0, 315, 0, 0, 1e-3},
      // A vertical line pointing up (from the deepest last step toward the first).
      {{{0, 0, 1}, {0, 0, 2}, {0, 0, 3}}, {1, 2, 3}, 0, 0, -90, 0, 0},
      // Coinciding points, not tied: a zero matrix; no rotation divides 0 by 0.
      {{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}, {1, 2, 3}, 0, NAN, NAN, 0, 0},
      // Three orthogonal unit vectors tied to the origin: three equal eigenvalues.
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {1, 2, 3, 4}, 1, NAN, NAN, equalMad, 1e-3},
      // Only the origin: the zero vector, no line, but no failure either.
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {4}, 1, NAN, NAN, 0, 0},
  };
  for (const auto& c : cases) {
    const LineFit fit = PrincipalComponentFit(1, Sample(c.vectors), c.selected, c.tied);
    EXPECT_TRUE(std::isfinite(fit.Dec) && std::isfinite(fit.Inc));
    EXPECT_TRUE(std::isnan(c.dec) || std::fabs(fit.Dec - c.dec) <= c.tolerance) << fit.Dec << " " << c.dec;
    EXPECT_TRUE(std::isnan(c.inc) || std::fabs(fit.Inc - c.inc) <= c.tolerance) << fit.Inc << " " << c.inc;
    if (c.mad < 0) {
      EXPECT_GT(fit.MAD, 1.0f);
    } else if (c.tolerance == 0 || c.mad == 0) {
      EXPECT_EQ(fit.MAD, static_cast<float>(c.mad));
    } else {
      EXPECT_NEAR(fit.MAD, c.mad, c.tolerance);
    }
  }
  // Tilt-corrected directions (turned by 25 degrees) are fitted from their own values.
  std::vector<StepRecord> turned;
  for (const auto& v : {std::array<double, 3>{3, 3, 2}, {2, 2, 1}, {1, 1, 0}}) turned.push_back(StepFromVector(v, 0, 25));
  EXPECT_NEAR(PrincipalComponentFit(0, turned, {1, 2, 3}, 0).Dec, 70, 5e-4);
}

TEST(PrincipalComponentFit, RefusesSelectionsOutsideTheSample) {
  auto steps = Sample({{1, 0, 0}, {2, 0, 0}});
  EXPECT_THROW(PrincipalComponentFit(1, steps, {}, 0), std::invalid_argument);
  EXPECT_THROW(PrincipalComponentFit(1, steps, {0, 1}, 0), std::invalid_argument);
  EXPECT_THROW(PrincipalComponentFit(1, steps, {1, 4}, 0), std::invalid_argument);
  steps[0].Intensity = 3e38f;  // beyond single precision once scaled
  EXPECT_THROW(PrincipalComponentFit(1, steps, {1, 2}, 0), std::domain_error);
}

TEST(FitLSquareResult, PointsTiesIntensityAndOnePointShortcut) {
  auto steps = Sample({{3, 3, 2}, {2, 2, 1}, {1, 1, 0}});
  steps[1].GDec = 10;  // one real point (with or without the origin) is the step's own direction
  steps[1].TDec = 20;
  // The intensity is the mean raw intensity of the real points, not the fitted component's length.
  const float two = static_cast<float>((double(steps[0].Intensity) + steps[2].Intensity) / 2);
  const struct { std::vector<int> selected; int tied, points; float intensity; bool copied; } cases[] = {
      {{2}, 0, 1, steps[1].Intensity, true}, {{2, 4}, 1, 1, steps[1].Intensity, true},
      {{1, 3, 4}, 1, 2, two, false}, {{1, 3}, 0, 2, two, false}};
  for (const auto& c : cases) {
    const LSquareResult r = FitLSquareResult(steps, c.selected, c.tied, "n");
    EXPECT_EQ(std::tuple(r.Points, r.Tied, r.Label, r.Active, r.Reserved), std::tuple(c.points, c.tied, "n  ", 1, 0));
    EXPECT_FLOAT_EQ(r.Intensity, c.intensity);
    EXPECT_EQ(r.GDec == 10 && r.TDec == 20 && r.GInc == steps[1].GInc && r.Error == 0, c.copied) << r.GDec;
  }
  EXPECT_GT(FitLSquareResult(steps, {1, 3, 4}, 1, "N").Error, 0.0f);  // a real fit through the origin
}

TEST(PolarityLabel, AskedUntilValidUpperCasedNotTrimmed) {
  ScriptedDialogs d;
  d.answers = {" N", "n ", "x", "   ", "np"};
  EXPECT_EQ(AskPolarityLabel(d), "NP");
  EXPECT_EQ(d.questions.size(), 5u);
  EXPECT_TRUE(d.messages.empty());  // no message between the questions
  for (const char* l : {"N", "R", "NP", "RP", "NPP", "RPP", "N?", "R?", "INT"}) EXPECT_TRUE(IsPolarityLabel(l)) << l;
  for (const char* l : {"", "n", "N ", "INTT", "?", "NR"}) EXPECT_FALSE(IsPolarityLabel(l)) << l;
}

TEST_F(LSquareCommand, SavesTheResultInItsSlotAndLinksIt) {
  Mark({1, 2, 3, 4});  // the three steps and the origin: tied
  // Another command changes the header meanwhile: only the link is written to it.
  SampleHeader h = s.File().ReadSampleHeader(2);
  h.ProjectionDec = 90;
  s.File().Write(2, h);
  std::string before = ReadBytes(path);
  EXPECT_EQ(Analyse(1, {"n"}), Outcome::Kind::Done);
  EXPECT_EQ(d.questions.size(), 1u);
  EXPECT_EQ(Changed(before), (std::vector<int>{2, 7}));
  h = s.File().ReadSampleHeader(2);
  LSquareResult r = s.File().ReadResult(7);
  EXPECT_EQ(std::tuple(h.LSquareRecord, h.ProjectionDec, r.Label, r.Tied, r.Points), std::tuple(7, 90, "N  ", 1, 3));
  // Saved again: the same slot is overwritten.
  Mark({4}, 0);
  before = ReadBytes(path);
  EXPECT_EQ(Analyse(1, {"R?"}), Outcome::Kind::Done);
  EXPECT_EQ(Changed(before), (std::vector<int>{7}));
  r = s.File().ReadResult(7);
  EXPECT_EQ(std::tuple(r.Label, r.Tied, Format(r.GInc, "0.00")), std::tuple("R? ", 0, "35.26"));
  // The origin alone is no line: the link goes without a question, then nothing is written.
  Mark({1, 2, 3}, 0);
  Mark({4});
  before = ReadBytes(path);
  EXPECT_EQ(Analyse(1, {"N"}), Outcome::Kind::Done);
  EXPECT_EQ(Analyse(1, {"N"}), Outcome::Kind::Done);
  EXPECT_EQ(d.questions.size(), 2u);
  EXPECT_EQ(Changed(before), (std::vector<int>{2}));
  EXPECT_EQ(s.File().ReadSampleHeader(2).LSquareRecord, 0);
}

TEST_F(LSquareCommand, CancelRefusalsDamageAndAReadOnlyFileChangeNothing) {
  Mark({1, 2});
  const std::string before = ReadBytes(path);
  EXPECT_EQ(Analyse(1, {"Q", ""}), Outcome::Kind::Cancelled);  // an invalid label, then Cancel
  for (int line : {0, 2, -1})  // the heading line, no such line, no line selected
    EXPECT_EQ(Analyse(line, {"N"}), Outcome::Kind::Nothing) << line;
  Session closed;
  EXPECT_EQ(LSquareAnalysis(closed, d, 1), Outcome::Kind::Nothing);
  EXPECT_EQ(AllResultsText(closed), "No Least Square Data Available!");
  EXPECT_EQ(ReadBytes(path), before);
  // A step holding no number: said, nothing asked or written.
  StepRecord st = s.File().ReadStep(3);
  st.TInc = NAN;
  s.File().Write(3, st);
  const std::string damaged = ReadBytes(path);
  EXPECT_EQ(Analyse(1, {"N"}), Outcome::Kind::Failed);
  EXPECT_TRUE(d.messages.size() == 1 && d.questions.size() == 2 && ReadBytes(path) == damaged);
  // A read-only file: said before a label is asked that could not be kept.
  WriteBytes(path, before);
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  s = OpenSession(path);
  EXPECT_EQ(Analyse(1, {"N"}), Outcome::Kind::Failed);
  ASSERT_EQ(d.messages.size(), 2u);
  EXPECT_NE(d.messages[1].text.find("cannot be saved"), std::string::npos);
  EXPECT_EQ(d.questions.size(), 2u);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST(AllResultsLine, NumbersAreNeverCut) {
  LSquareResult r = Result("N", 359.994f, -89.5f, 1.5e-5f);
  r.TDec = 0.004f;
  r.TInc = -0.004f;
  r.Error = 12.345f;
  r.Points = 49;
  EXPECT_EQ(AllResultsLine(FixedText("A", 16), 12345.678f, r),
            "A               12345.68  N     359.99 -89.50    0.00   0.00  1.50E-05  12.35    49");
  std::vector<StepRecord> steps(3, OriginStep());
  steps[0].Level = 1000;
  steps[0].LSquare = 1;
  steps[1].Level = 12.5f;
  steps[1].LSquare = steps[2].LSquare = 2;  // only exactly 1 is set, also for the origin
  EXPECT_EQ(StepsUsedLine(FixedText("S", 16), steps), "S                1000");
}

// remanex-cli fit and results against the core, and what they refuse.
TEST_F(LSquareCommand, CliFitSelectsExactlyTheListedStepsAndResultsListsThem) {
  SectionPlan plan;
  plan.samples = {{"S 1", {StepFromVector({3, 3, 2}, 100), StepFromVector({2, 2, 1}, 200), StepFromVector({1, 1, 0}, 300)}},
                  {"S 2", {StepFromVector({1, 0, 0}, 100)}, 0}};
  plan.samples[0].steps[2].LSquare = 7;  // not exactly 1: reads as unselected
  WriteMag(path, plan);
  StoreResult(path, 2, Result("N", 1, 2));  // an inactive sample's result is not listed
  // Usage errors (2) and refusals (1) change nothing.
  const std::string before = ReadBytes(path);
  const struct { std::vector<std::string> args; int status; std::string err; } bad[] = {
      {{"1", "--steps", "1,2", "--label", " N"}, 1, "not a polarity label"},
      {{"1", "--steps", "1,5", "--label", "N"}, 1, "has no step 5"},
      {{"3", "--steps", "1", "--label", "N"}, 1, "there is no sample 3"},
      {{"1", "--steps", "1,2"}, 2, "needs --label"},
      {{"1", "--steps", "x", "--label", "N"}, 2, "must be a whole number"},
  };
  for (const auto& c : bad) {
    const CliResult r = Command("fit", path, c.args);
    EXPECT_EQ(r.status, c.status) << c.args[2];
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(path), before);

  CliResult r = Command("fit", path, {"1", "--steps", "1,2,ORG", "--label", "np"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Flags(), (std::vector<int32_t>{1, 1, 0, 1}));
  EXPECT_EQ(r.out, Lf(Command("listing", path, {"1"}).out));
  EXPECT_NE(r.out.find("\nNP        45.00"), std::string::npos) << r.out;
  // The last step's number is the origin too; the selection is replaced.
  ASSERT_EQ(Command("fit", path, {"1", "--steps=3,4", "--label=R"}).status, 0);
  EXPECT_EQ(Flags(), (std::vector<int32_t>{0, 0, 1, 1}));
  const std::string results = Command("results", path, {}).out;
  EXPECT_EQ(results, Lf(AllResultsText(OpenSession(path))));
  EXPECT_NE(results.find("\nS 1 "), std::string::npos) << results;
  EXPECT_EQ(results.find("S 2"), std::string::npos);
  // An empty list clears the selection and the result; no label is needed.
  r = Command("fit", path, {"1", "--steps", ""});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Flags(), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).LSquareRecord, 0);
  EXPECT_EQ(Command("results", path, {}).out, "No Least Square Data Available!\n");
  EXPECT_EQ(Command("results", dir.File("missing.mag"), {}).status, 1);
}
