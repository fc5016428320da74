// The toolbox windows driven through their object names: one smoke test each.
#include <gtest/gtest.h>

#include <QCheckBox>
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
    EXPECT_TRUE(win->isVisible() && win->windowTitle() == title);
    for (QWidget* c : win->findChildren<QWidget*>()) {
      const bool box = qobject_cast<QLineEdit*>(c) || qobject_cast<QPushButton*>(c) || qobject_cast<QPlainTextEdit*>(c);
      EXPECT_TRUE(!box || (!c->accessibleName().isEmpty() && c->accessibleDescription() == c->objectName()))
          << c->objectName().toStdString();
    }
  }
  QWidget* Box(const char* box) { return win->findChild<QWidget*>(box); }
  void Set(std::initializer_list<std::pair<const char*, const char*>> boxes) {
    for (auto [box, text] : boxes)
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
  Set({{"txtNorth", "1"}, {"txtEast", "1"}, {"txtDown", "0"}});
  Click("cmdCarttoSphe");
  EXPECT_EQ(Get("txtDeclination") + " " + Get("txtInclination") + " " + Get("txtIntensity"),
            "45.00000 0.00000 1.41421");
  // A refused inclination: the message, the focus on its box, the results emptied.
  Set({{"txtInclination", "90.5"}});
  Click("cmdSphetoCart");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].title == "Input Inclination" && win->focusWidget() == Box("txtInclination"));
  EXPECT_EQ(Get("txtNorth"), "");
  // The latitude menu opens the same window at its own box.
  Act("mnuToolboxLatCal")->trigger();
  EXPECT_EQ(w->findChildren<QWidget*>("frmCoorConv").size(), 1);
  EXPECT_EQ(win->focusWidget(), Box("txtInclination2"));
  Set({{"txtInclination2", "45"}});
  Click("cmdIncToLat");
  EXPECT_EQ(Get("txtLatitude"), "26.57");
}

TEST_F(ToolboxWindows, KonoOnTypedRows) {
  Open("mnuToolboxKonoLatCalc", "frmKono", "Kono Remanex Latitude Calculator");
  auto* data = win->findChild<QPlainTextEdit*>("txtData");
  EXPECT_EQ(win->focusWidget(), data);
  Click("cmdCompute");  // nothing to compute: the message and the focus back on the data
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].title == "No Data" && win->focusWidget() == data);
  const char* rows = "N 45\nR -45\nNP 44.5\n";  // the box's own line ends
  Set({{"txtData", rows}});
  win->findChild<QCheckBox*>("chkWeight")->setChecked(true);
  Click("cmdCompute");
  const toolbox::KonoResult r = toolbox::ComputeKono(rows, true);
  EXPECT_TRUE(dialogs.messages.size() == 1 && Get("txtNumWeighted") == "5");  // no message; all three rows count
  for (int b = 0; b < toolbox::KonoBoxCount; ++b)
    EXPECT_EQ(Get(toolbox::KonoBoxes[b].name).toStdString(), r.boxes[b]) << b;
  EXPECT_EQ(Get("txtIntResult"), QString::fromStdString(r.intermediate).replace("\r\n", "\n"));
}

TEST_F(ToolboxWindows, ProjectionsCommandsPlotsAndOnePrintedPage) {
  Open("mnuToolboxPointProj", "frmProjections", "Toolbox 2 - Various Projections");
  auto* window = qobject_cast<ProjectionsWindow*>(win);
  ASSERT_TRUE(window);
  EXPECT_EQ(Get("txtSignificanceLevel") + Get("txtNumPoints") + Get("txtConnect") + Get("txtPlane"), "0.052000Yes0");
  Set({{"txtData", "20.5 41.3\n19.0 35.4\n345.0 37.0\n"}, {"txtSignificanceLevel", "1.5"}});
  Click("cmdSpheToCart");
  EXPECT_TRUE(Get("txtCartData").startsWith("        0.703688        0.263098        0.660002\n"));
  Click("cmdFisher");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Significance level must be a number between 0 and 1. Default to 0.05.");
  EXPECT_EQ(Get("txtFisherDec"), "8.15");
  // Zijderveld of typed rows on the plot window, then cleared; a refused size says why.
  Click("cmdZPlot");
  auto* plotWindow = win->findChild<PointsPlotWindow*>("frmPointsPlot");
  ASSERT_TRUE(plotWindow);
  EXPECT_EQ(plotWindow->windowTitle(), "Zijderveld Projection");
  QImage blank = plotWindow->Panel()->Picture();
  blank.fill(Qt::white);
  EXPECT_NE(plotWindow->Panel()->Picture(), blank);
  Click("cmdClearPlotArea");
  EXPECT_EQ(plotWindow->Panel()->Picture(), blank);
  Set({{"txtSymSize", "0.4"}});
  Click("cmdEQPlot");
  EXPECT_EQ(dialogs.messages.back().text, "Symbol size must be an integer (1 to 100)");
  EXPECT_EQ(plotWindow->windowTitle(), "Lambert Equal Area Projection");
  // Two ellipses on one printed page: No at the confirmation keeps the job open; Yes ends it.
  QTemporaryDir dir;
  QPrinter& printer = w->Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("ellipses.pdf"));
  Set({{"txtSymSize", "4"}, {"txtFisherDec", "10"}, {"txtFisherInc", "60"}, {"txtAlpha95", "5"},
       {"txtNumPoints", "200"}, {"txtLat", "45"}, {"txtLong", "-10"}});
  dialogs.printerCopies = {1, 1};
  dialogs.yesNo = {true, false, false, false, true, true};
  Click("cmdPrintEllipseSPlot");
  EXPECT_TRUE(window->PrintJob().IsOpen());
  Set({{"txtFisherDec", "200"}, {"txtFisherInc", "-30"}});
  Click("cmdPrintEllipseSPlot");
  EXPECT_FALSE(window->PrintJob().IsOpen());
  EXPECT_EQ(dialogs.yesNoAsked.back(),
            "Print Now? If so, click Yes. If you want to print other  ellipses on the same diagram, click No.");
  const QString pdf = QString::fromLatin1(test::ReadBytes(dir.filePath("ellipses.pdf").toStdString()));
  EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1) << "one page with both ellipses";
}

}  // namespace
}  // namespace rmx::ui
