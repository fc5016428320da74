#include <gtest/gtest.h>

#include "app/composition.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "session/ui/main_window.h"
#include "plot/layout.h"
#include "plot/net.h"
#include "plot/sample_plot.h"
#include "plot/ui/painter_surface.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_window.h"
#include "store/sample_file.h"
#include "support/magbuilder.h"
#include "plot/ui/plot_ui_helpers.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::MainWindow;
using rmx::ui::PlotController;
using rmx::ui::PlotPanel;
using rmx::ui::PlotWindow;

namespace {

const char* const PlotItems[] = {"mnuZijGeographic",   "mnuZijTilt",          "mnuSPlotGeographic",
                                 "mnuSPlotTilt",       "mnuEQPlotGeographic", "mnuEQPlotTilt"};

StepRecord Plotted(float gdec, float ginc, float tdec, float tinc, float j, int lsquare = 0, int plot = 1) {
  StepRecord s = Step("AF", 10, gdec, ginc, tdec, tinc, j, 0.1f);
  s.LSquare = lsquare;
  s.Plot = plot;
  return s;
}

class PlotWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("plots.mag");
  ScriptedDialogs dialogs;
  MainWindow* w = nullptr;

  void SetUp() override {
    SectionPlan plan;
    // Step 1 lower hemisphere (filled square), step 2 upper (open red), step 3
    // selected for least squares (filled green, the last plotted), step 4 not
    // plotted.
    plan.samples = {{"S1",
                     {Plotted(10, 40, 20, 35, 1.0f), Plotted(60, -20, 70, -25, 0.6f),
                      Plotted(30, 30, 40, 25, 0.3f, 1), Plotted(90, 10, 95, 5, 0.2f, 0, 0)}},
                    {"S2", {Plotted(200, -50, 210, -45, 2e-3f), Plotted(190, -40, 200, -35, 1e-3f)}}};
    WriteMag(path, plan);
    w = app::NewMainWindow().release();
    w->SetDialogs(&dialogs);
    w->GetOpenFileName(QString::fromStdString(path));
  }
  void TearDown() override { delete w; }

  QListWidget* Samples() { return w->findChild<QListWidget*>("lstRecord"); }
  void Click(int row) { emit Samples()->itemClicked(Samples()->item(row)); }
  PlotController* Controller() { return w->findChild<PlotController*>("plotController"); }
  PlotWindow* Window() { return w->findChild<PlotWindow*>("frmSPlot"); }
  QAction* Act(const char* name) { return w->Action(name); }
  std::vector<std::string> Ticked() {
    std::vector<std::string> out;
    for (const char* name : PlotItems)
      if (Act(name)->isChecked()) out.push_back(name);
    return out;
  }
  QString Label(const char* name) { return Window()->findChild<QLabel*>(name)->text(); }
  PlotPanel* Panel(const char* name) { return Window()->findChild<PlotPanel*>(name); }

  // The panel's picture as the same drawing through the core makes it.
  QImage Expected(PlotPanel* panel, plot::PlotKind kind, plot::Coordinates coords) {
    return PanelPicture(panel, [&](plot::Surface& s) {
      plot::PlotState state;
      plot::DrawSamplePlot(s, plot::ScreenLayout(), state, kind, coords, w->session().CurrentHeader(),
                           w->session().Steps());
    });
  }

  QColor PixelAt(PlotPanel* panel, double xTwips, double yTwips) {
    const double ratio = panel->Picture().devicePixelRatio();
    const double k = panel->Dpi() / 1440 * ratio;
    return panel->Picture().pixelColor(static_cast<int>(std::floor(xTwips * k)),
                                       static_cast<int>(std::floor(yTwips * k)));
  }
};

}  // namespace

