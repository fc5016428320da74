// frmSPlot and the plot menu items, driven through the main window's object names.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/sample_plot.h"
#include "plot/ui/painter_surface.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_window.h"
#include "store/sample_file.h"
#include "support/ui/main_window_fixture.h"
#include "plot/ui/plot_ui_helpers.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::PlotPanel;
using rmx::ui::PlotWindow;
using Items = std::vector<std::string>;

namespace {

const char* const PlotItems[] = {"mnuZijGeographic", "mnuZijTilt",          "mnuSPlotGeographic",
                                 "mnuSPlotTilt",     "mnuEQPlotGeographic", "mnuEQPlotTilt"};

StepRecord Plotted(float gdec, float ginc, float tdec, float tinc, float j, int lsquare = 0, int plot = 1) {
  StepRecord s = Step("AF", 10, gdec, ginc, tdec, tinc, j, 0.1f);
  s.LSquare = lsquare;
  s.Plot = plot;
  return s;
}

class PlotWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Step 1 lower hemisphere (filled square), step 2 upper (open red), step 3 selected
    // for least squares (filled green, the last plotted), step 4 not plotted.
    Open(SectionPlan{"Test Section", 70.96f, 351.39f,
                     {{"S1",
                       {Plotted(10, 40, 20, 35, 1.0f), Plotted(60, -20, 70, -25, 0.6f), Plotted(30, 30, 40, 25, 0.3f, 1),
                        Plotted(90, 10, 95, 5, 0.2f, 0, 0)}},
                      {"S2", {Plotted(200, -50, 210, -45, 2e-3f), Plotted(190, -40, 200, -35, 1e-3f)}}}});
  }
  const plot::PlotState& State() { return Find<ui::PlotController>("plotController")->State(); }
  PlotWindow* Window() { return Find<PlotWindow>("frmSPlot"); }
  Items Ticked() {
    Items out;
    for (const char* name : PlotItems)
      if (Act(name)->isChecked()) out.push_back(name);
    return out;
  }
  QString Label(const char* name) { return Window()->findChild<QLabel*>(name)->text(); }
  PlotPanel* Panel(const char* name) { return Window()->findChild<PlotPanel*>(name); }

  // The panel's picture as the same drawing through the core makes it.
  QImage Expected(const char* name, plot::PlotKind kind, plot::Coordinates coords) {
    PlotPanel* panel = Panel(name);
    plot::RecordingSurface rec(panel->WidthTwips(), panel->HeightTwips());
    plot::PlotState state;
    plot::DrawSamplePlot(rec, plot::ScreenLayout(), state, kind, coords, w->session().CurrentHeader(),
                         w->session().Steps());
    QImage image = panel->Picture().copy();  // the same size, format and resolution, blank
    image.fill(Qt::white);
    QPainter painter(&image);
    ui::PainterSurface surface(painter, panel->WidthTwips(), panel->HeightTwips(), panel->Dpi(), panel->Dpi());
    rec.ReplayOn(surface);
    return image;
  }
  void ExpectPictures(plot::PlotKind z, plot::Coordinates zc, plot::PlotKind net, plot::Coordinates nc) {
    EXPECT_EQ(Panel("picZPlot")->Picture(), Expected("picZPlot", z, zc));
    EXPECT_EQ(Panel("picSPlot")->Picture(), Expected("picSPlot", net, nc));
  }
  QColor PixelAt(const char* name, double xTwips, double yTwips) {
    const QImage& p = Panel(name)->Picture();
    const double k = Panel(name)->Dpi() / 1440 * p.devicePixelRatio();
    return p.pixelColor(static_cast<int>(std::floor(xTwips * k)), static_cast<int>(std::floor(yTwips * k)));
  }
};

using plot::Coordinates;
using plot::PlotKind;

}  // namespace

