#include "session/session.h"

#include <cmath>
#include <initializer_list>

#include "session/listing.h"
#include "store/text.h"

namespace rmx {

int Session::GetOpenFileName(const std::string& path) {
  fileName_ = path;
  return 0;
}

std::string Session::Refusal(const std::string& path, const std::string& problem) {
  return PathToLatin1(path) + ": " + problem;
}

void Session::ClearCurrent() {
  current_ = 0;
  header_ = SampleHeader{};
  steps_.clear();
}

Snapshot Session::Load() {
  if (fileName_.empty()) return {};
  // One open handle: the old one is closed before the file is opened again.
  file_.Close();
  ClearCurrent();
  samples_.clear();
  section_ = SectionHeader{};
  try {
    file_ = SampleFile::Open(fileName_);
    Snapshot snapshot(file_.Snapshot());
    section_ = snapshot.Section();
    samples_ = snapshot.Samples();
    return snapshot;
  } catch (const StoreError& e) {
    const std::string path = fileName_;
    Close();
    throw StoreError(Refusal(path, e.what()));
  }
}

void Session::Close() {
  file_.Close();
  fileName_.clear();
  samples_.clear();
  section_ = SectionHeader{};
  ClearCurrent();
}

std::vector<std::string> Session::SampleLines() const { return SampleListLines(samples_); }

Snapshot Session::Read() const {
  if (!file_.IsOpen()) throw StoreError("No sample file is open.");
  return Snapshot(file_.Snapshot());
}

std::string Session::ReadOnlyMessage() const {
  return "The file " + PathToLatin1(fileName_) + " cannot be written (it is read-only): the change cannot be saved.";
}

std::optional<std::vector<std::string>> Session::ListSample(int p) {
  if (!IsOpen() || p < 1 || p > SampleCount()) return std::nullopt;
  Snapshot snapshot;
  try {
    snapshot = Read();
  } catch (const StoreError& e) {
    throw StoreError(Refusal(fileName_, e.what()));
  }
  return ListSample(p, snapshot);
}

std::optional<std::vector<std::string>> Session::ListSample(int p, const Snapshot& snapshot) {
  if (!IsOpen() || p < 1 || p > SampleCount()) return std::nullopt;
  SampleHeader h;
  std::vector<StepRecord> steps;
  std::optional<LSquareResult> stored;
  std::optional<std::string> lost;
  try {
    if (p > snapshot.SampleCount()) throw StoreError("Sample " + std::to_string(p) + " is no longer in the file.");
    h = snapshot.Header(p);
    steps = snapshot.Steps(p, h);
    try {
      stored = snapshot.Result(p, h);
    } catch (const LostResult& e) {
      lost = LostResultText(h.SampleName, e.slot);
    }
  } catch (const StoreError& e) {
    throw StoreError(Refusal(fileName_, e.what()));
  }
  current_ = p;
  header_ = h;
  steps_ = std::move(steps);
  std::vector<std::string> lines = SampleListing(h.SampleName, steps_, stored ? &*stored : nullptr);
  if (lost) lines.push_back(*lost);
  return lines;
}

std::optional<std::vector<std::string>> Session::Relist() { return ListSample(current_); }

}  // namespace rmx
