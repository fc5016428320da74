// Reading the five laboratory layouts into sample-file slots (no files involved).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "store/errors.h"
#include "convert/lab_file.h"
#include "convert/lab_writer.h"

using namespace rmx;
using namespace rmx::test;

namespace {

LabSection SmallSection() {
  LabSection sec;
  // A thermal sample of normal polarity, an AF sample of reversed polarity with a
  // fractional level, and a sample without any measured step.
  sec.samples.push_back({"CRA", "101", "1.50",
                         {{"NRM", "0", "318.0", "55.1", "320.4", "48.9", "2.71E-02", "0.08"},
                          {"TT", "250", "12.3", "-4.8", "359.9", "90.0", "1.05E-03", "1.25"},
                          {"TT", "580", "0.0", "-90.0", "0.1", "-0.1", "7.67E-05", "12.50"}}});
  sec.samples.push_back({"CRA", "102b", "-2.25",
                         {{"NRM", "0", "185.2", "-51.0", "190.0", "-45.5", "3.00E-06", "0.30"},
                          {"AF", "2.5", "186.0", "-52.2", "191.1", "-46.0", "2.52E-06", "0.00"},
                          {"AF", "100", "201.7", "-60.3", "210.0", "-55.4", "9.99E-08", "4.00"}}});
  sec.samples.push_back({"CRA", "103", "3.00", {}});
  return sec;
}

std::string Read(const std::string& text, Layout layout) { return Bytes(ReadLaboratoryFile(text, layout).records); }

// The number and line of the error a text gives; {0, 0} when it converts.
std::pair<int, int64_t> ErrorOf(const std::string& text, Layout layout) {
  try {
    ReadLaboratoryFile(text, layout);
  } catch (const ConvertError& e) {
    return {e.number, e.line};
  }
  return {0, 0};
}

std::pair<int, int64_t> Err(int number, int64_t line) { return {number, line}; }

std::vector<Slot> Slots(const std::string& text, Layout layout) { return ReadLaboratoryFile(text, layout).records; }

// Replaces the first occurrence of `from` (which must occur) in `text`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// A "tab" file of one sample whose lines are given after the section header.
std::string TabFile(const std::vector<std::string>& lines) {
  std::string text = "CRA\tCrussol\t44.90\t4.8\t-1.6\t60.8\t" + std::to_string(lines.size() + 2) + "\t1\t1\r\n";
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace

TEST(LabLayouts, EveryLayoutGivesTheSameSampleFile) {
  const LabSection sec = SmallSection();
  const std::string expected = Bytes(ExpectedSlots(sec));
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    EXPECT_EQ(Read(WriteLab(sec, layout), layout), expected);
    // Line ends in LF or CR alone, blank lines at the end and a last line without
    // its line end read the same.
    EXPECT_EQ(Read(WriteLab(sec, layout, "\n"), layout), expected);
    EXPECT_EQ(Read(WriteLab(sec, layout, "\r"), layout), expected);
    EXPECT_EQ(Read(WriteLab(sec, layout) + "\r\n  \r\n\t\n", layout), expected);
    std::string unterminated = WriteLab(sec, layout);
    unterminated.resize(unterminated.size() - 2);
    EXPECT_EQ(Read(unterminated, layout), expected);
  }
}

TEST(LabLayouts, LineEndsMixedInOneFile) {
  const LabSection sec = SmallSection();
  const std::string expected = Bytes(ExpectedSlots(sec));
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    std::string mixed;
    int n = 0;
    for (char c : WriteLab(sec, layout, "\n")) {
      if (c != '\n')
        mixed += c;
      else
        mixed += ++n % 3 == 0 ? "\r" : n % 3 == 1 ? "\r\n" : "\n";
    }
    EXPECT_EQ(Read(mixed, layout), expected);
  }
}

