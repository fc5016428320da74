// An anonymous in-memory file that a target opens by its /proc path like any file on
// disk, so that a run writes no disk and leaves nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace rmx::fuzz {

class MemoryFile {
 public:
  explicit MemoryFile(const char* name);
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // The path that opens this file.
  const std::string& Path() const { return path_; }
  // Replaces the whole content.
  void Put(const uint8_t* data, size_t size);

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace rmx::fuzz
