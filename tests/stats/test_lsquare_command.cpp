#include <gtest/gtest.h>

#include <limits>

#include "session/dialogs.h"
#include "session/session.h"
#include "fit_helpers.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "store/sample_file.h"
#include "store/text.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// Three samples: the worked example, a sample with levels 300 and 350, and a
// deactivated one. LastRecord is 2 + (4+1) + (4+1) + (3+1) = 16.
SectionPlan ThreeSamples() {
  SectionPlan plan;
  SamplePlan a{"CRA 1a", {StepFromVector({3, 3, 2}, 200), StepFromVector({2, 2, 1}, 250),
                          StepFromVector({1, 1, 0}, 300)}, 1, 1.25f};
  a.steps[0].Method = "NRM";
  a.steps[0].Level = 0;
  SamplePlan b{"CRA 2b", {StepFromVector({5, 1, 4}, 250), StepFromVector({3, 0.5, 2.2}, 300),
                          StepFromVector({1.4, 0.3, 1.1}, 350)}, 1, 2.5f};
  SamplePlan c{"CRA 3c", {StepFromVector({-3, 1, -2}, 100), StepFromVector({-1, 0.4, -1}, 200)}, 0, 3.75f};
  plan.samples = {a, b, c};
  return plan;
}

// Sets the LSquare flag of step k (from 1) of sample p directly in the file.
void Mark(const std::string& path, int p, std::initializer_list<int> steps, int32_t flag = 1) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader sec;
  const auto table = LoadSampleTable(f, sec);
  for (int k : steps) {
    StepRecord s = f.ReadStep(table[static_cast<size_t>(p - 1)].Slot + k);
    s.LSquare = flag;
    f.Write(table[static_cast<size_t>(p - 1)].Slot + k, s);
  }
}

Session Open(const std::string& path) {
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  return s;
}

// The slots in which two versions of a file differ.
std::vector<int> ChangedSlots(const std::string& before, const std::string& after) {
  std::vector<int> slots;
  const size_t n = std::max(before.size(), after.size());
  for (size_t i = 0; i < n; i += SlotSize) {
    const std::string a = i < before.size() ? before.substr(i, SlotSize) : "";
    const std::string b = i < after.size() ? after.substr(i, SlotSize) : "";
    if (a != b) slots.push_back(static_cast<int>(i / SlotSize) + 1);
  }
  return slots;
}

class LSquareCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.File("CRA.mag");
    WriteMag(path, ThreeSamples());
  }
  TempDir dir;
  std::string path;
};

}  // namespace

TEST(PolarityLabel, PromptUpperCasesAndRepeatsUntilValid) {
  EXPECT_EQ(PolarityPrompt(),
            "Please enter a label for the sample:\r\nN or R - Good, full-weight \r\nNP or RP - Fair, half-weight "
            "\r\nNPP or RPP - Poor, not used in Fisher \r\nN? or R? - Questionable polarity, not used \r\nINT - "
            "Indeterminate, not used");
  ScriptedDialogs d;
  d.answers = {" N", "n ", "x", "   ", "np"};
  EXPECT_EQ(AskPolarityLabel(d), "NP");
  ASSERT_EQ(d.questions.size(), 5u);
  EXPECT_EQ(d.questions[0].title, "Polarity Assignment and Rating");
  EXPECT_EQ(d.questions[0].defaultAnswer, "");
  EXPECT_TRUE(d.messages.empty());  // no error message between the prompts

  ScriptedDialogs cancel;
  cancel.answers = {"nx", ""};
  EXPECT_EQ(AskPolarityLabel(cancel), "");
  for (const char* l : {"N", "R", "NP", "RP", "NPP", "RPP", "N?", "R?", "INT"}) EXPECT_TRUE(IsPolarityLabel(l)) << l;
  for (const char* l : {"", "n", "N ", "INTT", "?", "NR"}) EXPECT_FALSE(IsPolarityLabel(l)) << l;
}

