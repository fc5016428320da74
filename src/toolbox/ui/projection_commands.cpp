#include "toolbox/ui/projection_commands.h"

#include <QAction>
#include <QPointer>

#include "session/ui/main_window.h"
#include "toolbox/ui/projections_window.h"

namespace rmx::ui {

void InstallProjectionCommands(MainWindow& w) {
  auto window = std::make_shared<QPointer<ProjectionsWindow>>();
  QObject::connect(w.Action("mnuToolboxPointProj"), &QAction::triggered, &w, [&w, window] {
    if (!*window) *window = new ProjectionsWindow(&w, [&w]() -> Dialogs& { return w.CurrentDialogs(); }, w.Printer());
    (*window)->show();
    (*window)->raise();
    (*window)->activateWindow();
  });
  // File > Exit ends a print job left open and closes the toolbox.
  QObject::connect(&w, &MainWindow::exiting, &w, [window] {
    if (!*window) return;
    (*window)->PrintJob().End();
    (*window)->close();
  });
}

}  // namespace rmx::ui
