// Drawing one sample's plots: each plot kind of a 49-step sample into an off-screen
// picture panel, the same drawings recorded without rasterising, the printed page,
// and a full resize redraw of the plot window.
#include <benchmark/benchmark.h>

#include "bench_app.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>

#include "app/ui/composition.h"
#include "session/ui/main_window.h"
#include "plot/layout.h"
#include "plot/sample_plot.h"
#include "plot/ui/plot_commands.h"
#include "plot/ui/plot_window.h"
#include "support/magbuilder.h"

namespace {

using namespace rmx;

// One sample of 49 measured steps and its origin step, as read from a file.
struct Sample {
  SampleHeader header;
  std::vector<StepRecord> steps;
  Sample() {
    const test::SectionPlan section = test::FullSection(1, 49);
    const test::SamplePlan& plan = section.samples.front();
    header.SampleName = FixedText(plan.name, NameWidth);
    header.StepCount = static_cast<int32_t>(plan.steps.size()) + 1;
    steps = plan.steps;
    for (size_t k = 0; k < steps.size(); k += 3) steps[k].LSquare = 1;
    steps.push_back(OriginStep());
  }
};

const Sample& FortyNineSteps() {
  static const Sample s;
  return s;
}

constexpr plot::PlotKind Kinds[] = {plot::PlotKind::Zijderveld, plot::PlotKind::ModifiedZijderveld,
                                    plot::PlotKind::Stereographic, plot::PlotKind::EqualArea};

// Clear and draw one plot kind on a panel of the default plot window (505 x 427
// pixels at 96 dpi), held off screen.
void BM_PanelDraw(benchmark::State& state) {
  bench::BenchApp();
  const plot::PlotKind kind = Kinds[state.range(0)];
  QWidget host;
  ui::PlotPanel panel("picBench", "Bench", &host);
  panel.resize(505, 427);
  const Sample& s = FortyNineSteps();
  plot::PlotState plotState;
  for (auto _ : state) {
    panel.Clear();
    panel.Draw([&](plot::Surface& surface) {
      plot::DrawSamplePlot(surface, plot::ScreenLayout(), plotState, kind, plot::Coordinates::Geographic, s.header,
                           s.steps);
    });
  }
  benchmark::DoNotOptimize(panel.Picture().constBits());
}
BENCHMARK(BM_PanelDraw)->DenseRange(0, 3)->ArgName("kind")->Unit(benchmark::kMicrosecond);

// The same drawings recorded only: the cost of the plot code without rasterising.
void BM_RecordedDraw(benchmark::State& state) {
  const plot::PlotKind kind = Kinds[state.range(0)];
  const bool paper = state.range(1) != 0;
  const Sample& s = FortyNineSteps();
  plot::PlotState plotState;
  size_t primitives = 0;
  for (auto _ : state) {
    plot::RecordingSurface surface(paper ? plot::A4Width : 7575, paper ? plot::A4Height : 6405);
    plot::DrawSamplePlot(surface, paper ? plot::PaperLayout() : plot::ScreenLayout(), plotState, kind,
                         plot::Coordinates::TiltCorrected, s.header, s.steps);
    primitives = surface.Primitives().size();
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_RecordedDraw)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->ArgNames({"kind", "paper"})
    ->Unit(benchmark::kMicrosecond);

// A full resize of the plot window with the Zijderveld diagram and the equal-area
// net on: the layout and both panels cleared and drawn again.
void BM_PlotWindowResize(benchmark::State& state) {
  bench::BenchApp();
  test::TempDir dir;
  const std::string path = dir.File("bench.mag");
  test::WriteMag(path, test::FullSection(2, 49));
  const auto owner = app::NewMainWindow();
  ui::MainWindow& w = *owner;
  ScriptedDialogs dialogs;
  w.SetDialogs(&dialogs);
  w.GetOpenFileName(QString::fromStdString(path));
  auto* list = w.findChild<QListWidget*>("lstRecord");
  emit list->itemClicked(list->item(1));
  w.Action("mnuZijTilt")->trigger();
  w.Action("mnuEQPlotTilt")->trigger();
  auto* window = w.findChild<ui::PlotWindow*>("frmSPlot");
  const QSize sizes[] = {QSize(1024, 768), QSize(1200, 800)};
  int i = 0;
  for (auto _ : state) {
    window->resize(sizes[++i % 2]);
    QApplication::processEvents();
  }
  if (window->width() != sizes[i % 2].width()) state.SkipWithError("the window was not resized");
}
BENCHMARK(BM_PlotWindowResize)->Unit(benchmark::kMillisecond);

}  // namespace
