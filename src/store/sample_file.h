// Random access to the 64-byte slots of a sample file, and the checked walk of its
// chain of samples.
//
// The file is opened read-write when it may be written and read-only otherwise; it
// is never created by opening. Every slot is read fresh from the file and every
// write goes to the file at once.
#pragma once

#include <cstdint>
#include <utility>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/large_block.h"
#include "store/records.h"

namespace rmx {

// A sample file that cannot be opened, read, written, or that breaks the format's
// limits. what() is a sentence for the user.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The decoding reads shared by the open file and its snapshot.
template <class Source>
class SlotReader {
 public:
  SectionHeader ReadSection() const { return DecodeSectionHeader(Self().ReadSlot(1)); }
  SampleHeader ReadSampleHeader(int64_t n) const { return DecodeSampleHeader(Self().ReadSlot(n)); }
  StepRecord ReadStep(int64_t n) const { return DecodeStepRecord(Self().ReadSlot(n)); }
  LSquareResult ReadResult(int64_t n) const { return DecodeLSquareResult(Self().ReadSlot(n)); }

 private:
  const Source& Self() const { return static_cast<const Source&>(*this); }
};

// The whole file as it was on disk at one moment. A command reads the file once,
// when it starts, and walks this image; it never keeps it past the command.
class FileImage : public SlotReader<FileImage> {
 public:
  // The bytes of a file: see store/large_block.h.
  using Bytes = std::vector<uint8_t, BlockAllocator<uint8_t>>;

  FileImage() = default;
  explicit FileImage(Bytes bytes) : bytes_(std::move(bytes)) {}
  // Number of slots the image holds (a short last slot counts).
  int64_t SlotCount() const { return (static_cast<int64_t>(bytes_.size()) + SlotSize - 1) / SlotSize; }
  // Slot n (from 1); bytes past the end read as zeros.
  Slot ReadSlot(int64_t n) const;
  size_t Size() const { return bytes_.size(); }
  // Replaces slot n (from 1), growing the image with zeros where needed.
  void Put(int64_t n, const Slot& slot);

 private:
  Bytes bytes_;
};

// No sample file holds more than 26,001 slots (1.6 MB): the section header, 500 samples
// of 50 step slots and their results. A file far larger is refused before it is read.
inline constexpr int64_t MaxFileBytes = int64_t{64} << 20;

class SampleFile : public SlotReader<SampleFile> {
 public:
  SampleFile() = default;
  ~SampleFile();
  SampleFile(const SampleFile&) = delete;
  SampleFile& operator=(const SampleFile&) = delete;
  SampleFile(SampleFile&& other) noexcept;
  SampleFile& operator=(SampleFile&& other) noexcept;

  // Opens an existing regular file; throws StoreError when it cannot.
  static SampleFile Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  bool Writable() const { return writable_; }
  const std::string& Path() const { return path_; }

  // Number of slots the file holds (a short last slot counts).
  int64_t SlotCount() const;
  // Slot n (from 1); bytes past the end of the file read as zeros.
  Slot ReadSlot(int64_t n) const;
  // Writes slot n whole (from 1); writing past the end extends the file.
  // Throws StoreError when the file is read-only or the write fails.
  void WriteSlot(int64_t n, const Slot& slot);

  // The whole file, read at once.
  FileImage Snapshot() const;
  // Size of the file in bytes.
  int64_t Size() const;
  // Cuts the file back to `bytes` (undoes an extension). Throws StoreError.
  void Truncate(int64_t bytes);
  // The file descriptor, for advisory locking.
  int Descriptor() const { return fd_; }

  template <class Record>
  void Write(int64_t n, const Record& r) {
    WriteSlot(n, Encode(r));
  }

 private:
  int fd_ = -1;
  bool writable_ = false;
  std::string path_;
};

// One entry of the sample table: the name as stored, the slot of its header and a
// copy of its Active flag.
struct SampleEntry {
  std::string SampleName;
  int32_t Slot = 0;
  int32_t Active = 0;
};

// Reads slot 1 and walks the chain exactly SampleCount times, checking the limits:
// 0 <= SampleCount <= 500; for every header 1 <= StepCount <= 50, NextSample =
// header + StepCount + 1, header and step slots inside the file, LSquareRecord 0 or
// at least 2; with samples, LastRecord (where the results start) at or after the end
// of the sample data and at most one slot past the end of the file. Throws
// StoreError naming the problem (the file name is the caller's).
std::vector<SampleEntry> LoadSampleTable(const FileImage& image, SectionHeader& section);
std::vector<SampleEntry> LoadSampleTable(const SampleFile& file, SectionHeader& section);

// Reads and checks one sample header of the chain (the same checks as the walk).
SampleHeader ReadCheckedSampleHeader(const FileImage& image, int32_t slot, int position);

// The steps of a sample whose header is in `slot`.
std::vector<StepRecord> LoadSteps(const FileImage& image, int32_t slot, const SampleHeader& header);
std::vector<StepRecord> LoadSteps(const SampleFile& file, int32_t slot, const SampleHeader& header);

// A stored Single that is not a number (NaN or infinity) is a damaged value: each
// check throws StoreError naming the owner (the sample's name, or the section
// header), the field and the slot. A command checks every record it uses when it
// decodes it, so that no such value is ever formatted or computed with.
void CheckValues(const SectionHeader& section);
void CheckValues(const SampleHeader& header, int64_t slot);
void CheckValues(const StepRecord& step, const std::string& sampleName, int64_t slot);
void CheckValues(const LSquareResult& result, const std::string& sampleName, int64_t slot);

// The first slot after the sample data of a table (2 for an empty one).
int64_t EndOfSampleData(const FileImage& image, const std::vector<SampleEntry>& table);

}  // namespace rmx
