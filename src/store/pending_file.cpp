#include "store/pending_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "store/text.h"

namespace rmx {

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

PendingFile::PendingFile(const std::string& path) : path_(path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  temp_ = PathJoin(folder.empty() ? "." : folder, ".remanex-XXXXXX");
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) {
      errno = EISDIR;
      return;
    }
    if (::access(path.c_str(), W_OK) != 0) return;
    mode_ = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }
  fd_ = ::mkstemp(temp_.data());
}

PendingFile::~PendingFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_.c_str());
  }
}

bool PendingFile::Commit(std::string_view bytes) {
  if (fd_ < 0) return false;
  if (!WriteAll(fd_, bytes.data(), bytes.size()) || ::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) return false;
  const int fd = fd_;
  fd_ = -1;
  const bool closed = ::close(fd) == 0;
  if (!closed || ::rename(temp_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    errno = error;
    return false;
  }
  return true;
}

}  // namespace rmx
