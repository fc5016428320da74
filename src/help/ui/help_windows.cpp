#include "help/ui/help_windows.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/guide.h"
#include "plot/ui/fonts.h"
#include "session/ui/main_window.h"
#include "session/ui/qt_dialogs.h"

namespace rmx::ui {

namespace {

// Core text (CR LF line ends) as a Qt text holds it (LF only).
QString LfText(const std::string& crlf) { return QString::fromLatin1(crlf).replace(QStringLiteral("\r\n"), "\n"); }

template <typename Window>
void ShowWindow(Window*& window, MainWindow& owner) {
  if (!window) window = new Window(&owner);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowFlag(Qt::Window);
  setObjectName("frmHelp");
  setWindowTitle("Remanex Analysis Program - Help");
  setAccessibleDescription("frmHelp");

  txtHelp_ = new QPlainTextEdit(this);
  Describe(txtHelp_, "txtHelp", "Help text");
  txtHelp_->setReadOnly(true);
  txtHelp_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txtHelp_->setFont(FixedFont(10));
  // The guide holds column tables and example files: lines are not wrapped.
  txtHelp_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtHelp_->setUndoRedoEnabled(false);
  txtHelp_->setPlainText(LfText(HelpText()));
  setCentralWidget(txtHelp_);

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("mnuEdit");
  QAction* copy = edit->addAction("&Copy");
  copy->setObjectName("mnuEditCopy");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(copy, &QAction::triggered, this, &HelpWindow::Copy);

  // Wide enough for the column tables and the example files (about 84 columns).
  const QFontMetrics fm(txtHelp_->font());
  resize(fm.horizontalAdvance(QString(86, QLatin1Char('0'))) + 40, fm.lineSpacing() * 36 + 60);
}

void HelpWindow::Copy() { CopySelection(QApplication::focusWidget(), txtHelp_); }

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About Remanex Analysis Program");
  setAccessibleDescription("frmAbout");
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  auto addLine = [this, layout](const char* name) {
    auto* line = new QFrame(this);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
  };
  auto addLabel = [this, layout](const char* name, const std::string& text, const QFont& font) {
    auto* label = new QLabel(LfText(text), this);
    Describe(label, name, label->text());
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFont(font);
    layout->addWidget(label);
    return label;
  };

  addLine("Line1");
  addLabel("lblAuthor", AboutAuthorText(), FixedFont(10));
  addLine("Line2");
  addLabel("lblContact", AboutContactText(), SansFont(9))->setWordWrap(true);
  addLine("Line3");
  QFont history("Courier New", 9);
  history.setStyleHint(QFont::TypeWriter);
  addLabel("lblHistory", AboutHistoryText(), history);
  addLine("Line4");

  auto* ok = new QPushButton("OK", this);
  Describe(ok, "cmdOK", "OK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

void InstallHelpCommands(MainWindow& w) {
  QObject::connect(w.Action("mnuHelpMain"), &QAction::triggered, &w,
                   [&w, help = static_cast<HelpWindow*>(nullptr)]() mutable { ShowWindow(help, w); });
  QObject::connect(w.Action("mnuHelpAbout"), &QAction::triggered, &w,
                   [&w, about = static_cast<AboutWindow*>(nullptr)]() mutable { ShowWindow(about, w); });
}

}  // namespace rmx::ui
