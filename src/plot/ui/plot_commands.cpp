#include "plot/ui/plot_commands.h"

#include <QAction>

#include "session/ui/main_window.h"
#include "store/text.h"
#include "session/ui/qt_dialogs.h"
#include "plot/projection_plane.h"
#include "plot/ui/plot_print.h"
#include "plot/ui/plot_window.h"

namespace rmx::ui {

using plot::Coordinates;
using plot::PlotKind;

namespace {

const char* const ItemNames[PlotController::ItemCount] = {"mnuZijGeographic",   "mnuZijTilt",   "mnuZijModified",
                                                          "mnuSPlotGeographic", "mnuSPlotTilt", "mnuEQPlotGeographic",
                                                          "mnuEQPlotTilt"};

constexpr PlotController::Item NetItems[] = {PlotController::SPlotGeographic, PlotController::SPlotTilt,
                                             PlotController::EQPlotGeographic, PlotController::EQPlotTilt};

PlotKind NetKindOf(PlotController::Item item) {
  return item == PlotController::SPlotGeographic || item == PlotController::SPlotTilt ? PlotKind::Stereographic
                                                                                      : PlotKind::EqualArea;
}

Coordinates CoordinatesOf(PlotController::Item item) {
  return item == PlotController::SPlotGeographic || item == PlotController::EQPlotGeographic ||
                 item == PlotController::ZijGeographic
             ? Coordinates::Geographic
             : Coordinates::TiltCorrected;
}

}  // namespace

PlotController::PlotController(MainWindow& w) : QObject(&w), w_(w) {
  setObjectName("plotController");
  for (int i = 0; i < ItemCount; ++i) {
    actions_[i] = w.Action(ItemNames[i]);
    Q_ASSERT(actions_[i]);
  }
  connect(actions_[ZijGeographic], &QAction::triggered, this, [this] { ZijCommand(ZijGeographic); });
  connect(actions_[ZijTilt], &QAction::triggered, this, [this] { ZijCommand(ZijTilt); });
  connect(actions_[ZijModified], &QAction::triggered, this, [this] { ZijModifiedCommand(); });
  for (Item item : NetItems)
    connect(actions_[item], &QAction::triggered, this, [this, item] { NetCommand(item); });
  connect(w.Action("mnuZijProjectionPlane"), &QAction::triggered, this, [this] { ProjectionPlaneCommand(); });
  connect(w.Action("mnuFilePrintZPlot"), &QAction::triggered, this, [this] { PrintZPlot(); });
  connect(w.Action("mnuFilePrintSPlot"), &QAction::triggered, this,
          [this] { PrintNet(plot::NetKind::Stereographic); });
  connect(w.Action("mnuFilePrintEQPlot"), &QAction::triggered, this, [this] { PrintNet(plot::NetKind::EqualArea); });
  const std::pair<const char*, plot::AllSamplesData> allItems[] = {
      {"mnuAllSPlotNRM", plot::AllSamplesData::Nrm},
      {"mnuAllSPlotLSquare", plot::AllSamplesData::LSquare},
      {"mnuAllSPlotAF", plot::AllSamplesData::AlternatingField},
      {"mnuAllSPlotAT", plot::AllSamplesData::ArbitraryTemperature}};
  for (const auto& [name, data] : allItems)
    connect(w.Action(name), &QAction::triggered, this, [this, data] { AllSamplesCommand(data); });
  connect(w.Action("mnuFilePrintAllSPlot"), &QAction::triggered, this,
          [this] { PrintAllSamples(plot::NetKind::Stereographic); });
  connect(w.Action("mnuFilePrintAllEQPlot"), &QAction::triggered, this,
          [this] { PrintAllSamples(plot::NetKind::EqualArea); });
  connect(&w, &MainWindow::sampleSelected, this, &PlotController::SampleSelected);
  connect(&w, &MainWindow::fileClosed, this, &PlotController::FileClosed);
  Sync();
}

PlotWindow& PlotController::Window() {
  if (!window_) {
    window_ = new PlotWindow(&w_);
    connect(window_, &PlotWindow::laidOut, this, &PlotController::Relayout);
    const Session& s = w_.session();
    if (s.CurrentPosition() >= 1) window_->setWindowTitle("Sample: " + ToQt(s.CurrentHeader().SampleName));
  }
  return *window_;
}

int PlotController::SelectedSample() const {
  const Session& s = w_.session();
  if (!s.IsOpen()) return 0;
  const int p = s.CurrentPosition();
  if (p < 1 || p > s.SampleCount()) return 0;
  // The heading line of the sample list selected: nothing to act on.
  if (w_.HeadingSelected()) return 0;
  return p;
}

void PlotController::Sync() {
  for (int i = 0; i < ItemCount; ++i)
    if (actions_[i]->isChecked() != checks_[i]) actions_[i]->setChecked(checks_[i]);
}

void PlotController::ShowWindow() {
  PlotWindow& win = Window();
  // Showing the window for the first time lays it out; the command draws next.
  const bool wasDrawing = drawing_;
  drawing_ = true;
  if (!win.isVisible()) {
    win.show();
    win.raise();
  }
  drawing_ = wasDrawing;
}

Coordinates PlotController::ZCoordinates() const {
  return checks_[ZijGeographic] ? Coordinates::Geographic : Coordinates::TiltCorrected;
}

void PlotController::DrawPanel(PlotPanel* panel, QLabel* label, PlotKind kind, Coordinates coords) {
  label->setText(ToQt(plot::PanelTitle(kind, coords)));
  const Session& s = w_.session();
  panel->Draw([&](plot::Surface& surface) {
    plot::DrawSamplePlot(surface, plot::ScreenLayout(), state_, kind, coords, s.CurrentHeader(), s.Steps());
  });
}

void PlotController::DrawZPanel() {
  PlotWindow& win = Window();
  DrawPanel(win.ZPanel(), win.ZLabel(), checks_[ZijModified] ? PlotKind::ModifiedZijderveld : PlotKind::Zijderveld,
            ZCoordinates());
}

void PlotController::DrawNetPanel(Item item) {
  PlotWindow& win = Window();
  DrawPanel(win.SPanel(), win.SLabel(), NetKindOf(item), CoordinatesOf(item));
}

void PlotController::Print(PlotKind kind, Coordinates coords, int copies) {
  const Session& s = w_.session();
  PrintCopies(w_.Printer(), copies, [&](plot::Surface& surface) {
    plot::DrawSamplePlot(surface, plot::PaperLayout(), state_, kind, coords, s.CurrentHeader(), s.Steps());
  });
}

void PlotController::ZijCommand(Item item) {
  if (!SelectedSample()) {
    Sync();
    return;
  }
  PlotWindow& win = Window();
  win.ZPanel()->Clear();
  checks_[item] = !checks_[item];
  if (!checks_[item]) {
    win.ZLabel()->clear();
  } else {
    checks_[item == ZijGeographic ? ZijTilt : ZijGeographic] = false;
    ShowWindow();
    DrawZPanel();
  }
  Sync();
}

void PlotController::ZijModifiedCommand() {
  checks_[ZijModified] = !checks_[ZijModified];
  Sync();
  // The diagram that is on is drawn again in the new layout; without a selected
  // sample the new layout applies from the next selection.
  if ((checks_[ZijGeographic] || checks_[ZijTilt]) && SelectedSample()) {
    Window().ZPanel()->Clear();
    ShowWindow();
    DrawZPanel();
  }
}

void PlotController::ProjectionPlaneCommand() {
  const int p = SelectedSample();
  if (!p) return;
  if (plot::SetProjectionPlane(w_.session(), p, w_.CurrentDialogs()).Is(Outcome::Kind::Done)) SampleSelected(p);
}

void PlotController::NetCommand(Item item) {
  if (!SelectedSample()) {
    Sync();
    return;
  }
  PlotWindow& win = Window();
  win.SPanel()->Clear();
  allSamplesShown_ = false;
  checks_[item] = !checks_[item];
  if (!checks_[item]) {
    win.SLabel()->clear();
  } else {
    for (Item other : NetItems)
      if (other != item) checks_[other] = false;
    ShowWindow();
    DrawNetPanel(item);
  }
  Sync();
}

void PlotController::PrintZPlot() {
  if (!SelectedSample()) return;
  const int copies = w_.CurrentDialogs().ChoosePrinter();
  if (copies < 1) return;
  if (!checks_[ZijGeographic] && !checks_[ZijTilt]) ZijCommand(ZijTilt);
  Print(checks_[ZijModified] ? PlotKind::ModifiedZijderveld : PlotKind::Zijderveld, ZCoordinates(), copies);
}

void PlotController::PrintNet(plot::NetKind net) {
  if (!SelectedSample()) return;
  const int copies = w_.CurrentDialogs().ChoosePrinter();
  if (copies < 1) return;
  const bool stereo = net == plot::NetKind::Stereographic;
  const Item geographic = stereo ? SPlotGeographic : EQPlotGeographic;
  const Item tilt = stereo ? SPlotTilt : EQPlotTilt;
  if (!checks_[geographic] && !checks_[tilt]) NetCommand(tilt);
  Print(stereo ? PlotKind::Stereographic : PlotKind::EqualArea, CoordinatesOf(checks_[geographic] ? geographic : tilt),
        copies);
}

void PlotController::AllSamplesCommand(plot::AllSamplesData data) {
  const Session& s = w_.session();
  if (!s.IsOpen()) return;
  Dialogs& dialogs = w_.CurrentDialogs();
  float level = 0;
  if (plot::NeedsLevel(data)) {
    const auto answer = plot::AskAllSamplesLevel(dialogs, data);
    if (!answer) return;  // Cancel: nothing changes
    level = *answer;
  }
  const plot::NetChoice choice = plot::ChooseAllSamplesNet(checks_[SPlotTilt], checks_[SPlotGeographic],
                                                           checks_[EQPlotTilt], checks_[EQPlotGeographic]);
  // The directions are read before anything changes, so that a damaged file leaves
  // the window as it was.
  plot::PointSelection points;
  try {
    points = plot::SelectPoints(plot::ReadAllSamples(s, data), data, level, choice.Coords);
  } catch (const StoreError& e) {
    dialogs.MessageBox(Session::Refusal(s.FileName(), e.what()), {}, MessageIcon::Critical);
    return;
  }
  PlotWindow& win = Window();
  win.setWindowTitle(ToQt(plot::AllSamplesCaption(data, level)));
  win.SPanel()->Clear();
  ShowWindow();
  if (choice.FreshTitle) win.SLabel()->setText(ToQt(plot::NetTitle(choice.Net, choice.Coords)));
  win.SPanel()->Draw([&](plot::Surface& surface) {
    plot::DrawAllSamplesPlot(surface, plot::ScreenLayout(), state_, choice.Net, points, nullptr);
  });
  win.SLabel()->setText(win.SLabel()->text() + " (All)");
  allSamplesShown_ = true;
}

void PlotController::PrintAllSamples(plot::NetKind net) {
  const Session& s = w_.session();
  if (!s.IsOpen()) return;
  Dialogs& dialogs = w_.CurrentDialogs();
  const auto data = plot::AskPrintDataSet(dialogs);
  if (!data) return;
  // One snapshot of the file for every copy, read before the printer is asked for.
  std::vector<plot::SampleRecords> records;
  try {
    records = plot::ReadAllSamples(s, *data);
  } catch (const StoreError& e) {
    dialogs.MessageBox(Session::Refusal(s.FileName(), e.what()), {}, MessageIcon::Critical);
    return;
  }
  const int copies = dialogs.ChoosePrinter();
  if (copies < 1) return;
  const bool stereo = net == plot::NetKind::Stereographic;
  const Coordinates coords = checks_[stereo ? SPlotGeographic : EQPlotGeographic] ? Coordinates::Geographic
                                                                                   : Coordinates::TiltCorrected;
  // Every copy gets its own level, asked once per copy; a copy whose level is
  // cancelled gets no page. The pages are all prepared before the job begins, so
  // that nothing is asked once the job has begun.
  struct Page {
    plot::PointSelection points;
    plot::PageHeading heading;
  };
  std::vector<Page> pages;
  for (int copy = 1; copy <= copies; ++copy) {
    float level = 0;
    if (plot::NeedsLevel(*data)) {
      const auto answer = plot::AskAllSamplesLevel(dialogs, *data);
      if (!answer) continue;
      level = *answer;
    }
    Page page{plot::SelectPoints(records, *data, level, coords),
              {PathToLatin1(s.FileName()), plot::PrintedAllSamplesTitle(*data, net, coords, level)}};
    pages.push_back(std::move(page));
  }
  if (pages.empty()) return;
  size_t next = 0;
  PrintCopies(w_.Printer(), static_cast<int>(pages.size()), [&](plot::Surface& surface) {
    const Page& page = pages.at(next++);
    plot::DrawAllSamplesPlot(surface, plot::PaperLayout(), state_, net, page.points, &page.heading);
  });
}

void PlotController::SampleSelected(int position) {
  const Session& s = w_.session();
  if (position < 1 || position != s.CurrentPosition()) return;
  bool any = false;
  for (int i = 0; i < ItemCount; ++i) any = any || (i != ZijModified && checks_[i]);
  if (!any && !window_) return;
  PlotWindow& win = Window();
  win.setWindowTitle("Sample: " + ToQt(s.CurrentHeader().SampleName));
  win.SPanel()->Clear();
  allSamplesShown_ = false;
  if (!any) {
    win.hide();
    return;
  }
  ShowWindow();
  if (checks_[SPlotTilt])
    DrawNetPanel(SPlotTilt);
  else if (checks_[SPlotGeographic])
    DrawNetPanel(SPlotGeographic);
  if (checks_[EQPlotTilt])
    DrawNetPanel(EQPlotTilt);
  else if (checks_[EQPlotGeographic])
    DrawNetPanel(EQPlotGeographic);
  if (checks_[ZijGeographic] || checks_[ZijTilt]) {
    win.ZPanel()->Clear();
    DrawZPanel();
  }
}

void PlotController::FileClosed() {
  for (int i = 0; i < ItemCount; ++i)
    if (i != ZijModified) checks_[i] = false;
  Sync();
  allSamplesShown_ = false;
  if (window_) {
    window_->ZPanel()->Clear();
    window_->SPanel()->Clear();
    window_->ZLabel()->clear();
    window_->SLabel()->clear();
    window_->setWindowTitle("Stereo Plot");
  }
}

void PlotController::Relayout() {
  if (drawing_ || !window_) return;
  // The plots that are on are drawn again at the new size, the check marks left as
  // they are. Without a listed sample there is nothing to draw: the panels keep
  // their pictures.
  if (w_.session().CurrentPosition() < 1) return;
  if (checks_[ZijGeographic] || checks_[ZijTilt]) {
    window_->ZPanel()->Clear();
    DrawZPanel();
  }
  // An all-sample plot is not redrawn: the panel keeps its picture.
  if (allSamplesShown_) return;
  for (Item item : NetItems) {
    if (checks_[item]) {
      window_->SPanel()->Clear();
      DrawNetPanel(item);
      break;
    }
  }
}

void InstallPlotCommands(MainWindow& w) {
  auto* controller = new PlotController(w);
  const auto closeWindow = [controller] {
    if (controller->ExistingWindow()) controller->ExistingWindow()->close();
  };
  QObject::connect(&w, &MainWindow::fileClosed, controller, closeWindow);
  QObject::connect(&w, &MainWindow::exiting, controller, closeWindow);
}

}  // namespace rmx::ui
