#include <gtest/gtest.h>

#include "app/ui/composition.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "session/ui/main_window.h"
#include "stats/ui/report_windows.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::MainWindow;

namespace {

class LSquareWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("fit.mag");
  ScriptedDialogs dialogs;
  MainWindow* w = nullptr;
  QListWidget* samples = nullptr;
  QListWidget* data = nullptr;

  void SetUp() override {
    // North/east/down vectors (3,3,2), (2,2,1), (1,1,0) as directions with intensities.
    SectionPlan plan;
    plan.samples = {{"FIT", {Step("NRM", 0, 45, 25.2394f, 45, 25.2394f, 4.6904f, 0.1f),
                             Step("TT", 100, 45, 19.4712f, 45, 19.4712f, 3.0f, 0.1f),
                             Step("TT", 200, 45, 0, 45, 0, 1.41421f, 0.1f)}},
                    {"OTHER", {Step("NRM", 0, 10, 10, 10, 10, 1, 0)}}};
    WriteMag(path, plan);
    w = app::NewMainWindow().release();
    w->SetDialogs(&dialogs);
    w->GetOpenFileName(QString::fromStdString(path));
    samples = w->findChild<QListWidget*>("lstRecord");
    data = w->findChild<QListWidget*>("lstRecordData");
    emit samples->itemClicked(samples->item(1));
  }
  void TearDown() override { delete w; }
};

}  // namespace

TEST_F(LSquareWindowTest, CheckPressAnswerAndReadTheListing) {
  for (int row : {1, 2, 3}) data->item(row)->setCheckState(Qt::Checked);
  dialogs.answers = {"n"};
  w->findChild<QPushButton*>("cmdLSquarePoints")->click();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, "Polarity Assignment and Rating");
  ASSERT_EQ(data->count(), 1 + 4 + 1 + 3);
  const QString result = data->item(8)->text();
  EXPECT_TRUE(result.startsWith("N         45.00  35.26   45.00  35.26")) << "[" << result.toStdString() << "]";
  EXPECT_TRUE(result.endsWith("      3     No ")) << result.toStdString();
  // The selected sample stays current after Display All Results.
  w->Action("mnuLSAllResults")->trigger();
  EXPECT_TRUE(w->findChild<ui::LSquareWindow*>("frmLSquare")->Text().contains("FIT"));
  EXPECT_EQ(w->session().CurrentPosition(), 1);
  EXPECT_EQ(data->count(), 9);
}

TEST_F(LSquareWindowTest, CancelWritesNothing) {
  const std::string before = ReadBytes(path);
  for (int row : {1, 2}) data->item(row)->setCheckState(Qt::Checked);
  w->findChild<QPushButton*>("cmdLSquarePoints")->click();  // no scripted answer: Cancel
  const std::string after = ReadBytes(path);
  // Only the two step slots (LSquare flags) changed; no result was written.
  ASSERT_EQ(before.size(), after.size());
  EXPECT_EQ(before.substr(0, 2 * 64), after.substr(0, 2 * 64));
  EXPECT_EQ(before.substr(4 * 64), after.substr(4 * 64));
  EXPECT_EQ(data->count(), 1 + 4 + 1);
}
