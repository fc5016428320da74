// The file-choosing dialogs of the program (open a sample file, convert a laboratory
// file): inside a "File Selection" frame a folder view and a list of the folder's
// files that match the dialog's patterns, and below it the dialog's action button,
// "&Cancel" and "E&xit".
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "session/dialogs.h"

class QFileSystemModel;
class QLabel;
class QListView;
class QTreeView;

namespace rmx::ui {

// Joins a folder and a file name with one separator ("/" at the root stays single).
QString JoinPath(const QString& folder, const QString& name);

// What tells one file-choosing dialog from another.
struct FilePickForm {
  const char* formName;       // frmFileOpen
  QString caption;            // "Open *.mag File"
  QStringList patterns;       // {"*.mag"}
  const char* folderList;     // dirRmxOpen
  const char* fileList;       // filRmxOpen
  QString fileListName;       // spoken name of the file list
  const char* actionButton;   // cmdOpen
  QString actionCaption;      // "&Open"
  QString noFileMessage;      // shown when the action is pressed with no file selected
};

class FilePickDialog : public QDialog {
  Q_OBJECT

 public:
  // The folder whose matching files are listed.
  void SetFolder(const QString& folder);
  QString Folder() const;
  // Selects a listed file of the folder by name; false when it is not listed.
  bool SelectFile(const QString& name);

 signals:
  // E&xit: the dialog has closed and the program should end.
  void exitRequested();

 protected:
  FilePickDialog(const FilePickForm& form, std::function<Dialogs&()> dialogs, QWidget* parent);
  // The action button and a double-click on a file.
  virtual void Act() = 0;
  // The full path of the selected file; with none selected the user is told so and
  // the result is empty (a folder is no file to pass on).
  QString SelectedPath();
  Dialogs& CurrentDialogs() { return dialogs_(); }

 private:
  FilePickForm form_;
  std::function<Dialogs&()> dialogs_;
  QFileSystemModel* dirModel_;
  QFileSystemModel* fileModel_;
  QTreeView* dirView_;
  QListView* fileView_;
  QLabel* folderLabel_;
};

}  // namespace rmx::ui
