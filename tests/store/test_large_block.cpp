// The memory of large buffers: every byte asked for is usable, large blocks lie on
// huge-page boundaries, and memory used before never shows through a file image.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/large_block.h"
#include "store/sample_file.h"

using namespace rmx;

namespace {

constexpr size_t MiB = size_t{1} << 20;

}  // namespace

// Below the threshold, at it, a full sample file, one huge page and one byte more.
TEST(LargeBlock, EveryByteOfEverySizeIsUsable) {
  for (size_t bytes : {size_t{1}, LargeBlockThreshold - 1, LargeBlockThreshold, MiB + 12345, 2 * MiB, 2 * MiB + 1}) {
    auto* p = static_cast<uint8_t*>(TakeBlock(bytes));
    ASSERT_NE(p, nullptr) << bytes;
    EXPECT_TRUE(bytes < LargeBlockThreshold || reinterpret_cast<uintptr_t>(p) % (2 * MiB) == 0) << bytes;
    for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(i * 7);
    size_t wrong = 0;
    for (size_t i = 0; i < bytes; ++i) wrong += p[i] != static_cast<uint8_t>(i * 7);
    EXPECT_EQ(wrong, 0u) << bytes;
    GiveBlock(p, bytes);
  }
}

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
