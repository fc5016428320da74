#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/composition.h"
#include "session/ui/main_window.h"
#include "toolbox/coord_conversion.h"
#include "toolbox/kono.h"

using namespace rmx;

namespace {

template <typename T = QLineEdit>
T* Find(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  if (c) EXPECT_FALSE(c->accessibleName().isEmpty()) << name;
  return c;
}

}  // namespace

TEST(CalculatorWindows, CoordinateConversionFromBothMenus) {
  ScriptedDialogs dialogs;
  const auto w = app::NewMainWindow();
  w->SetDialogs(&dialogs);
  w->Action("mnuToolboxCoorConv")->trigger();
  auto* win = Find<QWidget>(w.get(), "frmCoorConv");
  ASSERT_NE(win, nullptr);
  EXPECT_TRUE(win->isVisible());
  EXPECT_EQ(win->windowTitle(), "Toolbox 1 - Coordinate Conversion and Latitude");
  EXPECT_EQ(win->focusWidget(), Find(win, "txtDeclination"));

  Find(win, "txtNorth")->setText("1");
  Find(win, "txtEast")->setText("1");
  Find(win, "txtDown")->setText("0");
  Find<QPushButton>(win, "cmdCarttoSphe")->click();
  EXPECT_EQ(Find(win, "txtDeclination")->text(), "45.00000");
  EXPECT_EQ(Find(win, "txtInclination")->text(), "0.00000");
  EXPECT_EQ(Find(win, "txtIntensity")->text(), "1.41421");

  // A refused inclination: the message, the focus on its box, the results emptied.
  Find(win, "txtInclination")->setText("90.5");
  Find<QPushButton>(win, "cmdSphetoCart")->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Input Inclination");
  EXPECT_EQ(dialogs.messages[0].text, "Please input a valid Inclination: -90 to 90 degree");
  EXPECT_EQ(win->focusWidget(), Find(win, "txtInclination"));
  EXPECT_EQ(Find(win, "txtNorth")->text(), "");

  w->Action("mnuToolboxLatCal")->trigger();
  EXPECT_EQ(w->findChildren<QWidget*>("frmCoorConv").size(), 1);
  EXPECT_EQ(win->focusWidget(), Find(win, "txtInclination2"));
  Find(win, "txtInclination2")->setText("45");
  Find<QPushButton>(win, "cmdIncToLat")->click();
  EXPECT_EQ(Find(win, "txtLatitude")->text(), "26.57");
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(CalculatorWindows, KonoOnPastedRows) {
  ScriptedDialogs dialogs;
  const auto w = app::NewMainWindow();
  w->SetDialogs(&dialogs);
  w->Action("mnuToolboxKonoLatCalc")->trigger();
  auto* win = Find<QWidget>(w.get(), "frmKono");
  ASSERT_NE(win, nullptr);
  EXPECT_EQ(win->windowTitle(), "Kono Remanex Latitude Calculator");
  auto* data = Find<QPlainTextEdit>(win, "txtData");
  EXPECT_EQ(win->focusWidget(), data);
  EXPECT_EQ(Find<QLabel>(win, "lblK")->text(), "K:");

  // Nothing to compute: the message and the focus back on the data.
  Find<QPushButton>(win, "cmdCompute")->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "No Data");
  EXPECT_EQ(win->focusWidget(), data);

  const char* rows = "N 45\nR -45\nNP 44.5\n";  // the box's own line ends
  QApplication::clipboard()->setText(rows);
  data->paste();
  Find<QCheckBox>(win, "chkWeight")->setChecked(true);
  Find<QPushButton>(win, "cmdCompute")->click();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  const toolbox::KonoResult r = toolbox::ComputeKono(rows, true);
  EXPECT_EQ(Find(win, "txtNumWeighted")->text(), "5");  // all three pasted rows count
  for (int b = 0; b < toolbox::KonoBoxCount; ++b)
    EXPECT_EQ(Find(win, toolbox::KonoBoxes[b].name)->text().toStdString(), r.boxes[b]);
  EXPECT_EQ(Find<QPlainTextEdit>(win, "txtIntResult")->toPlainText(),
            QString::fromStdString(r.intermediate).replace("\r\n", "\n"));
}
