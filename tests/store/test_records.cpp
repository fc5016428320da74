// The 64-byte records byte by byte, and the sample file: its chain and its limits.
// (Writes in place are the session tests'.)
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "store/sample_file.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

std::string Hex(const Slot& s) {
  std::string out;
  for (uint8_t b : s) out += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
  return out;
}

}  // namespace

// Little-endian fields in their places, names as ISO 8859-1 bytes cut at 16, a pad
// byte after the method, the reserved word always zero; decoding gives the record back.
TEST(Records, BytesOfEachKindAndBack) {
  const SectionHeader sec{FixedText("Sit\xE9", 16), 1.0f, -2.0f, 0.5f, 318.0f, 302, 3, 1};
  const SampleHeader h{FixedText("ABCDEFGHIJKLMNOPQRST", 16), 1.0f, 302, 14, 17, -2, 1};
  const StepRecord s{318.0f, -2.0f, 1.0f, 0.5f, 1.0f, -2.0f, 0.5f, FixedText("TT", 3), 1, 1};
  const LSquareResult r{1.0f, 0, 0, 0, 0, 0, FixedText("N", 3), 99, 1, 4, 1};
  const struct { Slot slot, back; std::string hex; } cases[] = {
      {Encode(sec), Encode(DecodeSectionHeader(Encode(sec))),
       "536974E9202020202020202020202020" "0000803F000000C00000003F00009F43" "2E010000" "03000000" "01000000"},
      {Encode(h), Encode(DecodeSampleHeader(Encode(h))),
       "4142434445464748494A4B4C4D4E4F50" "0000803F" "2E010000" "0E000000" "11000000" "FEFFFFFF" "01000000"},
      {Encode(s), Encode(DecodeStepRecord(Encode(s))),
       "00009F43" "000000C0" "0000803F" "0000003F" "0000803F" "000000C0" "0000003F" "545420" "00" "01000000"
       "01000000"},
      {Encode(r), Encode(DecodeLSquareResult(Encode(r))),
       "0000803F" "00000000" "00000000" "00000000" "00000000" "00000000" "4E2020" "00" "00000000" "01000000"
       "04000000" "01000000"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(c.slot), c.hex + std::string(128 - c.hex.size(), '0'));
    EXPECT_EQ(c.back, c.slot);
  }
  EXPECT_EQ(DecodeSectionHeader(Encode(sec)).SectionName, "Sit\xE9            ");
}

class SampleFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("s.mag");
  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)}},
                    {"S2", {}},
                    {"S3", {Step("NRM", 0, 1, 2, 3, 4, 5, 6), Step("TT", 100, 1, 2, 3, 4, 5, 6)}}};
    WriteMag(path, plan);
  }
};

TEST_F(SampleFileTest, WalksTheChain) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader h;
  const auto table = LoadSampleTable(f, h);
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].Slot, 2);
  EXPECT_EQ(table[1].Slot, 5);  // S1: header 2, NRM 3, ORG 4
  EXPECT_EQ(table[2].Slot, 7);  // S2 has only its origin step
  EXPECT_EQ(table[0].SampleName, "S1              ");
  EXPECT_EQ(h.LastRecord, 11);
  EXPECT_EQ(f.SlotCount(), 10);  // the results area was never written
  const auto steps = LoadSteps(f, 7, f.ReadSampleHeader(7));
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1].Level, 100.0f);
  EXPECT_EQ(steps[2].Method, "ORG");
}

TEST_F(SampleFileTest, EmptyShortAndBrokenFiles) {
  for (const std::string& bytes : {std::string(), std::string(10, '\0')}) {
    TempDir t;
    WriteBytes(t.File("e.mag"), bytes);
    SectionHeader h;
    EXPECT_TRUE(LoadSampleTable(SampleFile::Open(t.File("e.mag")), h).empty());
    EXPECT_EQ(h.SampleCount, 0);
  }
  {  // 500 samples of 50 steps each: both limits reached, nothing refused
    TempDir t;
    WriteMag(t.File("full.mag"), FullSection(500, 49));
    SectionHeader h;
    const SampleFile full = SampleFile::Open(t.File("full.mag"));
    EXPECT_EQ(LoadSampleTable(full, h).size(), 500u);
    EXPECT_EQ(LoadSteps(full, 2, full.ReadSampleHeader(2)).size(), 50u);
    // A file far larger than any sample file (1,664,064 bytes with its results) is
    // refused before it is read.
    std::filesystem::resize_file(t.File("full.mag"), std::uintmax_t{1} << 30);
    try {
      (void)SampleFile::Open(t.File("full.mag")).Snapshot();
      ADD_FAILURE() << "a file of 1 GiB was read";
    } catch (const StoreError& e) {
      EXPECT_STREQ(e.what(), "The file holds 1073741824 bytes, far more than any sample file (at most 1664064): "
                             "it is not a sample file.");
    }
  }
  using Edit = std::function<void(SectionHeader&, SampleHeader&)>;
  const struct { Edit edit; const char* message; } cases[] = {
      {[](SectionHeader& s, SampleHeader&) { s.SampleCount = 501; }, "0 to 500"},
      {[](SectionHeader& s, SampleHeader&) { s.SampleCount = -1; }, "0 to 500"},
      {[](SectionHeader& s, SampleHeader&) { s.SampleCount = 4; }, "outside the file"},
      {[](SectionHeader&, SampleHeader& h) { h.StepCount = 51; }, "1 to 50"},
      {[](SectionHeader&, SampleHeader& h) { h.StepCount = 0; }, "1 to 50"},
      {[](SectionHeader&, SampleHeader& h) { h.NextSample = 6; }, "next sample"},
      {[](SectionHeader&, SampleHeader& h) { h.LSquareRecord = 1; }, "least-squares result"},
      {[](SectionHeader&, SampleHeader& h) { h.StepCount = 9, h.NextSample = 12; }, "past the end"}};
  const std::string good = ReadBytes(path);
  for (const auto& c : cases) {
    WriteBytes(path, good);
    {
      SampleFile f = SampleFile::Open(path);
      SectionHeader sec = f.ReadSection();
      SampleHeader s1 = f.ReadSampleHeader(2);
      c.edit(sec, s1);
      f.Write(1, sec);
      f.Write(2, s1);
    }
    SectionHeader h;
    try {
      LoadSampleTable(SampleFile::Open(path), h);
      ADD_FAILURE() << "accepted a file that breaks the limits: " << c.message;
    } catch (const StoreError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST_F(SampleFileTest, OpenNeverCreatesAndReadOnlyRefusesWrites) {
  const std::string missing = dir.File("missing.mag");
  try {
    SampleFile::Open(missing);
    ADD_FAILURE();
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_THROW(SampleFile::Open(dir.Path()), StoreError);
  EXPECT_THROW(SampleFile::Open(""), StoreError);
  ReadOnlyFile guard(path);  // opened for browsing; a write is refused, never dropped
  if (guard.ok()) {
    EXPECT_THROW(SampleFile::Open(path).Write(3, StepRecord{}), StoreError);
  }
}
