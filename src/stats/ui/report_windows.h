// The two report windows: frmLSquare ("Principal Component Analysis Results") shows
// the listing of all least-squares results, frmFisher ("Results of Fisher Analysis")
// collects every Fisher report until the user clears it. Both are read-only,
// fixed-pitch text boxes with an Edit menu, owned by the main window.
#pragma once

#include <QMainWindow>
#include <QString>
#include <string>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace rmx::ui {

class ReportWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Replaces the text. The text is core text: ISO 8859-1 with CR LF line ends.
  void SetText(const std::string& latin1Crlf);
  // Appends the text at the end, as it is (no line break is added).
  void AppendText(const std::string& latin1Crlf);
  // The box's text (LF line ends).
  QString Text() const;
  QPlainTextEdit* TextBox() const { return box_; }

  // Edit > Copy: clears the clipboard, then puts the selected text of the active
  // control on it as plain text (empty when nothing is selected).
  void Copy();

 protected:
  ReportWindow(const char* objectName, const QString& caption, const char* boxName, const QString& boxAccessibleName,
               QWidget* parent);
  QMenu* EditMenu() const { return editMenu_; }

 private:
  QPlainTextEdit* box_ = nullptr;
  QMenu* editMenu_ = nullptr;
};

// frmLSquare: the text box txtLSResults, whose text is replaced by each listing.
class LSquareWindow : public ReportWindow {
  Q_OBJECT

 public:
  explicit LSquareWindow(QWidget* parent = nullptr);
};

// frmFisher: the text box txtFisher, to which reports are appended; only
// Edit > Clear Output (Ctrl+L) empties it.
class FisherWindow : public ReportWindow {
  Q_OBJECT

 public:
  explicit FisherWindow(QWidget* parent = nullptr);
  // Edit > Clear Output.
  void Clear();
};

inline constexpr const char* FisherToolTip =
    "This box can handle less than 64 KB text. If it gets full, copy and paste the result to other programs, and "
    "clear this box using the Menu Edit > Clear Output (or Ctrl + L) to avoid losing data.";

}  // namespace rmx::ui
