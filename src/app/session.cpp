#include "app/session.h"

#include "app/listing.h"

namespace rmx {

int Session::GetOpenFileName(const std::string& path) {
  fileName_ = path;
  return 0;
}

std::string Session::Refusal(const std::string& path, const std::string& problem) {
  return path + ": " + problem;
}

void Session::ClearCurrent() {
  current_ = 0;
  header_ = SampleHeader{};
  steps_.clear();
}

void Session::Load() {
  if (fileName_.empty()) return;
  // One open handle: the old one is closed before the file is opened again.
  file_.Close();
  ClearCurrent();
  samples_.clear();
  section_ = SectionHeader{};
  try {
    file_ = SampleFile::Open(fileName_);
    samples_ = LoadSampleTable(file_, section_);
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

std::optional<std::vector<std::string>> Session::ListSample(int p) {
  if (!IsOpen() || p < 1 || p > SampleCount()) return std::nullopt;
  const SampleEntry& entry = samples_[static_cast<size_t>(p - 1)];
  SampleHeader h;
  std::vector<StepRecord> steps;
  try {
    h = ReadCheckedSampleHeader(file_, entry.Slot, p);
    steps = LoadSteps(file_, entry.Slot, h);
  } catch (const StoreError& e) {
    throw StoreError(Refusal(fileName_, e.what()));
  }
  current_ = p;
  header_ = h;
  steps_ = std::move(steps);
  const LSquareResult* result = nullptr;
  if (header_.LSquareRecord != 0) {
    results_[static_cast<size_t>(p - 1)] = file_.ReadResult(header_.LSquareRecord);
    result = &results_[static_cast<size_t>(p - 1)];
  }
  return SampleListing(entry.SampleName, steps_, result);
}

std::optional<std::vector<std::string>> Session::Relist() { return ListSample(current_); }

}  // namespace rmx
