// frmHelp ("Remanex Analysis Program - Help"): the user guide in a read-only,
// fixed-pitch text box with Edit > Copy. frmAbout ("About Remanex Analysis
// Program"): the program's title, version, contact and history. Each is a single
// window of the main window, created on first use.
#pragma once

#include <QDialog>
#include <QMainWindow>

class QLabel;
class QPlainTextEdit;

namespace rmx::ui {

class MainWindow;

class HelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  QPlainTextEdit* TextBox() const { return txtHelp_; }
  // Edit > Copy: clears the clipboard, then puts on it the text selected in the
  // focused text box (txtHelp when the focus is elsewhere).
  void Copy();

 private:
  QPlainTextEdit* txtHelp_;
};

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);
};

// Help > Main Features (F1) shows frmHelp, Help > About Remanex Analysis Program
// shows frmAbout; both stay open beside the main window.
void InstallHelpCommands(MainWindow& w);

}  // namespace rmx::ui
