#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "stats/ui/report_windows.h"

using namespace rmx::ui;

namespace {

QAction* Action(QWidget& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

}  // namespace

TEST(ReportWindows, NamesCaptionsMenusAndAccessibility) {
  LSquareWindow ls;
  EXPECT_EQ(ls.objectName(), "frmLSquare");
  EXPECT_EQ(ls.windowTitle(), "Principal Component Analysis Results");
  auto* box = ls.findChild<QPlainTextEdit*>("txtLSResults");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->accessibleName().isEmpty());
  EXPECT_EQ(box->accessibleDescription(), "txtLSResults");
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
  ASSERT_NE(ls.findChild<QMenu*>("mnuEdit"), nullptr);
  EXPECT_EQ(ls.findChild<QMenu*>("mnuEdit")->title(), "&Edit");
  ASSERT_NE(Action(ls, "mnuEditCopy"), nullptr);
  EXPECT_EQ(Action(ls, "mnuEditCopy")->text(), "&Copy");
  EXPECT_EQ(Action(ls, "mnuEditCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
  EXPECT_EQ(Action(ls, "mnuEditClear"), nullptr);

  FisherWindow fi;
  EXPECT_EQ(fi.objectName(), "frmFisher");
  EXPECT_EQ(fi.windowTitle(), "Results of Fisher Analysis");
  auto* fbox = fi.findChild<QPlainTextEdit*>("txtFisher");
  ASSERT_NE(fbox, nullptr);
  EXPECT_EQ(fbox->accessibleDescription(), "txtFisher");
  EXPECT_TRUE(QFontInfo(fbox->font()).fixedPitch());
  EXPECT_EQ(fbox->toolTip(),
            "This box can handle less than 64 KB text. If it gets full, copy and paste the result to other programs, "
            "and clear this box using the Menu Edit > Clear Output (or Ctrl + L) to avoid losing data.");
  EXPECT_TRUE(fbox->toPlainText().isEmpty());
  ASSERT_NE(Action(fi, "mnuEditClear"), nullptr);
  EXPECT_EQ(Action(fi, "mnuEditClear")->text(), "C&lear Output");
  EXPECT_EQ(Action(fi, "mnuEditClear")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
  EXPECT_EQ(Action(fi, "mnuEditCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
}

TEST(ReportWindows, ListingReplacesFisherReportsAccumulateUntilCleared) {
  LSquareWindow ls;
  ls.SetText("first\r\nlisting\r\n");
  ls.SetText("   Sample\r\nA 1  45\xB0\r\n");  // ISO 8859-1 degree sign
  EXPECT_EQ(ls.Text(), QString::fromUtf8("   Sample\nA 1  45\u00B0\n"));

  FisherWindow fi;
  fi.AppendText("Report one\r\n");
  fi.AppendText("Report two\r\n");
  fi.TextBox()->moveCursor(QTextCursor::Start);  // appending ignores where the cursor is
  fi.AppendText("three");
  EXPECT_EQ(fi.Text(), "Report one\nReport two\nthree");
  Action(fi, "mnuEditClear")->trigger();
  EXPECT_EQ(fi.Text(), "");
  fi.AppendText("again\r\n");
  EXPECT_EQ(fi.Text(), "again\n");
}

TEST(ReportWindows, CopyPutsTheSelectionOrNothingOnTheClipboard) {
  FisherWindow fi;
  fi.AppendText("line one\r\nline two\r\n");
  QApplication::clipboard()->setText("old");
  QTextCursor c = fi.TextBox()->textCursor();
  c.setPosition(5);
  c.setPosition(13, QTextCursor::KeepAnchor);  // "one\nline"
  fi.TextBox()->setTextCursor(c);
  Action(fi, "mnuEditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "one\nline");

  c.clearSelection();
  fi.TextBox()->setTextCursor(c);
  Action(fi, "mnuEditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "");
}