TEST_F(PlotWindowTest, NetItemsReplaceEachOtherAndUntickingEmptiesTheTitle) {
  Click(1);
  EXPECT_EQ(Window(), nullptr);  // no plot is on yet: the window is not needed
  Act("mnuSPlotGeographic")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuSPlotGeographic"});
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic");

  Act("mnuEQPlotTilt")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuEQPlotTilt"});
  EXPECT_EQ(Label("lblSPlot"), "Lambert Equal-area Projection: Tilt-corrected");
  EXPECT_EQ(Panel("picSPlot")->Picture(),
            Expected(Panel("picSPlot"), plot::PlotKind::EqualArea, plot::Coordinates::TiltCorrected));

  Act("mnuEQPlotTilt")->trigger();
  EXPECT_TRUE(Ticked().empty());
  EXPECT_EQ(Label("lblSPlot"), "");
  EXPECT_TRUE(Window()->isVisible());  // the window stays open with an empty net panel
  QImage blank(Panel("picSPlot")->Picture().size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(Panel("picSPlot")->Picture().convertToFormat(QImage::Format_RGB32), blank);
}

TEST_F(PlotWindowTest, CommandsDoNothingWithoutASelectedSample) {
  // Nothing selected after opening: no tick, no window, nothing written.
  for (const char* name : PlotItems) Act(name)->trigger();
  EXPECT_TRUE(Ticked().empty());
  EXPECT_EQ(Window(), nullptr);

  Click(1);
  Act("mnuZijTilt")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuZijTilt"});
  // The heading line selected: the commands change no mark and draw nothing.
  Samples()->setCurrentRow(0);
  const QImage before = Panel("picZPlot")->Picture();
  Act("mnuZijTilt")->trigger();
  Act("mnuZijGeographic")->trigger();
  Act("mnuSPlotTilt")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuZijTilt"});
  EXPECT_EQ(Panel("picZPlot")->Picture(), before);
  dialogs.answers = {"45"};
  Act("mnuZijProjectionPlane")->trigger();
  EXPECT_TRUE(dialogs.questions.empty());
  dialogs.printerCopies = {1};
  Act("mnuFilePrintZPlot")->trigger();
  Act("mnuFilePrintSPlot")->trigger();
  EXPECT_EQ(dialogs.printerDialogs, 0);
}

TEST_F(PlotWindowTest, ZijderveldCommandsAndModifiedLayout) {
  Click(1);
  Act("mnuZijGeographic")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuZijGeographic"});
  EXPECT_EQ(Label("lblZPlot"), "Zijderveld Progressive Demagnetization Diagram : Geographic");
  EXPECT_EQ(Window()->windowTitle(), "Sample: S1              ");
  Act("mnuZijTilt")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuZijTilt"});
  Act("mnuZijModified")->trigger();
  EXPECT_TRUE(Act("mnuZijModified")->isChecked());
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuZijTilt"});
  EXPECT_EQ(Label("lblZPlot"), "Modified Zijderveld Progressive Demagnetization Diagram : Tilt-corrected");
  EXPECT_EQ(Panel("picZPlot")->Picture(),
            Expected(Panel("picZPlot"), plot::PlotKind::ModifiedZijderveld, plot::Coordinates::TiltCorrected));
  // The squares of step 1: red on the horizontal projection, blue on the vertical.
  Act("mnuZijModified")->trigger();
  EXPECT_FALSE(Act("mnuZijModified")->isChecked());
  const plot::ZScale z = plot::ZijderveldScale(w->session().Steps(), plot::Coordinates::TiltCorrected, false, 0,
                                               plot::ScreenLayout(), Panel("picZPlot")->WidthTwips(),
                                               Panel("picZPlot")->HeightTwips(), 100);
  const plot::ZComponents c =
      plot::ZijderveldComponents(w->session().Steps()[0], plot::Coordinates::TiltCorrected, false, 0);
  const double k = z.TickLength / z.Tick;
  EXPECT_EQ(PixelAt(Panel("picZPlot"), z.OriginX + c.A * k, z.OriginY + c.B * k), QColor(255, 0, 0));
  // The vertical projection may lie below the panel: the diagram is scaled to its width.
  if (z.OriginY + c.V * k < Panel("picZPlot")->HeightTwips() - 100) {
    EXPECT_EQ(PixelAt(Panel("picZPlot"), z.OriginX + c.C * k, z.OriginY + c.V * k), QColor(0, 0, 255));
  }
  EXPECT_EQ(Controller()->State().ZOriginX, static_cast<float>(z.OriginX));
  // Unticking empties the title.
  Act("mnuZijTilt")->trigger();
  EXPECT_EQ(Label("lblZPlot"), "");
}

TEST_F(PlotWindowTest, PanelPixelsShowTheSymbolsWhereTheyBelong) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  PlotPanel* panel = Panel("picSPlot");
  const plot::PlotState& state = Controller()->State();
  EXPECT_NEAR(state.NetCentreX, panel->WidthTwips() / 2, 1e-3);
  // Step 3 (30, 30), selected for least squares: a filled green circle, drawn last.
  const plot::NetPoint p = plot::ProjectOnNet(state, plot::NetKind::Stereographic, 30, 30);
  EXPECT_EQ(PixelAt(panel, p.X, p.Y), QColor(0, 255, 0));
  // Outside the rim, the background.
  EXPECT_EQ(PixelAt(panel, 30, 30), QColor(255, 255, 255));
  // The rim below east is drawn in the foreground colour.
  const double x = state.NetCentreX + std::sqrt(state.NetRadius * state.NetRadius - 300.0 * 300.0);
  int darkest = 255;
  for (double dx : {-15.0, 0.0, 15.0})
    for (double dy : {-15.0, 0.0, 15.0})
      darkest = std::min(darkest, PixelAt(panel, x + dx, state.NetCentreY + 300 + dy).lightness());
  EXPECT_LT(darkest, 100);
  EXPECT_EQ(panel->property("picturePanel").toBool(), true);
  EXPECT_EQ(panel->accessibleDescription(), "picSPlot");
}

