#include "store/sample_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <initializer_list>

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

Slot FileImage::ReadSlot(int64_t n) const {
  if (n < 1) throw StoreError("Record " + std::to_string(n) + " is outside the file.");
  const uint64_t base = static_cast<uint64_t>(n - 1) * SlotSize;
  if (base + SlotSize <= bytes_.size()) {  // a whole slot, as nearly every one is
    Slot s;
    std::memcpy(s.data(), bytes_.data() + base, SlotSize);
    return s;
  }
  Slot s{};
  if (base < bytes_.size())
    std::memcpy(s.data(), bytes_.data() + base, std::min<size_t>(SlotSize, bytes_.size() - base));
  return s;
}

void FileImage::Put(int64_t n, const Slot& slot) {
  if (n < 1) throw StoreError("Record " + std::to_string(n) + " is outside the file.");
  const size_t base = static_cast<size_t>(n - 1) * SlotSize;
  if (bytes_.size() < base + SlotSize) bytes_.resize(base + SlotSize, 0);
  std::memcpy(bytes_.data() + base, slot.data(), SlotSize);
}

int64_t SampleFile::Size() const {
  struct stat st {};
  if (fd_ < 0) throw StoreError("No sample file is open.");
  if (::fstat(fd_, &st) != 0) throw StoreError(std::string("The file cannot be read: ") + std::strerror(errno) + ".");
  return static_cast<int64_t>(st.st_size);
}

FileImage SampleFile::Snapshot() const {
  const int64_t size = Size();
  if (size > MaxFileBytes)
    throw StoreError("The file holds " + std::to_string(size) + " bytes, far more than any sample file (at most " +
                     std::to_string((1 + MaxSamples * (MaxSteps + 2)) * SlotSize) + "): it is not a sample file.");
  FileImage::Bytes bytes(static_cast<size_t>(size));  // not zero-filled: the read fills it
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw StoreError(std::string("The file cannot be read: ") + std::strerror(errno) + ".");
    }
    if (got == 0) break;  // shortened meanwhile: the rest is gone
    done += static_cast<size_t>(got);
  }
  bytes.resize(done);
  return FileImage(std::move(bytes));
}

void SampleFile::Truncate(int64_t bytes) {
  if (fd_ < 0) throw StoreError("No sample file is open.");
  while (::ftruncate(fd_, static_cast<off_t>(bytes)) != 0)
    if (errno != EINTR) throw StoreError(std::string("The file cannot be cut back: ") + std::strerror(errno) + ".");
}

