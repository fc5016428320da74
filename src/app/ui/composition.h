// Which command sits behind which menu item of the main window: the one place where
// the windows of the features are connected to the main window.
#pragma once

#include <memory>

namespace rmx::ui {
class MainWindow;
}

namespace rmx::app {

// Connects every feature's commands to the menus and signals of `w`; called once,
// right after the main window is made.
void ComposeMainWindow(ui::MainWindow& w);

// A new main window with every command connected.
std::unique_ptr<ui::MainWindow> NewMainWindow();

}  // namespace rmx::app
