// frmSPlot, the plot menu items and the all-sample nets, driven through the main
// window's object names; every panel must equal the core's drawing replayed on it.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <cmath>
#include <limits>
#include <regex>

#include "plot/all_samples.h"
#include "plot/layout.h"
#include "plot/net.h"
#include "plot/plot_helpers.h"
#include "plot/sample_plot.h"
#include "plot/ui/painter_surface.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_files.h"
#include "plot/ui/plot_window.h"
#include "store/sample_file.h"
#include "store/text.h"
#include "support/cli_run.h"
#include "support/ui/main_window_fixture.h"

using namespace rmx;
using namespace rmx::test;
using plot::AllSamplesData;
using plot::Coordinates;
using plot::PlotKind;
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

// The panel's picture as the given drawing makes it on a fresh picture of the same
// size, resolution and pixel ratio.
inline QImage PanelPicture(ui::PlotPanel* panel, const std::function<void(plot::Surface&)>& draw) {
  plot::RecordingSurface rec(panel->WidthTwips(), panel->HeightTwips());
  draw(rec);
  QImage image(panel->Picture().size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(panel->Picture().devicePixelRatio());
  image.setDotsPerMeterX(panel->Picture().dotsPerMeterX());
  image.setDotsPerMeterY(panel->Picture().dotsPerMeterY());
  image.fill(Qt::white);
  QPainter painter(&image);
  ui::PainterSurface surface(painter, panel->WidthTwips(), panel->HeightTwips(), panel->Dpi(), panel->Dpi());
  rec.ReplayOn(surface);
  return image;
}

// The drawing of each page of a PDF written by Qt: its content stream, inflated,
// from the first path on (the state set up before it depends on what the page
// before left).
inline std::vector<std::string> PdfPageDrawings(const std::string& pdf) {
  std::vector<std::string> pages;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") == 0) continue;
    const size_t objStart = pdf.rfind(" obj", at);
    const size_t contents = pdf.find("/Contents ", objStart);
    std::string drawing;
    if (contents != std::string::npos) {
      const int ref = std::atoi(pdf.c_str() + contents + 10);
      const size_t obj = pdf.find("\n" + std::to_string(ref) + " 0 obj");
      const size_t stream = pdf.find("stream\n", obj);
      const size_t end = pdf.find("endstream", stream);
      if (obj != std::string::npos && stream != std::string::npos && end != std::string::npos) {
        // qUncompress wants the expected size first; it grows its buffer as needed.
        QByteArray packed("\x00\x10\x00\x00", 4);
        packed.append(pdf.data() + stream + 7, static_cast<qsizetype>(end - stream - 7));
        const QByteArray text = qUncompress(packed);
        const qsizetype path = text.indexOf(" m\n");
        if (path >= 0) drawing = text.mid(text.lastIndexOf('\n', path) + 1).toStdString();
      }
    }
    pages.push_back(drawing);
  }
  return pages;
}

