// The memory of large buffers: memory used before never shows through a file image.
// (Every read of a full sample file uses them; their speed is the benchmarks'.)
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/large_block.h"
#include "store/sample_file.h"

using namespace rmx;

namespace {

constexpr size_t MiB = size_t{1} << 20;

}  // namespace

// An image grown by a write past its end reads zeros in the gap, even on memory
// that held another file's bytes before.
TEST(LargeBlock, ImageGrownByAWriteReadsZerosInTheGap) {
  {
    std::vector<uint8_t, BlockAllocator<uint8_t>> dirty(3 * MiB / 2, 0xAB);
  }  // released with its bytes still in it
  FileImage::Bytes bytes(MiB);
  for (auto& b : bytes) b = 0x11;
  FileImage image(std::move(bytes));
  Slot s{};
  s.fill(0x22);
  const int64_t last = static_cast<int64_t>(MiB / SlotSize);
  image.Put(last + 100, s);
  EXPECT_EQ(image.SlotCount(), last + 100);
  EXPECT_EQ(image.ReadSlot(last)[0], 0x11);
  for (int64_t n = last + 1; n < last + 100; ++n) ASSERT_EQ(image.ReadSlot(n), Slot{}) << n;
  EXPECT_EQ(image.ReadSlot(last + 100), s);
}
