// The open sample file of the main window and its in-memory tables: the section
// header, the sample table, the current sample's header and steps, and the results
// table. The main window shows what this holds; the command line uses it alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/snapshot.h"
#include "store/records.h"
#include "store/sample_file.h"

namespace rmx {

class Session {
 public:
  // Stores the full path of the sample file to load next.
  int GetOpenFileName(const std::string& path);
  const std::string& FileName() const { return fileName_; }
  bool IsOpen() const { return file_.IsOpen(); }

  // The loading routine: closes the open handle, opens the named file and rebuilds
  // the sample table. Does nothing when no file name is set. On a refused file the
  // session is left with no file open and a StoreError whose message names the file
  // is thrown.
  // Returns the snapshot it walked, for a command that goes on with it.
  Snapshot Load();
  // File > Close: closes the handle and forgets the file and the current sample.
  void Close();

  const SectionHeader& Section() const { return section_; }
  const std::vector<SampleEntry>& Samples() const { return samples_; }
  int SampleCount() const { return static_cast<int>(samples_.size()); }
  std::vector<std::string> SampleLines() const;

  // Makes sample p (from 1) current: reads its header, steps and stored result fresh
  // from the file and returns its listing. Position 0 (the heading) or none returns
  // nothing and changes nothing.
  std::optional<std::vector<std::string>> ListSample(int p);
  // The same from a snapshot the caller read.
  std::optional<std::vector<std::string>> ListSample(int p, const Snapshot& snapshot);
  // Re-lists the current sample (after a command changed it).
  std::optional<std::vector<std::string>> Relist();

  int CurrentPosition() const { return current_; }
  const SampleHeader& CurrentHeader() const { return header_; }
  const std::vector<StepRecord>& Steps() const { return steps_; }

  SampleFile& File() { return file_; }
  const SampleFile& File() const { return file_; }

  // The whole file read once, fresh, for one command. Throws StoreError for a file
  // that cannot be read or no longer passes the checks (Refusal() adds the file).
  Snapshot Read() const;
  // The message for a change that cannot be saved because the file is read-only.
  std::string ReadOnlyMessage() const;

  // The error text for a refused file: "<path>: <problem>".
  static std::string Refusal(const std::string& path, const std::string& problem);

 private:
  void ClearCurrent();

  std::string fileName_;
  SampleFile file_;
  SectionHeader section_;
  std::vector<SampleEntry> samples_;
  int current_ = 0;
  SampleHeader header_;
  std::vector<StepRecord> steps_;
};

}  // namespace rmx