TEST(LabLayouts, RecordsOfAConvertedSection) {
  const auto slots = Slots(WriteLab(SmallSection(), Layout::Tab), Layout::Tab);
  const SectionHeader h = DecodeSectionHeader(slots[0]);
  EXPECT_EQ(h.SectionName, "CRA Crussol     ");
  EXPECT_EQ(h.SampleCount, 3);
  EXPECT_EQ(h.RecordNumber, 1);
  // 2 + (4 + 1) + (4 + 1) + (1 + 1): each sample with its origin step and header.
  EXPECT_EQ(h.LastRecord, 14);
  ASSERT_EQ(slots.size(), 13u);
  const SampleHeader s1 = DecodeSampleHeader(slots[1]);
  EXPECT_EQ(s1.StepCount, 4);
  EXPECT_EQ(s1.NextSample, 7);
  EXPECT_EQ(s1.Active, 1);
  EXPECT_EQ(s1.LSquareRecord, 0);
  EXPECT_EQ(s1.ProjectionDec, 0);
  const StepRecord af = DecodeStepRecord(slots[8]);
  EXPECT_EQ(af.Method, "AF ");
  EXPECT_EQ(af.Level, 2.5f);
  EXPECT_EQ(af.Plot, 1);
  EXPECT_EQ(af.LSquare, 0);
  const StepRecord origin = DecodeStepRecord(slots[5]);
  EXPECT_EQ(origin.Method, "ORG");
  EXPECT_EQ(origin.Plot, 0);
  // The sample without measured steps still gets its origin step.
  const SampleHeader s3 = DecodeSampleHeader(slots[11]);
  EXPECT_EQ(s3.StepCount, 1);
  EXPECT_EQ(s3.NextSample, 14);
  EXPECT_EQ(DecodeStepRecord(slots[12]).Method, "ORG");
}

TEST(LabLayouts, LayoutAndOutputNames) {
  EXPECT_EQ(LayoutOf("CRA.APP"), Layout::App);
  EXPECT_EQ(LayoutOf("x.Txt"), Layout::Txt);
  EXPECT_EQ(LayoutOf("site.a.nta"), Layout::Nta);
  EXPECT_EQ(LayoutOf("cma"), Layout::Cma);
  EXPECT_FALSE(LayoutOf("CRA.csv").has_value());
  EXPECT_FALSE(LayoutOf("ab").has_value());
  EXPECT_FALSE(LayoutOf("CRA.mag").has_value());
}

TEST(FieldCutting, RunsOfSeparatorsAndEmptyFieldsCountAsOne) {
  // A comma-separated section header: ",," after the inclination is skipped and
  // the trailing empty fields are never looked at.
  const std::string text =
      "CRA,Crussol A0-A,44.90,4.8,-1.6,60.8,,296,25,1,,,,,,,,,,,\r\n"
      "CRA,101,,1.5,,,0,0,0,0,,3,,296,,2\r\n"
      "CRA,101,NRM  0,,,318.0,55.1,320.4,48.9,2.71E-2,,0.08,3,,\r\n";
  const auto slots = Slots(text, Layout::Cma);
  const SectionHeader h = DecodeSectionHeader(slots[0]);
  EXPECT_EQ(h.SectionName, "CRA Crussol A0-A");
  EXPECT_EQ(h.FieldInc, 60.8f);
  EXPECT_EQ(h.RecordNumber, 1);
  EXPECT_EQ(h.SampleCount, 1);  // the samples written, not the 25 claimed
  EXPECT_EQ(DecodeSampleHeader(slots[1]).Meters, 1.5f);
  const StepRecord s = DecodeStepRecord(slots[2]);
  EXPECT_EQ(s.GDec, 318.0f);
  EXPECT_EQ(s.Intensity, 0.0271f);
  EXPECT_EQ(s.Error, 0.08f);
}

TEST(FieldCutting, ARequiredFieldPastTheEndOfTheLineIsAnError) {
  const std::string header = "CRA\t101\t1.5\t0\t0\t0\t0\t4\t5\t3";
  const std::string step = "CRA\t101\tNRM  0\t318.0\t55.1\t320.4\t48.9\t2.71E-02\t0.08\t4";
  ASSERT_EQ(ErrorOf(TabFile({header, step}), Layout::Tab), Err(0, 0));
  // A step line that ends after the intensity: its error field is missing.
  EXPECT_EQ(ErrorOf(TabFile({header, "CRA\t101\tNRM  0\t318.0\t55.1\t320.4\t48.9\t2.71E-02"}), Layout::Tab),
            Err(ErrorNumber::InvalidCall, 3));
  // Trailing separators do not make a field.
  EXPECT_EQ(ErrorOf(TabFile({header, "CRA\t101\tNRM  0\t318.0\t55.1\t320.4\t48.9\t2.71E-02\t\t\t"}), Layout::Tab),
            Err(ErrorNumber::InvalidCall, 3));
  // A sample header without its own line number, and a line without any separator.
  EXPECT_EQ(ErrorOf(TabFile({"CRA\t101\t1.5\t0\t0\t0\t0\t4\t5", step}), Layout::Tab),
            Err(ErrorNumber::InvalidCall, 2));
  EXPECT_EQ(ErrorOf(TabFile({header, "CRA 101 NRM 0"}), Layout::Tab), Err(ErrorNumber::InvalidCall, 3));
  EXPECT_EQ(ErrorOf("CRA Crussol   44.90  4.8  -1.6  60.8  3  1\r\n", Layout::Txt), Err(ErrorNumber::InvalidCall, 1));
  // Fields after the needed ones are ignored.
  EXPECT_EQ(ErrorOf(TabFile({header, step + "\textra\tfields"}), Layout::Tab), Err(0, 0));
}