TEST_F(LSquareCommand, SavesTheResultAtItsSlotAndLinksItAndListsIt) {
  Mark(path, 1, {1, 2, 3, 4});  // the three steps and the origin: tied
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  ScriptedDialogs d;
  d.answers = {"n"};
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Done);
  EXPECT_TRUE(d.messages.empty());

  // Only the header (slot 2) and the result slot LastRecord + 0 = 16 changed.
  EXPECT_EQ(ChangedSlots(before, ReadBytes(path)), (std::vector<int>{2, 16}));
  SampleFile f = SampleFile::Open(path);
  const SampleHeader h = f.ReadSampleHeader(2);
  EXPECT_EQ(h.LSquareRecord, 16);
  EXPECT_EQ(h.Active, 1);
  EXPECT_EQ(h.StepCount, 4);
  const LSquareResult r = f.ReadResult(16);
  EXPECT_EQ(r.Label, "N  ");
  EXPECT_EQ(r.Tied, 1);
  EXPECT_EQ(r.Points, 3);
  EXPECT_EQ(r.Active, 1);

  const auto listing = *s.ListSample(1);
  ASSERT_EQ(listing.size(), 1u + 4 + 1 + 3);
  EXPECT_EQ(listing[6], "            ==========Least Square Analysis==========      ");
  EXPECT_EQ(listing.back(), "N         45.00  22.27   45.00  22.27   3.03E+00   6.06      3    Yes ");

  // Saving again (a free line now) overwrites the same slot.
  Mark(path, 1, {4}, 0);
  d.answers = {"R?"};
  const std::string once = ReadBytes(path);
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Done);
  EXPECT_EQ(ChangedSlots(once, ReadBytes(path)), (std::vector<int>{16}));
  const LSquareResult again = SampleFile::Open(path).ReadResult(16);
  EXPECT_EQ(again.Label, "R? ");
  EXPECT_EQ(again.Tied, 0);
  EXPECT_EQ(Format(again.GInc, "0.00"), "35.26");
  EXPECT_EQ(again.Error, 0.0f);
}

TEST_F(LSquareCommand, CancelHeadingAndNoFileChangeNothing) {
  Mark(path, 1, {1, 2});
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  ScriptedDialogs d;
  d.answers = {"Q", ""};  // an invalid label, then Cancel
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Cancelled);
  EXPECT_EQ(d.questions.size(), 2u);
  for (int line : {0, 4, -1})  // the heading line, no such line, no line selected
    EXPECT_EQ(LSquareAnalysis(s, d, line), Outcome::Kind::Nothing) << line;
  EXPECT_EQ(d.questions.size(), 2u);
  EXPECT_EQ(ReadBytes(path), before);
  Session closed;
  EXPECT_EQ(LSquareAnalysis(closed, d, 1), Outcome::Kind::Nothing);
}

TEST_F(LSquareCommand, NoRealStepClearsTheLinkWithoutAsking) {
  Mark(path, 2, {2, 3});
  Session s = Open(path);
  ScriptedDialogs d;
  d.answers = {"RP"};
  ASSERT_EQ(LSquareAnalysis(s, d, 2), Outcome::Kind::Done);
  const int32_t slot = SampleFile::Open(path).ReadSampleHeader(7).LSquareRecord;
  EXPECT_EQ(slot, 17);

  // Only the origin selected: no line, no question; the link goes, nothing else.
  Mark(path, 2, {2, 3}, 0);
  Mark(path, 2, {4});
  const std::string before = ReadBytes(path);
  EXPECT_EQ(LSquareAnalysis(s, d, 2), Outcome::Kind::Done);
  EXPECT_EQ(d.questions.size(), 1u);
  EXPECT_EQ(ChangedSlots(before, ReadBytes(path)), (std::vector<int>{7}));
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(7).LSquareRecord, 0);
  EXPECT_EQ(s.ListSample(2)->size(), 1u + 4 + 1);  // no result lines

  // Nothing selected and no link: nothing to write.
  Mark(path, 2, {4}, 0);
  const std::string cleared = ReadBytes(path);
  EXPECT_EQ(LSquareAnalysis(s, d, 2), Outcome::Kind::Done);
  EXPECT_EQ(ReadBytes(path), cleared);
}

TEST_F(LSquareCommand, WritesOnlyTheLinkOfAFreshlyReadHeader) {
  Mark(path, 1, {2, 3});
  Session s = Open(path);
  ASSERT_TRUE(s.ListSample(1));  // the session now holds sample 1's header
  {
    // Another command changes the header in the file meanwhile.
    SampleFile f = SampleFile::Open(path);
    SampleHeader h = f.ReadSampleHeader(2);
    h.Active = 0;
    h.ProjectionDec = 90;
    f.Write(2, h);
  }
  ScriptedDialogs d;
  d.answers = {"N"};
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Done);
  const SampleHeader h = SampleFile::Open(path).ReadSampleHeader(2);
  EXPECT_EQ(h.Active, 0);
  EXPECT_EQ(h.ProjectionDec, 90);
  EXPECT_EQ(h.LSquareRecord, 16);
}