// A PDF names the second it was made; nothing else may differ.
std::string WithoutDate(const std::string& bytes) {
  return std::regex_replace(bytes, std::regex("/CreationDate \\(D:[0-9]+Z\\)"), "/CreationDate ()");
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
  // The all-sample data: S3 is inactive.
  void OpenAllSamples() {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 10, 40, 30, 35, 1e-3f, 1), Step("AF", 20, 20, -10, 40, -5, 5e-4f, 1)}},
                    {"S2", {Step("NRM", 0, 200, -30, 220, -25, 1e-3f, 1), Step("AF", 20, 190, 20, 210, 15, 5e-4f, 1)}},
                    {"S3", {Step("NRM", 0, 100, 10, 120, 10, 1e-3f, 1)}, 0}};
    Open(plan);
  }
  const plot::PlotState& State() { return Find<ui::PlotController>("plotController")->State(); }
  PlotWindow* Window() { return Find<PlotWindow>("frmSPlot"); }
  Items Ticked() {
    Items out;
    for (const char* name : PlotItems)
      if (Act(name)->isChecked()) out.push_back(name);
    return out;
  }
  std::string Label(const char* name) { return Window()->findChild<QLabel*>(name)->text().toStdString(); }
  std::string Caption() { return Window()->windowTitle().trimmed().toStdString(); }
  PlotPanel* Panel(const char* name) { return Window()->findChild<PlotPanel*>(name); }
  void ExpectPictures(PlotKind z, Coordinates zc, PlotKind net, Coordinates nc) {
    for (auto [name, kind, coords] : {std::tuple{"picZPlot", z, zc}, std::tuple{"picSPlot", net, nc}})
      EXPECT_EQ(Panel(name)->Picture(), PanelPicture(Panel(name), [&](plot::Surface& s) {
                  plot::PlotState state;
                  plot::DrawSamplePlot(s, plot::ScreenLayout(), state, kind, coords, w->session().CurrentHeader(),
                                       w->session().Steps());
                })) << name;
  }
  // The net panel as the core draws the directions of the file.
  QImage AllSamples(AllSamplesData data, float level, plot::NetKind net, Coordinates coords) {
    const auto points = plot::SelectPoints(plot::ReadAllSamples(w->session(), data), data, level, coords);
    return PanelPicture(Panel("picSPlot"), [&](plot::Surface& s) {
      plot::PlotState state;
      plot::DrawAllSamplesPlot(s, plot::ScreenLayout(), state, net, points, nullptr);
    });
  }
  QColor PixelAt(double xTwips, double yTwips) {
    const QImage& p = Panel("picSPlot")->Picture();
    const double k = Panel("picSPlot")->Dpi() / 1440 * p.devicePixelRatio();
    return p.pixelColor(static_cast<int>(std::floor(xTwips * k)), static_cast<int>(std::floor(yTwips * k)));
  }
  void Print(const std::string& pdf, int copies, const char* item) {
    w->Printer().setOutputFormat(QPrinter::PdfFormat);
    w->Printer().setOutputFileName(QString::fromStdString(pdf));
    dialogs.printerCopies = {copies};
    Act(item)->trigger();
  }
};

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
  // The pixels: step 3 (30, 30) a green circle drawn last, white outside the rim, the
  // rim below east in the foreground colour.
  const plot::PlotState& state = State();
  const plot::NetPoint p = plot::ProjectOnNet(state, plot::NetKind::Stereographic, 30, 30);
  EXPECT_EQ(PixelAt(p.X, p.Y), QColor(0, 255, 0));
  EXPECT_EQ(PixelAt(30, 30), QColor(255, 255, 255));
  const double x = state.NetCentreX + std::sqrt(state.NetRadius * state.NetRadius - 300.0 * 300.0);
  int darkest = 255;
  for (double dx : {-15.0, 0.0, 15.0})
    for (double dy : {-15.0, 0.0, 15.0}) darkest = std::min(darkest, PixelAt(x + dx, state.NetCentreY + 300 + dy).lightness());
  EXPECT_LT(darkest, 100);
  EXPECT_TRUE(Panel("picSPlot")->property("picturePanel").toBool());
  EXPECT_EQ(Panel("picSPlot")->accessibleDescription(), "picSPlot");

  Act("mnuEQPlotTilt")->trigger();  // net items replace each other
  Act("mnuZijTilt")->trigger();
  Act("mnuZijModified")->trigger();
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

TEST_F(PlotWindowTest, SelectionMarkingResizeAndPlaneRedrawOrHide) {
  const auto same = [&] {
    ExpectPictures(PlotKind::Zijderveld, Coordinates::Geographic, PlotKind::Stereographic, Coordinates::TiltCorrected);
  };
  Click(1);
  Act("mnuSPlotTilt")->trigger();
  Act("mnuZijGeographic")->trigger();
  // Step 2 out of the plots: the path now joins step 1 and step 3.
  const QImage before = Panel("picSPlot")->Picture();
  Find<QListWidget>("lstRecordData")->item(2)->setCheckState(Qt::Checked);
  Find<QPushButton>("cmdDeselectPoints")->click();
  EXPECT_EQ(w->session().Steps()[1].Plot, 0);
  EXPECT_NE(Panel("picSPlot")->Picture(), before);
  same();
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
    EXPECT_TRUE(s.left() == plot::TwipsToPixels(l.PanelWidth + 300, dpi) && s.size() == z.size());
    EXPECT_EQ(win->findChild<QLabel*>("lblSPlot")->geometry(), QRect(s.left(), 0, s.width(), plot::TwipsToPixels(500, dpi)));
    same();
  }
  // The heading selected: a resize still redraws the listed sample and keeps the marks;
  // too small for a positive panel: the layout stays as it was.
  Samples()->setCurrentRow(0);
  win->resize(1000, 700);
  QApplication::processEvents();
  same();
  const QRect laidOut = Panel("picSPlot")->geometry();
  win->resize(5, 5);
  QApplication::processEvents();
  EXPECT_EQ(Panel("picSPlot")->geometry(), laidOut);
  EXPECT_EQ(Ticked(), (Items{"mnuZijGeographic", "mnuSPlotTilt"}));
  // Projection Plane writes the field and redraws; another sample is drawn when clicked.
  Click(1);
  dialogs.answers = {"40.5"};
  Act("mnuZijProjectionPlane")->trigger();
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).ProjectionDec, 40);
  EXPECT_EQ(w->session().CurrentHeader().ProjectionDec, 40);
  same();
  Click(2);
  EXPECT_EQ(win->windowTitle(), "Sample: S2              ");
  same();
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

