#include "store/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REMANEX_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define REMANEX_ASAN 1
#endif
#ifdef REMANEX_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace rmx {

namespace {

constexpr size_t HugePage = size_t{2} << 20;
// Released blocks kept for reuse: at most this many, of at most this size each.
constexpr int KeptBlocks = 4;
constexpr size_t KeptBlockLimit = size_t{32} << 20;

// The bytes a mapped block of `bytes` occupies: whole huge pages.
size_t MappedLength(size_t bytes) { return (bytes + HugePage - 1) / HugePage * HugePage; }

// Only the `bytes` asked for are usable: with AddressSanitizer the rest of the
// mapping, and a kept block as a whole, report any access.
void Poison([[maybe_unused]] void* p, [[maybe_unused]] size_t n) {
#ifdef REMANEX_ASAN
  ASAN_POISON_MEMORY_REGION(p, n);
#endif
}
void Unpoison([[maybe_unused]] void* p, [[maybe_unused]] size_t n) {
#ifdef REMANEX_ASAN
  ASAN_UNPOISON_MEMORY_REGION(p, n);
#endif
}

struct Kept {
  void* block = nullptr;
  size_t length = 0;
};

std::mutex keptMutex;
Kept kept[KeptBlocks];

void* Map(size_t length) {
  // Mapped one huge page longer, then cut to the huge-page boundary inside it.
  const size_t span = length + HugePage;
  void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + HugePage - 1) & ~static_cast<uintptr_t>(HugePage - 1);
  if (aligned > start) ::munmap(raw, aligned - start);
  const uintptr_t end = aligned + length;
  if (start + span > end) ::munmap(reinterpret_cast<void*>(end), start + span - end);
  void* block = reinterpret_cast<void*>(aligned);
  // Where the kernel has no huge pages for us this fails, and the block stays ordinary.
  ::madvise(block, length, MADV_HUGEPAGE);
  return block;
}

}  // namespace

void* TakeBlock(size_t bytes) {
  if (bytes < LargeBlockThreshold) return ::operator new(bytes);
  const size_t length = MappedLength(bytes);
  if (length < bytes) throw std::bad_alloc();
  void* block = nullptr;
  {
    const std::lock_guard lock(keptMutex);
    for (Kept& k : kept)
      if (k.block && k.length == length) {
        block = k.block;
        k = {};
        break;
      }
  }
  if (!block) block = Map(length);
  if (!block) throw std::bad_alloc();
  Unpoison(block, bytes);
  Poison(static_cast<char*>(block) + bytes, length - bytes);
  return block;
}

void GiveBlock(void* block, size_t bytes) noexcept {
  if (!block) return;
  if (bytes < LargeBlockThreshold) {
    ::operator delete(block);
    return;
  }
  const size_t length = MappedLength(bytes);
  Poison(block, length);
  if (length <= KeptBlockLimit) {
    const std::lock_guard lock(keptMutex);
    for (Kept& k : kept)
      if (!k.block) {
        k = {block, length};
        return;
      }
  }
  Unpoison(block, length);
  ::munmap(block, length);
}

}  // namespace rmx
