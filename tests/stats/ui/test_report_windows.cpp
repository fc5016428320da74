// frmFisher and frmLSquare from the main window's commands, through their object names.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "stats/site_command.h"
#include "stats/ui/report_windows.h"
#include "support/ui/main_window_fixture.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::FisherWindow;
using rmx::ui::LSquareWindow;

namespace {

QAction* Action(QWidget* w, const char* name) { return w->findChild<QAction*>(QString::fromLatin1(name)); }

class StatsWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // North/east/down vectors (3,3,2), (2,2,1), (1,1,0) as directions with intensities.
    SectionPlan plan;
    plan.samples = {{"FIT 45\xB0", {Step("NRM", 0, 45, 25.2394f, 45, 25.2394f, 4.6904f, 0.1f),
                                    Step("TT", 100, 45, 19.4712f, 45, 19.4712f, 3.0f, 0.1f),
                                    Step("TT", 200, 45, 0, 45, 0, 1.41421f, 0.1f)}},
                    {"S2", {Step("NRM", 0, 190, -50, 192, -45, 1e-3f, 0.1f)}},
                    {"S3", {Step("TT", 100, 1, 1, 1, 1, 1e-3f, 0.1f)}}};
    Open(plan);
    Click(1);
  }
  QListWidget* Data() { return Find<QListWidget>("lstRecordData"); }
};

}  // namespace

TEST_F(StatsWindows, FisherReportsAccumulateUntilCleared) {
  dialogs.answers = {"t", "60", "0"};
  Act("mnuAllFisherNRM")->trigger();
  auto* window = Find<FisherWindow>("frmFisher");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  QPlainTextEdit* box = window->findChild<QPlainTextEdit*>("txtFisher");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
  EXPECT_EQ(dialogs.questions.size(), 3u);
  ScriptedDialogs again;
  again.answers = {"t", "60", "0"};
  TextOutput out;
  FisherAnalysis(SiteData::Nrm, w->session(), again, out);
  const QString first = QString::fromLatin1(out.text).replace("\r\n", "\n");
  EXPECT_EQ(box->toPlainText(), first);
  EXPECT_EQ(w->session().CurrentPosition(), 1);  // the walk used its own buffers
  // Each command appends at the end, wherever the cursor is.
  box->moveCursor(QTextCursor::Start);
  dialogs.answers = {"y", "g"};
  Act("mnuAllFisherLSquare")->trigger();
  EXPECT_TRUE(box->toPlainText().startsWith(first));
  EXPECT_TRUE(box->toPlainText().endsWith("\nNo Least Square Data for Fisher Analysis!!!\n"));
  dialogs.answers = {"20", "g"};
  Act("mnuAllFisherAF")->trigger();
  EXPECT_TRUE(box->toPlainText().endsWith("Fisher Analysis using data at 20 mT\n\nGeographic coordinates\n\n"
                                          "Caution: No such step. Please check your data.\n"));
  dialogs.answers = {"100", "g", "0", "0"};
  Act("mnuAllFisherAT")->trigger();
  EXPECT_TRUE(box->toPlainText().contains("Fisher Analysis using data at 100 degrees (Centigrade)\n"));
  // Edit > Copy copies the selection (as the help window's box does); Ctrl+L clears.
  box->selectAll();
  Action(window, "mnuEditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), box->toPlainText());
  EXPECT_EQ(Action(window, "mnuEditClear")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
  Action(window, "mnuEditClear")->trigger();
  EXPECT_EQ(box->toPlainText(), "");
}

TEST_F(StatsWindows, LeastSquaresFromTheButtonAndAllResults) {
  for (int row : {1, 2, 3}) Data()->item(row)->setCheckState(Qt::Checked);
  dialogs.answers = {"n"};
  Find<QPushButton>("cmdLSquarePoints")->click();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, "Polarity Assignment and Rating");
  ASSERT_EQ(Data()->count(), 1 + 4 + 1 + 3);
  EXPECT_TRUE(Data()->item(8)->text().startsWith("N         45.00  35.26   45.00  35.26")) << Data()->item(8)->text().toStdString();
  EXPECT_TRUE(Data()->item(8)->text().endsWith("      3     No "));
  // Display All Results (twice): the listing replaces the last, in ISO 8859-1, the name in
  // both of its tables; the selected sample stays current.
  Act("mnuLSAllResults")->trigger();
  Act("mnuLSAllResults")->trigger();
  auto* window = Find<LSquareWindow>("frmLSquare");
  ASSERT_NE(window, nullptr);
  QPlainTextEdit* box = window->findChild<QPlainTextEdit*>("txtLSResults");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
  EXPECT_EQ(Action(window, "mnuEditClear"), nullptr);
  EXPECT_EQ(box->toPlainText().count(QString::fromUtf8("\nFIT 45\u00B0 ")), 2) << box->toPlainText().toStdString();
  EXPECT_EQ(w->session().CurrentPosition(), 1);
  EXPECT_EQ(Data()->count(), 9);
}
