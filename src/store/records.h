// The records of the sample file (".mag"): fixed 64-byte slots, little-endian,
// ISO 8859-1 text padded with spaces. Each record is encoded and decoded field by
// field at its offsets; nothing here depends on the layout of C++ structs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rmx {

inline constexpr int SlotSize = 64;
inline constexpr int MaxSamples = 500;
inline constexpr int MaxSteps = 50;  // step slots per sample, the origin step included
inline constexpr int NameWidth = 16;
inline constexpr int CodeWidth = 3;

using Slot = std::array<uint8_t, SlotSize>;

// Slot 1.
struct SectionHeader {
  std::string SectionName = std::string(NameWidth, ' ');  // 16 bytes as stored
  float Latitude = 0;
  float Longitude = 0;
  float FieldDec = 0;
  float FieldInc = 0;
  int32_t LastRecord = 0;
  int32_t SampleCount = 0;
  int32_t RecordNumber = 0;
};

// One per sample; the first at slot 2.
struct SampleHeader {
  std::string SampleName = std::string(NameWidth, ' ');  // 16 bytes as stored
  float Meters = 0;
  int32_t LSquareRecord = 0;
  int32_t StepCount = 0;
  int32_t NextSample = 0;
  int32_t ProjectionDec = 0;
  int32_t Active = 0;
};

// One per demagnetisation step, in the slots after its sample header.
struct StepRecord {
  float GDec = 0;
  float GInc = 0;
  float TDec = 0;
  float TInc = 0;
  float Intensity = 0;
  float Error = 0;
  float Level = 0;
  std::string Method = std::string(CodeWidth, ' ');  // 3 bytes as stored
  int32_t LSquare = 0;
  int32_t Plot = 0;
};

// The stored least-squares result of one sample.
struct LSquareResult {
  float GDec = 0;
  float GInc = 0;
  float TDec = 0;
  float TInc = 0;
  float Intensity = 0;
  float Error = 0;
  std::string Label = std::string(CodeWidth, ' ');  // 3 bytes as stored
  int32_t Reserved = 0;
  int32_t Active = 0;
  int32_t Points = 0;
  int32_t Tied = 0;
};

// A text field as stored: ISO 8859-1 bytes, cut or padded with spaces to `width`.
std::string FixedText(std::string_view latin1, int width);

Slot Encode(const SectionHeader& r);
Slot Encode(const SampleHeader& r);
Slot Encode(const StepRecord& r);
Slot Encode(const LSquareResult& r);

SectionHeader DecodeSectionHeader(const Slot& s);
SampleHeader DecodeSampleHeader(const Slot& s);
StepRecord DecodeStepRecord(const Slot& s);
LSquareResult DecodeLSquareResult(const Slot& s);

// The closing step of every sample: "ORG", all values 0, not selected, not plotted.
StepRecord OriginStep();

// Flags are set when exactly 1.
inline bool IsSet(int32_t flag) { return flag == 1; }

}  // namespace rmx
