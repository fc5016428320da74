#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace rmx::fuzz {

namespace {
[[noreturn]] void Fail(const char* what) {
  std::perror(what);
  std::abort();
}
}  // namespace

MemoryFile::MemoryFile(const char* name) : fd_(memfd_create(name, 0)) {
  if (fd_ < 0) Fail("memfd_create");
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

void MemoryFile::Put(const uint8_t* data, size_t size) {
  if (::ftruncate(fd_, 0) != 0) Fail("ftruncate");
  size_t done = 0;
  while (done < size) {
    const ssize_t put = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
    if (put <= 0) Fail("pwrite");
    done += static_cast<size_t>(put);
  }
}

}  // namespace rmx::fuzz
