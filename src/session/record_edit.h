// The writes of one command to the sample file. While an edit lives it holds an
// exclusive advisory lock on the file (another writer waits up to a second, then is
// told that another program is changing the file); it reads the file fresh under
// the lock, and each write goes to its slot at once. The bytes of every slot it
// replaces are kept: if a write fails, or the edit ends without Commit() (an error
// part-way through a command), every slot is put back and an extension of the
// file cut off, so that a command's writes succeed together or not at all.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "session/snapshot.h"
#include "store/records.h"
#include "store/sample_file.h"

namespace rmx {

class RecordEdit {
 public:
  // Throws StoreError when the file is not open, is read-only, or stays locked by
  // another writer for a second.
  explicit RecordEdit(SampleFile& file);
  ~RecordEdit();
  RecordEdit(const RecordEdit&) = delete;
  RecordEdit& operator=(const RecordEdit&) = delete;

  // The file as it is now, with this edit's writes.
  const Snapshot& Fresh() const { return fresh_; }

  // Writes one whole slot. A failed write puts every slot back and throws.
  void Write(int64_t slot, const Slot& bytes);
  // Keeps the writes: the edit no longer undoes them when it ends.
  void Commit() { committed_ = true; }
  // After Commit(): the file as this edit left it, handed over (the edit keeps none).
  Snapshot TakeFresh() { return std::move(fresh_); }

  // The one way each kind of record is changed: the record is read fresh from its
  // slot, `change` changes its own field, and the record is written back to the
  // same slot. A result goes to its sample's slot in the results area, which must
  // start at most one slot past the end of the file; results slots between the end
  // of the file and it are written as empty records first.
  void ChangeSampleHeader(int position, const std::function<void(SampleHeader&)>& change);
  void ChangeStep(int position, int step, const std::function<void(StepRecord&)>& change);
  int64_t PutResult(int position, const LSquareResult& result);

 private:
  struct Kept {
    int64_t slot;
    Slot bytes;
  };
  void RollBack() noexcept;

  SampleFile& file_;
  bool locked_ = false;
  bool committed_ = false;
  int64_t originalSize_ = 0;
  std::vector<Kept> kept_;
  Snapshot fresh_;
};

// Checks that sample `position`'s result slot lies in the results area, which
// starts after the samples and at most one slot past the end of the file; throws
// StoreError when it does not.
void CheckResultsArea(const Snapshot& snapshot, int position);

// The message for another writer holding the file.
std::string BusyMessage();

}  // namespace rmx
