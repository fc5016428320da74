// Converting a full laboratory file (500 samples of 49 measured steps) in each of the
// five layouts: reading alone, and the whole command with the sample file written.
#include <benchmark/benchmark.h>

#include <map>

#include "convert/convert.h"
#include "convert/lab_writer.h"

namespace {

using namespace rmx;
using namespace rmx::test;

struct FullInputs {
  TempDir dir;
  std::map<Layout, std::string> text;
  std::map<Layout, std::string> path;
  FullInputs() {
    const LabSection sec = FullLabSection(500, 49);
    for (Layout layout : AllLayouts) {
      text[layout] = WriteLab(sec, layout);
      path[layout] = dir.File(std::string("FULL.") + LayoutExtension(layout));
      WriteBytes(path[layout], text[layout]);
    }
  }
};

FullInputs& Inputs() {
  static FullInputs inputs;
  return inputs;
}

void BM_ReadLaboratoryFile(benchmark::State& state) {
  const auto layout = static_cast<Layout>(state.range(0));
  const std::string& text = Inputs().text[layout];
  for (auto _ : state) {
    Converted c = ReadLaboratoryFile(text, layout);
    benchmark::DoNotOptimize(c.records.data());
  }
  state.SetLabel(LayoutExtension(layout));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadLaboratoryFile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_ConvertFile(benchmark::State& state) {
  const auto layout = static_cast<Layout>(state.range(0));
  const std::string& input = Inputs().path[layout];
  for (auto _ : state) {
    const ConvertResult r = ConvertTo(input, "FULL.mag", true);
    if (!r.ok) {
      state.SkipWithError(r.errorText.c_str());
      break;
    }
  }
  state.SetLabel(LayoutExtension(layout));
}
BENCHMARK(BM_ConvertFile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
