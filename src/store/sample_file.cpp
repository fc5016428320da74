#include "store/sample_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rmx {

SampleFile::~SampleFile() { Close(); }

SampleFile::SampleFile(SampleFile&& other) noexcept
    : fd_(other.fd_), writable_(other.writable_), path_(std::move(other.path_)) {
  other.fd_ = -1;
}

SampleFile& SampleFile::operator=(SampleFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    writable_ = other.writable_;
    path_ = std::move(other.path_);
    other.fd_ = -1;
  }
  return *this;
}

namespace {
std::string Reason(int err) {
  switch (err) {
    case ENOENT: return "the file does not exist";
    case EACCES:
    case EPERM: return "permission to read it is denied";
    case EISDIR: return "it is a folder, not a file";
    default: return std::strerror(err);
  }
}
}  // namespace

SampleFile SampleFile::Open(const std::string& path) {
  if (path.empty()) throw StoreError("No file name was given.");
  SampleFile f;
  f.path_ = path;
  // Never O_CREAT: opening a sample file never creates one.
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  bool writable = true;
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    writable = false;
  }
  if (fd < 0) throw StoreError("The file cannot be opened: " + Reason(errno) + ".");
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw StoreError(S_ISDIR(st.st_mode) ? "The file cannot be opened: it is a folder, not a file."
                                         : "The file cannot be opened: it is not a regular file.");
  }
  f.fd_ = fd;
  f.writable_ = writable;
  return f;
}

void SampleFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  writable_ = false;
}

int64_t SampleFile::SlotCount() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
  return (static_cast<int64_t>(st.st_size) + SlotSize - 1) / SlotSize;
}

Slot SampleFile::ReadSlot(int64_t n) const {
  Slot s{};
  if (fd_ < 0) throw StoreError("No sample file is open.");
  if (n < 1) throw StoreError("Record " + std::to_string(n) + " is outside the file.");
  size_t done = 0;
  const off_t base = static_cast<off_t>((n - 1) * SlotSize);
  while (done < s.size()) {
    const ssize_t got = ::pread(fd_, s.data() + done, s.size() - done, base + static_cast<off_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw StoreError("Record " + std::to_string(n) + " cannot be read: " + std::strerror(errno) + ".");
    }
    if (got == 0) break;  // past the end: the rest reads as zeros
    done += static_cast<size_t>(got);
  }
  return s;
}

void SampleFile::WriteSlot(int64_t n, const Slot& slot) {
  if (fd_ < 0) throw StoreError("No sample file is open.");
  if (!writable_) throw StoreError("The file is read-only: the change cannot be saved.");
  if (n < 1) throw StoreError("Record " + std::to_string(n) + " is outside the file.");
  size_t done = 0;
  const off_t base = static_cast<off_t>((n - 1) * SlotSize);
  while (done < slot.size()) {
    const ssize_t put = ::pwrite(fd_, slot.data() + done, slot.size() - done, base + static_cast<off_t>(done));
    if (put < 0) {
      if (errno == EINTR) continue;
      throw StoreError("Record " + std::to_string(n) + " cannot be written: " + std::strerror(errno) + ".");
    }
    done += static_cast<size_t>(put);
  }
}

SampleHeader ReadCheckedSampleHeader(const SampleFile& file, int32_t slot, int position) {
  const int64_t slots = file.SlotCount();
  const std::string which = "Sample " + std::to_string(position) + " (record " + std::to_string(slot) + ")";
  if (slot < 2 || slot > slots)
    throw StoreError(which + " lies outside the file: the file is damaged or not a sample file.");
  const SampleHeader h = file.ReadSampleHeader(slot);
  if (h.StepCount < 1 || h.StepCount > MaxSteps)
    throw StoreError(which + " has " + std::to_string(h.StepCount) +
                     " step records; a sample holds 1 to 50.");
  if (static_cast<int64_t>(slot) + h.StepCount > slots)
    throw StoreError(which + " has steps past the end of the file: the file is damaged.");
  if (h.NextSample != slot + h.StepCount + 1)
    throw StoreError(which + " points to the next sample at record " + std::to_string(h.NextSample) +
                     " instead of record " + std::to_string(slot + h.StepCount + 1) + ".");
  if (h.LSquareRecord != 0 && h.LSquareRecord < 2)
    throw StoreError(which + " links its least-squares result to record " + std::to_string(h.LSquareRecord) +
                     ", which cannot hold one.");
  return h;
}

std::vector<SampleEntry> LoadSampleTable(const SampleFile& file, SectionHeader& section) {
  section = file.ReadSection();
  if (section.SampleCount < 0 || section.SampleCount > MaxSamples)
    throw StoreError("The file claims " + std::to_string(section.SampleCount) +
                     " samples; a sample file holds 0 to 500.");
  std::vector<SampleEntry> table;
  table.reserve(static_cast<size_t>(section.SampleCount));
  int32_t r = 2;
  for (int i = 1; i <= section.SampleCount; ++i) {
    const SampleHeader h = ReadCheckedSampleHeader(file, r, i);
    table.push_back({h.SampleName, r, h.Active});
    r = h.NextSample;
  }
  return table;
}

std::vector<StepRecord> LoadSteps(const SampleFile& file, int32_t slot, const SampleHeader& header) {
  std::vector<StepRecord> steps;
  const int count = std::min<int>(std::max<int>(header.StepCount, 0), MaxSteps);
  steps.reserve(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) steps.push_back(file.ReadStep(static_cast<int64_t>(slot) + k));
  return steps;
}

}  // namespace rmx
