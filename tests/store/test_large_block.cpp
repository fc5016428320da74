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

TEST(LargeBlock, EveryByteOfEverySizeIsUsable) {
  const struct {
    size_t bytes;
    bool mapped;
  } cases[] = {
      {1, false},
      {LargeBlockThreshold - 1, false},
      {LargeBlockThreshold, true},
      {MiB + 12345, true},  // a full sample file
      {2 * MiB, true},      // exactly one huge page
      {2 * MiB + 1, true},  // one byte into the next
      {5 * MiB + 7, true},
  };
  for (const auto& c : cases) {
    auto* p = static_cast<uint8_t*>(TakeBlock(c.bytes));
    ASSERT_NE(p, nullptr) << c.bytes;
    if (c.mapped) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % (2 * MiB), 0u) << c.bytes;
    }
    for (size_t i = 0; i < c.bytes; ++i) p[i] = static_cast<uint8_t>(i * 7);
    size_t wrong = 0;
    for (size_t i = 0; i < c.bytes; ++i) wrong += p[i] != static_cast<uint8_t>(i * 7);
    EXPECT_EQ(wrong, 0u) << c.bytes;
    GiveBlock(p, c.bytes);
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
