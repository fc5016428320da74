#include <gtest/gtest.h>

#include <limits>

#include "session/dialogs.h"
#include "session/listing.h"
#include "session/marking.h"
#include "session/session.h"
#include "store/text.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

const std::string NrmLine = "NRM   0   318.0   80.8   344.8   75.0   2.71E-02   0.08     No    Yes";
const std::string OrgLine = "ORG   0     0.0    0.0     0.0    0.0   0.00E+00   0.00     No     No";

SectionPlan ThirteenStepSample() {
  SamplePlan s;
  s.name = "S1";
  s.steps.push_back(Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f));
  for (int k = 1; k <= 12; ++k)
    s.steps.push_back(Step("TT", 50.0f * static_cast<float>(k), 10, 20, 30, 40, 1e-3f, 0.1f));
  SectionPlan plan;
  plan.samples = {s, {"ABCDEFGHIJKLMNOP", {Step("AF", 1000, -4.84f, 0.35f, 9.999e-5f, -0.04f, 9.999e-5f, 0)}, 0},
                  {"LONGER THAN SIXTEEN", {}}};
  return plan;
}

}  // namespace

TEST(Listing, StepLinesOfTheNrmExampleAndTheOrigin) {
  EXPECT_EQ(StepLine(Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)), NrmLine);
  EXPECT_EQ(StepLine(OriginStep()), OrgLine);
}

TEST(Listing, NumbersThatDoNotFitArePrintedWhole) {
  // A level of 1000 is listed whole: the line grows by one character.
  const std::string line = StepLine(Step("TT", 1000, 9.96f, -0.04f, 359.96f, 0.35f, 9.999e-5f, 0.005f));
  EXPECT_EQ(line, "TT  1000    10.0    0.0   360.0    0.4   1.00E-04   0.01     No    Yes");
  EXPECT_EQ(line.size(), NrmLine.size() + 1);
}

TEST(Listing, ResultLinesTiedWithFourPoints) {
  LSquareResult r;
  r.Label = "N  ";
  r.GDec = 12.345f;
  r.GInc = -45.5f;
  r.TDec = 350.0f;
  r.TInc = 60.125f;
  r.Intensity = 2.5e-3f;
  r.Error = 3.456f;
  r.Points = 4;
  r.Tied = 1;
  const auto lines = ResultLines(r);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "            ==========Least Square Analysis==========      ");
  EXPECT_EQ(lines[1], " Label     GDec   GInc    TDec   TInc  Intensity  Error  #Points  Tied");
  EXPECT_EQ(lines[2], "N         12.35 -45.50  350.00  60.13   2.50E-03   3.46      4    Yes ");
  r.Tied = 0;
  EXPECT_EQ(ResultLines(r)[2].substr(55), "      4     No ");
}

TEST(Listing, SampleListLines) {
  const std::vector<SampleEntry> samples = {{FixedText("S1", 16), 2, 1}, {FixedText("ABCDEFGHIJKLMNOP", 16), 9, 0},
                                            {FixedText("X", 16), 12, 7}};
  const auto lines = SampleListLines(samples);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "  Sample     Active");
  EXPECT_EQ(lines[1], "S1" + std::string(14, ' ') + "Yes");
  EXPECT_EQ(lines[2], "ABCDEFGHIJKLMNOP No");
  EXPECT_EQ(lines[3], "X" + std::string(15, ' ') + " No");  // only exactly 1 is set
}

TEST(Listing, CheckedLinesEndInCrLf) {
  const std::vector<std::string> lines = {"head", "a", "b", "c", "d"};
  EXPECT_EQ(CheckedLinesText(lines, {false, true, false, true, true}), "a\r\nc\r\nd\r\n");
  EXPECT_EQ(CheckedLinesText(lines, {true, false, false, false, false}), "head\r\n");
  EXPECT_EQ(CheckedLinesText(lines, {}), "");
}

class SessionTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("s.mag");
  Session s;
  ScriptedDialogs dialogs;
  void SetUp() override {
    WriteMag(path, ThirteenStepSample());
    s.GetOpenFileName(path);
    s.Load();
  }
};

