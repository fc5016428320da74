// Connects Toolbox > Coordinate Conversion, Latitude Calculation and Kono (1980)
// Latitude Calculator to their windows (owned by the main window, made on first use).
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallCalculatorCommands(MainWindow& w);

}  // namespace rmx::ui
