// Writes sample files for tests and benchmarks, record by record.
#pragma once

#include <string>
#include <vector>

#include "session/session.h"
#include "store/records.h"

namespace rmx::test {

struct SamplePlan {
  std::string name;
  std::vector<StepRecord> steps;  // measured steps; the origin step is added
  int32_t active = 1;
  float meters = 0;
  int32_t projectionDec = 0;
};

struct SectionPlan {
  std::string name = "Test Section";
  float latitude = 70.96f;
  float longitude = 351.39f;
  std::vector<SamplePlan> samples;
};

// A measured step with the given values; LSquare 0, Plot 1.
StepRecord Step(const char* method, float level, float gdec, float ginc, float tdec, float tinc, float intensity,
                float error);

// The slots of a sample file as the converter lays them out.
std::vector<Slot> BuildSlots(const SectionPlan& plan);
// Writes the file (replacing it).
void WriteSlots(const std::string& path, const std::vector<Slot>& slots);
void WriteMag(const std::string& path, const SectionPlan& plan);
// A full section: `samples` samples of `steps` measured steps each.
SectionPlan FullSection(int samples = 500, int steps = 49);

// Reads a whole file's bytes.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The slots (from 1) that differ between two images of a file.
std::vector<int> ChangedSlots(const std::string& before, const std::string& after);
// A session with the file at `path` loaded.
Session OpenSession(const std::string& path);

// Makes a file read-only for this process while it lives: by its permissions, or,
// for a user whose rights ignore them (root), by the immutable attribute, removed
// again at the end. ok() tells whether the file really cannot be written.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  bool ok() const { return ok_; }

 private:
  std::string path_;
  bool ok_ = false;
  bool immutable_ = false;
};

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace rmx::test
