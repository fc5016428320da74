// The session's lists and marks, and the writes of a command: they succeed together
// or not at all, one writer at a time, and a damaged or truncated file is refused or
// reported, never half-changed. The listing texts of ordinary samples are the
// golden-output test's; here are the edges.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <limits>
#include <set>

#include "session/dialogs.h"
#include "session/listing.h"
#include "session/marking.h"
#include "session/record_edit.h"
#include "session/session.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "store/text.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// The message of the StoreError `f` throws; empty when it throws none.
template <class F>
std::string StoreErrorOf(F f) {
  try {
    f();
  } catch (const StoreError& e) {
    return e.what();
  }
  return "";
}

// Runs `body` in a child process and returns its exit status (or 128 + signal).
template <class Body>
int InChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Samples A1, A2 (inactive) and A3 of four steps and the origin: headers at slots 2,
// 8 and 14, A1's steps at 3 to 7; 19 slots, the results from slot 20.
class SessionTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  Session s;
  ScriptedDialogs dialogs;
  void SetUp() override {
    SectionPlan plan;
    for (const char* name : {"A1", "A2", "A3"})
      plan.samples.push_back({name,
                              {Step("NRM", 0, 10, 40, 12, 38, 3e-3f, 1), Step("TT", 100, 12, 42, 14, 40, 2e-3f, 1),
                               Step("TT", 200, 15, 44, 17, 42, 1e-3f, 1), Step("TT", 300, 20, 47, 22, 45, 5e-4f, 1)}});
    plan.samples[1].active = 0;
    WriteMag(path, plan);
    s = OpenSession(path);
  }
  std::vector<int> Changed(const std::string& before) { return ChangedSlots(before, ReadBytes(path)); }
};

}  // namespace

TEST(Listing, EdgesOfTheLines) {
  // A level of 1000 is listed whole: the line grows by one character.
  EXPECT_EQ(StepLine(Step("TT", 1000, 9.96f, -0.04f, 359.96f, 0.35f, 9.999e-5f, 0.005f)),
            "TT  1000    10.0    0.0   360.0    0.4   1.00E-04   0.01     No    Yes");
  // Only an Active of exactly 1 is "Yes".
  EXPECT_EQ(SampleListLines({{FixedText("S1", 16), 2, 1}, {FixedText("ABCDEFGHIJKLMNOP", 16), 9, 0},
                             {FixedText("X", 16), 12, 7}}),
            (std::vector<std::string>{"  Sample     Active", "S1              Yes", "ABCDEFGHIJKLMNOP No",
                                      "X                No"}));
  // Edit > Copy: the checked lines, the heading too when checked.
  EXPECT_EQ(CheckedLinesText({"head", "a", "b", "c"}, {true, false, true}), "head\r\nb\r\n");
  // File names are UTF-8 bytes; messages are ISO 8859-1 text.
  EXPECT_EQ(Session::Refusal("/d/M\xC3\xBCller.mag", "gone"), "/d/M\xFCller.mag: gone");
}

TEST_F(SessionTest, ListingOutOfRangeReloadAndClose) {
  ASSERT_EQ(s.ListSample(2)->size(), 1u + 5 + 1);
  EXPECT_TRUE(!s.ListSample(0) && !s.ListSample(4) && !s.ListSample(4, s.Read()));
  EXPECT_TRUE(s.CurrentPosition() == 2 && s.Steps().size() == 5u);  // out of range changes nothing
  s.Load();
  EXPECT_TRUE(s.CurrentPosition() == 0 && s.Steps().empty() && !s.Relist());
  s.Close();
  EXPECT_TRUE(!s.IsOpen() && s.FileName().empty() && s.SampleCount() == 0);
}

