// frmSPlot through the main window's object names: the menu items draw the core's drawings
// into its panels, laid out by the window's rule; pixels check the painter's twips.
#include <gtest/gtest.h>

#include <QLabel>
#include <cmath>
#include <filesystem>
#include <limits>

#include "plot/all_samples.h"
#include "plot/layout.h"
#include "plot/net.h"
#include "plot/sample_plot.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_window.h"
#include "store/sample_file.h"
#include "support/ui/main_window_fixture.h"

using namespace rmx;
using namespace rmx::test;
using plot::Coordinates;
using plot::PlotKind;

namespace {

class PlotWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // S1: step 1 lower hemisphere, step 2 upper, step 3 (30, 30) selected for least
    // squares (green, the last plotted), step 4 not plotted. S3 is inactive.
    SectionPlan plan{"Test Section", 70.96f, 351.39f,
                     {{"S1", {Step("AF", 5, 10, 40, 20, 35, 1, 0), Step("AF", 10, 60, -20, 70, -25, 0.6f, 0),
                              Step("AF", 10, 30, 30, 40, 25, 0.3f, 0), Step("AF", 10, 90, 10, 95, 5, 0.2f, 0)}},
                      {"S2", {Step("NRM", 0, 200, -50, 210, -45, 2e-3f, 1), Step("AF", 10, 190, -40, 200, -35, 1, 1)}},
                      {"S3", {Step("NRM", 0, 100, 10, 120, 10, 1e-3f, 1)}, 0}}};
    plan.samples[0].steps[2].LSquare = 1;
    plan.samples[0].steps[3].Plot = 0;
    Open(plan);
  }
  ui::PlotWindow* Window() { return Find<ui::PlotWindow>("frmSPlot"); }
  void Trigger(std::initializer_list<const char*> items) {
    for (const char* name : items) Act(name)->trigger();
  }
  std::string Label(const char* name) { return Window()->findChild<QLabel*>(name)->text().toStdString(); }
  ui::PlotPanel* Panel(const char* name) { return Window()->findChild<ui::PlotPanel*>(name); }
  // The picture a fresh panel of the same size shows for the given drawing.
  QImage Drawn(const char* name, const std::function<void(plot::Surface&, plot::PlotState&)>& draw) {
    ui::PlotPanel fresh("fresh", "fresh", nullptr);
    fresh.resize(Panel(name)->size());
    plot::PlotState state;
    fresh.Draw([&](plot::Surface& s) { draw(s, state); });
    return fresh.Picture();
  }
  QColor PixelAt(double xTwips, double yTwips) {
    const QImage& p = Panel("picSPlot")->Picture();
    const double k = Panel("picSPlot")->Dpi() / 1440 * p.devicePixelRatio();
    return p.pixelColor(static_cast<int>(std::floor(xTwips * k)), static_cast<int>(std::floor(yTwips * k)));
  }
  // Prints through the menu item into a PDF of its own; the number of its pages.
  long Print(const char* item, int copies) {
    const std::string pdf = dir.File(std::to_string(++prints) + ".pdf");
    w->Printer().setOutputFormat(QPrinter::PdfFormat);
    w->Printer().setOutputFileName(QString::fromStdString(pdf));
    dialogs.printerCopies = {copies};
    Act(item)->trigger();
    const QString bytes = QString::fromLatin1(std::filesystem::exists(pdf) ? ReadBytes(pdf) : "");
    return bytes.count("/Type /Page") - bytes.count("/Type /Pages");
  }
  int prints = 0;
};

}  // namespace

