#include <gtest/gtest.h>
#include <filesystem>

#include "store/sample_file.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

std::string Hex(const Slot& s) {
  static const char* d = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : s) {
    out.push_back(d[b >> 4]);
    out.push_back(d[b & 15]);
  }
  return out;
}

std::string Pad(const std::string& hex) { return hex + std::string(128 - hex.size(), '0'); }

}  // namespace

TEST(Records, SectionHeaderBytes) {
  SectionHeader h;
  h.SectionName = FixedText("Site", 16);
  h.Latitude = 1.0f;       // 3F800000
  h.Longitude = -2.0f;     // C0000000
  h.FieldDec = 0.5f;       // 3F000000
  h.FieldInc = 318.0f;     // 439F0000
  h.LastRecord = 302;      // 0000012E
  h.SampleCount = 3;
  h.RecordNumber = 1;
  EXPECT_EQ(Hex(Encode(h)), Pad("5369746520202020202020202020202000" "00803F000000C00000003F00009F43"
                                "2E010000" "03000000" "01000000"));
  const SectionHeader back = DecodeSectionHeader(Encode(h));
  EXPECT_EQ(back.SectionName, "Site            ");
  EXPECT_EQ(back.Longitude, -2.0f);
  EXPECT_EQ(back.LastRecord, 302);
}

TEST(Records, SampleHeaderBytes) {
  SampleHeader h;
  h.SampleName = FixedText("ABCDEFGHIJKLMNOPQRST", 16);  // cut to 16, no trailing space
  h.Meters = 1.0f;
  h.LSquareRecord = 302;
  h.StepCount = 14;
  h.NextSample = 17;
  h.ProjectionDec = -2;
  h.Active = 1;
  EXPECT_EQ(Hex(Encode(h)), Pad("4142434445464748494A4B4C4D4E4F50" "0000803F" "2E010000" "0E000000" "11000000"
                                "FEFFFFFF" "01000000"));
  const SampleHeader back = DecodeSampleHeader(Encode(h));
  EXPECT_EQ(back.SampleName, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(back.ProjectionDec, -2);
  EXPECT_EQ(back.NextSample, 17);
}

TEST(Records, StepRecordBytesWithPadAfterMethod) {
  StepRecord s = Step("TT", 0.5f, 318.0f, -2.0f, 1.0f, 0.5f, 1.0f, -2.0f);
  s.LSquare = 1;
  EXPECT_EQ(Hex(Encode(s)), Pad("00009F43" "000000C0" "0000803F" "0000003F" "0000803F" "000000C0" "0000003F"
                                "545420" "00" "01000000" "01000000"));
  const StepRecord o = DecodeStepRecord(Encode(OriginStep()));
  EXPECT_EQ(o.Method, "ORG");
  EXPECT_EQ(o.Plot, 0);
  EXPECT_EQ(o.LSquare, 0);
}

TEST(Records, LSquareResultBytesReservedAlwaysZero) {
  LSquareResult r;
  r.GDec = 1.0f;
  r.Label = FixedText("N", 3);
  r.Reserved = 99;
  r.Active = 1;
  r.Points = 4;
  r.Tied = 1;
  EXPECT_EQ(Hex(Encode(r)), Pad("0000803F" "00000000" "00000000" "00000000" "00000000" "00000000" "4E2020" "00"
                                "00000000" "01000000" "04000000" "01000000"));
  EXPECT_EQ(DecodeLSquareResult(Encode(r)).Label, "N  ");
}

TEST(Records, Latin1NamesStayBytes) {
  SampleHeader h;
  h.SampleName = FixedText("M\xFCller", 16);
  const Slot s = Encode(h);
  EXPECT_EQ(s[1], 0xFC);
  EXPECT_EQ(DecodeSampleHeader(s).SampleName, "M\xFCller          ");
}

class SampleFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("s.mag");
  SectionPlan plan;
  void SetUp() override {
    plan.samples = {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)}},
                    {"S2", {}},
                    {"S3", {Step("NRM", 0, 1, 2, 3, 4, 5, 6), Step("TT", 100, 1, 2, 3, 4, 5, 6)}}};
    WriteMag(path, plan);
  }
  void Expect(const char* fragment) {
    SampleFile f = SampleFile::Open(path);
    SectionHeader h;
    try {
      LoadSampleTable(f, h);
      FAIL() << "accepted a file that breaks the limits, expected: " << fragment;
    } catch (const StoreError& e) {
      EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
  }
  void Patch(int64_t slot, const Slot& s) {
    SampleFile f = SampleFile::Open(path);
    f.WriteSlot(slot, s);
  }
};

