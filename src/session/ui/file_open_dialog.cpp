#include "session/ui/file_open_dialog.h"

namespace rmx::ui {

FileOpenDialog::FileOpenDialog(QWidget* parent, std::function<Dialogs&()> dialogs)
    : FilePickDialog({"frmFileOpen", "Open *.mag File", {"*.mag"}, "dirRmxOpen", "filRmxOpen", "Sample files",
                      "cmdOpen", "&Open", "Select a sample file (*.mag) in the file list first."},
                     std::move(dialogs), parent) {}

void FileOpenDialog::Act() {
  const QString path = SelectedPath();
  if (path.isEmpty()) return;
  close();
  emit fileChosen(path);
}

}  // namespace rmx::ui
