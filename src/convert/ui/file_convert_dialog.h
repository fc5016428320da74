// frmFileConvert: picks a laboratory file and converts it into a sample file next to
// it. On success the dialog closes and hands the new file's path to the main window.
#pragma once

#include "session/ui/file_pick_dialog.h"

namespace rmx::ui {

class FileConvertDialog : public FilePickDialog {
  Q_OBJECT

 public:
  // `dialogs` asks the overwrite question and shows the error messages.
  explicit FileConvertDialog(Dialogs& dialogs, QWidget* parent = nullptr);
  // The same with dialogs looked up at each use (the main window may replace them).
  explicit FileConvertDialog(std::function<Dialogs&()> dialogs, QWidget* parent = nullptr);

  // cmdConvert: converts the selected file; with no file selected says so.
  void Convert() { Act(); }

 signals:
  // A sample file was written: its full path. The dialog has closed.
  void converted(const QString& path);

 protected:
  void Act() override;
};

}  // namespace rmx::ui
