// frmFileOpen: picks a sample file (*.mag) and hands its full path to the main window.
#pragma once

#include "session/ui/file_pick_dialog.h"

namespace rmx::ui {

class FileOpenDialog : public FilePickDialog {
  Q_OBJECT

 public:
  FileOpenDialog(QWidget* parent, std::function<Dialogs&()> dialogs);
  // cmdOpen: hands the selected file over; with no file selected says so.
  void OpenSelected() { Act(); }

 signals:
  void fileChosen(const QString& path);

 protected:
  void Act() override;
};

}  // namespace rmx::ui
