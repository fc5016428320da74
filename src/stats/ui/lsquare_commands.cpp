#include "stats/ui/lsquare_commands.h"

#include <QAction>

#include "session/ui/main_window.h"
#include "stats/lsquare.h"
#include "stats/lsquare_listing.h"
#include "stats/ui/report_windows.h"

namespace rmx::ui {

void InstallLSquareCommands(MainWindow& w) {
  w.SetLSquareAnalysis(
      [](Session& s, Dialogs& d, int p) { return NeedsRelist(LSquareAnalysis(s, d, p)); });
  QObject::connect(w.Action("mnuLSAllResults"), &QAction::triggered, &w, [&w] {
    if (!w.session().IsOpen()) return;
    try {
      // The listing walks the file with its own buffers: the selected sample stays.
      LSquareWindow& win = LSquareWindow::Instance();
      win.SetText(AllResultsText(w.session()));
      win.show();
      win.raise();
    } catch (const StoreError& e) {
      w.CurrentDialogs().MessageBox(Session::Refusal(w.session().FileName(), e.what()), {}, MessageIcon::Critical);
    }
  });
  w.AddOnClose([] {
    LSquareWindow::Instance().close();
    FisherWindow::Instance().close();
  });
}

}  // namespace rmx::ui