TEST_F(SessionTest, ListsASampleWithThirteenStepsAndAStoredResult) {
  auto lines = s.ListSample(1);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 1u + 14u + 1u);
  EXPECT_EQ((*lines)[1], NrmLine);
  EXPECT_EQ((*lines)[14], OrgLine);
  EXPECT_EQ((*lines)[15], "      *************** Sample: S1               *************** ");

  // Store a result for sample 1 the way the analysis does: result first, then the link.
  LSquareResult r;
  r.Label = "N  ";
  r.Active = 1;
  r.Points = 4;
  r.Tied = 1;
  const int slot = s.Section().LastRecord;
  s.File().Write(slot, r);
  SampleHeader h = s.File().ReadSampleHeader(2);
  h.LSquareRecord = slot;
  s.File().Write(2, h);
  lines = s.ListSample(1);
  ASSERT_EQ(lines->size(), 19u);
  EXPECT_EQ(lines->back().substr(0, 7), "N      ");
  EXPECT_EQ(lines->back().substr(55), "      4    Yes ");
}

TEST_F(SessionTest, HeadingAndOutOfRangeChangeNothing) {
  ASSERT_TRUE(s.ListSample(2));
  EXPECT_FALSE(s.ListSample(0));
  EXPECT_FALSE(s.ListSample(4));
  EXPECT_EQ(s.CurrentPosition(), 2);
  EXPECT_EQ(s.Steps().size(), 2u);
}

TEST_F(SessionTest, LongNamesAreCutAndSixteenCharacterNamesKeptWhole) {
  const auto list = s.SampleLines();
  EXPECT_EQ(list[2], "ABCDEFGHIJKLMNOP No");
  EXPECT_EQ(list[3], "LONGER THAN SIXTYes");
  const auto lines = s.ListSample(2);
  EXPECT_EQ((*lines)[1], "AF  1000    -4.8    0.4     0.0    0.0   1.00E-04   0.00     No    Yes");
  EXPECT_EQ(lines->back(), "      *************** Sample: ABCDEFGHIJKLMNOP *************** ");
}

TEST_F(SessionTest, ReloadAndCloseClearTheCurrentSample) {
  s.ListSample(1);
  s.Load();
  EXPECT_EQ(s.CurrentPosition(), 0);
  EXPECT_TRUE(s.Steps().empty());
  EXPECT_FALSE(s.Relist());
  s.Close();
  EXPECT_FALSE(s.IsOpen());
  EXPECT_TRUE(s.FileName().empty());
  EXPECT_EQ(s.SampleCount(), 0);
}

