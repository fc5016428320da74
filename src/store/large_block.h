// Memory for the few large buffers of a command: the image of a sample file, the
// bytes of a laboratory file and the slots converted from it.
//
// Fresh memory costs one page fault per 4 KiB page when first touched, and on some
// machines (virtual ones above all) a fault costs more than reading the page's bytes.
// A block of 64 KiB or more is therefore mapped on its own, in whole 2 MiB units
// aligned to 2 MiB and offered to the kernel for huge pages, so that a sample file of
// a megabyte or two takes one fault instead of hundreds; where the kernel gives no
// huge pages, it is an ordinary mapping. A few released blocks are kept for the next
// ones, so that a command that reads its file again and again (a plan of fits) does
// not fault the same memory in each time. Smaller blocks come from the heap.
//
// BlockAllocator also leaves new elements uninitialised when the container does not
// give a value (std::vector<uint8_t>::resize(n)): a buffer about to be filled by a
// read is not zero-filled first.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

namespace rmx {

// Blocks of at least this many bytes are mapped on their own.
inline constexpr size_t LargeBlockThreshold = size_t{64} << 10;

// `bytes` (> 0) of memory aligned for any type; throws std::bad_alloc.
void* TakeBlock(size_t bytes);
// Gives back a block of TakeBlock(bytes), the same `bytes`.
void GiveBlock(void* block, size_t bytes) noexcept;

template <class T>
struct BlockAllocator {
  using value_type = T;

  BlockAllocator() = default;
  template <class U>
  BlockAllocator(const BlockAllocator<U>&) noexcept {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(TakeBlock(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) noexcept { GiveBlock(p, n * sizeof(T)); }

  // Default-initialisation where no value is given; otherwise as usual.
  template <class U>
  void construct(U* p) noexcept(noexcept(::new (static_cast<void*>(p)) U)) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <class U>
  friend bool operator==(const BlockAllocator&, const BlockAllocator<U>&) noexcept {
    return true;
  }
};

}  // namespace rmx