TEST(FieldCutting, MethodAndLevelField) {
  const std::string header = "CRA\t101\t1.5\t0\t0\t0\t0\t4\t4\t3";
  auto stepWith = [&](const std::string& field) {
    const auto slots = Slots(TabFile({header, "CRA\t101\t" + field + "\t1\t2\t3\t4\t5\t6\t4"}), Layout::Tab);
    return DecodeStepRecord(slots[2]);
  };
  EXPECT_EQ(stepWith("TT 250").Method, "TT ");
  EXPECT_EQ(stepWith("TT 250").Level, 250.0f);
  EXPECT_EQ(stepWith("NRM  0").Method, "NRM");
  EXPECT_EQ(stepWith("NRM  0").Level, 0.0f);
  EXPECT_EQ(stepWith("AF 2.5").Level, 2.5f);
  // The level is all of the text after the method, not its last three characters.
  EXPECT_EQ(stepWith("AF 12.5").Level, 12.5f);
  EXPECT_EQ(stepWith("TT  1000").Level, 1000.0f);
  EXPECT_EQ(ErrorOf(TabFile({header, "CRA\t101\tNRM\t1\t2\t3\t4\t5\t6\t4"}), Layout::Tab),
            Err(ErrorNumber::TypeMismatch, 3));
  EXPECT_EQ(ErrorOf(TabFile({header, "CRA\t101\tTT 2x0\t1\t2\t3\t4\t5\t6\t4"}), Layout::Tab),
            Err(ErrorNumber::TypeMismatch, 3));
}

TEST(FieldCutting, TxtNamesOfTwoOrThreeParts) {
  const std::string text =
      "CRA Crussol A   44.90  4.8  -1.6  60.8  5  2 1\n"
      "CRA  101      1.5  0 0 0 0  3  4  2\n"
      "CRA  101      NRM  0 318.0 55.1 320.4 48.9 2.71E-02 0.08  3\n"
      "CRA 102 A  2.5  0 0 0 0  5  6  4\n"
      "CRA 102 A  TT 250  1 2 3 4 5 6  5\n";
  const auto slots = Slots(text, Layout::Txt);
  EXPECT_EQ(DecodeSectionHeader(slots[0]).SectionName, "CRA Crussol A   ");
  EXPECT_EQ(DecodeSectionHeader(slots[0]).Latitude, 44.9f);
  EXPECT_EQ(DecodeSampleHeader(slots[1]).SampleName, "CRA 101         ");
  const StepRecord nrm = DecodeStepRecord(slots[2]);
  EXPECT_EQ(nrm.Method, "NRM");
  EXPECT_EQ(nrm.Level, 0.0f);
  EXPECT_EQ(nrm.GDec, 318.0f);
  const SampleHeader h2 = DecodeSampleHeader(slots[4]);
  EXPECT_EQ(h2.SampleName, "CRA 102 A       ");
  EXPECT_EQ(h2.Meters, 2.5f);
  const StepRecord tt = DecodeStepRecord(slots[5]);
  EXPECT_EQ(tt.Method, "TT ");
  EXPECT_EQ(tt.Level, 250.0f);
  EXPECT_EQ(tt.GDec, 1.0f);
  EXPECT_EQ(tt.Error, 6.0f);
  // A third name part must be followed by the method: anything else stops at once
  // instead of shifting every value by one field.
  EXPECT_EQ(ErrorOf(Replace(text, "CRA 102 A  TT 250", "CRA 102 A  B 250"), Layout::Txt),
            Err(ErrorNumber::TypeMismatch, 5));
  EXPECT_EQ(ErrorOf(Replace(text, "CRA 102 A  TT 250", "CRA 102 A  tt 250"), Layout::Txt),
            Err(ErrorNumber::TypeMismatch, 5));
}

