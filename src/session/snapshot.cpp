#include "session/snapshot.h"

namespace rmx {

Snapshot::Snapshot(FileImage image) : image_(std::move(image)) { samples_ = LoadSampleTable(image_, section_); }

SectionHeader Snapshot::CheckedSection() const {
  CheckValues(section_);
  return section_;
}

SampleHeader Snapshot::Header(int position) const {
  const SampleEntry& entry = Entry(position);
  const SampleHeader h = ReadCheckedSampleHeader(image_, entry.Slot, position);
  CheckValues(h, entry.Slot);
  return h;
}

std::vector<StepRecord> Snapshot::Steps(int position, const SampleHeader& header) const {
  const SampleEntry& entry = Entry(position);
  std::vector<StepRecord> steps = LoadSteps(image_, entry.Slot, header);
  for (size_t k = 0; k < steps.size(); ++k)
    CheckValues(steps[k], header.SampleName, static_cast<int64_t>(entry.Slot) + static_cast<int64_t>(k) + 1);
  return steps;
}

std::optional<LSquareResult> Snapshot::Result(int position, const SampleHeader& header) const {
  (void)position;
  if (header.LSquareRecord == 0) return std::nullopt;
  if (header.LSquareRecord > image_.SlotCount()) throw LostResult(header.SampleName, header.LSquareRecord);
  const LSquareResult r = image_.ReadResult(header.LSquareRecord);
  CheckValues(r, header.SampleName, header.LSquareRecord);
  return r;
}

int64_t Snapshot::ResultSlot(int position) const { return static_cast<int64_t>(section_.LastRecord) + position - 1; }

std::string LostResultText(const std::string& storedName, int64_t slot) {
  return storedName + " least-squares result lost: record " + std::to_string(slot) +
         " lies past the end of the file";
}

LostResult::LostResult(const std::string& sampleName, int64_t s)
    : StoreError(LostResultText(sampleName, s) + "."), slot(s) {}

}  // namespace rmx