TEST_F(SessionTest, ARefusedFileLeavesNoFileOpen) {
  WriteBytes(path, std::string(64, '\x7F'));  // SampleCount far above 500
  s.GetOpenFileName(path);
  try {
    s.Load();
    FAIL();
  } catch (const StoreError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ": ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(s.IsOpen());
  EXPECT_TRUE(s.FileName().empty());
  EXPECT_EQ(s.SampleCount(), 0);
}

TEST_F(SessionTest, DeactivateSwapsCheckedSamplesOnly) {
  const std::string before = ReadBytes(path);
  EXPECT_EQ(DeactivateRecords(s, {0, 1, 2}, dialogs), Outcome::Kind::Done);  // the heading is ignored
  s.Load();
  const auto list = s.SampleLines();
  EXPECT_EQ(list[1].substr(16), " No");
  EXPECT_EQ(list[2].substr(16), "Yes");
  EXPECT_EQ(list[3].substr(16), "Yes");
  const std::string after = ReadBytes(path);
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const size_t slot = i / 64 + 1;
    if (slot != 2 && slot != 17) {
      ASSERT_EQ(before[i], after[i]) << "slot " << slot << " changed";
    }
  }
  // Nothing checked writes nothing.
  EXPECT_EQ(DeactivateRecords(s, {}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ReadBytes(path), after);
}

TEST_F(SessionTest, StepMarksFlipOnlyCheckedStepSlots) {
  ASSERT_TRUE(s.ListSample(1));
  const std::string before = ReadBytes(path);
  // Lines: 0 heading, 1..14 steps, 15 closing line; 16 is past the listing.
  EXPECT_EQ(TogglePlotPoints(s, {0, 2, 14, 15, 16}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {3, 14}, dialogs), Outcome::Kind::Done);
  const std::string after = ReadBytes(path);
  for (size_t i = 0; i < before.size(); ++i) {
    const size_t slot = i / 64 + 1;
    if (slot != 4 && slot != 5 && slot != 16) {
      ASSERT_EQ(before[i], after[i]) << "slot " << slot << " changed";
    }
  }
  const auto lines = s.Relist();
  EXPECT_EQ((*lines)[2].substr(55), "     No     No");
  EXPECT_EQ((*lines)[3].substr(55), "    Yes    Yes");
  EXPECT_EQ((*lines)[14].substr(55), "    Yes    Yes");  // the origin can be checked like any step
  // Pressing again with the same lines checked undoes it.
  TogglePlotPoints(s, {2, 14}, dialogs);
  ToggleLSquarePoints(s, {3, 14}, dialogs);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, StepMarksNeedASelectedSample) {
  const std::string before = ReadBytes(path);
  EXPECT_EQ(TogglePlotPoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ToggleLSquarePoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, PlotMarksAreWrittenFromTheFileNotFromAStaleListing) {
  ASSERT_TRUE(s.ListSample(1));
  // Another command changes step 2 on disk after the listing was made.
  StepRecord changed = s.File().ReadStep(4);
  changed.LSquare = 1;
  s.File().Write(4, changed);
  TogglePlotPoints(s, {2}, dialogs);
  const StepRecord now = s.File().ReadStep(4);
  EXPECT_EQ(now.LSquare, 1);
  EXPECT_EQ(now.Plot, 0);
}

TEST_F(SessionTest, MarkingAReadOnlyFileSaysSoAndChangesNothing) {
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  s.GetOpenFileName(path);
  s.Load();  // a read-only file can be browsed
  ASSERT_TRUE(s.ListSample(1));
  const std::string before = ReadBytes(path);
  EXPECT_EQ(DeactivateRecords(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(TogglePlotPoints(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(ToggleLSquarePoints(s, {1}, dialogs), Outcome::Kind::Failed);
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_NE(dialogs.messages[0].text.find("cannot be saved"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), before);
  // Nothing checked asks nothing, even on a read-only file.
  EXPECT_EQ(TogglePlotPoints(s, {}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(dialogs.messages.size(), 3u);
}

TEST_F(SessionTest, ASampleHoldingValuesThatAreNoNumbersIsRefusedNotListed) {
  ASSERT_TRUE(s.ListSample(1));
  StepRecord bad = s.File().ReadStep(4);  // sample 1, step 2
  bad.GInc = std::numeric_limits<float>::quiet_NaN();
  s.File().Write(4, bad);
  try {
    s.ListSample(1);
    FAIL() << "a step holding NaN was listed";
  } catch (const StoreError& e) {
    EXPECT_EQ(std::string(e.what()), path + ": Sample \"S1\" (record 4): the stored GInc is not a number: the file is damaged.");
  }
  // A result holding an infinite value is refused the same way.
  LSquareResult r;
  r.Intensity = std::numeric_limits<float>::infinity();
  s.File().Write(s.Section().LastRecord + 1, r);
  SampleHeader h = s.File().ReadSampleHeader(17);
  h.LSquareRecord = s.Section().LastRecord + 1;
  s.File().Write(17, h);
  EXPECT_THROW(s.ListSample(2), StoreError);
  EXPECT_TRUE(s.ListSample(3));
}

TEST_F(SessionTest, OnAReadOnlyFileCheckingOnlyNonStepLinesSaysNothing) {
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  s.GetOpenFileName(path);
  s.Load();
  ASSERT_TRUE(s.ListSample(1));
  // Line 0 is the heading, 15 the closing line, 16 past the listing.
  EXPECT_EQ(TogglePlotPoints(s, {0, 15, 16}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {15}, dialogs), Outcome::Kind::Done);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(Messages, PathsAreNamedAsText) {
  // File names are UTF-8 bytes; messages are ISO 8859-1 text.
  EXPECT_EQ(Session::Refusal("/d/M\xC3\xBCller.mag", "gone"), "/d/M\xFCller.mag: gone");
  Session named;
  named.GetOpenFileName("/d/M\xC3\xBCller.mag");
  EXPECT_EQ(named.ReadOnlyMessage().substr(0, 23), "The file /d/M\xFCller.mag ");
}
