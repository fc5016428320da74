// The toolbox windows driven through their object names.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "plot/ui/plot_window.h"
#include "support/ui/main_window_fixture.h"
#include "toolbox/kono.h"
#include "toolbox/ui/projections_window.h"

namespace rmx::ui {
namespace {

class ToolboxWindows : public test::MainWindowTest {
 protected:
  QWidget* win = nullptr;

  // Opens the window by its menu; every box and button in it can be found and spoken.
  void Open(const char* menu, const char* name, const char* title) {
    Act(menu)->trigger();
    win = Find(name);
    ASSERT_NE(win, nullptr) << name;
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(win->windowTitle(), title);
    for (QWidget* c : win->findChildren<QWidget*>())
      if (qobject_cast<QLineEdit*>(c) || qobject_cast<QPushButton*>(c) || qobject_cast<QPlainTextEdit*>(c)) {
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
        EXPECT_EQ(c->accessibleDescription(), c->objectName());
      }
  }
  QWidget* Box(const char* box) { return win->findChild<QWidget*>(box); }
  void Set(const char* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(Box(box))) line->setText(text);
    else qobject_cast<QPlainTextEdit*>(Box(box))->setPlainText(text);
  }
  QString Get(const char* box) {
    if (auto* line = qobject_cast<QLineEdit*>(Box(box))) return line->text();
    return qobject_cast<QPlainTextEdit*>(Box(box))->toPlainText();
  }
  void Click(const char* button) { win->findChild<QPushButton*>(button)->click(); }
};

TEST_F(ToolboxWindows, CoordinateConversionFromBothMenus) {
  Open("mnuToolboxCoorConv", "frmCoorConv", "Toolbox 1 - Coordinate Conversion and Latitude");
  EXPECT_EQ(win->focusWidget(), Box("txtDeclination"));
  Set("txtNorth", "1");
  Set("txtEast", "1");
  Set("txtDown", "0");
  Click("cmdCarttoSphe");
  EXPECT_EQ(Get("txtDeclination") + " " + Get("txtInclination") + " " + Get("txtIntensity"), "45.00000 0.00000 1.41421");

  // A refused inclination: the message, the focus on its box, the results emptied.
  Set("txtInclination", "90.5");
  Click("cmdSphetoCart");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Input Inclination");
  EXPECT_EQ(dialogs.messages[0].text, "Please input a valid Inclination: -90 to 90 degree");
  EXPECT_EQ(win->focusWidget(), Box("txtInclination"));
  EXPECT_EQ(Get("txtNorth"), "");

  Act("mnuToolboxLatCal")->trigger();
  EXPECT_EQ(w->findChildren<QWidget*>("frmCoorConv").size(), 1);
  EXPECT_EQ(win->focusWidget(), Box("txtInclination2"));
  Set("txtInclination2", "45");
  Click("cmdIncToLat");
  EXPECT_EQ(Get("txtLatitude"), "26.57");
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(ToolboxWindows, KonoOnPastedRows) {
  Open("mnuToolboxKonoLatCalc", "frmKono", "Kono Remanex Latitude Calculator");
  auto* data = win->findChild<QPlainTextEdit*>("txtData");
  EXPECT_EQ(win->focusWidget(), data);

  // Nothing to compute: the message and the focus back on the data.
  Click("cmdCompute");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "No Data");
  EXPECT_EQ(win->focusWidget(), data);

  const char* rows = "N 45\nR -45\nNP 44.5\n";  // the box's own line ends
  QApplication::clipboard()->setText(rows);
  data->paste();
  win->findChild<QCheckBox*>("chkWeight")->setChecked(true);
  Click("cmdCompute");
  EXPECT_EQ(dialogs.messages.size(), 1u);
  const toolbox::KonoResult r = toolbox::ComputeKono(rows, true);
  EXPECT_EQ(Get("txtNumWeighted"), "5");  // all three pasted rows count
  for (int b = 0; b < toolbox::KonoBoxCount; ++b)
    EXPECT_EQ(Get(toolbox::KonoBoxes[b].name).toStdString(), r.boxes[b]) << b;
  EXPECT_EQ(Get("txtIntResult"), QString::fromStdString(r.intermediate).replace("\r\n", "\n"));
}

TEST_F(ToolboxWindows, ProjectionsCommandsPlotsAndOnePrintedPage) {
  Open("mnuToolboxPointProj", "frmProjections", "Toolbox 2 - Various Projections");
  auto* window = qobject_cast<ProjectionsWindow*>(win);
  ASSERT_TRUE(window);
  for (auto [box, text] : {std::pair{"txtSignificanceLevel", "0.05"}, {"txtNumPoints", "2000"}, {"txtLineThickness", "1"},
                           {"txtSymColorB", "255"}, {"txtConnect", "Yes"}, {"txtDecColorR", "255"}, {"txtPlane", "0"}})
    EXPECT_EQ(Get(box), text) << box;

  Set("txtData", "20.5 41.3\n19.0 35.4\n345.0 37.0\n");
  Click("cmdSpheToCart");
  EXPECT_TRUE(Get("txtCartData").startsWith("        0.703688        0.263098        0.660002\n"));
  Set("txtSignificanceLevel", "1.5");
  Click("cmdFisher");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Significance level must be a number between 0 and 1. Default to 0.05.");
  EXPECT_EQ(Get("txtFisherDec"), "8.15");
  Set("txtLat", "45");
  Set("txtLong", "-10");
  Click("cmdVGPCalculate");
  EXPECT_FALSE(Get("txtVGPPoleLat").isEmpty());
  EXPECT_FALSE(Get("txtDP").isEmpty());

  // Zijderveld of typed rows on the plot window, then cleared.
  Click("cmdZPlot");
  auto* plotWindow = win->findChild<PointsPlotWindow*>("frmPointsPlot");
  ASSERT_TRUE(plotWindow);
  EXPECT_EQ(plotWindow->windowTitle(), "Zijderveld Projection");
  const QImage drawn = plotWindow->Panel()->Picture();
  EXPECT_NE(drawn.pixel(drawn.width() / 2, drawn.height() / 2) | 0, 0u);
  Click("cmdClearPlotArea");
  EXPECT_EQ(plotWindow->Panel()->Picture().pixelColor(100, 100), QColor(Qt::white));

  // A refused size leaves the net and says why.
  Set("txtSymSize", "0.4");
  Click("cmdEQPlot");
  EXPECT_EQ(dialogs.messages.back().text, "Symbol size must be an integer (1 to 100)");
  EXPECT_EQ(dialogs.messages.back().title, "Equal Area Plot Symbol Size");
  EXPECT_EQ(plotWindow->windowTitle(), "Lambert Equal Area Projection");
  Set("txtSymSize", "4");

  // Two ellipses on one printed page: circle yes, site no, then No at the
  // confirmation keeps the job open; the second ends it with Yes.
  QTemporaryDir dir;
  QPrinter& printer = w->Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("ellipses.pdf"));
  for (auto [box, text] : {std::pair{"txtFisherDec", "10"}, {"txtFisherInc", "60"}, {"txtAlpha95", "5"},
                           {"txtNumPoints", "200"}})
    Set(box, text);
  dialogs.printerCopies = {1, 1};
  dialogs.yesNo = {true, false, false, false, true, true};
  Click("cmdPrintEllipseSPlot");
  EXPECT_TRUE(window->PrintJob().IsOpen());
  Set("txtFisherDec", "200");
  Set("txtFisherInc", "-30");
  Click("cmdPrintEllipseSPlot");
  EXPECT_FALSE(window->PrintJob().IsOpen());
  EXPECT_EQ(dialogs.yesNoAsked.back(),
            "Print Now? If so, click Yes. If you want to print other  ellipses on the same diagram, click No.");
  QFile f(dir.filePath("ellipses.pdf"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1) << "one page with both ellipses";
}

}  // namespace
}  // namespace rmx::ui
