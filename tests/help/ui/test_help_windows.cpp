#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/ui/composition.h"
#include "help/guide.h"
#include "help/ui/help_windows.h"
#include "session/ui/main_window.h"

using namespace rmx;

TEST(HelpWindows, GuideCopiesTheSelectionAndAboutShowsItsTexts) {
  const std::unique_ptr<ui::MainWindow> w = app::NewMainWindow();
  EXPECT_EQ(w->Action("mnuHelpMain")->shortcut(), QKeySequence(Qt::Key_F1));
  w->Action("mnuHelpMain")->trigger();
  w->Action("mnuHelpMain")->trigger();  // one window, shown again
  ASSERT_EQ(w->findChildren<ui::HelpWindow*>().size(), 1);
  auto* help = w->findChild<ui::HelpWindow*>("frmHelp");
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), "Remanex Analysis Program - Help");
  QPlainTextEdit* box = help->findChild<QPlainTextEdit*>("txtHelp");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->accessibleDescription() == "txtHelp" && !box->accessibleName().isEmpty() && box->isReadOnly());
  EXPECT_EQ(box->toPlainText(), QString::fromLatin1(HelpText()).replace("\r\n", "\n"));
  // Edit > Copy copies the selection with the box's line ends; nothing selected empties the clipboard.
  box->selectAll();
  help->findChild<QAction*>("mnuEditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), box->toPlainText());
  box->moveCursor(QTextCursor::Start);
  help->Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "");
  w->Action("mnuHelpAbout")->trigger();
  auto* about = w->findChild<ui::AboutWindow*>("frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible() && about->windowTitle() == "About Remanex Analysis Program");
  for (const auto& [name, text] : {std::pair{"lblAuthor", AboutAuthorText()}, {"lblContact", AboutContactText()},
                                   {"lblHistory", AboutHistoryText()}}) {
    auto* label = about->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), QString::fromLatin1(text).replace("\r\n", "\n")) << name;
    EXPECT_TRUE(label->textFormat() == Qt::PlainText && label->accessibleDescription() == name) << name;
  }
}