TEST_F(PlotWindowTest, PrintingCopiesGivesIdenticalPages) {
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  const std::string pdf = dir.File("net.pdf"), zpdf = dir.File("z.pdf");
  Print(pdf, 0, "mnuFilePrintEQPlot");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));  // cancelled: nothing printed, nothing switched
  EXPECT_EQ(Ticked(), Items{"mnuSPlotGeographic"});
  // Only the stereographic display is on: the tilt-corrected equal-area display is
  // switched on and printed.
  Print(pdf, 2, "mnuFilePrintEQPlot");
  EXPECT_EQ(Ticked(), Items{"mnuEQPlotTilt"});
  const auto pages = PdfPageDrawings(ReadBytes(pdf));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_GT(pages[0].size(), 10000u);  // the net, 1000-chord paths and the title
  EXPECT_TRUE(pages[0] == pages[1]);
  // The printed net set the shared state: radius from the page, centre one half inch low.
  const QRect page = w->Printer().pageLayout().paintRectPixels(w->Printer().resolution());
  EXPECT_NEAR(State().NetCentreY, plot::PixelsToTwips(page.height(), w->Printer().resolution()) / 2 + 720, 1e-2);
  Print(zpdf, 1, "mnuFilePrintZPlot");
  EXPECT_EQ(Ticked(), (Items{"mnuZijTilt", "mnuEQPlotTilt"}));
  EXPECT_EQ(PdfPageDrawings(ReadBytes(zpdf)).size(), 1u);
}

TEST_F(PlotWindowTest, AllSampleNetFromTheMarksAndTheLabelOfEachRun) {
  OpenAllSamples();
  // Nothing ticked: the tilt-corrected equal-area net, its title set afresh by every
  // run. The level is asked until it is a number.
  w->Action("mnuAllSPlotNRM")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using NRM data");
  EXPECT_EQ(Label("lblSPlot"), "Lambert Equal-area Projection: Tilt-corrected (All)");
  EXPECT_EQ(Panel("picSPlot")->Picture(),
            AllSamples(AllSamplesData::Nrm, 0, plot::NetKind::EqualArea, Coordinates::TiltCorrected));
  dialogs.answers = {"twenty", " ", "20"};
  Act("mnuAllSPlotAF")->trigger();
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using data at 20 mT");
  EXPECT_EQ(Label("lblSPlot"), "Lambert Equal-area Projection: Tilt-corrected (All)");
  // The stereographic geographic display ticked: its net and coordinates; Cancel at the
  // level changes nothing.
  Click(1);
  Act("mnuSPlotGeographic")->trigger();
  const QImage single = Panel("picSPlot")->Picture();
  dialogs.answers = {""};
  Act("mnuAllSPlotAT")->trigger();
  EXPECT_EQ(Caption(), "Sample: S1");
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic");
  EXPECT_EQ(Panel("picSPlot")->Picture(), single);
  dialogs.answers = {"20.0"};
  Act("mnuAllSPlotAT")->trigger();
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using data at 20 degree");
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic (All)");
  EXPECT_EQ(Panel("picSPlot")->Picture(), AllSamples(AllSamplesData::ArbitraryTemperature, 20,
                                                     plot::NetKind::Stereographic, Coordinates::Geographic));
  // The selected sample and its steps are untouched by the walk.
  EXPECT_EQ(w->session().CurrentPosition(), 1);
  EXPECT_EQ(w->session().Steps().size(), 3u);
  // A second run appends to the title it finds.
  Act("mnuAllSPlotLSquare")->trigger();
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic (All) (All)");
  EXPECT_EQ(Caption(), "Right Panel: Projection of all samples using Least Square data");
  // A resize keeps the all-sample net instead of drawing the single sample over it.
  const QImage all = Panel("picSPlot")->Picture();
  Window()->resize(Window()->width() + 200, Window()->height() + 150);
  QApplication::processEvents();
  EXPECT_GT(Panel("picSPlot")->Picture().width(), all.width());
  EXPECT_EQ(Panel("picSPlot")->Picture().copy(0, 0, all.width(), all.height()), all);
  EXPECT_TRUE(Act("mnuSPlotGeographic")->isChecked());
  EXPECT_EQ(Label("lblSPlot"), "Stereographic Projection: Geographic (All) (All)");
}

