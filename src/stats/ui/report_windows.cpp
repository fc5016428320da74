#include "stats/ui/report_windows.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "plot/ui/fonts.h"
#include "session/ui/qt_dialogs.h"

namespace rmx::ui {

namespace {

// Core text (ISO 8859-1, CR LF) as the text box holds it (LF only).
QString BoxText(const std::string& latin1Crlf) {
  QString s = QString::fromLatin1(latin1Crlf.data(), static_cast<qsizetype>(latin1Crlf.size()));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

}  // namespace

ReportWindow::ReportWindow(const char* objectName, const QString& caption, const char* boxName,
                           const QString& boxAccessibleName, QWidget* parent)
    : QMainWindow(parent) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(caption);
  setAccessibleName(caption);
  setAccessibleDescription(QString::fromLatin1(objectName));

  box_ = new QPlainTextEdit(this);
  box_->setObjectName(QString::fromLatin1(boxName));
  box_->setAccessibleName(boxAccessibleName);
  box_->setAccessibleDescription(QString::fromLatin1(boxName));
  box_->setReadOnly(true);
  box_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box_->setFont(FixedFont(10));
  // Listings are fixed-pitch tables: lines are not wrapped.
  box_->setLineWrapMode(QPlainTextEdit::NoWrap);
  box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box_->setUndoRedoEnabled(false);
  setCentralWidget(box_);

  editMenu_ = menuBar()->addMenu(tr("&Edit"));
  editMenu_->setObjectName(QStringLiteral("mnuEdit"));
  auto* copy = editMenu_->addAction(tr("&Copy"));
  copy->setObjectName(QStringLiteral("mnuEditCopy"));
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(copy, &QAction::triggered, this, [this] { Copy(); });

  // Wide enough for the widest listing line (about 90 columns) and a scroll bar.
  const QFontMetrics fm(box_->font());
  resize(fm.horizontalAdvance(QString(92, QLatin1Char('0'))) + 40, fm.lineSpacing() * 28 + 60);
}

void ReportWindow::SetText(const std::string& latin1Crlf) {
  box_->setPlainText(BoxText(latin1Crlf));
  box_->moveCursor(QTextCursor::Start);
}

void ReportWindow::AppendText(const std::string& latin1Crlf) {
  QTextCursor end(box_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(BoxText(latin1Crlf));
  // Show the end of what was appended.
  box_->moveCursor(QTextCursor::End);
  box_->ensureCursorVisible();
}

QString ReportWindow::Text() const { return box_->toPlainText(); }

void ReportWindow::Copy() { CopySelection(focusWidget(), box_); }

LSquareWindow::LSquareWindow(QWidget* parent)
    : ReportWindow("frmLSquare", QStringLiteral("Principal Component Analysis Results"), "txtLSResults",
                   QStringLiteral("Least-squares results"), parent) {}

FisherWindow::FisherWindow(QWidget* parent)
    : ReportWindow("frmFisher", QStringLiteral("Results of Fisher Analysis"), "txtFisher",
                   QStringLiteral("Fisher analysis results"), parent) {
  TextBox()->setToolTip(QString::fromLatin1(FisherToolTip));
  auto* clear = EditMenu()->addAction(tr("C&lear Output"));
  clear->setObjectName(QStringLiteral("mnuEditClear"));
  clear->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  connect(clear, &QAction::triggered, this, [this] { Clear(); });
}

void FisherWindow::Clear() { TextBox()->setPlainText(QString()); }

}  // namespace rmx::ui
