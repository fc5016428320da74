#include "session/record_edit.h"

#include <sys/file.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

namespace rmx {

std::string BusyMessage() {
  return "Another program is changing the file: nothing was written. Try again when it has finished.";
}

RecordEdit::RecordEdit(SampleFile& file) : file_(file) {
  if (!file.IsOpen()) throw StoreError("No sample file is open.");
  if (!file.Writable()) throw StoreError("The file is read-only: the change cannot be saved.");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (::flock(file.Descriptor(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) throw StoreError("The file cannot be locked for writing.");
    if (std::chrono::steady_clock::now() >= deadline) throw StoreError(BusyMessage());
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  locked_ = true;
  try {
    originalSize_ = file.Size();
    fresh_ = Snapshot(file.Snapshot());
  } catch (...) {
    ::flock(file.Descriptor(), LOCK_UN);
    throw;
  }
}

RecordEdit::~RecordEdit() {
  if (!committed_) RollBack();
  if (locked_) ::flock(file_.Descriptor(), LOCK_UN);
}

void RecordEdit::RollBack() noexcept {
  // Newest first, so that a slot written twice gets its first bytes back.
  for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
    if ((it->slot - 1) * SlotSize >= originalSize_) continue;  // cut off below
    try {
      file_.WriteSlot(it->slot, it->bytes);
    } catch (const StoreError&) {
      // Nothing more can be done for this slot; the others are still put back.
    }
  }
  try {
    if (file_.Size() > originalSize_) file_.Truncate(originalSize_);
  } catch (const StoreError&) {
  }
  kept_.clear();
}

void RecordEdit::Write(int64_t slot, const Slot& bytes) {
  kept_.push_back({slot, fresh_.Image().ReadSlot(slot)});
  try {
    file_.WriteSlot(slot, bytes);
  } catch (const StoreError& e) {
    RollBack();
    throw StoreError(std::string(e.what()) + " Nothing was changed.");
  }
  fresh_.Image().Put(slot, bytes);
}

void RecordEdit::ChangeSampleHeader(int position, const std::function<void(SampleHeader&)>& change) {
  const int32_t slot = fresh_.Entry(position).Slot;
  SampleHeader h = ReadCheckedSampleHeader(fresh_.Image(), slot, position);
  change(h);
  Write(slot, Encode(h));
}

void RecordEdit::ChangeStep(int position, int step, const std::function<void(StepRecord&)>& change) {
  const int32_t slot = fresh_.Entry(position).Slot;
  const SampleHeader h = ReadCheckedSampleHeader(fresh_.Image(), slot, position);
  if (step < 1 || step > h.StepCount)
    throw StoreError("Sample " + std::to_string(position) + " has no step " + std::to_string(step) + ".");
  StepRecord s = fresh_.Image().ReadStep(static_cast<int64_t>(slot) + step);
  change(s);
  Write(static_cast<int64_t>(slot) + step, Encode(s));
}

void CheckResultsArea(const Snapshot& snapshot, int position) {
  const int64_t end = EndOfSampleData(snapshot.Image(), snapshot.Samples());
  const int64_t first = snapshot.Section().LastRecord;
  if (first < end || first > snapshot.Image().SlotCount() + 1 || snapshot.ResultSlot(position) > INT32_MAX)
    throw StoreError("The section header places the least-squares results at record " + std::to_string(first) +
                     ", outside the results area: the file is damaged.");
}

int64_t RecordEdit::PutResult(int position, const LSquareResult& result) {
  // Checked again here, fresh under the lock.
  CheckResultsArea(fresh_, position);
  const int64_t slot = fresh_.ResultSlot(position);
  for (int64_t gap = fresh_.Image().SlotCount() + 1; gap < slot; ++gap) Write(gap, Slot{});
  Write(slot, Encode(result));
  return slot;
}

}  // namespace rmx