TEST_F(PlotWindowTest, AllSamplePrintingAndDamagedValuesLeaveTheWindowAlone) {
  OpenAllSamples();
  const std::string pdf = dir.File("all.pdf");
  // The data set and the level are asked until valid, the level once per
  // copy after the printer dialog; each page has the four compass letters and the two
  // heading lines; a copy whose level is cancelled gets no page.
  dialogs.answers = {"NRM", " a", ""};
  Print(pdf, 2, "mnuFilePrintAllEQPlot");
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(dialogs.printerDialogs, 0);
  dialogs.questions.clear();
  dialogs.answers = {"a", "x", "20", "20"};
  Print(pdf, 2, "mnuFilePrintAllEQPlot");
  ASSERT_EQ(dialogs.questions.size(), 4u);
  EXPECT_EQ(dialogs.questions[3].title, "Alternating Field Strength Selection");
  const auto all = PdfPageDrawings(ReadBytes(pdf));
  ASSERT_EQ(all.size(), 2u);
  EXPECT_TRUE(all[0] == all[1]);
  size_t texts = 0;
  for (size_t at = all[0].find("BT\n"); at != std::string::npos; at = all[0].find("BT\n", at + 1)) ++texts;
  EXPECT_EQ(texts, 6u);
  EXPECT_EQ(Window(), nullptr);  // the plot window is not touched
  dialogs.answers = {"t", "", "20"};
  Print(pdf, 2, "mnuFilePrintAllSPlot");
  EXPECT_EQ(PdfPageDrawings(ReadBytes(pdf)).size(), 1u);
  // A damaged value is reported and nothing is drawn.
  std::vector<Slot> records = BuildSlots({"S", 0, 0, {{"S1", {Step("NRM", 0, 10, 40, 30, 35, 1e-3f, 1)}}}});
  StepRecord bad = DecodeStepRecord(records[2]);
  bad.TDec = std::numeric_limits<float>::infinity();
  records[2] = Encode(bad);
  WriteSlots(path, records);
  w->GetOpenFileName(QString::fromStdString(path));
  Act("mnuAllSPlotNRM")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("the stored TDec is not a number"), std::string::npos);
  EXPECT_EQ(Window(), nullptr);
}

// The command line writes its PNG, SVG and PDF files through the plot writer module:
// they must equal the files the plot writers draw in this process.
TEST(CliPlotFiles, EqualTheFilesDrawnInProcess) {
  using namespace rmx::plot;
  TempDir dir;
  SamplePlan sample;
  sample.name = "jm002 i1";
  sample.steps = {Dir(31.7f, 77.3f, 7.67e-5f), Dir(45, 74.6f, 3.7e-5f, 1), Dir(104.5f, -71.2f, 2.18e-7f)};
  SectionPlan plan;
  plan.samples = {sample};
  const std::string mag = dir.File("section.mag");
  WriteMag(mag, plan);
  SampleHeader header;
  header.SampleName = FixedText(sample.name, NameWidth);

  const struct {
    const char* name;
    ui::PlotFileFormat format;
    PlotKind kind;
    std::vector<std::string> options;  // after the kind
    PanelSize size;
    double dpi;
    bool paper;
  } cases[] = {
      {"plot.png", ui::PlotFileFormat::Png, PlotKind::Zijderveld, {"zijderveld", "--dpi", "150", "--size", "9000x6000"},
       {9000, 6000}, 150, false},
      {"plot.svg", ui::PlotFileFormat::Svg, PlotKind::EqualArea, {"equal-area", "--size", "9000x6000"}, {9000, 6000}, 96,
       false},
      {"plot.pdf", ui::PlotFileFormat::Pdf, PlotKind::ModifiedZijderveld, {"modified-zijderveld", "--paper"},
       {A4Width, A4Height}, 96, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir cliDir, directDir;  // the same file name: SVG and PDF carry it as their title
    std::vector<std::string> args = {"plot", mag, "1", "--coords", "tilt", "--out", cliDir.File(c.name), "--kind"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    ui::PlotFileOptions options;
    options.Width = c.size.Width;
    options.Height = c.size.Height;
    options.Dpi = c.dpi;
    options.Paper = c.paper;
    ui::WritePlotFile(QString::fromStdString(directDir.File(c.name)), c.format, options, [&](Surface& s) {
      PlotState state;
      DrawSamplePlot(s, c.paper ? PaperLayout() : ScreenLayout(), state, c.kind, Coordinates::TiltCorrected, header,
                     WithOrigin(sample.steps));
    });
    const std::string direct = ReadBytes(directDir.File(c.name));
    ASSERT_GT(direct.size(), 1000u);
    EXPECT_TRUE(WithoutDate(ReadBytes(cliDir.File(c.name))) == WithoutDate(direct));
  }
}
