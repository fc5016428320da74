#include "toolbox/ui/calculator_commands.h"

#include <QAction>
#include <QPointer>
#include <memory>

#include "session/ui/main_window.h"
#include "toolbox/ui/coord_conv_window.h"
#include "toolbox/ui/kono_window.h"

namespace rmx::ui {

namespace {

// The window behind `window`, made with the main window as its owner on first use.
template <typename Window>
Window& Open(QPointer<Window>& window, MainWindow& w) {
  if (!window) window = new Window([&w]() -> Dialogs& { return w.CurrentDialogs(); }, &w);
  return *window;
}

}  // namespace

void InstallCalculatorCommands(MainWindow& w) {
  auto coords = std::make_shared<QPointer<CoordConvWindow>>();
  QObject::connect(w.Action("mnuToolboxCoorConv"), &QAction::triggered, &w,
                   [&w, coords] { Open(*coords, w).ShowAt(toolbox::CoordBox::Declination); });
  QObject::connect(w.Action("mnuToolboxLatCal"), &QAction::triggered, &w,
                   [&w, coords] { Open(*coords, w).ShowAt(toolbox::CoordBox::Inclination2); });
  auto kono = std::make_shared<QPointer<KonoWindow>>();
  QObject::connect(w.Action("mnuToolboxKonoLatCalc"), &QAction::triggered, &w,
                   [&w, kono] { Open(*kono, w).ShowWindow(); });
}

}  // namespace rmx::ui