TEST_F(SampleFileTest, WalksTheChain) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader h;
  const auto table = LoadSampleTable(f, h);
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].Slot, 2);
  EXPECT_EQ(table[1].Slot, 5);  // S1: header 2, NRM 3, ORG 4
  EXPECT_EQ(table[2].Slot, 7);  // S2 has only its origin step: StepCount 1, NextSample 7
  EXPECT_EQ(h.LastRecord, 11);
  EXPECT_EQ(f.SlotCount(), 10);  // the results area was never written
  const SampleHeader s2 = f.ReadSampleHeader(5);
  EXPECT_EQ(s2.StepCount, 1);
  EXPECT_EQ(s2.NextSample, 7);
  EXPECT_EQ(table[0].SampleName, "S1              ");
  const auto steps = LoadSteps(f, 7, f.ReadSampleHeader(7));
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1].Level, 100.0f);
  EXPECT_EQ(steps[2].Method, "ORG");
}

TEST_F(SampleFileTest, WritesOneSlotInPlaceAndExtendsPastTheEnd) {
  const std::string before = ReadBytes(path);
  {
    SampleFile f = SampleFile::Open(path);
    StepRecord s = f.ReadStep(3);
    s.Plot = 0;
    f.Write(3, s);
    LSquareResult r;
    r.Active = 1;
    f.Write(13, r);  // past the end: the file grows to slot 13
  }
  const std::string after = ReadBytes(path);
  ASSERT_EQ(after.size(), 13u * 64u);
  for (size_t i = 0; i < before.size(); ++i)
    if (i < 2 * 64 || i >= 3 * 64) {
      ASSERT_EQ(before[i], after[i]) << "byte " << i << " changed";
    }
  EXPECT_EQ(after.substr(10 * 64, 128), std::string(128, '\0'));  // the gap reads as zeros
}

TEST_F(SampleFileTest, EmptyAndShortFilesAreEmptySections) {
  for (const std::string& bytes : {std::string(), std::string(10, '\0')}) {
    WriteBytes(path, bytes);
    SampleFile f = SampleFile::Open(path);
    SectionHeader h;
    EXPECT_TRUE(LoadSampleTable(f, h).empty());
    EXPECT_EQ(h.SampleCount, 0);
  }
}

TEST_F(SampleFileTest, RefusesFilesThatBreakTheLimits) {
  SectionHeader sec = SampleFile::Open(path).ReadSection();
  const SectionHeader good = sec;

  sec.SampleCount = 501;
  Patch(1, Encode(sec));
  Expect("0 to 500");
  sec.SampleCount = -1;
  Patch(1, Encode(sec));
  Expect("0 to 500");
  sec.SampleCount = 4;  // the chain runs past the file
  Patch(1, Encode(sec));
  Expect("outside the file");
  Patch(1, Encode(good));

  SampleFile f = SampleFile::Open(path);
  const SampleHeader s1 = f.ReadSampleHeader(2);
  f.Close();
  SampleHeader bad = s1;
  bad.StepCount = 51;
  Patch(2, Encode(bad));
  Expect("1 to 50");
  bad.StepCount = 0;
  Patch(2, Encode(bad));
  Expect("1 to 50");
  bad = s1;
  bad.NextSample = 6;
  Patch(2, Encode(bad));
  Expect("next sample");
  bad = s1;
  bad.LSquareRecord = 1;
  Patch(2, Encode(bad));
  Expect("least-squares result");
  bad = s1;
  bad.StepCount = 9;  // steps past the end
  bad.NextSample = 12;
  Patch(2, Encode(bad));
  Expect("past the end");
}

TEST_F(SampleFileTest, OpenNeverCreatesAndReportsWhy) {
  const std::string missing = dir.File("missing.mag");
  try {
    SampleFile::Open(missing);
    FAIL();
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_THROW(SampleFile::Open(dir.Path()), StoreError);  // a folder
  EXPECT_THROW(SampleFile::Open(""), StoreError);
}

TEST_F(SampleFileTest, ReadOnlyFileCanBeBrowsedButNotWritten) {
  ReadOnlyFile guard(path);
  if (!guard.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  SampleFile f = SampleFile::Open(path);
  EXPECT_FALSE(f.Writable());
  SectionHeader h;
  EXPECT_EQ(LoadSampleTable(f, h).size(), 3u);
  EXPECT_THROW(f.Write(3, f.ReadStep(3)), StoreError);
}
