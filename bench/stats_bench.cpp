// The least-squares fit and the analysis command on sample files of the largest size
// the format allows.
#include <benchmark/benchmark.h>

#include "session/dialogs.h"
#include "session/session.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "stats/lsquare_listing.h"
#include "support/magbuilder.h"

namespace {

using namespace rmx;

// 500 samples of 49 measured steps, every measured step selected for least squares.
struct SelectedFile {
  test::TempDir dir;
  std::string path = dir.File("selected.mag");
  SelectedFile() {
    test::SectionPlan plan = test::FullSection(500, 49);
    for (auto& sample : plan.samples)
      for (auto& step : sample.steps) step.LSquare = 1;
    test::WriteMag(path, plan);
  }
};

SelectedFile& Selected() {
  static SelectedFile f;
  return f;
}

std::vector<StepRecord> FortyNineSteps() {
  std::vector<StepRecord> steps = test::FullSection(1, 49).samples[0].steps;
  steps.push_back(OriginStep());
  return steps;
}

// One principal component fit of 49 selected steps (a free line).
void BM_Fit49Steps(benchmark::State& state) {
  const auto steps = FortyNineSteps();
  std::vector<int> selected;
  for (int k = 1; k <= 49; ++k) selected.push_back(k);
  for (auto _ : state) benchmark::DoNotOptimize(PrincipalComponentFit(0, steps, selected, 0));
}
BENCHMARK(BM_Fit49Steps)->Unit(benchmark::kMicrosecond);

// The same 49 steps tied to the origin.
void BM_Fit49StepsTied(benchmark::State& state) {
  const auto steps = FortyNineSteps();
  std::vector<int> selected;
  for (int k = 1; k <= 50; ++k) selected.push_back(k);
  for (auto _ : state) benchmark::DoNotOptimize(PrincipalComponentFit(0, steps, selected, 1));
}
BENCHMARK(BM_Fit49StepsTied)->Unit(benchmark::kMicrosecond);

// Least Square Analysis on every sample of the full file: read header and steps,
// fit in both coordinate systems, answer the label, write result and link.
void BM_LSquareAnalysisAllSamples(benchmark::State& state) {
  Session s;
  s.GetOpenFileName(Selected().path);
  s.Load();
  ScriptedDialogs d;
  for (auto _ : state) {
    for (int p = 1; p <= s.SampleCount(); ++p) {
      d.answers.assign(1, "N");
      d.questions.clear();
      if (LSquareAnalysis(s, d, p) != Outcome::Kind::Done) state.SkipWithError("not saved");
    }
  }
  state.SetItemsProcessed(state.iterations() * s.SampleCount());
}
BENCHMARK(BM_LSquareAnalysisAllSamples)->Unit(benchmark::kMillisecond);

// Display All Results on the full file with a result for every sample.
void BM_AllResultsListing(benchmark::State& state) {
  Session s;
  s.GetOpenFileName(Selected().path);
  s.Load();
  ScriptedDialogs d;
  for (int p = 1; p <= s.SampleCount(); ++p) {
    d.answers.assign(1, "N");
    LSquareAnalysis(s, d, p);
  }
  for (auto _ : state) benchmark::DoNotOptimize(AllResultsText(s));
}
BENCHMARK(BM_AllResultsListing)->Unit(benchmark::kMillisecond);

}  // namespace
