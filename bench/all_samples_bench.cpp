// The nets of all samples of a full file (500 samples of 49 steps): reading and
// selecting the directions, drawing them into the net panel, the whole menu command,
// and the printed page written as a PDF.
#include <benchmark/benchmark.h>

#include "bench_app.h"

#include <QAction>
#include <QApplication>
#include <QPrinter>

#include "app/ui/composition.h"
#include "plot/all_samples.h"
#include "plot/ui/plot_print.h"
#include "plot/ui/plot_window.h"
#include "session/ui/main_window.h"
#include "support/magbuilder.h"

namespace {

using namespace rmx;

// A full file on disk, opened once.
struct FullFile {
  test::TempDir dir;
  std::string path = dir.File("full.mag");
  Session session;
  FullFile() {
    test::WriteMag(path, test::FullSection(500, 49));
    session.GetOpenFileName(path);
    session.Load();
  }
};

FullFile& Full() {
  static FullFile f;
  return f;
}

constexpr plot::AllSamplesData DataSets[] = {plot::AllSamplesData::Nrm, plot::AllSamplesData::ArbitraryTemperature};

// Reading the records fresh from the file and selecting one direction per sample
// (the NRM step among the first six, or the 1200-degree step among all 49).
void BM_AllSamplesSelect(benchmark::State& state) {
  const plot::AllSamplesData data = DataSets[state.range(0)];
  size_t points = 0;
  for (auto _ : state) {
    const auto sel = plot::SelectPoints(plot::ReadAllSamples(Full().session, data), data, 1200,
                                        plot::Coordinates::TiltCorrected);
    points = sel.Declinations.size();
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_AllSamplesSelect)->DenseRange(0, 1)->ArgName("temperature")->Unit(benchmark::kMillisecond);

plot::PointSelection FullSelection() {
  return plot::SelectPoints(plot::ReadAllSamples(Full().session, plot::AllSamplesData::Nrm),
                            plot::AllSamplesData::Nrm, 0, plot::Coordinates::TiltCorrected);
}

// Clearing the net panel of the default plot window (505 x 427 pixels) and drawing
// the net and 500 directions.
void BM_AllSamplesPanel(benchmark::State& state) {
  bench::BenchApp();
  QWidget host;
  ui::PlotPanel panel("picBench", "Bench", &host);
  panel.resize(505, 427);
  const plot::PointSelection points = FullSelection();
  plot::PlotState plotState;
  const plot::NetKind net = state.range(0) ? plot::NetKind::EqualArea : plot::NetKind::Stereographic;
  for (auto _ : state) {
    panel.Clear();
    panel.Draw([&](plot::Surface& s) {
      plot::DrawAllSamplesPlot(s, plot::ScreenLayout(), plotState, net, points, nullptr);
    });
  }
  benchmark::DoNotOptimize(panel.Picture().constBits());
}
BENCHMARK(BM_AllSamplesPanel)->DenseRange(0, 1)->ArgName("equal_area")->Unit(benchmark::kMillisecond);

// The whole menu command All > Stereo Plot All > NRM Data: the file read, the
// directions selected, the panel cleared and drawn.
void BM_AllSamplesCommand(benchmark::State& state) {
  bench::BenchApp();
  const auto owner = app::NewMainWindow();
  ui::MainWindow& w = *owner;
  ScriptedDialogs dialogs;
  w.SetDialogs(&dialogs);
  w.GetOpenFileName(QString::fromStdString(Full().path));
  QAction* nrm = w.Action("mnuAllSPlotNRM");
  nrm->trigger();
  QApplication::processEvents();
  for (auto _ : state) nrm->trigger();
}
BENCHMARK(BM_AllSamplesCommand)->Unit(benchmark::kMillisecond);

// One printed page (net, headings and 500 directions) written as a PDF.
void BM_AllSamplesPrintedPage(benchmark::State& state) {
  bench::BenchApp();
  const plot::PointSelection points = FullSelection();
  const plot::PageHeading heading{Full().path, "Equal-Area Projection of All Samples - NRM, Tilt-Corrected"};
  const std::string pdf = Full().dir.File("page.pdf");
  plot::PlotState plotState;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    const bool ok = ui::PrintCopies(printer, 1, [&](plot::Surface& s) {
      plot::DrawAllSamplesPlot(s, plot::PaperLayout(), plotState, plot::NetKind::EqualArea, points, &heading);
    });
    if (!ok) state.SkipWithError("the page was not printed");
  }
}
BENCHMARK(BM_AllSamplesPrintedPage)->Unit(benchmark::kMillisecond);

// The printed page recorded only: the cost of the plot code without a device.
void BM_AllSamplesPageRecorded(benchmark::State& state) {
  const plot::PointSelection points = FullSelection();
  const plot::PageHeading heading{Full().path, "Equal-Area Projection of All Samples - NRM, Tilt-Corrected"};
  plot::PlotState plotState;
  for (auto _ : state) {
    plot::RecordingSurface s(plot::A4Width, plot::A4Height);
    plot::DrawAllSamplesPlot(s, plot::PaperLayout(), plotState, plot::NetKind::EqualArea, points, &heading);
    benchmark::DoNotOptimize(s.Primitives().data());
  }
}
BENCHMARK(BM_AllSamplesPageRecorded)->Unit(benchmark::kMicrosecond);

}  // namespace