TEST_F(PlotWindowTest, SampleSelectionRedrawsOrHides) {
  Click(1);
  Act("mnuEQPlotGeographic")->trigger();
  Act("mnuZijGeographic")->trigger();
  Click(2);
  EXPECT_EQ(Window()->windowTitle(), "Sample: S2              ");
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Panel("picSPlot")->Picture(),
            Expected(Panel("picSPlot"), plot::PlotKind::EqualArea, plot::Coordinates::Geographic));
  EXPECT_EQ(Panel("picZPlot")->Picture(),
            Expected(Panel("picZPlot"), plot::PlotKind::Zijderveld, plot::Coordinates::Geographic));
  // Every plot off: the next selection hides the window.
  Act("mnuEQPlotGeographic")->trigger();
  Act("mnuZijGeographic")->trigger();
  Click(1);
  EXPECT_FALSE(Window()->isVisible());
  EXPECT_EQ(Window()->windowTitle(), "Sample: S1              ");
  // File > Close takes every mark off and closes the window.
  Act("mnuSPlotTilt")->trigger();
  EXPECT_TRUE(Window()->isVisible());
  w->FileClose();
  EXPECT_TRUE(Ticked().empty());
  EXPECT_FALSE(Window()->isVisible());
}

TEST_F(PlotWindowTest, ResizeFollowsTheLayoutRuleAndRedrawsWithoutTouchingMarks) {
  Click(1);
  Act("mnuSPlotTilt")->trigger();
  Act("mnuZijGeographic")->trigger();
  PlotWindow* win = Window();
  for (QSize size : {QSize(900, 700), QSize(1400, 500), QSize(640, 480)}) {
    win->resize(size);
    QApplication::processEvents();
    const double dpi = win->logicalDpiX();
    const plot::PlotWindowLayout l =
        plot::LayoutPlotWindow(plot::PixelsToTwips(win->width(), dpi), plot::PixelsToTwips(win->height(), dpi));
    ASSERT_TRUE(l.Valid);
    const QRect z = Panel("picZPlot")->geometry();
    const QRect s = Panel("picSPlot")->geometry();
    EXPECT_EQ(z, QRect(plot::TwipsToPixels(150, dpi), plot::TwipsToPixels(600, dpi),
                       plot::TwipsToPixels(l.PanelWidth, dpi), plot::TwipsToPixels(l.PanelHeight, dpi)));
    EXPECT_EQ(s.left(), plot::TwipsToPixels(l.PanelWidth + 300, dpi));
    EXPECT_EQ(s.size(), z.size());
    EXPECT_EQ(win->findChild<QLabel*>("lblSPlot")->geometry(),
              QRect(s.left(), 0, s.width(), plot::TwipsToPixels(500, dpi)));
    EXPECT_EQ(Ticked(), (std::vector<std::string>{"mnuZijGeographic", "mnuSPlotTilt"}));
    EXPECT_EQ(Panel("picSPlot")->Picture(),
              Expected(Panel("picSPlot"), plot::PlotKind::Stereographic, plot::Coordinates::TiltCorrected));
    EXPECT_EQ(Panel("picZPlot")->Picture(),
              Expected(Panel("picZPlot"), plot::PlotKind::Zijderveld, plot::Coordinates::Geographic));
  }
  // The heading selected: a resize still redraws the listed sample and keeps the marks.
  Samples()->setCurrentRow(0);
  win->resize(1000, 700);
  QApplication::processEvents();
  EXPECT_EQ(Ticked(), (std::vector<std::string>{"mnuZijGeographic", "mnuSPlotTilt"}));
  EXPECT_EQ(Panel("picSPlot")->Picture(),
            Expected(Panel("picSPlot"), plot::PlotKind::Stereographic, plot::Coordinates::TiltCorrected));
  // Too small for a positive panel: the layout and the drawings stay as they were.
  const QRect before = Panel("picSPlot")->geometry();
  win->resize(5, 5);
  QApplication::processEvents();
  EXPECT_EQ(Panel("picSPlot")->geometry(), before);
}

