#include "stats/ui/fisher_commands.h"

#include <QAction>

#include "session/ui/main_window.h"
#include "stats/site_analysis.h"
#include "stats/ui/report_windows.h"

namespace rmx::ui {

namespace {

// Collects the report as the analysis produces it and hands it to txtFisher in
// pieces: where the window is shown, and at the end of the command (so a Cancel
// keeps everything appended before it).
class FisherWindowOutput : public FisherOutput {
 public:
  void Append(const std::string& text) override { pending_ += text; }
  void Show() override {
    Flush();
    FisherWindow& win = FisherWindow::Instance();
    win.show();
    win.raise();
  }
  void Flush() {
    if (pending_.empty()) return;
    FisherWindow::Instance().AppendText(pending_);
    pending_.clear();
  }

 private:
  std::string pending_;
};

struct FisherCommand {
  const char* action;
  SiteData data;
};

const FisherCommand Commands[] = {
    {"mnuAllFisherNRM", SiteData::Nrm},
    {"mnuAllFisherLSquare", SiteData::LSquare},
    {"mnuAllFisherAF", SiteData::AlternatingField},
    {"mnuAllFisherAT", SiteData::ArbitraryTemperature},
};

}  // namespace

void InstallFisherCommands(MainWindow& w) {
  for (const FisherCommand& c : Commands) {
    QObject::connect(w.Action(c.action), &QAction::triggered, &w, [&w, data = c.data] {
      if (!w.session().IsOpen()) return;
      FisherWindowOutput out;
      // The analysis reads every sample with its own buffers: the selected sample
      // and its listing stay as they are.
      FisherAnalysis(data, w.session(), w.CurrentDialogs(), out);
      out.Flush();
    });
  }
}

}  // namespace rmx::ui
