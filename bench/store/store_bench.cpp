// Opening and listing sample files of the largest size the format allows.
#include <benchmark/benchmark.h>

#include "session/session.h"
#include "support/magbuilder.h"

namespace {

using namespace rmx;

struct FullFile {
  test::TempDir dir;
  std::string path = dir.File("full.mag");
  FullFile() { test::WriteMag(path, test::FullSection(500, 49)); }
};

FullFile& Full() {
  static FullFile f;
  return f;
}

// The loading routine on a file of 500 samples with 49 steps each, plus the sample list.
void BM_OpenFullFile(benchmark::State& state) {
  Session s;
  s.GetOpenFileName(Full().path);
  for (auto _ : state) {
    s.Load();
    benchmark::DoNotOptimize(s.SampleLines());
  }
}
BENCHMARK(BM_OpenFullFile)->Unit(benchmark::kMillisecond);

// Clicking one sample of the full file: header, 50 steps and the listing lines.
void BM_ListOneSample(benchmark::State& state) {
  Session s;
  s.GetOpenFileName(Full().path);
  s.Load();
  for (auto _ : state) benchmark::DoNotOptimize(s.ListSample(250));
}
BENCHMARK(BM_ListOneSample)->Unit(benchmark::kMicrosecond);

// Listing every sample of the full file in turn.
void BM_ListEverySample(benchmark::State& state) {
  Session s;
  s.GetOpenFileName(Full().path);
  s.Load();
  for (auto _ : state)
    for (int p = 1; p <= s.SampleCount(); ++p) benchmark::DoNotOptimize(s.ListSample(p));
}
BENCHMARK(BM_ListEverySample)->Unit(benchmark::kMillisecond);

}  // namespace
