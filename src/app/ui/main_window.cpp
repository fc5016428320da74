#include "app/ui/main_window.h"
namespace rmx::ui {
MainWindow& MainWindow::Instance() { static MainWindow* w = new MainWindow; return *w; }
void MainWindow::OpenPath(const QString&) {}
}
