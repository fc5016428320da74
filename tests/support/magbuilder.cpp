#include "support/magbuilder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rmx::test {

StepRecord Step(const char* method, float level, float gdec, float ginc, float tdec, float tinc, float intensity,
                float error) {
  return {gdec, ginc, tdec, tinc, intensity, error, level, FixedText(method, CodeWidth), 0, 1};
}

std::vector<Slot> BuildSlots(const SectionPlan& plan) {
  std::vector<Slot> slots(1);
  int32_t r = 2;
  for (const auto& sample : plan.samples) {
    SampleHeader h;
    h.SampleName = FixedText(sample.name, NameWidth);
    h.Meters = sample.meters;
    h.LSquareRecord = 0;
    h.StepCount = static_cast<int32_t>(sample.steps.size()) + 1;
    h.NextSample = r + h.StepCount + 1;
    h.ProjectionDec = sample.projectionDec;
    h.Active = sample.active;
    slots.push_back(Encode(h));
    for (const auto& s : sample.steps) slots.push_back(Encode(s));
    slots.push_back(Encode(OriginStep()));
    r = h.NextSample;
  }
  SectionHeader sec;
  sec.SectionName = FixedText(plan.name, NameWidth);
  sec.Latitude = plan.latitude;
  sec.Longitude = plan.longitude;
  sec.LastRecord = r;
  sec.SampleCount = static_cast<int32_t>(plan.samples.size());
  sec.RecordNumber = 1;
  slots[0] = Encode(sec);
  return slots;
}

void WriteSlots(const std::string& path, const std::vector<Slot>& slots) {
  std::string bytes;
  for (const auto& s : slots) bytes.append(reinterpret_cast<const char*>(s.data()), s.size());
  WriteBytes(path, bytes);
}

void WriteMag(const std::string& path, const SectionPlan& plan) { WriteSlots(path, BuildSlots(plan)); }

SectionPlan FullSection(int samples, int steps) {
  SectionPlan plan;
  plan.name = "Full Section";
  for (int i = 0; i < samples; ++i) {
    SamplePlan s;
    s.name = "FS" + std::to_string(1000 + i) + " a";
    s.meters = static_cast<float>(i) * 0.5f;
    s.steps.push_back(Step("NRM", 0, 10.0f + static_cast<float>(i % 300), 55.5f, 20.25f, 48.0f, 2.71e-2f, 0.08f));
    for (int k = 1; k < steps; ++k) {
      const float f = static_cast<float>(k);
      s.steps.push_back(Step("TT", 50.0f * f, 12.0f + f, 54.0f - 0.5f * f, 22.0f + f, 47.0f - 0.5f * f,
                             2.71e-2f / (1.0f + f), 0.1f + 0.01f * f));
    }
    plan.samples.push_back(std::move(s));
  }
  return plan;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<int> ChangedSlots(const std::string& before, const std::string& after) {
  std::vector<int> slots;
  for (size_t i = 0; i < std::max(before.size(), after.size()); i += SlotSize)
    if (before.substr(std::min(i, before.size()), SlotSize) != after.substr(std::min(i, after.size()), SlotSize))
      slots.push_back(static_cast<int>(i / SlotSize) + 1);
  return slots;
}

Session OpenSession(const std::string& path) {
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  return s;
}

ReadOnlyFile::ReadOnlyFile(const std::string& path) : path_(path) {
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  if (::access(path_.c_str(), W_OK) != 0) {
    ok_ = true;
    return;
  }
  immutable_ = std::system(("chattr +i '" + path_ + "' 2>/dev/null").c_str()) == 0;
  ok_ = immutable_ && ::access(path_.c_str(), W_OK) != 0;
}

ReadOnlyFile::~ReadOnlyFile() {
  if (immutable_) (void)std::system(("chattr -i '" + path_ + "' 2>/dev/null").c_str());
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "remanex-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace rmx::test
