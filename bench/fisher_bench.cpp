// The four site analyses (All > Fisher statistics) on a sample file of the largest
// size the format allows: 500 samples of 49 measured steps.
#include <benchmark/benchmark.h>

#include "full_file/stored_results.h"
#include "session/dialogs.h"
#include "session/session.h"
#include "stats/site_analysis.h"
#include "stats/site_command.h"
#include "store/sample_file.h"
#include "support/magbuilder.h"

namespace {

using namespace rmx;

// The full section with a stored least-squares result for every sample: normal and
// reversed directions, full- and half-weight labels.
struct SiteFile {
  test::TempDir dir;
  std::string path = dir.File("site.mag");
  SiteFile() {
    test::WriteMag(path, test::FullSection(500, 49));
    bench::WriteStoredResults(path);
  }
};

SiteFile& Site() {
  static SiteFile f;
  return f;
}

void Run(benchmark::State& state, SiteData data, const std::vector<std::string>& answers) {
  Session s;
  s.GetOpenFileName(Site().path);
  s.Load();
  size_t bytes = 0;
  for (auto _ : state) {
    ScriptedDialogs d;
    d.answers.assign(answers.begin(), answers.end());
    TextOutput out;
    if (FisherAnalysis(data, s, d, out) != Outcome::Kind::Done) state.SkipWithError("the analysis did not complete");
    bytes = out.text.size();
    benchmark::DoNotOptimize(out.text.data());
  }
  state.counters["report_bytes"] = static_cast<double>(bytes);
}

// NRM: the first six steps of every sample.
void BM_FisherNrm(benchmark::State& state) { Run(state, SiteData::Nrm, {"g", "55", "10"}); }
BENCHMARK(BM_FisherNrm)->Unit(benchmark::kMillisecond);

// Least squares, weighted: every sample's stored result.
void BM_FisherLSquareWeighted(benchmark::State& state) { Run(state, SiteData::LSquare, {"y", "t"}); }
BENCHMARK(BM_FisherLSquareWeighted)->Unit(benchmark::kMillisecond);

// Alternating field and temperature: all 49 measured steps of every sample scanned
// for the level.
void BM_FisherAF(benchmark::State& state) { Run(state, SiteData::AlternatingField, {"100", "g", "55", "10"}); }
BENCHMARK(BM_FisherAF)->Unit(benchmark::kMillisecond);

void BM_FisherAT(benchmark::State& state) { Run(state, SiteData::ArbitraryTemperature, {"2400", "t", "50", "20"}); }
BENCHMARK(BM_FisherAT)->Unit(benchmark::kMillisecond);

}  // namespace
