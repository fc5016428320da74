// Setting a sample's projection plane: asked until a whole number, one field written.
#include <gtest/gtest.h>

#include "plot/plot_helpers.h"
#include "plot/projection_plane.h"
#include "session/dialogs.h"
#include "session/session.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

TEST(ProjectionPlane, AskedUntilAWholeNumberWritesOnlyTheFieldOrNothing) {
  TempDir dir;
  const std::string path = dir.File("plane.mag");
  WriteMag(path, SectionPlan{"Test Section", 70.96f, 351.39f,
                             {{"A", {Dir(10, 10), Dir(20, 20)}}, {"B", {Dir(30, 30)}, 0, 12.5f, 7}}});
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  s.ListSample(2);
  ScriptedDialogs dialogs;
  const auto header = [&] { return SampleFile::Open(path).ReadSlot(6); };  // B: after A's header and 3 steps
  const Slot before = header();
  dialogs.answers = {"north", " ", "1e10", "inf", "12,5", "2.5"};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done);
  ASSERT_EQ(dialogs.questions.size(), 6u);
  EXPECT_EQ(dialogs.questions[0].title, "Projection Plane Dialogbox");
  EXPECT_EQ(dialogs.questions[0].prompt,
            "Please input the declination of the\r\nprojection plane: 0-360 (degree).\r\n"
            "To change back to default (No Projection),\r\nplease input: -2");
  EXPECT_EQ(dialogs.questions[0].defaultAnswer, "");
  Slot after = header();
  EXPECT_EQ(DecodeSampleHeader(after).ProjectionDec, 2);  // halves to even
  EXPECT_EQ(s.CurrentHeader().ProjectionDec, 2);          // the sample is read again
  std::copy_n(before.begin() + 32, 4, after.begin() + 32);
  EXPECT_EQ(after, before);  // every other byte as it was
  const struct { const char* answer; int32_t stored; } cases[] = {
      {"-2", -2}, {"400", 400}, {"0.5", 0}, {"-2147483648", INT32_MIN}, {" 359.5 ", 360}};
  for (const auto& c : cases) {
    dialogs.answers = {c.answer};
    EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Done) << c.answer;
    EXPECT_EQ(DecodeSampleHeader(header()).ProjectionDec, c.stored) << c.answer;
  }

  // Cancel, no file, no such sample: nothing asked further, nothing written.
  const std::string bytes = ReadBytes(path);
  dialogs.questions.clear();
  dialogs.answers = {"abc", ""};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Cancelled);
  Session closed;
  EXPECT_EQ(SetProjectionPlane(closed, 1, dialogs), Outcome::Kind::Nothing);
  for (int position : {0, 3}) EXPECT_EQ(SetProjectionPlane(s, position, dialogs), Outcome::Kind::Nothing);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(ReadBytes(path), bytes);
  // The header slot of sample B no longer matches the chain: nothing is written.
  SampleHeader broken = DecodeSampleHeader(header());
  broken.StepCount = 40;
  s.File().Write(6, broken);
  const std::string brokenBytes = ReadBytes(path);
  dialogs.answers = {"45"};
  EXPECT_EQ(SetProjectionPlane(s, 2, dialogs), Outcome::Kind::Failed);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(ReadBytes(path), brokenBytes);
}
