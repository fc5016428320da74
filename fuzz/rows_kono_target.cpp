// The table typed or pasted into the Kono calculator: read and computed, unweighted
// and weighted. Every answer is text in the boxes or a message; an exception that
// escapes, a value the number formatter refuses and every sanitizer report is a finding.
#include <cstdint>
#include <string_view>

#include "toolbox/kono.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const bool weighted : {false, true}) (void)rmx::toolbox::ComputeKono(text, weighted);
  return 0;
}
