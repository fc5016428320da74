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

}  // namespace

TEST(Listing, LinesOfStepsResultsSamplesAndCheckedLines) {
  // A level of 1000 is listed whole: the line grows by one character.
  const struct { StepRecord step; std::string line; } steps[] = {
      {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f), NrmLine}, {OriginStep(), OrgLine},
      {Step("TT", 1000, 9.96f, -0.04f, 359.96f, 0.35f, 9.999e-5f, 0.005f),
       "TT  1000    10.0    0.0   360.0    0.4   1.00E-04   0.01     No    Yes"}};
  for (const auto& c : steps) EXPECT_EQ(StepLine(c.step), c.line);

  LSquareResult r;
  r.Label = "N  ";
  r.GDec = 12.345f, r.GInc = -45.5f, r.TDec = 350.0f, r.TInc = 60.125f;
  r.Intensity = 2.5e-3f, r.Error = 3.456f, r.Points = 4, r.Tied = 1;
  EXPECT_EQ(ResultLines(r), (std::vector<std::string>{
                                "            ==========Least Square Analysis==========      ",
                                " Label     GDec   GInc    TDec   TInc  Intensity  Error  #Points  Tied",
                                "N         12.35 -45.50  350.00  60.13   2.50E-03   3.46      4    Yes "}));
  r.Tied = 0;
  EXPECT_EQ(ResultLines(r)[2].substr(55), "      4     No ");

  // Only an Active of exactly 1 is "Yes".
  EXPECT_EQ(SampleListLines({{FixedText("S1", 16), 2, 1}, {FixedText("ABCDEFGHIJKLMNOP", 16), 9, 0},
                             {FixedText("X", 16), 12, 7}}),
            (std::vector<std::string>{"  Sample     Active", "S1              Yes", "ABCDEFGHIJKLMNOP No",
                                      "X                No"}));

  const std::vector<std::string> lines = {"head", "a", "b", "c", "d"};
  const struct { std::vector<bool> checked; const char* text; } copies[] = {
      {{false, true, false, true, true}, "a\r\nc\r\nd\r\n"}, {{true, false, false, false, false}, "head\r\n"},
      {{}, ""}};
  for (const auto& c : copies) EXPECT_EQ(CheckedLinesText(lines, c.checked), c.text);
}

class SessionTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("s.mag");
  Session s;
  ScriptedDialogs dialogs;
  void SetUp() override {
    SamplePlan first{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)}};
    for (int k = 1; k <= 12; ++k)
      first.steps.push_back(Step("TT", 50.0f * static_cast<float>(k), 10, 20, 30, 40, 1e-3f, 0.1f));
    SectionPlan plan;
    plan.samples = {first, {"ABCDEFGHIJKLMNOP", {Step("AF", 1000, -4.84f, 0.35f, 9.999e-5f, -0.04f, 9.999e-5f, 0)}, 0},
                    {"LONGER THAN SIXTEEN", {}}};
    WriteMag(path, plan);
    Reopen();
  }
  void Reopen() {
    s.GetOpenFileName(path);
    s.Load();
  }
  // Every byte outside the given 64-byte slots (counted from 1) is unchanged.
  void ExpectOnlySlotsChanged(const std::string& before, std::set<size_t> slots) {
    const std::string after = ReadBytes(path);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
      if (!slots.count(i / 64 + 1)) ASSERT_EQ(before[i], after[i]) << "slot " << i / 64 + 1 << " changed";
  }
};

TEST_F(SessionTest, ListingsOfSamplesWithAndWithoutAResult) {
  EXPECT_EQ(s.SampleLines(), (std::vector<std::string>{"  Sample     Active", "S1              Yes",
                                                       "ABCDEFGHIJKLMNOP No", "LONGER THAN SIXTYes"}));
  auto lines = s.ListSample(1);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 1u + 14u + 1u);
  EXPECT_EQ((*lines)[1], NrmLine);
  EXPECT_EQ((*lines)[14], OrgLine);
  EXPECT_EQ((*lines)[15], "      *************** Sample: S1               *************** ");

  // A result stored the way the analysis does: result first, then the link.
  LSquareResult r;
  r.Label = "N  ", r.Active = 1, r.Points = 4, r.Tied = 1;
  const int slot = s.Section().LastRecord;
  s.File().Write(slot, r);
  SampleHeader h = s.File().ReadSampleHeader(2);
  h.LSquareRecord = slot;
  s.File().Write(2, h);
  lines = s.ListSample(1);
  ASSERT_EQ(lines->size(), 19u);
  EXPECT_EQ(lines->back().substr(0, 7), "N      ");
  EXPECT_EQ(lines->back().substr(55), "      4    Yes ");

  lines = s.ListSample(2);
  EXPECT_EQ((*lines)[1], "AF  1000    -4.8    0.4     0.0    0.0   1.00E-04   0.00     No    Yes");
  EXPECT_EQ(lines->back(), "      *************** Sample: ABCDEFGHIJKLMNOP *************** ");
  // Out of range changes nothing.
  EXPECT_FALSE(s.ListSample(0));
  EXPECT_FALSE(s.ListSample(4));
  EXPECT_EQ(s.CurrentPosition(), 2);
  EXPECT_EQ(s.Steps().size(), 2u);
}

