// Toolbox > Points Projection: the projections toolbox frmProjections, created on
// first use and shown without blocking the main window.
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallProjectionCommands(MainWindow& w);

}  // namespace rmx::ui