TEST(LineNumbers, OnlyTheirDifferencesAndTheNextHeaderCount) {
  // Line numbers far from the physical positions: 3 steps (103 - 100), then a sample
  // without steps, and the next header 1000 ends the section (last line 1000).
  const std::string text =
      "CRA\tCrussol\t44.90\t4.8\t-1.6\t60.8\t1000\t2\t1\n"
      "CRA\t101\t1.5\t0\t0\t0\t0\t103\t200\t100\n"
      "CRA\t101\tNRM  0\t1\t2\t3\t4\t5\t6\t7\n"
      "CRA\t101\tTT 100\t1\t2\t3\t4\t5\t6\t7\n"
      "CRA\t101\tTT 200\t1\t2\t3\t4\t5\t6\t7\n"
      "CRA\t102\t2.5\t0\t0\t0\t0\t200\t1000\t200\n"
      "lines after the last sample are not read\n";
  const auto slots = Slots(text, Layout::Tab);
  EXPECT_EQ(DecodeSectionHeader(slots[0]).SampleCount, 2);
  EXPECT_EQ(DecodeSampleHeader(slots[1]).StepCount, 4);
  EXPECT_EQ(DecodeSampleHeader(slots[6]).StepCount, 1);
  EXPECT_EQ(DecodeSampleHeader(slots[6]).SampleName, "CRA 102         ");
  EXPECT_EQ(DecodeSectionHeader(slots[0]).LastRecord, 9);

  // "app": own line 2, last line 15, next header 16: 13 measured steps.
  std::string app = "CRA Crussol      44.90  4.80  -1.6    60.8     16    1         1\n"
                    "CRA 101           1.50   0.0   0.0   0.0   0.0      15    16   2\n";
  for (int k = 0; k < 13; ++k) app += "CRA 101       TT " + std::to_string(100 + k) + "   10.0 20.0   30.0 40.0  1.00E-03  0.10\n";
  const auto appSlots = Slots(app, Layout::App);
  EXPECT_EQ(DecodeSampleHeader(appSlots[1]).StepCount, 14);
  EXPECT_EQ(DecodeStepRecord(appSlots[14]).Level, 112.0f);
  EXPECT_EQ(DecodeSectionHeader(appSlots[0]).LastRecord, 17);
}

TEST(ConversionErrors, CarryTheLineBeingRead) {
  const LabSection sec = SmallSection();
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    const std::string text = WriteLab(sec, layout);
    // A declination that is not a number, on line 4 (the second step of sample 1).
    const std::string bad = layout == Layout::App ? Replace(text, "   12.3", "   1x.3") : Replace(text, "12.3", "1x.3");
    EXPECT_EQ(ErrorOf(bad, layout), Err(ErrorNumber::TypeMismatch, 4));
    // The file ends inside sample 2: the line expected next is reported.
    size_t cut = 0;
    for (int k = 0; k < 7; ++k) cut = text.find('\n', cut) + 1;
    EXPECT_EQ(ErrorOf(text.substr(0, cut), layout),
              layout == Layout::Nta ? Err(0, 0) : Err(ErrorNumber::PastEndOfFile, 8));
    EXPECT_EQ(ErrorOf("", layout), Err(ErrorNumber::PastEndOfFile, 1));
  }
}

TEST(ConversionErrors, AtMost49MeasuredStepsAnd500Samples) {
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    // 49 measured steps fill the 50 step slots with the origin step.
    LabSection sec = FullLabSection(2, 49);
    const auto slots = Slots(WriteLab(sec, layout), layout);
    EXPECT_EQ(DecodeSampleHeader(slots[1]).StepCount, 50);
    // A 50th step does not fit: reported on the line of that step (sample 2's header
    // is line 52, its 50th step line 102).
    sec = FullLabSection(3, 49);
    sec.samples[1].steps.push_back(sec.samples[1].steps.back());
    EXPECT_EQ(ErrorOf(WriteLab(sec, layout), layout), Err(ErrorNumber::SubscriptRange, 102));
    // The 501st sample is refused at its header line.
    sec = FullLabSection(501, 0);
    EXPECT_EQ(ErrorOf(WriteLab(sec, layout), layout), Err(ErrorNumber::SubscriptRange, 502));
    sec.samples.pop_back();
    EXPECT_EQ(DecodeSectionHeader(Slots(WriteLab(sec, layout), layout)[0]).SampleCount, 500);
  }
}

