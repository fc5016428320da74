// A command's writes succeed together or not at all, one writer at a time, and a
// damaged or truncated file is refused or reported, never half-changed.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cmath>
#include <limits>
#include <set>

#include "session/record_edit.h"
#include "session/session.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

SectionPlan Section() {
  SectionPlan plan;
  for (const char* name : {"A1", "A2", "A3"})
    plan.samples.push_back({name,
                            {Step("NRM", 0, 10, 40, 12, 38, 3e-3f, 1), Step("TT", 100, 12, 42, 14, 40, 2e-3f, 1),
                             Step("TT", 200, 15, 44, 17, 42, 1e-3f, 1), Step("TT", 300, 20, 47, 22, 45, 5e-4f, 1)}});
  return plan;
}

Session Open(const std::string& path) {
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  return s;
}

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

class RecordEditTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  void SetUp() override { WriteMag(path, Section()); }
};

}  // namespace

TEST_F(RecordEditTest, AWriteThatFailsMidwayLeavesTheFileAsItWas) {
  const std::string before = ReadBytes(path);
  // The new selection fits inside the file; the result would extend it past the
  // size limit: that write fails, and the selection already written is put back.
  const int status = InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
    setrlimit(RLIMIT_FSIZE, &limit);
    Session s = Open(path);
    const std::string error = StoreErrorOf([&] { SaveLSquareFit(s, 2, {std::set<int>{1, 2, 3}, "N"}); });
    return error.find("Nothing was changed.") != std::string::npos ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RecordEditTest, AnEditEndedByAnErrorPutsBackEverySlot) {
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  EXPECT_ANY_THROW({
    RecordEdit edit(s.File());
    edit.ChangeStep(1, 2, [](StepRecord& r) { r.LSquare = 1; });
    edit.PutResult(3, LSquareResult{});  // extends the file by three slots
    edit.ChangeSampleHeader(9, [](SampleHeader&) {});  // sample 9 does not exist
  });
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RecordEditTest, ARefusedFitWritesNothing) {
  const std::string before = ReadBytes(path);
  Session s = Open(path);
  // An unknown label, a damaged step and a read-only file each leave the file as it was.
  EXPECT_THROW(SaveLSquareFit(s, 1, {std::set<int>{1, 2}, "X"}), std::invalid_argument);
  EXPECT_EQ(ReadBytes(path), before);
  std::string damaged = before;
  const float inf = std::numeric_limits<float>::infinity();
  damaged.replace(3 * 64 + 8, 4, reinterpret_cast<const char*>(&inf), 4);  // sample 1, step 2, TDec
  WriteBytes(path, damaged);
  EXPECT_EQ(StoreErrorOf([&] { SaveLSquareFit(s, 1, {std::set<int>{1, 2}, "N"}); }),
            "Sample \"A1\" (record 4): the stored TDec is not a number: the file is damaged.");
  EXPECT_EQ(ReadBytes(path), damaged);
  WriteBytes(path, before);
  s.Close();
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  Session readOnly = Open(path);
  EXPECT_THROW(SaveLSquareFit(readOnly, 1, {std::set<int>{1, 2}, "N"}), StoreError);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RecordEditTest, ASecondWriterWaitsThenIsToldTheFileIsBusy) {
  Session holder = Open(path);
  RecordEdit held(holder.File());
  const std::string before = ReadBytes(path);
  const int status = InChild([&] {
    Session s = Open(path);
    return StoreErrorOf([&] { SaveLSquareFit(s, 1, {std::set<int>{1, 2}, "N"}); }) == BusyMessage() ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RecordEditTest, TwoProcessesFittingOneSampleNeverMixTheirWrites) {
  // Each writer has its own selection and label; after every fit the sample's steps,
  // label and result come from one and the same call.
  const auto writer = [&](std::set<int> steps, const char* label) {
    return InChild([&, steps, label] {
      Session s = Open(path);
      for (int i = 0; i < 100; ++i) {
        try {
          SaveLSquareFit(s, 2, {steps, label});
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

  const Snapshot file = Open(path).Read();
  const SampleHeader h = file.Header(2);
  const std::vector<StepRecord> steps = file.Steps(2, h);
  const std::optional<LSquareResult> r = file.Result(2, h);
  ASSERT_TRUE(r);
  std::set<int> selected;
  for (size_t k = 0; k < steps.size(); ++k)
    if (steps[k].LSquare == 1) selected.insert(static_cast<int>(k) + 1);
  if (r->Label == "N  ") {
    EXPECT_EQ(selected, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(r->Points, 3);
  } else {
    EXPECT_EQ(r->Label, "RP ");
    EXPECT_EQ(selected, (std::set<int>{2, 3, 4, 5}));
    EXPECT_EQ(r->Points, 3);  // the origin ties the line
    EXPECT_EQ(r->Tied, 1);
  }
}

TEST_F(RecordEditTest, LimitsOfTheResultsAreaAndLostResults) {
  std::string bytes = ReadBytes(path);
  const auto setLastRecord = [&](int32_t v) {
    std::string b = bytes;
    b.replace(32, 4, reinterpret_cast<const char*>(&v), 4);
    WriteBytes(path, b);
  };
  const int32_t slots = static_cast<int32_t>(bytes.size() / 64);
  // At most one slot past the end of the file; never inside the samples.
  const struct { int32_t last; const char* error; } cases[] = {{slots + 1, nullptr},
                                                               {slots + 2, "past the end of the file"},
                                                               {1000000000, "past the end of the file"},
                                                               {2147483647, "past the end of the file"},
                                                               {5, "inside the sample data"}};
  for (const auto& c : cases) {
    setLastRecord(c.last);
    const std::string error = StoreErrorOf([&] { Open(path); });
    if (!c.error) EXPECT_EQ(error, "") << c.last;
    else EXPECT_NE(error.find(c.error), std::string::npos) << c.last << ": " << error;
  }
  // A result saved for sample 3 fills the slots before it; a file cut short loses it,
  // and the listings say so by the sample's name.
  setLastRecord(slots + 1);
  Session s = Open(path);
  SaveLSquareFit(s, 3, {std::set<int>{1, 2}, "N"});
  EXPECT_EQ(ReadBytes(path).size(), static_cast<size_t>(slots + 3) * 64);
  WriteBytes(path, ReadBytes(path).substr(0, static_cast<size_t>(slots) * 64));
  const std::string text = AllResultsText(s);
  EXPECT_NE(text.find("A3               least-squares result lost: record " + std::to_string(slots + 3) +
                      " lies past the end of the file\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(s.ListSample(3)->back(), "A3               least-squares result lost: record " +
                                          std::to_string(slots + 3) + " lies past the end of the file");
}
