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

namespace {

bool Finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

// A damaged file may hold values that are no numbers; such a sample is refused
// rather than listed.
void CheckValues(const std::vector<StepRecord>& steps, const LSquareResult* result, int p, int32_t slot) {
  const std::string which = "Sample " + std::to_string(p) + " (record " + std::to_string(slot) + ")";
  for (size_t k = 0; k < steps.size(); ++k) {
    const StepRecord& s = steps[k];
    if (!Finite({s.GDec, s.GInc, s.TDec, s.TInc, s.Intensity, s.Error, s.Level}))
      throw StoreError(which + ": step " + std::to_string(k + 1) +
                       " holds a value that is not a number: the file is damaged.");
  }
  if (result && !Finite({result->GDec, result->GInc, result->TDec, result->TInc, result->Intensity, result->Error}))
    throw StoreError(which + ": its least-squares result holds a value that is not a number: the file is damaged.");
}

}  // namespace

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
  results_.fill(LSquareResult{});
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
  results_.fill(LSquareResult{});
  ClearCurrent();
}

std::vector<std::string> Session::SampleLines() const { return SampleListLines(samples_); }

std::optional<std::vector<std::string>> Session::ListSample(int p) {
  if (!IsOpen() || p < 1 || p > SampleCount()) return std::nullopt;
  const SampleEntry& entry = samples_[static_cast<size_t>(p - 1)];
  SampleHeader h;
  std::vector<StepRecord> steps;
  LSquareResult stored;
  try {
    h = ReadCheckedSampleHeader(file_, entry.Slot, p);
    steps = LoadSteps(file_, entry.Slot, h);
    if (h.LSquareRecord != 0) stored = file_.ReadResult(h.LSquareRecord);
    CheckValues(steps, h.LSquareRecord != 0 ? &stored : nullptr, p, entry.Slot);
  } catch (const StoreError& e) {
    throw StoreError(Refusal(fileName_, e.what()));
  }
  current_ = p;
  header_ = h;
  steps_ = std::move(steps);
  // The results table follows the file: a sample without a stored result has none.
  LSquareResult& result = results_[static_cast<size_t>(p - 1)];
  result = h.LSquareRecord != 0 ? stored : LSquareResult{};
  return SampleListing(entry.SampleName, steps_, h.LSquareRecord != 0 ? &result : nullptr);
}

std::optional<std::vector<std::string>> Session::Relist() { return ListSample(current_); }

}  // namespace rmx
