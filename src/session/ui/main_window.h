// frmMain: the hub of the program. It owns the open sample file (through a
// Session), shows the sample list and the data listing of the selected sample,
// carries the three marking buttons and the menu bar.
#pragma once

#include <QFileInfo>
#include <QMainWindow>
#include <QPrinter>
#include <memory>

#include "session/dialogs.h"
#include "session/session.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace rmx::ui {

class FileOpenDialog;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // A main window with no file open and no feature commands: the composition
  // connects those.
  explicit MainWindow(QWidget* parent = nullptr);

  // Stores the path of the sample file to load and loads it at once. A file that is
  // open is closed first.
  int GetOpenFileName(const QString& path);
  // Same as GetOpenFileName, for a file named on the command line: a relative
  // name is made a full path first, as the caption shows and reloads need it.
  void OpenPath(const QString& path) { GetOpenFileName(QFileInfo(path).absoluteFilePath()); }

  // The loading routine: reopens the file and rebuilds the sample list.
  void LoadFile();
  void FileClose();
  void FileExit();
  void EditCopy();
  void PrintMainWindow();

  // Replaces the dialogs (tests answer by script); nullptr restores the Qt dialogs.
  void SetDialogs(Dialogs* dialogs);
  Dialogs& CurrentDialogs();
  QPrinter& Printer() { return printer_; }
  Session& session() { return session_; }

  // True when the heading line of the sample list is the selected line.
  bool HeadingSelected() const;
  // Lists the current sample again from the file (after a command changed it).
  void RelistCurrent();

  QAction* Action(const char* objectName) const;
  QMenu* Menu(const char* objectName) const;

 signals:
  // A sample became current (its listing is shown); position from 1.
  void sampleSelected(int position);
  // The file was closed (File > Close or a refused file).
  void fileClosed();
  // File > Exit: every window of the program closes.
  void exiting();
  // The least-squares analysis of sample `position` is asked for (LeastSquare >
  // Least Square Analysis, or the least-squares button once its selection is
  // written). The command lists the sample again when it changed it.
  void lsquareRequested(int position);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void BuildMenus();
  void BuildControls();
  void SetFileState(bool open);
  void ShowSampleList();
  void ShowListing(const std::vector<std::string>& lines);
  void OnSampleClicked(int row);
  void Deactivate();
  void DeselectPoints();
  void LSquarePoints();
  void ShowOpenDialog();
  void ReportStoreError(const std::string& message);
  std::vector<int> CheckedRows(QListWidget* list) const;

  Session session_;
  QPrinter printer_;
  std::unique_ptr<Dialogs> qtDialogs_;
  Dialogs* dialogs_ = nullptr;

  QListWidget* lstRecord_ = nullptr;
  QListWidget* lstRecordData_ = nullptr;
  QPushButton* cmdDeactivate_ = nullptr;
  QPushButton* cmdDeselectPoints_ = nullptr;
  QPushButton* cmdLSquarePoints_ = nullptr;
  FileOpenDialog* openDialog_ = nullptr;
  bool exiting_ = false;
};

}  // namespace rmx::ui
