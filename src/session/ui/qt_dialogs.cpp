#include "session/ui/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>

namespace rmx::ui {

QString ToQt(const std::string& latin1) {
  QString s = QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return s;
}

std::string FromQt(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (const QChar c : text) out.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
  return out;
}

namespace {
QString Title(const std::string& title) {
  return title.empty() ? QStringLiteral("Remanex") : ToQt(title);
}
}  // namespace

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultAnswer) {
  QInputDialog dlg(parent_);
  dlg.setObjectName("InputBox");
  dlg.setWindowTitle(Title(title));
  dlg.setLabelText(ToQt(prompt));
  dlg.setTextValue(ToQt(defaultAnswer));
  dlg.setInputMode(QInputDialog::TextInput);
  for (QLabel* l : dlg.findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
  if (dlg.exec() != QDialog::Accepted) return {};
  return FromQt(dlg.textValue());
}

void QtDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon) {
  QMessageBox box(parent_);
  box.setObjectName("MessageBox");
  box.setWindowTitle(Title(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQt(text));
  switch (icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

bool QtDialogs::YesNo(const std::string& text, const std::string& title) {
  QMessageBox box(parent_);
  box.setObjectName("YesNoBox");
  box.setWindowTitle(Title(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQt(text));
  box.setIcon(QMessageBox::Question);
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtDialogs::ChoosePrinter() {
  if (!printer_) return 0;
  QPrintDialog dlg(printer_, parent_);
  dlg.setObjectName("dlgPrinter");
  dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (dlg.exec() != QDialog::Accepted) return 0;
  // Each copy is drawn on a page of its own; the printer itself prints one.
  const int copies = std::max(1, printer_->copyCount());
  printer_->setCopyCount(1);
  return copies;
}

void Describe(QWidget* w, const QString& objectName, const QString& accessibleName) {
  w->setObjectName(objectName);
  w->setAccessibleName(accessibleName);
  w->setAccessibleDescription(objectName);
}

void CopySelection(const QWidget* focus, const QPlainTextEdit* box) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  if (const auto* focused = qobject_cast<const QPlainTextEdit*>(focus)) box = focused;
  QString selected = box->textCursor().selectedText();
  // A selection separates its lines with U+2029 (and U+2028); the clipboard gets plain line breaks.
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
  clipboard->setText(selected);
}

}  // namespace rmx::ui