TEST_F(PlotWindowTest, MenuItemsTickTitleAndDrawThePanels) {
  for (const char* name : PlotItems) Act(name)->trigger();  // nothing selected after opening
  EXPECT_TRUE(Ticked().empty());
  Click(1);
  EXPECT_EQ(Window(), nullptr);  // no plot is on yet: the window is not needed
  Act("mnuSPlotGeographic")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic");
  Act("mnuEQPlotTilt")->trigger();  // net items replace each other
  Act("mnuZijTilt")->trigger();
  Act("mnuZijModified")->trigger();
  EXPECT_TRUE(Act("mnuZijModified")->isChecked());
  EXPECT_EQ(Ticked(), (Items{"mnuZijTilt", "mnuEQPlotTilt"}));
  EXPECT_EQ(Window()->windowTitle(), "Sample: S1              ");
  EXPECT_EQ(Label("lblSPlot"), "Lambert Equal-area Projection: Tilt-corrected");
  EXPECT_EQ(Label("lblZPlot"), "Modified Zijderveld Progressive Demagnetization Diagram : Tilt-corrected");
  ExpectPictures(PlotKind::ModifiedZijderveld, Coordinates::TiltCorrected, PlotKind::EqualArea,
                 Coordinates::TiltCorrected);

  // Unticking empties the title and the panel; the window stays open.
  Act("mnuZijModified")->trigger();
  Act("mnuZijGeographic")->trigger();
  Act("mnuEQPlotTilt")->trigger();
  EXPECT_EQ(Ticked(), Items{"mnuZijGeographic"});
  EXPECT_EQ(Label("lblZPlot"), "Zijderveld Progressive Demagnetization Diagram : Geographic");
  EXPECT_EQ(Label("lblSPlot"), "");
  EXPECT_TRUE(Window()->isVisible());
  QImage blank(Panel("picSPlot")->Picture().size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(Panel("picSPlot")->Picture().convertToFormat(QImage::Format_RGB32), blank);

  // The heading line selected: the commands change no mark, draw, ask or print nothing.
  Samples()->setCurrentRow(0);
  const QImage before = Panel("picZPlot")->Picture();
  for (const char* name : {"mnuZijGeographic", "mnuZijTilt", "mnuSPlotTilt", "mnuZijProjectionPlane",
                           "mnuFilePrintZPlot", "mnuFilePrintSPlot"})
    Act(name)->trigger();
  EXPECT_EQ(Ticked(), Items{"mnuZijGeographic"});
  EXPECT_EQ(Panel("picZPlot")->Picture(), before);
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(dialogs.printerDialogs, 0);
}

TEST_F(PlotWindowTest, PanelPixelsShowTheSymbolsWhereTheyBelong) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  const plot::PlotState& state = State();
  EXPECT_NEAR(state.NetCentreX, Panel("picSPlot")->WidthTwips() / 2, 1e-3);
  // Step 3 (30, 30), selected for least squares: a filled green circle, drawn last.
  const plot::NetPoint p = plot::ProjectOnNet(state, plot::NetKind::Stereographic, 30, 30);
  EXPECT_EQ(PixelAt("picSPlot", p.X, p.Y), QColor(0, 255, 0));
  EXPECT_EQ(PixelAt("picSPlot", 30, 30), QColor(255, 255, 255));  // outside the rim
  // The rim below east is drawn in the foreground colour.
  const double x = state.NetCentreX + std::sqrt(state.NetRadius * state.NetRadius - 300.0 * 300.0);
  int darkest = 255;
  for (double dx : {-15.0, 0.0, 15.0})
    for (double dy : {-15.0, 0.0, 15.0})
      darkest = std::min(darkest, PixelAt("picSPlot", x + dx, state.NetCentreY + 300 + dy).lightness());
  EXPECT_LT(darkest, 100);
  EXPECT_EQ(Panel("picSPlot")->property("picturePanel").toBool(), true);
  EXPECT_EQ(Panel("picSPlot")->accessibleDescription(), "picSPlot");
}

