// The questions and messages of the commands, answered with Qt dialogs.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QString>
#include <QWidget>

#include "session/dialogs.h"

namespace rmx::ui {

// Core text (ISO 8859-1, CR LF line breaks) as a QString for a dialog.
QString ToQt(const std::string& latin1);
// A typed answer as core text; characters outside ISO 8859-1 become "?".
std::string FromQt(const QString& text);

class QtDialogs : public Dialogs {
 public:
  // `printer` is the printer the printer dialog configures (the caller prints on it).
  QtDialogs(QWidget* parent, QPrinter* printer) : parent_(parent), printer_(printer) {}
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer = {}) override;
  void MessageBox(const std::string& text, const std::string& title = {},
                  MessageIcon icon = MessageIcon::None) override;
  bool YesNo(const std::string& text, const std::string& title = {}) override;
  int ChoosePrinter() override;

 private:
  QPointer<QWidget> parent_;
  QPrinter* printer_;
};

// Gives a control the name a screen reader speaks and its object name as its
// description, so that assistive tools and test drivers can find it.
void Describe(QWidget* w, const QString& objectName, const QString& accessibleName);

// Edit > Copy of a text window: clears the clipboard, then puts on it the text
// selected in `focus` when that is a text box, otherwise in `box`, with plain line
// breaks. Nothing selected leaves the clipboard empty.
void CopySelection(const QWidget* focus, const QPlainTextEdit* box);

}  // namespace rmx::ui