TEST_F(SessionTest, ReloadCloseAndARefusedFileClearEverything) {
  s.ListSample(1);
  s.Load();
  EXPECT_EQ(s.CurrentPosition(), 0);
  EXPECT_TRUE(s.Steps().empty());
  EXPECT_FALSE(s.Relist());
  for (bool refused : {false, true}) {
    if (refused) {
      WriteBytes(path, std::string(64, '\x7F'));  // SampleCount far above 500
      s.GetOpenFileName(path);
      try {
        s.Load();
        FAIL();
      } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(path + ": ", 0), 0u) << e.what();
      }
    } else {
      s.Close();
    }
    EXPECT_FALSE(s.IsOpen());
    EXPECT_TRUE(s.FileName().empty());
    EXPECT_EQ(s.SampleCount(), 0);
  }
}

TEST_F(SessionTest, MarksChangeOnlyTheCheckedSlots) {
  std::string before = ReadBytes(path);
  // Steps need a selected sample.
  EXPECT_EQ(TogglePlotPoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ToggleLSquarePoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ReadBytes(path), before);

  ASSERT_TRUE(s.ListSample(1));
  // Lines: 0 heading, 1..14 steps, 15 closing line; 16 is past the listing.
  EXPECT_EQ(TogglePlotPoints(s, {0, 2, 14, 15, 16}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {3, 14}, dialogs), Outcome::Kind::Done);
  ExpectOnlySlotsChanged(before, {4, 5, 16});
  auto lines = s.Relist();
  EXPECT_EQ((*lines)[2].substr(55), "     No     No");
  EXPECT_EQ((*lines)[3].substr(55), "    Yes    Yes");
  EXPECT_EQ((*lines)[14].substr(55), "    Yes    Yes");  // the origin can be checked like any step
  TogglePlotPoints(s, {2, 14}, dialogs);  // the same lines again undo it
  ToggleLSquarePoints(s, {3, 14}, dialogs);
  EXPECT_EQ(ReadBytes(path), before);

  // Written from the file, not from a listing another command made stale.
  StepRecord changed = s.File().ReadStep(4);
  changed.LSquare = 1;
  s.File().Write(4, changed);
  TogglePlotPoints(s, {2}, dialogs);
  EXPECT_EQ(s.File().ReadStep(4).LSquare, 1);
  EXPECT_EQ(s.File().ReadStep(4).Plot, 0);

  before = ReadBytes(path);
  EXPECT_EQ(DeactivateRecords(s, {0, 1, 2}, dialogs), Outcome::Kind::Done);  // the heading is ignored
  s.Load();
  const auto list = s.SampleLines();
  EXPECT_EQ(list[1].substr(16), " No");
  EXPECT_EQ(list[2].substr(16), "Yes");
  EXPECT_EQ(list[3].substr(16), "Yes");
  ExpectOnlySlotsChanged(before, {2, 17});
  before = ReadBytes(path);
  EXPECT_EQ(DeactivateRecords(s, {}, dialogs), Outcome::Kind::Done);  // nothing checked writes nothing
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SessionTest, MarkingAReadOnlyFileSaysSoAndChangesNothing) {
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  Reopen();  // a read-only file can be browsed
  ASSERT_TRUE(s.ListSample(1));
  const std::string before = ReadBytes(path);
  // Checking nothing, or only the heading, the closing line and past the end, asks nothing.
  EXPECT_EQ(TogglePlotPoints(s, {}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(TogglePlotPoints(s, {0, 15, 16}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {15}, dialogs), Outcome::Kind::Done);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(DeactivateRecords(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(TogglePlotPoints(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(ToggleLSquarePoints(s, {1}, dialogs), Outcome::Kind::Failed);
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_NE(dialogs.messages[0].text.find("cannot be saved"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, ASampleHoldingValuesThatAreNoNumbersIsRefusedNotListed) {
  StepRecord bad = s.File().ReadStep(4);  // sample 1, step 2
  bad.GInc = std::numeric_limits<float>::quiet_NaN();
  s.File().Write(4, bad);
  try {
    s.ListSample(1);
    FAIL() << "a step holding NaN was listed";
  } catch (const StoreError& e) {
    EXPECT_EQ(std::string(e.what()), path + ": Sample \"S1\" (record 4): the stored GInc is not a number: the file is damaged.");
  }
  LSquareResult r;  // a result holding an infinite value is refused the same way
  r.Intensity = std::numeric_limits<float>::infinity();
  s.File().Write(s.Section().LastRecord + 1, r);
  SampleHeader h = s.File().ReadSampleHeader(17);
  h.LSquareRecord = s.Section().LastRecord + 1;
  s.File().Write(17, h);
  EXPECT_THROW(s.ListSample(2), StoreError);
  EXPECT_TRUE(s.ListSample(3));
}

TEST(Messages, PathsAreNamedAsText) {
  // File names are UTF-8 bytes; messages are ISO 8859-1 text.
  EXPECT_EQ(Session::Refusal("/d/M\xC3\xBCller.mag", "gone"), "/d/M\xFCller.mag: gone");
  Session named;
  named.GetOpenFileName("/d/M\xC3\xBCller.mag");
  EXPECT_EQ(named.ReadOnlyMessage().substr(0, 23), "The file /d/M\xFCller.mag ");
}