TEST(ConversionErrors, ASampleWhoseLastLineIsBeforeItsOwnLine) {
  const std::string text = TabFile({"CRA\t101\t1.5\t0\t0\t0\t0\t1\t4\t2", "CRA\t102\t1.5\t0\t0\t0\t0\t3\t4\t3"});
  EXPECT_EQ(ErrorOf(text, Layout::Tab), Err(ErrorNumber::SubscriptRange, 2));
}

TEST(ConversionErrors, ShortFixedColumnLinesReadAsPadded) {
  const std::string text = WriteLab(SmallSection(), Layout::App);
  // Line 3 cut after its intensity: the error columns are blank, not a number.
  const size_t l3 = text.find('\n', text.find('\n') + 1) + 1;
  std::string cut = text;
  cut.erase(l3 + 54, 10);
  EXPECT_EQ(ErrorOf(cut, Layout::App), Err(ErrorNumber::TypeMismatch, 3));
  EXPECT_EQ(ErrorOf("CRA\n", Layout::App), Err(ErrorNumber::TypeMismatch, 1));
}

TEST(Nta, GroupsByNameAndSkipsBlankLines) {
  const std::string text =
      "CRA Crussol A\t44.90\t4.8\t-1.6\t60.8\r\n"
      "\r\n"
      "CRA\t101\t1.5\t0\t0\t0\t0\r\n"
      "CRA\t101\tNRM  0\t1\t2\t3\t4\t5\t6\r\n"
      "   \r\n"
      "CRA\t101\tTT 100\t1\t2\t3\t4\t5\t6\r\n"
      "CRA\t102\t2.5\r\n"
      "CRA\tLongSampleName-1\t3.5\r\n"
      "CRA\tLongSampleName-2\tAF 020\t1\t2\t3\t4\t5\t6\r\n"
      "\r\n";
  const auto slots = Slots(text, Layout::Nta);
  const SectionHeader h = DecodeSectionHeader(slots[0]);
  EXPECT_EQ(h.SectionName, "CRA Crussol A   ");  // the first field, spaces and all
  EXPECT_EQ(h.RecordNumber, 1);
  EXPECT_EQ(h.SampleCount, 3);
  EXPECT_EQ(DecodeSampleHeader(slots[1]).StepCount, 3);
  // A sample without step lines: its origin step, and the next sample two slots on.
  EXPECT_EQ(DecodeSampleHeader(slots[5]).StepCount, 1);
  EXPECT_EQ(DecodeSampleHeader(slots[5]).NextSample, 8);
  // Names equal in their first 16 characters form one sample.
  EXPECT_EQ(DecodeSampleHeader(slots[7]).SampleName, "CRA LongSampleNa");
  EXPECT_EQ(DecodeSampleHeader(slots[7]).StepCount, 2);
  EXPECT_EQ(DecodeStepRecord(slots[8]).Level, 20.0f);
  // Error lines count the blank lines too (the physical line).
  EXPECT_EQ(ErrorOf(Replace(text, "TT 100\t1", "TT 100\tx"), Layout::Nta), Err(ErrorNumber::TypeMismatch, 6));
  EXPECT_EQ(ErrorOf(Replace(text, "CRA\t102\t2.5", "CRA102 2.5"), Layout::Nta), Err(ErrorNumber::InvalidCall, 7));
}

TEST(Encoding, Utf8AndIso8859Files) {
  const LabSection sec = SmallSection();
  LabSection named = sec;
  named.samples[0].name2 = "M\xFCller";  // ISO 8859-1
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    const std::string latin1 = WriteLab(named, layout);
    const std::string expected = Bytes(ExpectedSlots(named));
    EXPECT_EQ(Read(latin1, layout), expected);
    // The same file in UTF-8 (a column is a character), with or without a byte-order mark.
    const std::string utf8 = Latin1ToUtf8(latin1);
    EXPECT_EQ(Read(utf8, layout), expected);
    EXPECT_EQ(Read("\xEF\xBB\xBF" + utf8, layout), expected);
    // A character ISO 8859-1 cannot store stops the conversion at its line.
    const std::string euro = Replace(utf8, "M\xC3\xBCller", "M\xE2\x82\xACller");
    EXPECT_EQ(ErrorOf(euro, layout), Err(ErrorNumber::InvalidCall, 2));
  }
}