TEST_F(PlotWindowTest, SelectionMarkingAndResizeRedrawOrHide) {
  Click(1);
  Act("mnuSPlotTilt")->trigger();
  Act("mnuZijGeographic")->trigger();
  // Step 2 out of the plots: the path now joins step 1 and step 3.
  const QImage before = Panel("picSPlot")->Picture();
  Find<QListWidget>("lstRecordData")->item(2)->setCheckState(Qt::Checked);
  Find<QPushButton>("cmdDeselectPoints")->click();
  EXPECT_EQ(w->session().Steps()[1].Plot, 0);
  EXPECT_NE(Panel("picSPlot")->Picture(), before);
  ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);

  PlotWindow* win = Window();
  for (QSize size : {QSize(900, 700), QSize(1400, 500), QSize(640, 480)}) {
    win->resize(size);
    QApplication::processEvents();
    const double dpi = win->logicalDpiX();
    const plot::PlotWindowLayout l =
        plot::LayoutPlotWindow(plot::PixelsToTwips(win->width(), dpi), plot::PixelsToTwips(win->height(), dpi));
    ASSERT_TRUE(l.Valid);
    const QRect z = Panel("picZPlot")->geometry(), s = Panel("picSPlot")->geometry();
    EXPECT_EQ(z, QRect(plot::TwipsToPixels(150, dpi), plot::TwipsToPixels(600, dpi),
                       plot::TwipsToPixels(l.PanelWidth, dpi), plot::TwipsToPixels(l.PanelHeight, dpi)));
    EXPECT_EQ(s.left(), plot::TwipsToPixels(l.PanelWidth + 300, dpi));
    EXPECT_EQ(s.size(), z.size());
    EXPECT_EQ(win->findChild<QLabel*>("lblSPlot")->geometry(), QRect(s.left(), 0, s.width(), plot::TwipsToPixels(500, dpi)));
    ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);
  }
  // The heading selected: a resize still redraws the listed sample and keeps the marks.
  Samples()->setCurrentRow(0);
  win->resize(1000, 700);
  QApplication::processEvents();
  ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);
  // Too small for a positive panel: the layout stays as it was.
  const QRect laidOut = Panel("picSPlot")->geometry();
  win->resize(5, 5);
  QApplication::processEvents();
  EXPECT_EQ(Panel("picSPlot")->geometry(), laidOut);
  EXPECT_EQ(Ticked(), (Items{"mnuZijGeographic", "mnuSPlotTilt"}));

  // Projection Plane writes the field (asked until a whole number) and redraws.
  Click(1);
  dialogs.answers = {"abc", "40.5"};
  Act("mnuZijProjectionPlane")->trigger();
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).ProjectionDec, 40);
  EXPECT_EQ(w->session().CurrentHeader().ProjectionDec, 40);
  ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);

  Click(2);
  EXPECT_EQ(win->windowTitle(), "Sample: S2              ");
  ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);
  // Every plot off: the next selection hides the window; File > Close takes every mark off.
  Act("mnuSPlotTilt")->trigger();
  Act("mnuZijGeographic")->trigger();
  Click(1);
  EXPECT_FALSE(win->isVisible());
  EXPECT_EQ(win->windowTitle(), "Sample: S1              ");
  Act("mnuSPlotTilt")->trigger();
  EXPECT_TRUE(win->isVisible());
  w->FileClose();
  EXPECT_TRUE(Ticked().empty());
  EXPECT_FALSE(win->isVisible());
}

TEST_F(PlotWindowTest, PrintingTwoCopiesGivesTwoIdenticalPages) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  const std::string pdf = dir.File("net.pdf"), zpdf = dir.File("z.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));
  dialogs.printerCopies = {0};
  Act("mnuFilePrintEQPlot")->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));  // cancelled: nothing printed, nothing switched
  EXPECT_EQ(Ticked(), Items{"mnuSPlotGeographic"});

  // Only the stereographic display is on: the tilt-corrected equal-area display is
  // switched on and printed.
  dialogs.printerCopies = {2};
  Act("mnuFilePrintEQPlot")->trigger();
  EXPECT_EQ(Ticked(), Items{"mnuEQPlotTilt"});
  const auto pages = PdfPageDrawings(ReadBytes(pdf));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_GT(pages[0].size(), 10000u);  // the net, 1000-chord paths and the title
  EXPECT_TRUE(pages[0] == pages[1]);
  // The printed net set the shared state: radius from the page, centre one half inch low.
  const QRect page = w->Printer().pageLayout().paintRectPixels(w->Printer().resolution());
  EXPECT_NEAR(State().NetCentreY, plot::PixelsToTwips(page.height(), w->Printer().resolution()) / 2 + 720, 1e-2);

  w->Printer().setOutputFileName(QString::fromStdString(zpdf));
  dialogs.printerCopies = {1};
  Act("mnuFilePrintZPlot")->trigger();
  EXPECT_EQ(Ticked(), (Items{"mnuZijTilt", "mnuEQPlotTilt"}));
  EXPECT_EQ(PdfPageDrawings(ReadBytes(zpdf)).size(), 1u);
}
