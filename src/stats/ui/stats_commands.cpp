#include "stats/ui/stats_commands.h"

#include <QAction>

#include "session/ui/main_window.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "stats/site_command.h"
#include "stats/ui/report_windows.h"

namespace rmx::ui {

namespace {

// Collects the report as the analysis produces it and hands it to txtFisher in
// pieces: where the window is shown, and at the end of the command (so a Cancel
// keeps everything appended before it).
class FisherWindowOutput : public FisherOutput {
 public:
  explicit FisherWindowOutput(StatsCommands& commands) : commands_(commands) {}
  void Append(const std::string& text) override { pending_ += text; }
  void Show() override {
    Flush();
    FisherWindow& win = commands_.FisherReport();
    win.show();
    win.raise();
  }
  void Flush() {
    if (pending_.empty()) return;
    commands_.FisherReport().AppendText(pending_);
    pending_.clear();
  }

 private:
  StatsCommands& commands_;
  std::string pending_;
};

struct FisherItem {
  const char* action;
  SiteData data;
};

const FisherItem FisherItems[] = {
    {"mnuAllFisherNRM", SiteData::Nrm},
    {"mnuAllFisherLSquare", SiteData::LSquare},
    {"mnuAllFisherAF", SiteData::AlternatingField},
    {"mnuAllFisherAT", SiteData::ArbitraryTemperature},
};

}  // namespace

StatsCommands::StatsCommands(MainWindow& w) : QObject(&w), w_(w) {
  setObjectName("statsCommands");
  connect(&w, &MainWindow::lsquareRequested, this, &StatsCommands::LSquareAnalysis);
  connect(w.Action("mnuLSAllResults"), &QAction::triggered, this, &StatsCommands::DisplayAllResults);
  for (const FisherItem& item : FisherItems)
    connect(w.Action(item.action), &QAction::triggered, this, [this, data = item.data] { FisherAnalysis(data); });
  connect(&w, &MainWindow::fileClosed, this, &StatsCommands::CloseWindows);
}

LSquareWindow& StatsCommands::LSquareResults() {
  if (!results_) results_ = new LSquareWindow(&w_);
  return *results_;
}

FisherWindow& StatsCommands::FisherReport() {
  if (!report_) report_ = new FisherWindow(&w_);
  return *report_;
}

void StatsCommands::LSquareAnalysis(int position) {
  if (rmx::LSquareAnalysis(w_.session(), w_.CurrentDialogs(), position).Is(Outcome::Kind::Done)) w_.RelistCurrent();
}

void StatsCommands::DisplayAllResults() {
  if (!w_.session().IsOpen()) return;
  try {
    // The listing walks the file with its own buffers: the selected sample stays.
    LSquareWindow& win = LSquareResults();
    win.SetText(AllResultsText(w_.session()));
    win.show();
    win.raise();
  } catch (const StoreError& e) {
    w_.CurrentDialogs().MessageBox(Session::Refusal(w_.session().FileName(), e.what()), {}, MessageIcon::Critical);
  }
}

void StatsCommands::FisherAnalysis(SiteData data) {
  if (!w_.session().IsOpen()) return;
  FisherWindowOutput out(*this);
  // The analysis reads every sample with its own buffers: the selected sample and
  // its listing stay as they are.
  rmx::FisherAnalysis(data, w_.session(), w_.CurrentDialogs(), out);
  out.Flush();
}

void StatsCommands::CloseWindows() {
  if (results_) results_->close();
  if (report_) report_->close();
}

void InstallStatsCommands(MainWindow& w) { new StatsCommands(w); }

}  // namespace rmx::ui
