// The stored results of the benchmarks' full file.
#pragma once

#include <string>
#include <vector>

#include "store/sample_file.h"

namespace rmx::bench {

// Stores a least-squares result for every sample of the file: normal and reversed
// directions, full- and half-weight labels.
inline void WriteStoredResults(const std::string& path) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader section;
  const std::vector<SampleEntry> table = LoadSampleTable(f, section);
  const char* const labels[] = {"N", "NP", "R", "RP", "NPP"};
  for (size_t i = 0; i < table.size(); ++i) {
    LSquareResult r;
    const bool reversed = i % 5 == 2 || i % 5 == 3;
    r.GDec = r.TDec = static_cast<float>((reversed ? 185 : 5) + static_cast<int>(i % 20));
    r.GInc = r.TInc = static_cast<float>(reversed ? -50 : 50) + static_cast<float>(i % 7);
    r.Intensity = 1e-3f + 1e-6f * static_cast<float>(i);
    r.Label = FixedText(labels[i % 5], CodeWidth);
    r.Active = 1;
    r.Points = 5;
    const int32_t slot = section.LastRecord + static_cast<int32_t>(i);
    f.Write(slot, r);
    SampleHeader h = f.ReadSampleHeader(table[i].Slot);
    h.LSquareRecord = slot;
    f.Write(table[i].Slot, h);
  }
}

}  // namespace rmx::bench
