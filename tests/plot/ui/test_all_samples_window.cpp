#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <limits>

#include "app/composition.h"
#include "plot/all_samples.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_ui_helpers.h"
#include "plot/ui/plot_window.h"
#include "session/ui/main_window.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::MainWindow;
using rmx::ui::PlotPanel;
using rmx::ui::PlotWindow;

namespace {

class AllSamplesWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("all.mag");
  ScriptedDialogs dialogs;
  MainWindow* w = nullptr;

  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 10, 40, 30, 35, 1e-3f, 1), Step("AF", 20, 20, -10, 40, -5, 5e-4f, 1)}},
                    {"S2", {Step("NRM", 0, 200, -30, 220, -25, 1e-3f, 1), Step("AF", 20, 190, 20, 210, 15, 5e-4f, 1)}},
                    {"S3", {Step("NRM", 0, 100, 10, 120, 10, 1e-3f, 1)}, 0}};
    WriteMag(path, plan);
    w = app::NewMainWindow().release();
    w->SetDialogs(&dialogs);
    w->GetOpenFileName(QString::fromStdString(path));
  }
  void TearDown() override { delete w; }

  PlotWindow* Window() { return w->findChild<PlotWindow*>("frmSPlot"); }
  std::string Label() { return Window()->findChild<QLabel*>("lblSPlot")->text().toStdString(); }
  std::string Caption() { return Window()->windowTitle().trimmed().toStdString(); }
  PlotPanel* Net() { return Window()->findChild<PlotPanel*>("picSPlot"); }
  void Click(int row) {
    auto* list = w->findChild<QListWidget*>("lstRecord");
    emit list->itemClicked(list->item(row));
  }

  // The net panel as the core draws the directions of the file.
  QImage Expected(plot::AllSamplesData data, float level, plot::NetKind net, plot::Coordinates coords) {
    const auto points = plot::SelectPoints(plot::ReadAllSamples(w->session(), data), data, level, coords);
    return PanelPicture(Net(), [&](plot::Surface& s) {
      plot::PlotState state;
      plot::DrawAllSamplesPlot(s, plot::ScreenLayout(), state, net, points, nullptr);
    });
  }
};

}  // namespace

TEST_F(AllSamplesWindowTest, NetFromTheMarksAndTheLabelOfEachRun) {
  // Nothing ticked: the tilt-corrected equal-area net with a fresh title.
  w->Action("mnuAllSPlotNRM")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using NRM data");
  EXPECT_EQ(Label(), "Lambert Equal-area Projection: Tilt-corrected (All)");
  EXPECT_EQ(Net()->Picture(),
            Expected(plot::AllSamplesData::Nrm, 0, plot::NetKind::EqualArea, plot::Coordinates::TiltCorrected));

  // With nothing ticked the title is set afresh by every run. The level is asked
  // until it is a number.
  dialogs.answers = {"twenty", " ", "20"};
  w->Action("mnuAllSPlotAF")->trigger();
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using data at 20 mT");
  EXPECT_EQ(Label(), "Lambert Equal-area Projection: Tilt-corrected (All)");

  // The stereographic geographic display ticked: its net and coordinates.
  Click(1);
  w->Action("mnuSPlotGeographic")->trigger();
  const QImage single = Net()->Picture();
  dialogs.answers = {""};  // Cancel at the level: nothing changes
  w->Action("mnuAllSPlotAT")->trigger();
  EXPECT_EQ(Caption(), "Sample: S1");
  EXPECT_EQ(Label(), "Stereographic Projection: Geographic");
  EXPECT_EQ(Net()->Picture(), single);
  dialogs.answers = {"20.0"};
  w->Action("mnuAllSPlotAT")->trigger();
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using data at 20 degree");
  EXPECT_EQ(Label(), "Stereographic Projection: Geographic (All)");
  EXPECT_EQ(Net()->Picture(), Expected(plot::AllSamplesData::ArbitraryTemperature, 20, plot::NetKind::Stereographic,
                                       plot::Coordinates::Geographic));
  // The selected sample and its steps are untouched by the walk.
  EXPECT_EQ(w->session().CurrentPosition(), 1);
  EXPECT_EQ(w->session().Steps().size(), 3u);

  // A second run appends to the title it finds.
  w->Action("mnuAllSPlotLSquare")->trigger();
  EXPECT_EQ(Label(), "Stereographic Projection: Geographic (All) (All)");
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using Least Square data");

  // A resize keeps the all-sample net where it was instead of drawing the single
  // sample's display over it.
  const QImage all = Net()->Picture();
  Window()->resize(Window()->width() + 200, Window()->height() + 150);
  QApplication::processEvents();
  EXPECT_GT(Net()->Picture().width(), all.width());
  EXPECT_EQ(Net()->Picture().copy(0, 0, all.width(), all.height()), all);
  EXPECT_TRUE(w->Action("mnuSPlotGeographic")->isChecked());
  EXPECT_EQ(Label(), "Stereographic Projection: Geographic (All) (All)");
}

TEST_F(AllSamplesWindowTest, DamagedValueIsReportedAndNothingIsDrawn) {
  std::vector<Slot> records = BuildSlots({"S", 0, 0, {{"S1", {Step("NRM", 0, 10, 40, 30, 35, 1e-3f, 1)}}}});
  StepRecord bad = DecodeStepRecord(records[2]);
  bad.TDec = std::numeric_limits<float>::infinity();
  records[2] = Encode(bad);
  WriteSlots(path, records);
  w->GetOpenFileName(QString::fromStdString(path));
  w->Action("mnuAllSPlotNRM")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("the stored TDec is not a number"), std::string::npos);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(AllSamplesWindowTest, PrintingTwoCopiesGivesTwoHeadedPages) {
  const std::string pdf = dir.File("all.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));

  dialogs.answers = {"NRM", " a", ""};  // asked again until a letter; Cancel ends
  w->Action("mnuFilePrintAllEQPlot")->trigger();
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(dialogs.printerDialogs, 0);

  // The level is asked once per copy, after the printer dialog.
  dialogs.questions.clear();
  dialogs.answers = {"a", "x", "20", "20"};
  dialogs.printerCopies = {2};
  w->Action("mnuFilePrintAllEQPlot")->trigger();
  ASSERT_EQ(dialogs.questions.size(), 4u);
  EXPECT_EQ(dialogs.questions[3].title, "Alternating Field Strength Selection");
  const auto pages = PdfPageDrawings(ReadBytes(pdf));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(pages[0] == pages[1]);
  // The four compass letters and the two heading lines on each page.
  size_t texts = 0;
  for (size_t at = pages[0].find("BT\n"); at != std::string::npos; at = pages[0].find("BT\n", at + 1)) ++texts;
  EXPECT_EQ(texts, 6u);
  EXPECT_EQ(Window(), nullptr);  // the plot window is not touched

  // A copy whose level is cancelled gets no page.
  dialogs.answers = {"t", "", "20"};
  dialogs.printerCopies = {2};
  w->Action("mnuFilePrintAllSPlot")->trigger();
  EXPECT_EQ(PdfPageDrawings(ReadBytes(pdf)).size(), 1u);
}
