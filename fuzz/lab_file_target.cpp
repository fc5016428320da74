// A laboratory file of one layout (REMANEX_FUZZ_LAYOUT, built once per layout) read
// as the converter reads it. A refusal is a ConvertError; anything else that escapes,
// and every sanitizer report, is a finding. A file the reader accepts must become a
// sample file that loads and lists: a conversion that succeeds but leaves a file
// Remanex refuses is a finding too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "convert/lab_file.h"
#include "memory_file.h"
#include "session/session.h"

namespace {

using namespace rmx;

void CheckLoads(const Converted& converted) {
  static fuzz::MemoryFile output("remanex-fuzz-converted.mag");
  std::string bytes;
  for (const Slot& slot : converted.records) bytes.append(slot.begin(), slot.end());
  output.Put(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  Session session;
  session.GetOpenFileName(output.Path());
  try {
    // One image for every listing: each ListSample(p) alone reads the whole file again.
    const Snapshot snapshot = session.Load();
    for (int p = 1; p <= session.SampleCount(); ++p) (void)session.ListSample(p, snapshot);
  } catch (const StoreError& e) {
    std::fprintf(stderr, "The converted file is refused: %s\n", e.what());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Converted converted;
  try {
    converted = ReadLaboratoryFile(bytes, Layout::REMANEX_FUZZ_LAYOUT);
  } catch (const ConvertError&) {
    return 0;
  }
  CheckLoads(converted);
  return 0;
}
