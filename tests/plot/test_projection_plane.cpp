#include <gtest/gtest.h>

#include "session/dialogs.h"
#include "session/session.h"
#include "plot/plot_helpers.h"
#include "plot/projection_plane.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

class ProjectionPlaneTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("plane.mag");
  Session s;
  ScriptedDialogs dialogs;

  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"A", {Dir(10, 10), Dir(20, 20)}}, {"B", {Dir(30, 30)}, 0, 12.5f, 7}};
    WriteMag(path, plan);
    s.GetOpenFileName(path);
    s.Load();
    s.ListSample(2);
  }
  Slot HeaderSlot(int64_t n) { return SampleFile::Open(path).ReadSlot(n); }
};

}  // namespace

TEST_F(ProjectionPlaneTest, AsksUntilAWholeNumberAndWritesOnlyTheField) {
  const Slot before = HeaderSlot(6);  // sample B: after A's header and 3 steps
  dialogs.answers = {"north", " ", "1e10", "inf", "12,5", "2.5"};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done);
  EXPECT_EQ(dialogs.questions.size(), 6u);
  EXPECT_EQ(dialogs.questions[0].title, "Projection Plane Dialogbox");
  EXPECT_EQ(dialogs.questions[0].defaultAnswer, "");
  const Slot after = HeaderSlot(6);
  for (size_t i = 0; i < after.size(); ++i) {
    if (i < 32 || i >= 36) {
      EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(DecodeSampleHeader(after).ProjectionDec, 2);  // halves to even
  EXPECT_EQ(s.CurrentHeader().ProjectionDec, 2);          // the sample is read again

  for (const auto& [answer, stored] : std::vector<std::pair<std::string, int32_t>>{
           {"-2", -2}, {"400", 400}, {"0.5", 0}, {"-2147483648", INT32_MIN}, {" 359.5 ", 360}}) {
    dialogs.answers = {answer};
    EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done) << answer;
    EXPECT_EQ(DecodeSampleHeader(HeaderSlot(6)).ProjectionDec, stored) << answer;
  }
}

TEST_F(ProjectionPlaneTest, CancelAndNoSampleChangeNothing) {
  const std::string bytes = ReadBytes(path);
  dialogs.answers = {"abc", ""};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Cancelled);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(SetProjectionPlane(s, 0, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(SetProjectionPlane(s, 3, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  Session closed;
  EXPECT_EQ(SetProjectionPlane(closed, 1, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(ProjectionPlaneTest, ABrokenChainIsReportedNotWritten) {
  // The header slot of sample B no longer matches the chain: nothing is written.
  SampleHeader broken = DecodeSampleHeader(HeaderSlot(6));
  broken.StepCount = 40;
  s.File().Write(6, broken);
  const std::string bytes = ReadBytes(path);
  dialogs.answers = {"45"};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Failed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(ReadBytes(path), bytes);
}
