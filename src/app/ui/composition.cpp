#include "app/ui/composition.h"

#include "convert/ui/convert_commands.h"
#include "help/ui/help_windows.h"
#include "plot/ui/plot_commands.h"
#include "session/ui/main_window.h"
#include "stats/ui/stats_commands.h"
#include "toolbox/ui/calculator_commands.h"
#include "toolbox/ui/projection_commands.h"

namespace rmx::app {

void ComposeMainWindow(ui::MainWindow& w) {
  ui::InstallPlotCommands(w);
  ui::InstallConvertCommands(w);
  ui::InstallStatsCommands(w);
  ui::InstallCalculatorCommands(w);
  ui::InstallHelpCommands(w);
  ui::InstallProjectionCommands(w);
}

std::unique_ptr<ui::MainWindow> NewMainWindow() {
  auto w = std::make_unique<ui::MainWindow>();
  ComposeMainWindow(*w);
  return w;
}

}  // namespace rmx::app