TEST_F(PlotWindowTest, ProjectionPlaneIsAskedWrittenAndDrawn) {
  Click(1);
  Act("mnuZijGeographic")->trigger();
  // Not numbers and out of the 32-bit range are asked again; 40.5 rounds to 40.
  dialogs.answers = {"abc", " ", "3e9", "40.5"};
  Act("mnuZijProjectionPlane")->trigger();
  ASSERT_EQ(dialogs.questions.size(), 4u);
  EXPECT_EQ(dialogs.questions[0].title, "Projection Plane Dialogbox");
  EXPECT_EQ(dialogs.questions[0].prompt,
            "Please input the declination of the\r\nprojection plane: 0-360 (degree).\r\n"
            "To change back to default (No Projection),\r\nplease input: -2");
  const SampleFile f = SampleFile::Open(path);
  const SampleHeader h = f.ReadSampleHeader(2);
  EXPECT_EQ(h.ProjectionDec, 40);
  EXPECT_EQ(h.SampleName, "S1              ");  // the rest of the header as it was
  EXPECT_EQ(h.StepCount, 5);
  EXPECT_EQ(h.NextSample, 8);
  EXPECT_EQ(w->session().CurrentHeader().ProjectionDec, 40);
  EXPECT_EQ(Panel("picZPlot")->Picture(),
            Expected(Panel("picZPlot"), plot::PlotKind::Zijderveld, plot::Coordinates::Geographic));
  // Cancel changes nothing.
  dialogs.answers = {""};
  Act("mnuZijProjectionPlane")->trigger();
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).ProjectionDec, 40);
}

TEST_F(PlotWindowTest, PrintingTwoCopiesGivesTwoIdenticalPages) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  const std::string pdf = dir.File("net.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));
  dialogs.printerCopies = {0};
  Act("mnuFilePrintEQPlot")->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));  // cancelled: nothing printed, nothing switched
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuSPlotGeographic"});

  // Only the stereographic display is on: the tilt-corrected equal-area display is
  // switched on and printed.
  dialogs.printerCopies = {2};
  Act("mnuFilePrintEQPlot")->trigger();
  EXPECT_EQ(Ticked(), std::vector<std::string>{"mnuEQPlotTilt"});
  const auto pages = PdfPageDrawings(ReadBytes(pdf));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_GT(pages[0].size(), 10000u);  // the net, 1000-chord paths and the title
  EXPECT_TRUE(pages[0] == pages[1]);
  // The printed net set the shared state: radius from the page, centre one half inch low.
  const QRect page = w->Printer().pageLayout().paintRectPixels(w->Printer().resolution());
  EXPECT_NEAR(Controller()->State().NetCentreY,
              plot::PixelsToTwips(page.height(), w->Printer().resolution()) / 2 + 720, 1e-2);

  const std::string zpdf = dir.File("z.pdf");
  w->Printer().setOutputFileName(QString::fromStdString(zpdf));
  dialogs.printerCopies = {1};
  Act("mnuFilePrintZPlot")->trigger();
  EXPECT_EQ(Ticked(), (std::vector<std::string>{"mnuZijTilt", "mnuEQPlotTilt"}));
  EXPECT_EQ(PdfPageDrawings(ReadBytes(zpdf)).size(), 1u);
}

TEST_F(PlotWindowTest, MarkingRedrawsThePlotsThatAreOn) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  Act("mnuZijTilt")->trigger();
  const QImage before = Panel("picSPlot")->Picture();
  // Step 2 out of the plots: the path now joins step 1 and step 3.
  auto* data = w->findChild<QListWidget*>("lstRecordData");
  data->item(2)->setCheckState(Qt::Checked);
  w->findChild<QPushButton*>("cmdDeselectPoints")->click();
  EXPECT_EQ(w->session().Steps()[1].Plot, 0);
  EXPECT_NE(Panel("picSPlot")->Picture(), before);
  EXPECT_EQ(Panel("picSPlot")->Picture(),
            Expected(Panel("picSPlot"), plot::PlotKind::Stereographic, plot::Coordinates::Geographic));
  EXPECT_EQ(Panel("picZPlot")->Picture(),
            Expected(Panel("picZPlot"), plot::PlotKind::Zijderveld, plot::Coordinates::TiltCorrected));
  EXPECT_EQ(Ticked(), (std::vector<std::string>{"mnuZijTilt", "mnuSPlotGeographic"}));
}