TEST_F(LSquareCommand, ReadOnlyFileSaysTheResultCannotBeSaved) {
  Mark(path, 1, {1, 2, 3});
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  ScriptedDialogs d;
  d.answers = {"N"};
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Failed);
  ASSERT_EQ(d.messages.size(), 1u);
  EXPECT_NE(d.messages[0].text.find("cannot be saved"), std::string::npos);
  EXPECT_TRUE(d.questions.empty());  // not asked for a label it cannot keep
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(LSquareCommand, DamagedResultsAreaIsRefused) {
  Mark(path, 2, {1, 2});
  {
    SampleFile f = SampleFile::Open(path);
    SectionHeader sec = f.ReadSection();
    sec.LastRecord = 5;  // inside sample 1's steps
    f.Write(1, sec);
  }
  // Refused when the file is opened: no command can write into the samples.
  EXPECT_THROW(
      try { Open(path); } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("inside the sample data"), std::string::npos);
        throw;
      },
      StoreError);
}

TEST_F(LSquareCommand, NonNumericStepIsRefused) {
  Mark(path, 1, {1, 2});
  {
    SampleFile f = SampleFile::Open(path);
    StepRecord st = f.ReadStep(3);
    st.TInc = std::numeric_limits<float>::quiet_NaN();
    f.Write(3, st);
  }
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  ScriptedDialogs d;
  d.answers = {"N"};
  EXPECT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Failed);
  EXPECT_EQ(d.messages.size(), 1u);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(LSquareCommand, AllResultsListing) {
  Session s = Open(path);
  EXPECT_EQ(AllResultsText(s), "No Least Square Data Available!");
  EXPECT_EQ(AllResultsText(Session{}), "No Least Square Data Available!");

  Mark(path, 1, {1, 2, 3});
  Mark(path, 2, {2, 3, 4});
  Mark(path, 3, {1, 2});
  ScriptedDialogs d;
  d.answers = {"N", "np", "R"};
  ASSERT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Done);
  ASSERT_EQ(LSquareAnalysis(s, d, 2), Outcome::Kind::Done);
  ASSERT_EQ(LSquareAnalysis(s, d, 3), Outcome::Kind::Done);  // deactivated: not listed
  // The result slot depends only on the position: LastRecord 16 + 3 - 1.
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(12).LSquareRecord, 18);
  EXPECT_EQ(SampleFile::Open(path).SlotCount(), 18);
  s.Load();
  ASSERT_TRUE(s.ListSample(1));
  const std::vector<StepRecord> stepsBefore = s.Steps();

  EXPECT_EQ(AllResultsText(s),
            "   Sample         Meters  Label   GDec   GInc    TDec   TInc Intensity  Error #Points\r\n"
            "CRA 1a              1.25  N      45.00  35.26   45.00  35.26  3.03E+00   0.00     3\r\n"
            "CRA 2b              2.50  NP      9.95  36.20    9.95  36.20  2.78E+00   1.05     2\r\n"
            "\r\n"
            "******** (AF) Temperature Steps Used in Least Square Analysis ********\r\n"
            "CRA 1a              0  250  300\r\n"
            "CRA 2b            300  350  Org Tied\r\n");

  // The listing walks with its own buffers: the current sample is untouched.
  EXPECT_EQ(s.CurrentPosition(), 1);
  ASSERT_EQ(s.Steps().size(), stepsBefore.size());
  EXPECT_EQ(s.Steps()[3].Method, "ORG");
  EXPECT_EQ(s.CurrentHeader().SampleName, FixedText("CRA 1a", 16));

  // An active sample whose link is cleared drops out.
  Mark(path, 1, {1, 2, 3}, 0);
  ASSERT_EQ(LSquareAnalysis(s, d, 1), Outcome::Kind::Done);
  const std::string after = AllResultsText(s);
  EXPECT_EQ(after.find("CRA 1a"), std::string::npos);
  EXPECT_NE(after.find("CRA 2b            300  350  Org Tied\r\n"), std::string::npos);
}

TEST(AllResultsLine, NumbersAreNeverCut) {
  LSquareResult r;
  r.Label = "N  ";
  r.GDec = 359.994f;
  r.GInc = -89.5f;
  r.TDec = 0.004f;
  r.TInc = -0.004f;
  r.Intensity = 1.5e-5f;
  r.Error = 12.345f;
  r.Points = 49;
  EXPECT_EQ(AllResultsLine(FixedText("A", 16), 12345.678f, r),
            "A               12345.68  N     359.99 -89.50    0.00   0.00  1.50E-05  12.35    49");
  std::vector<StepRecord> steps(3, OriginStep());
  steps[0].Level = 1000;
  steps[0].LSquare = 1;
  steps[1].Level = 12.5f;
  steps[1].LSquare = 2;  // only exactly 1 is set
  EXPECT_EQ(StepsUsedLine(FixedText("S", 16), steps), "S                1000");
}
