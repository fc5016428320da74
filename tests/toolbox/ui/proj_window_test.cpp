// The projections toolbox windows driven through their object names.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/composition.h"
#include "plot/ui/plot_window.h"
#include "session/ui/main_window.h"
#include "toolbox/ui/projections_window.h"

namespace rmx::ui {
namespace {

struct Toolbox {
  std::unique_ptr<MainWindow> main = app::NewMainWindow();
  ScriptedDialogs dialogs;
  ProjectionsWindow* window = nullptr;

  Toolbox() {
    main->SetDialogs(&dialogs);
    main->Action("mnuToolboxPointProj")->trigger();
    window = main->findChild<ProjectionsWindow*>("frmProjections");
  }
  ~Toolbox() { main->SetDialogs(nullptr); }
  void Set(const char* box, const QString& text) {
    if (auto* line = window->findChild<QLineEdit*>(box))
      line->setText(text);
    else
      window->findChild<QPlainTextEdit*>(box)->setPlainText(text);
  }
  QString Get(const char* box) const {
    if (auto* line = window->findChild<QLineEdit*>(box)) return line->text();
    return window->findChild<QPlainTextEdit*>(box)->toPlainText();
  }
  void Click(const char* button) { window->findChild<QPushButton*>(button)->click(); }
};

TEST(ProjWindow, ControlsAndCommands) {
  Toolbox t;
  ASSERT_TRUE(t.window);
  EXPECT_EQ(t.window->windowTitle(), "Toolbox 2 - Various Projections");
  for (auto [box, text] : {std::pair{"txtSignificanceLevel", "0.05"}, {"txtNumPoints", "2000"}, {"txtLineThickness", "1"},
                           {"txtSymColorB", "255"}, {"txtConnect", "Yes"}, {"txtDecColorR", "255"}, {"txtPlane", "0"}})
    EXPECT_EQ(t.Get(box), text) << box;
  // Every control can be found and spoken.
  for (QWidget* w : t.window->findChildren<QWidget*>()) {
    if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPushButton*>(w) && !qobject_cast<QPlainTextEdit*>(w)) continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    EXPECT_EQ(w->accessibleDescription(), w->objectName());
  }

  t.Set("txtData", "20.5 41.3\n19.0 35.4\n345.0 37.0\n");
  t.Click("cmdSpheToCart");
  EXPECT_TRUE(t.Get("txtCartData").startsWith("        0.703688        0.263098        0.660002\n"));
  t.Set("txtSignificanceLevel", "1.5");
  t.Click("cmdFisher");
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0].text, "Significance level must be a number between 0 and 1. Default to 0.05.");
  EXPECT_EQ(t.Get("txtFisherDec"), "8.15");
  t.Set("txtLat", "45");
  t.Set("txtLong", "-10");
  t.Click("cmdVGPCalculate");
  EXPECT_FALSE(t.Get("txtVGPPoleLat").isEmpty());
  EXPECT_FALSE(t.Get("txtDP").isEmpty());

  // Zijderveld of typed rows on the plot window, then cleared.
  t.Click("cmdZPlot");
  auto* plotWindow = t.window->findChild<PointsPlotWindow*>("frmPointsPlot");
  ASSERT_TRUE(plotWindow);
  EXPECT_EQ(plotWindow->windowTitle(), "Zijderveld Projection");
  const QImage drawn = plotWindow->Panel()->Picture();
  EXPECT_NE(drawn.pixel(drawn.width() / 2, drawn.height() / 2) | 0, 0u);
  t.Click("cmdClearPlotArea");
  EXPECT_EQ(plotWindow->Panel()->Picture().pixelColor(100, 100), QColor(Qt::white));

  // A refused size leaves the net and says why, with the focus on the size box.
  t.Set("txtSymSize", "0.4");
  t.Click("cmdEQPlot");
  EXPECT_EQ(t.dialogs.messages.back().text, "Symbol size must be an integer (1 to 100)");
  EXPECT_EQ(t.dialogs.messages.back().title, "Equal Area Plot Symbol Size");
  EXPECT_EQ(plotWindow->windowTitle(), "Lambert Equal Area Projection");
}

TEST(ProjWindow, OpenPrintJobKeepsBothEllipsesOnOnePage) {
  QTemporaryDir dir;
  Toolbox t;
  QPrinter& printer = t.main->Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = dir.filePath("ellipses.pdf");
  printer.setOutputFileName(pdf);
  t.Set("txtFisherDec", "10");
  t.Set("txtFisherInc", "60");
  t.Set("txtAlpha95", "5");
  t.Set("txtLat", "45");
  t.Set("txtLong", "-10");
  t.Set("txtNumPoints", "200");
  // First ellipse: circle yes, site no, then No at the confirmation; second: Yes.
  t.dialogs.printerCopies = {1, 1};
  t.dialogs.yesNo = {true, false, false, false, true, true};
  t.Click("cmdPrintEllipseSPlot");
  EXPECT_TRUE(t.window->PrintJob().IsOpen());
  t.Set("txtFisherDec", "200");
  t.Set("txtFisherInc", "-30");
  t.Click("cmdPrintEllipseSPlot");
  EXPECT_FALSE(t.window->PrintJob().IsOpen());
  EXPECT_EQ(t.dialogs.yesNoAsked.back(),
            "Print Now? If so, click Yes. If you want to print other  ellipses on the same diagram, click No.");
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1) << "one page with both ellipses";
}

}  // namespace
}  // namespace rmx::ui
