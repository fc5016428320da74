// What one command reads: the whole sample file as it was on disk when the command
// started, read at once, with its section header and sample table walked and
// checked as the loading routine checks them. Every record a command uses is taken
// from here, its values checked, so that no damaged value is ever formatted or
// computed with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/sample_file.h"

namespace rmx {

class Snapshot {
 public:
  Snapshot() = default;
  // Walks the image; throws StoreError for a file the loading routine refuses.
  explicit Snapshot(FileImage image);

  const FileImage& Image() const { return image_; }
  FileImage& Image() { return image_; }
  // The section header; CheckedSection() also refuses a damaged site position value.
  const SectionHeader& Section() const { return section_; }
  SectionHeader CheckedSection() const;
  const std::vector<SampleEntry>& Samples() const { return samples_; }
  int SampleCount() const { return static_cast<int>(samples_.size()); }
  const SampleEntry& Entry(int position) const { return samples_.at(static_cast<size_t>(position - 1)); }

  // Sample `position` (from 1): its header, its steps and its stored result, each
  // with its values checked. A result whose slot lies past the end of the file is
  // lost: Result() then throws LostResult.
  SampleHeader Header(int position) const;
  std::vector<StepRecord> Steps(int position, const SampleHeader& header) const;
  std::optional<LSquareResult> Result(int position, const SampleHeader& header) const;

  // The slot of sample `position`'s result: LastRecord + position - 1.
  int64_t ResultSlot(int position) const;

 private:
  FileImage image_;
  SectionHeader section_;
  std::vector<SampleEntry> samples_;
};

// A stored result link that points past the end of the file (a truncated file).
class LostResult : public StoreError {
 public:
  LostResult(const std::string& sampleName, int64_t slot);
  int64_t slot;
};

// "<name> least-squares result lost: record N lies past the end of the file", the
// name as stored.
std::string LostResultText(const std::string& storedName, int64_t slot);

}  // namespace rmx
