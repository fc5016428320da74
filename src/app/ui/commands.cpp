#include "app/ui/commands.h"

#include "app/ui/main_window.h"
#include "convert/ui/convert_commands.h"
#include "plot/ui/plot_commands.h"
#include "stats/ui/fisher_commands.h"
#include "stats/ui/lsquare_commands.h"

namespace rmx::ui {

void InstallCommands(MainWindow& w) {
  InstallPlotCommands(w);
  InstallConvertCommands(w);
  InstallLSquareCommands(w);
  InstallFisherCommands(w);
}

}  // namespace rmx::ui
