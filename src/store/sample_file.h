// Random access to the 64-byte slots of a sample file, and the checked walk of its
// chain of samples.
//
// The file is opened read-write when it may be written and read-only otherwise; it
// is never created by opening. Every slot is read fresh from the file and every
// write goes to the file at once.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/records.h"

namespace rmx {

// A sample file that cannot be opened, read, written, or that breaks the format's
// limits. what() is a sentence for the user.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SampleFile {
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

  SectionHeader ReadSection() const { return DecodeSectionHeader(ReadSlot(1)); }
  SampleHeader ReadSampleHeader(int64_t n) const { return DecodeSampleHeader(ReadSlot(n)); }
  StepRecord ReadStep(int64_t n) const { return DecodeStepRecord(ReadSlot(n)); }
  LSquareResult ReadResult(int64_t n) const { return DecodeLSquareResult(ReadSlot(n)); }
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
// at least 2. Throws StoreError naming the problem (the file name is the caller's).
std::vector<SampleEntry> LoadSampleTable(const SampleFile& file, SectionHeader& section);

// Reads and checks one sample header of the chain (the same checks as the walk).
SampleHeader ReadCheckedSampleHeader(const SampleFile& file, int32_t slot, int position);

// The steps of a sample whose header is in `slot`, read fresh from the file.
std::vector<StepRecord> LoadSteps(const SampleFile& file, int32_t slot, const SampleHeader& header);

}  // namespace rmx
