// Connects the least-squares commands to the main window: the analysis started by
// the least-squares button and LeastSquare > Least Square Analysis, and
// LeastSquare > Display All Results.
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallLSquareCommands(MainWindow& w);

}  // namespace rmx::ui