TEST_F(SessionTest, MarksChangeOnlyTheCheckedSlots) {
  std::string before = ReadBytes(path);
  EXPECT_EQ(TogglePlotPoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);  // no sample selected
  EXPECT_EQ(ToggleLSquarePoints(s, {1, 2}, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ReadBytes(path), before);
  ASSERT_TRUE(s.ListSample(1));
  // Lines: 0 heading, 1..5 steps (5 the origin), 6 closing line; 7 is past the listing.
  EXPECT_EQ(TogglePlotPoints(s, {0, 2, 5, 6, 7}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {3, 5}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(Changed(before), (std::vector<int>{4, 5, 7}));
  const auto lines = s.Relist();
  EXPECT_EQ((*lines)[2].substr(55), "     No     No");
  EXPECT_EQ((*lines)[3].substr(55), "    Yes    Yes");
  EXPECT_EQ((*lines)[5].substr(55), "    Yes    Yes");
  TogglePlotPoints(s, {2, 5}, dialogs);  // the same lines again undo it
  ToggleLSquarePoints(s, {3, 5}, dialogs);
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
  EXPECT_EQ(s.SampleLines(), (std::vector<std::string>{"  Sample     Active", "A1               No",
                                                       "A2              Yes", "A3              Yes"}));
  EXPECT_EQ(Changed(before), (std::vector<int>{2, 8}));
  before = ReadBytes(path);
  EXPECT_EQ(DeactivateRecords(s, {}, dialogs), Outcome::Kind::Done);  // nothing checked writes nothing
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SessionTest, MarkingAReadOnlyFileSaysSoAndChangesNothing) {
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  s = OpenSession(path);  // a read-only file can be browsed
  ASSERT_TRUE(s.ListSample(1));
  const std::string before = ReadBytes(path);
  // Checking nothing, or only the heading, the closing line and past the end, asks nothing.
  EXPECT_EQ(TogglePlotPoints(s, {}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(TogglePlotPoints(s, {0, 6, 7}, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(ToggleLSquarePoints(s, {6}, dialogs), Outcome::Kind::Done);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(DeactivateRecords(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(TogglePlotPoints(s, {1}, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(ToggleLSquarePoints(s, {1}, dialogs), Outcome::Kind::Failed);
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_NE(dialogs.messages[0].text.find("cannot be saved"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), before);
  // Nor can a fit be saved; the edit itself refuses it.
  EXPECT_THROW(SaveLSquareFit(s, 1, {std::set<int>{1, 2}, "N"}), StoreError);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, DamagedValuesAreRefusedNeverListedOrWritten) {
  // A stored result holding an infinite value is not listed.
  LSquareResult r;
  r.Intensity = std::numeric_limits<float>::infinity();
  s.File().Write(21, r);
  SampleHeader h = s.File().ReadSampleHeader(8);
  h.LSquareRecord = 21;
  s.File().Write(8, h);
  EXPECT_THROW(s.ListSample(2), StoreError);
  EXPECT_TRUE(s.ListSample(3));
  // A fit over a damaged step is refused before anything is written.
  std::string damaged = ReadBytes(path);
  const float inf = std::numeric_limits<float>::infinity();
  damaged.replace(3 * 64 + 8, 4, reinterpret_cast<const char*>(&inf), 4);  // A1, step 2, TDec
  WriteBytes(path, damaged);
  EXPECT_EQ(StoreErrorOf([&] { SaveLSquareFit(s, 1, {std::set<int>{1, 2}, "N"}); }),
            "Sample \"A1\" (record 4): the stored TDec is not a number: the file is damaged.");
  EXPECT_EQ(ReadBytes(path), damaged);
}

TEST_F(SessionTest, AWriteThatFailsMidwayLeavesTheFileAsItWas) {
  const std::string before = ReadBytes(path);
  // The new selection fits inside the file; the result would extend it past the
  // size limit: that write fails, and the selection already written is put back.
  const int status = InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
    setrlimit(RLIMIT_FSIZE, &limit);
    Session own = OpenSession(path);
    const std::string error = StoreErrorOf([&] { SaveLSquareFit(own, 2, {std::set<int>{1, 2, 3}, "N"}); });
    return error.find("Nothing was changed.") != std::string::npos ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, AnEditEndedByAnErrorPutsBackEverySlot) {
  const std::string before = ReadBytes(path);
  EXPECT_ANY_THROW({
    RecordEdit edit(s.File());
    edit.ChangeStep(1, 2, [](StepRecord& r) { r.LSquare = 1; });
    edit.PutResult(3, LSquareResult{});                // extends the file by three slots
    edit.ChangeSampleHeader(9, [](SampleHeader&) {});  // sample 9 does not exist
  });
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, ASecondWriterWaitsThenIsToldTheFileIsBusy) {
  RecordEdit held(s.File());
  const std::string before = ReadBytes(path);
  EXPECT_EQ(InChild([&] {
              Session other = OpenSession(path);
              return StoreErrorOf([&] { SaveLSquareFit(other, 1, {std::set<int>{1, 2}, "N"}); }) == BusyMessage() ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SessionTest, TwoProcessesFittingOneSampleNeverMixTheirWrites) {
  // Each writer has its own selection and label; after every fit the sample's steps,
  // label and result come from one and the same call.
  const auto writer = [&](std::set<int> steps, const char* label) {
    return InChild([&, steps, label] {
      Session own = OpenSession(path);
      for (int i = 0; i < 100; ++i) {
        try {
          SaveLSquareFit(own, 2, {steps, label});
        } catch (const StoreError&) {
          // Busy for a second: nothing written, the next round tries again.
        }
      }
      return 0;
    });
  };
  const pid_t other = fork();
  if (other == 0) _exit(writer({1, 2, 3}, "N"));
  EXPECT_EQ(writer({2, 3, 4, 5}, "RP"), 0);
  int status = 0;
  waitpid(other, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);

  const Snapshot file = s.Read();
  const std::vector<StepRecord> steps = file.Steps(2, file.Header(2));
  const std::optional<LSquareResult> r = file.Result(2, file.Header(2));
  ASSERT_TRUE(r);
  std::set<int> selected;
  for (size_t k = 0; k < steps.size(); ++k)
    if (steps[k].LSquare == 1) selected.insert(static_cast<int>(k) + 1);
  const bool first = r->Label == "N  ";
  EXPECT_EQ(r->Label, first ? "N  " : "RP ");
  EXPECT_EQ(selected, (first ? std::set<int>{1, 2, 3} : std::set<int>{2, 3, 4, 5}));
  EXPECT_EQ(r->Points, 3);  // the second ties the line to the origin
  EXPECT_EQ(r->Tied, first ? 0 : 1);
}

TEST_F(SessionTest, LimitsOfTheResultsAreaAndLostResults) {
  const std::string bytes = ReadBytes(path);
  const auto setLastRecord = [&](int32_t v) {
    std::string b = bytes;
    b.replace(32, 4, reinterpret_cast<const char*>(&v), 4);
    WriteBytes(path, b);
  };
  // At most one slot past the end of the file (19 slots); never inside the samples.
  const struct { int32_t last; const char* error; } cases[] = {
      {20, ""}, {21, "past the end of the file"}, {2147483647, "past the end of the file"}, {5, "inside the sample data"}};
  for (const auto& c : cases) {
    setLastRecord(c.last);
    const std::string error = StoreErrorOf([&] { OpenSession(path); });
    EXPECT_EQ(error.empty(), !*c.error) << c.last << ": " << error;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.last << ": " << error;
  }
  // A result saved for sample 3 fills the slots before it; a file cut short loses it,
  // and the listings say so by the sample's name.
  setLastRecord(20);
  s = OpenSession(path);
  SaveLSquareFit(s, 3, {std::set<int>{1, 2}, "N"});
  EXPECT_EQ(ReadBytes(path).size(), 22u * 64);
  WriteBytes(path, ReadBytes(path).substr(0, 19 * 64));
  const std::string lost = "A3               least-squares result lost: record 22 lies past the end of the file";
  EXPECT_NE(AllResultsText(s).find(lost + "\r\n"), std::string::npos) << AllResultsText(s);
  EXPECT_EQ(s.ListSample(3)->back(), lost);
}
