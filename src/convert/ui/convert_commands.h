// Connects File > Convert to the conversion dialog.
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallConvertCommands(MainWindow& w);

}  // namespace rmx::ui
