#include "app/ui/commands.h"

#include "app/ui/main_window.h"

namespace rmx::ui {

void InstallCommands(MainWindow& w) {
  (void)w;
}

}  // namespace rmx::ui