TEST_F(PlotWindowTest, SampleAndAllSamplePlotsPixelsLayoutPrintingAndRefusals) {
  Click(1);
  EXPECT_EQ(Window(), nullptr);  // no plot is on yet: the window is not needed
  Trigger({"mnuSPlotGeographic"});
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible() && Label("lblSPlot") == "Stereographic Projection: Geographic");
  // Step 3 (30, 30) a green circle drawn last, white outside the rim, the rim below east and a diameter dark.
  const plot::PlotState& state = Find<ui::PlotController>("plotController")->State();
  const plot::NetPoint p = plot::ProjectOnNet(state, plot::NetKind::Stereographic, 30, 30);
  EXPECT_EQ(PixelAt(p.X, p.Y), QColor(0, 255, 0));
  EXPECT_EQ(PixelAt(30, 30), QColor(255, 255, 255));
  const auto darkest = [&](double x, double y) {
    int d = 255;
    for (double dx : {-15.0, 0.0, 15.0})
      for (double dy : {-15.0, 0.0, 15.0}) d = std::min(d, PixelAt(x + dx, y + dy).lightness());
    return d;
  };
  const double cx = state.NetCentreX, cy = state.NetCentreY, r = state.NetRadius;
  EXPECT_LT(darkest(cx + std::sqrt(r * r - 300.0 * 300.0), cy + 300), 100);  // a circle
  EXPECT_LT(darkest(cx + 0.415 * r, cy), 100);  // a line: the east-west diameter between the 40 and 50 degree circles
  const plot::NetPoint first = plot::ProjectOnNet(state, plot::NetKind::Stereographic, 10, 40);
  EXPECT_LT(PixelAt(first.X + 30, first.Y + 5).lightness(), 30);  // inside step 1's square, off the radial line
  // Net items replace each other; resized by the window's rule, the panels show the core's drawings.
  Trigger({"mnuEQPlotTilt", "mnuZijTilt", "mnuZijModified"});
  EXPECT_TRUE(!Act("mnuSPlotGeographic")->isChecked() && Act("mnuEQPlotTilt")->isChecked());
  EXPECT_EQ(Label("lblZPlot"), "Modified Zijderveld Progressive Demagnetization Diagram : Tilt-corrected");
  ui::PlotWindow* win = Window();
  win->resize(1400, 500);
  QApplication::processEvents();
  const double dpi = win->logicalDpiX();
  const plot::PlotWindowLayout l =
      plot::LayoutPlotWindow(plot::PixelsToTwips(win->width(), dpi), plot::PixelsToTwips(win->height(), dpi));
  const QRect z = Panel("picZPlot")->geometry(), s = Panel("picSPlot")->geometry();
  EXPECT_EQ(z, QRect(plot::TwipsToPixels(150, dpi), plot::TwipsToPixels(600, dpi),
                     plot::TwipsToPixels(l.PanelWidth, dpi), plot::TwipsToPixels(l.PanelHeight, dpi)));
  EXPECT_TRUE(s.left() == plot::TwipsToPixels(l.PanelWidth + 300, dpi) && s.size() == z.size());
  for (auto [name, kind] : {std::pair{"picZPlot", PlotKind::ModifiedZijderveld}, {"picSPlot", PlotKind::EqualArea}})
    EXPECT_EQ(Panel(name)->Picture(), Drawn(name, [&](plot::Surface& s, plot::PlotState& st) {
                const Session& session = w->session();
                DrawSamplePlot(s, plot::ScreenLayout(), st, kind, Coordinates::TiltCorrected, session.CurrentHeader(),
                               session.Steps());
              })) << name;
  // Projection Plane writes the field; a copy a page, Cancel none; on the heading line nothing is done.
  dialogs.answers = {"40.5"};
  Trigger({"mnuZijProjectionPlane"});
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).ProjectionDec, 40);
  EXPECT_EQ(Print("mnuFilePrintEQPlot", 2), 2);
  EXPECT_EQ(Print("mnuFilePrintZPlot", 0), 0);
  Samples()->setCurrentRow(0);
  Trigger({"mnuZijTilt", "mnuFilePrintZPlot"});
  EXPECT_TRUE(Act("mnuZijTilt")->isChecked() && dialogs.printerDialogs == 2);
  w->FileClose();  // takes every mark off
  EXPECT_TRUE(!Act("mnuZijTilt")->isChecked() && !Act("mnuEQPlotTilt")->isChecked() && !win->isVisible());
  // All samples, nothing ticked: the tilt-corrected equal-area net at the level asked, titled afresh.
  w->GetOpenFileName(QString::fromStdString(path));
  dialogs.answers = {"10", "10"};
  Trigger({"mnuAllSPlotAF", "mnuAllSPlotAF"});
  EXPECT_EQ(win->windowTitle(), "Right Panel: Projection of all samples using data at 10 mT");
  EXPECT_EQ(Label("lblSPlot"), "Lambert Equal-area Projection: Tilt-corrected (All)");
  const auto data = plot::AllSamplesData::AlternatingField;
  const auto points = SelectPoints(ReadAllSamples(w->session(), data), data, 10, Coordinates::TiltCorrected);
  EXPECT_EQ(points.Declinations.size(), 3u);
  EXPECT_EQ(Panel("picSPlot")->Picture(), Drawn("picSPlot", [&](plot::Surface& s, plot::PlotState& st) {
              plot::DrawAllSamplesPlot(s, plot::ScreenLayout(), st, plot::NetKind::EqualArea, points, nullptr);
            }));
  // A net ticked: its kind and coordinates, each run appending to the title it finds.
  Click(1);
  Trigger({"mnuSPlotGeographic", "mnuAllSPlotNRM", "mnuAllSPlotNRM"});
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic (All) (All)");
  // Printing: the data set, then the level once per copy; a cancelled level, no page.
  dialogs.answers = {"x", "a", "10", ""};
  EXPECT_EQ(Print("mnuFilePrintAllEQPlot", 2), 1);
  // A damaged value is reported and nothing is drawn.
  std::vector<Slot> records = BuildSlots({"S", 0, 0, {{"S1", {Step("NRM", 0, 10, 40, 30, 35, 1e-3f, 1)}}}});
  StepRecord bad = DecodeStepRecord(records[2]);
  bad.TDec = std::numeric_limits<float>::infinity();
  records[2] = Encode(bad);
  WriteSlots(path, records);
  w->GetOpenFileName(QString::fromStdString(path));
  const QImage shown = Panel("picSPlot")->Picture();
  Trigger({"mnuAllSPlotNRM"});
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("the stored TDec is not a number"), std::string::npos);
  EXPECT_EQ(Panel("picSPlot")->Picture(), shown);
}
