// All > Fisher statistics from the main window's menu, read back from txtFisher.
#include <gtest/gtest.h>

#include "app/ui/composition.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>

#include "session/ui/main_window.h"
#include "stats/site_analysis.h"
#include "stats/site_command.h"
#include "stats/ui/report_windows.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::FisherWindow;
using rmx::ui::MainWindow;

namespace {

QString Lf(const std::string& crlf) {
  QString s = QString::fromLatin1(crlf.data(), static_cast<int>(crlf.size()));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

class FisherWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  ScriptedDialogs dialogs;
  MainWindow* w = nullptr;
  QPlainTextEdit* box = nullptr;

  void SetUp() override {
    SectionPlan plan;
    plan.latitude = 40;
    plan.longitude = 250;
    plan.samples = {{"S1", {Step("NRM", 0, 10, 50, 12, 45, 1e-3f, 0.1f)}},
                    {"S2", {Step("NRM", 0, 20, 55, 22, 50, 2e-3f, 0.1f)}},
                    {"S3", {Step("NRM", 0, 190, -50, 192, -45, 1e-3f, 0.1f)}},
                    {"S4", {Step("TT", 100, 1, 1, 1, 1, 1e-3f, 0.1f)}}};
    WriteMag(path, plan);
    w = app::NewMainWindow().release();
    w->SetDialogs(&dialogs);
    w->GetOpenFileName(QString::fromStdString(path));
    // The report window belongs to the main window and is made on first use.
    dialogs.answers = {"y", "g"};
    w->Action("mnuAllFisherLSquare")->trigger();
    box = Report()->findChild<QPlainTextEdit*>("txtFisher");
    Report()->Clear();
    dialogs.questions.clear();
  }
  void TearDown() override { delete w; }
  FisherWindow* Report() const { return w->findChild<FisherWindow*>("frmFisher"); }
};

}  // namespace

TEST_F(FisherWindowTest, NrmReportIsAppendedToTxtFisher) {
  ASSERT_NE(box, nullptr);
  auto* samples = w->findChild<QListWidget*>("lstRecord");
  emit samples->itemClicked(samples->item(2));
  ASSERT_EQ(w->session().CurrentPosition(), 2);

  dialogs.answers = {"t", "60", "0"};
  w->Action("mnuAllFisherNRM")->trigger();
  EXPECT_TRUE((*Report()).isVisible());
  EXPECT_EQ(dialogs.questions.size(), 3u);

  // The same text as the analysis gives with the same answers.
  ScriptedDialogs again;
  again.answers = {"t", "60", "0"};
  TextOutput out;
  FisherAnalysis(SiteData::Nrm, w->session(), again, out);
  const std::string expected = out.text;
  EXPECT_EQ(box->toPlainText(), Lf(expected));
  EXPECT_TRUE(
      box->toPlainText().contains("\nTilt-corrected directions\n\nS4              - Not Selected/No Such Step\n"));
  // The walk used its own buffers: the selected sample is still current.
  EXPECT_EQ(w->session().CurrentPosition(), 2);

  // A second command appends; Cancel at the estimate keeps what it appended.
  dialogs.answers = {"g"};
  w->Action("mnuAllFisherNRM")->trigger();
  const QString text = box->toPlainText();
  EXPECT_TRUE(text.startsWith(Lf(expected)));
  EXPECT_TRUE(text.endsWith("\nGeographic coordinates\n\nS4              - Not Selected/No Such Step\n"))
      << text.right(200).toStdString();
}

TEST_F(FisherWindowTest, EveryMenuCommandReachesItsAnalysis) {
  dialogs.answers = {"y", "g"};
  w->Action("mnuAllFisherLSquare")->trigger();
  EXPECT_TRUE(box->toPlainText().endsWith("\nNo Least Square Data for Fisher Analysis!!!\n"));
  dialogs.answers = {"20", "g"};
  w->Action("mnuAllFisherAF")->trigger();
  EXPECT_TRUE(box->toPlainText().contains("Fisher Analysis using data at 20 mT\n"));
  dialogs.answers = {"100", "g", "0", "0"};
  w->Action("mnuAllFisherAT")->trigger();
  EXPECT_TRUE(box->toPlainText().contains("Fisher Analysis using data at 100 degrees (Centigrade)\n"));
  // One direction: the artificial statistics, and its pole at the site 40 N, 250 E.
  EXPECT_TRUE(
      box->toPlainText().endsWith("      1.00          1.00      0.00  100.00    1.00E-03 + 1.00E-09   1.00   1\n"
                                  "                                                       - 1.00E-09\n"
                                  ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<\n"
                                  "  Latitude       Longitude     DP      DM   \n"
                                  "     50.49        428.43      0.00    0.00 (degree)\n"
                                  "  PaleoLatitude = 0.50 degree\n"))
      << box->toPlainText().right(400).toStdString();

  // With the file closed the commands do nothing.
  w->FileClose();
  const QString before = box->toPlainText();
  dialogs.answers = {"g", "0", "0"};
  w->Action("mnuAllFisherNRM")->trigger();
  EXPECT_EQ(box->toPlainText(), before);
}
