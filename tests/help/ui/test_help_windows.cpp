#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSvgRenderer>
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
  EXPECT_EQ(box->accessibleDescription(), "txtHelp");
  EXPECT_FALSE(box->accessibleName().isEmpty());
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->toPlainText(), QString::fromLatin1(HelpText()).replace("\r\n", "\n"));

  // Select the first column table (four lines) and copy it.
  const QString title = "Line#1:    Header of *.app files";
  const int from = box->toPlainText().indexOf(title);
  ASSERT_GE(from, 0);
  QTextCursor c(box->document());
  c.setPosition(from);
  c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 3);
  c.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
  box->setTextCursor(c);
  QApplication::clipboard()->setText("old");
  help->findChild<QAction*>("mnuEditCopy")->trigger();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(title + "\n            Columns   Field\n               1-16   Section name\n"))
      << copied.toStdString();
  EXPECT_EQ(copied.count('\n'), 3);
  // Nothing selected: the clipboard is emptied, not left with old text.
  box->moveCursor(QTextCursor::Start);
  help->Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "");

  w->Action("mnuHelpAbout")->trigger();
  auto* about = w->findChild<ui::AboutWindow*>("frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->windowTitle(), "About Remanex Analysis Program");
  for (const auto& [name, text] : {std::pair{"lblAuthor", AboutAuthorText()}, {"lblContact", AboutContactText()},
                                   {"lblHistory", AboutHistoryText()}}) {
    auto* label = about->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), QString::fromLatin1(text).replace("\r\n", "\n")) << name;
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->accessibleDescription(), name);
  }
}

// The installed icon is an SVG that draws inside its square.
TEST(Icon, RendersAsASquareSvg) {
  QSvgRenderer svg(QStringLiteral(REMANEX_EXAMPLES "/../dist/remanex.svg"));
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.defaultSize(), QSize(128, 128));
  QImage image(256, 256, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  svg.render(&painter);
  painter.end();
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);        // rounded corner
  EXPECT_EQ(image.pixelColor(128, 128).alpha(), 255);  // the net
}