namespace {

template <class Source>
SampleHeader CheckedHeader(const Source& file, int32_t slot, int position) {
  const int64_t slots = file.SlotCount();
  // The sample's name in a message, made only for one (the walk checks 500 headers).
  const auto which = [&] { return "Sample " + std::to_string(position) + " (record " + std::to_string(slot) + ")"; };
  if (slot < 2 || slot > slots)
    throw StoreError(which() + " lies outside the file: the file is damaged or not a sample file.");
  const SampleHeader h = file.ReadSampleHeader(slot);
  if (h.StepCount < 1 || h.StepCount > MaxSteps)
    throw StoreError(which() + " has " + std::to_string(h.StepCount) +
                     " step records; a sample holds 1 to 50.");
  if (static_cast<int64_t>(slot) + h.StepCount > slots)
    throw StoreError(which() + " has steps past the end of the file: the file is damaged.");
  if (h.NextSample != slot + h.StepCount + 1)
    throw StoreError(which() + " points to the next sample at record " + std::to_string(h.NextSample) +
                     " instead of record " + std::to_string(slot + h.StepCount + 1) + ".");
  if (h.LSquareRecord != 0 && h.LSquareRecord < 2)
    throw StoreError(which() + " links its least-squares result to record " + std::to_string(h.LSquareRecord) +
                     ", which cannot hold one.");
  return h;
}

template <class Source>
std::vector<StepRecord> Steps(const Source& file, int32_t slot, const SampleHeader& header) {
  std::vector<StepRecord> steps;
  const int count = std::min<int>(std::max<int>(header.StepCount, 0), MaxSteps);
  steps.reserve(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) steps.push_back(file.ReadStep(static_cast<int64_t>(slot) + k));
  return steps;
}

std::string Trimmed(const std::string& name) {
  const size_t end = name.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

std::string SampleOwner(const std::string& storedName) { return "Sample \"" + Trimmed(storedName) + "\""; }

// The owner of the values: a sample by its stored name, or the section header.
struct Owner {
  const std::string* sampleName = nullptr;
  std::string Text() const { return sampleName ? SampleOwner(*sampleName) : std::string("The section header"); }
};

[[noreturn]] void Damaged(const Owner& owner, const char* field, int64_t slot) {
  throw StoreError(owner.Text() + " (record " + std::to_string(slot) + "): the stored " + field +
                   " is not a number: the file is damaged.");
}

// Every field of every record a command uses passes here: the owner's name is made
// only for a damaged value.
void Check(std::initializer_list<std::pair<const char*, float>> fields, const Owner& owner, int64_t slot) {
  for (const auto& [name, value] : fields)
    if (!std::isfinite(value)) Damaged(owner, name, slot);
}

// True when every value is finite: a quick look before the named check, for the
// thousands of steps a report reads.
template <class... Floats>
bool AllFinite(Floats... values) {
  return (static_cast<int>(std::isfinite(values)) & ...) != 0;  // no branch per value
}

}  // namespace

SampleHeader ReadCheckedSampleHeader(const FileImage& image, int32_t slot, int position) {
  return CheckedHeader(image, slot, position);
}

int64_t EndOfSampleData(const FileImage& image, const std::vector<SampleEntry>& table) {
  if (table.empty()) return 2;
  const SampleHeader last = image.ReadSampleHeader(table.back().Slot);
  return static_cast<int64_t>(table.back().Slot) + last.StepCount + 1;
}

std::vector<SampleEntry> LoadSampleTable(const FileImage& image, SectionHeader& section) {
  section = image.ReadSection();
  if (section.SampleCount < 0 || section.SampleCount > MaxSamples)
    throw StoreError("The file claims " + std::to_string(section.SampleCount) +
                     " samples; a sample file holds 0 to 500.");
  std::vector<SampleEntry> table;
  table.reserve(static_cast<size_t>(section.SampleCount));
  int32_t r = 2;
  for (int i = 1; i <= section.SampleCount; ++i) {
    const SampleHeader h = CheckedHeader(image, r, i);
    table.push_back({h.SampleName, r, h.Active});
    r = h.NextSample;
  }
  if (!table.empty()) {
    // Results are kept from LastRecord on: never inside the samples, and never so far
    // past the end that saving one would leave a gap of unwritten records.
    const int64_t end = EndOfSampleData(image, table);
    const int64_t limit = image.SlotCount() + 1;
    if (section.LastRecord < end)
      throw StoreError("The section header places the least-squares results at record " +
                       std::to_string(section.LastRecord) + ", inside the sample data (which ends at record " +
                       std::to_string(end - 1) + "): the file is damaged.");
    if (section.LastRecord > limit)
      throw StoreError("The section header places the least-squares results at record " +
                       std::to_string(section.LastRecord) + ", past the end of the file (record " +
                       std::to_string(limit - 1) + "): the file is damaged.");
  }
  return table;
}

std::vector<SampleEntry> LoadSampleTable(const SampleFile& file, SectionHeader& section) {
  return LoadSampleTable(file.Snapshot(), section);
}

std::vector<StepRecord> LoadSteps(const FileImage& image, int32_t slot, const SampleHeader& header) {
  return Steps(image, slot, header);
}
std::vector<StepRecord> LoadSteps(const SampleFile& file, int32_t slot, const SampleHeader& header) {
  return Steps(file, slot, header);
}

void CheckValues(const SectionHeader& s) {
  Check({{"Latitude", s.Latitude}, {"Longitude", s.Longitude}, {"FieldDec", s.FieldDec}, {"FieldInc", s.FieldInc}},
        Owner{}, 1);
}

void CheckValues(const SampleHeader& h, int64_t slot) { Check({{"Meters", h.Meters}}, Owner{&h.SampleName}, slot); }

void CheckValues(const StepRecord& st, const std::string& sampleName, int64_t slot) {
  if (AllFinite(st.GDec, st.GInc, st.TDec, st.TInc, st.Intensity, st.Error, st.Level)) return;
  Check({{"GDec", st.GDec},
         {"GInc", st.GInc},
         {"TDec", st.TDec},
         {"TInc", st.TInc},
         {"Intensity", st.Intensity},
         {"Error", st.Error},
         {"Level", st.Level}},
        Owner{&sampleName}, slot);
}

void CheckValues(const LSquareResult& r, const std::string& sampleName, int64_t slot) {
  Check({{"GDec", r.GDec},
         {"GInc", r.GInc},
         {"TDec", r.TDec},
         {"TInc", r.TInc},
         {"Intensity", r.Intensity},
         {"Error", r.Error}},
        Owner{&sampleName}, slot);
}

}  // namespace rmx
