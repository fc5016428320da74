#include "convert/ui/convert_commands.h"

#include <QAction>
#include <QPointer>
#include <memory>

#include "session/ui/main_window.h"
#include "convert/ui/file_convert_dialog.h"

namespace rmx::ui {

void InstallConvertCommands(MainWindow& w) {
  auto dialog = std::make_shared<QPointer<FileConvertDialog>>();
  QObject::connect(w.Action("mnuFileConvert"), &QAction::triggered, &w, [&w, dialog] {
    if (!*dialog) {
      *dialog = new FileConvertDialog([&w]() -> Dialogs& { return w.CurrentDialogs(); }, &w);
      // The new sample file opens in the main window at once.
      QObject::connect(*dialog, &FileConvertDialog::converted, &w, [&w](const QString& path) {
        w.show();
        w.raise();
        w.activateWindow();
        w.GetOpenFileName(path);
      });
      QObject::connect(*dialog, &FileConvertDialog::exitRequested, &w, &MainWindow::FileExit);
    }
    (*dialog)->show();
    (*dialog)->raise();
    (*dialog)->activateWindow();
  });
}

}  // namespace rmx::ui
