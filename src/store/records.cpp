#include "store/records.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace rmx {

namespace {

// Little-endian: on a little-endian machine the bytes are the value's own.
void PutLong(Slot& s, int offset, int32_t v) {
  auto u = static_cast<uint32_t>(v);
  if constexpr (std::endian::native != std::endian::little) u = ((u & 0xFFu) << 24) | ((u & 0xFF00u) << 8) |
                                                              ((u >> 8) & 0xFF00u) | (u >> 24);
  std::memcpy(s.data() + offset, &u, sizeof u);
}

int32_t GetLong(const Slot& s, int offset) {
  uint32_t u = 0;
  std::memcpy(&u, s.data() + offset, sizeof u);
  if constexpr (std::endian::native != std::endian::little) u = ((u & 0xFFu) << 24) | ((u & 0xFF00u) << 8) |
                                                              ((u >> 8) & 0xFF00u) | (u >> 24);
  return static_cast<int32_t>(u);
}

void PutSingle(Slot& s, int offset, float v) { PutLong(s, offset, static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }

float GetSingle(const Slot& s, int offset) { return std::bit_cast<float>(static_cast<uint32_t>(GetLong(s, offset))); }

// The text cut or padded with spaces to `width`, as FixedText() makes it.
void PutText(Slot& s, int offset, std::string_view text, int width) {
  const size_t n = std::min(text.size(), static_cast<size_t>(width));
  std::memcpy(s.data() + offset, text.data(), n);
  std::memset(s.data() + offset + n, ' ', static_cast<size_t>(width) - n);
}

std::string GetText(const Slot& s, int offset, int width) {
  return std::string(reinterpret_cast<const char*>(s.data() + offset), static_cast<size_t>(width));
}

// The six values a step and a result share, at offsets 0 to 23: directions in both
// coordinate systems, intensity and error.
template <class Record>
void PutValues(Slot& s, const Record& r) {
  PutSingle(s, 0, r.GDec);
  PutSingle(s, 4, r.GInc);
  PutSingle(s, 8, r.TDec);
  PutSingle(s, 12, r.TInc);
  PutSingle(s, 16, r.Intensity);
  PutSingle(s, 20, r.Error);
}

template <class Record>
void GetValues(const Slot& s, Record& r) {
  r.GDec = GetSingle(s, 0);
  r.GInc = GetSingle(s, 4);
  r.TDec = GetSingle(s, 8);
  r.TInc = GetSingle(s, 12);
  r.Intensity = GetSingle(s, 16);
  r.Error = GetSingle(s, 20);
}

}  // namespace

std::string FixedText(std::string_view latin1, int width) {
  std::string out(latin1.substr(0, static_cast<size_t>(width)));
  out.resize(static_cast<size_t>(width), ' ');
  return out;
}

Slot Encode(const SectionHeader& r) {
  Slot s{};
  PutText(s, 0, r.SectionName, NameWidth);
  PutSingle(s, 16, r.Latitude);
  PutSingle(s, 20, r.Longitude);
  PutSingle(s, 24, r.FieldDec);
  PutSingle(s, 28, r.FieldInc);
  PutLong(s, 32, r.LastRecord);
  PutLong(s, 36, r.SampleCount);
  PutLong(s, 40, r.RecordNumber);
  return s;
}

Slot Encode(const SampleHeader& r) {
  Slot s{};
  PutText(s, 0, r.SampleName, NameWidth);
  PutSingle(s, 16, r.Meters);
  PutLong(s, 20, r.LSquareRecord);
  PutLong(s, 24, r.StepCount);
  PutLong(s, 28, r.NextSample);
  PutLong(s, 32, r.ProjectionDec);
  PutLong(s, 36, r.Active);
  return s;
}

Slot Encode(const StepRecord& r) {
  Slot s{};
  PutValues(s, r);
  PutSingle(s, 24, r.Level);
  PutText(s, 28, r.Method, CodeWidth);
  PutLong(s, 32, r.LSquare);
  PutLong(s, 36, r.Plot);
  return s;
}

Slot Encode(const LSquareResult& r) {
  Slot s{};
  PutValues(s, r);
  PutText(s, 24, r.Label, CodeWidth);
  PutLong(s, 28, 0);  // Reserved: always written 0
  PutLong(s, 32, r.Active);
  PutLong(s, 36, r.Points);
  PutLong(s, 40, r.Tied);
  return s;
}

SectionHeader DecodeSectionHeader(const Slot& s) {
  SectionHeader r;
  r.SectionName = GetText(s, 0, NameWidth);
  r.Latitude = GetSingle(s, 16);
  r.Longitude = GetSingle(s, 20);
  r.FieldDec = GetSingle(s, 24);
  r.FieldInc = GetSingle(s, 28);
  r.LastRecord = GetLong(s, 32);
  r.SampleCount = GetLong(s, 36);
  r.RecordNumber = GetLong(s, 40);
  return r;
}

SampleHeader DecodeSampleHeader(const Slot& s) {
  SampleHeader r;
  r.SampleName = GetText(s, 0, NameWidth);
  r.Meters = GetSingle(s, 16);
  r.LSquareRecord = GetLong(s, 20);
  r.StepCount = GetLong(s, 24);
  r.NextSample = GetLong(s, 28);
  r.ProjectionDec = GetLong(s, 32);
  r.Active = GetLong(s, 36);
  return r;
}

StepRecord DecodeStepRecord(const Slot& s) {
  StepRecord r;
  GetValues(s, r);
  r.Level = GetSingle(s, 24);
  r.Method = GetText(s, 28, CodeWidth);
  r.LSquare = GetLong(s, 32);
  r.Plot = GetLong(s, 36);
  return r;
}

LSquareResult DecodeLSquareResult(const Slot& s) {
  LSquareResult r;
  GetValues(s, r);
  r.Label = GetText(s, 24, CodeWidth);
  r.Reserved = GetLong(s, 28);
  r.Active = GetLong(s, 32);
  r.Points = GetLong(s, 36);
  r.Tied = GetLong(s, 40);
  return r;
}

StepRecord OriginStep() {
  StepRecord r;
  r.Method = "ORG";
  r.LSquare = 0;
  r.Plot = 0;
  return r;
}

}  // namespace rmx
