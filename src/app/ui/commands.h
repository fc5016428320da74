// Connects the commands of the other windows (least squares, Fisher statistics,
// plots, toolboxes) to the menus of the main window. Each subsystem has one
// installer; this calls them all once, when the main window is created.
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallCommands(MainWindow& w);

}  // namespace rmx::ui
