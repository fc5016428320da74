// A file written whole or not at all: a new file in the target's folder that takes
// the target's name only once it holds all its bytes and is on disk.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace rmx {

class PendingFile {
 public:
  // Creates the new file beside `path`. A replaced file keeps its permissions; a new
  // one gets the usual ones. A folder, or a file the user protected against
  // writing, is not replaced: Created() is then false.
  explicit PendingFile(const std::string& path);
  // Removes the new file unless it was committed.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // False when the new file cannot be created (nothing was left behind).
  bool Created() const { return fd_ >= 0; }

  // Writes the bytes and moves the file over the target's name; false (with errno
  // telling why, and nothing left behind) when any of it fails.
  bool Commit(std::string_view bytes);

 private:
  std::string path_;
  std::string temp_;
  mode_t mode_ = 0;
  int fd_ = -1;
};

}  // namespace rmx
