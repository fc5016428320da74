// frmFileOpen: picks a sample file (*.mag) from a folder view and a file list and
// hands its full path to the main window.
#pragma once

#include <QDialog>
#include <functional>

#include "app/dialogs.h"

class QFileSystemModel;
class QListView;
class QTreeView;
class QLabel;

namespace rmx::ui {

// Joins a folder and a file name with one separator ("/" at the root stays single).
QString JoinPath(const QString& folder, const QString& name);

class FileOpenDialog : public QDialog {
  Q_OBJECT

 public:
  FileOpenDialog(QWidget* parent, std::function<Dialogs&()> dialogs);

  // The folder whose *.mag files are listed.
  void SetFolder(const QString& folder);
  QString Folder() const;
  // Selects a file of the listed folder by name; false when it is not listed.
  bool SelectFile(const QString& name);
  // cmdOpen: hands the selected file over; with no file selected says so.
  void OpenSelected();

 signals:
  void fileChosen(const QString& path);
  void exitRequested();

 private:
  std::function<Dialogs&()> dialogs_;
  QFileSystemModel* dirModel_;
  QFileSystemModel* fileModel_;
  QTreeView* dirView_;
  QListView* fileView_;
  QLabel* folderLabel_;
};

}  // namespace rmx::ui
