// Reading the five laboratory layouts into sample-file slots (no files involved).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "convert/lab_file.h"
#include "convert/lab_writer.h"
#include "store/errors.h"

using namespace rmx;
using namespace rmx::test;
namespace E = rmx::ErrorNumber;

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

const std::string TxtText = "CRA Crussol A   44.90  4.8  -1.6  60.8  5  2 1\n"
                        "CRA  101      1.5  0 0 0 0  3  4  2\n"
                        "CRA  101      NRM  0 318.0 55.1 320.4 48.9 2.71E-02 0.08  3\n"
                        "CRA 102 A  2.5  0 0 0 0  5  6  4\n"
                        "CRA 102 A  TT 250  1 2 3 4 5 6  5\n";
const std::string NtaText = "CRA Crussol A\t44.90\t4.8\t-1.6\t60.8\r\n\r\nCRA\t101\t1.5\t0\t0\t0\t0\r\n"
                        "CRA\t101\tNRM  0\t1\t2\t3\t4\t5\t6\r\n   \r\nCRA\t101\tTT 100\t1\t2\t3\t4\t5\t6\r\n"
                        "CRA\t102\t2.5\r\n";

std::vector<Slot> Slots(const std::string& text, Layout layout) {
  const auto records = ReadLaboratoryFile(text, layout).records;
  return {records.begin(), records.end()};
}
std::string Read(const std::string& text, Layout layout) { return Bytes(Slots(text, layout)); }

// The number and line of the error a text gives; {0, 0} when it converts.
std::pair<int, int64_t> ErrorOf(const std::string& text, Layout layout) {
  try {
    ReadLaboratoryFile(text, layout);
  } catch (const ConvertError& e) {
    return {e.number, e.line};
  }
  return {0, 0};
}

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

const std::string Header = "CRA\t101\t1.5\t0\t0\t0\t0\t4\t5\t3";
const std::string Nrm = "CRA\t101\tNRM  0\t318.0\t55.1\t320.4\t48.9\t2.71E-02\t0.08\t4";
std::string TabStep(const std::string& methodAndLevel) {
  return TabFile({"CRA\t101\t1.5\t0\t0\t0\t0\t4\t4\t3", "CRA\t101\t" + methodAndLevel + "\t1\t2\t3\t4\t5\t6\t4"});
}

}  // namespace

TEST(LabLayouts, EveryLayoutAndLineEndGivesTheSameSampleFile) {
  const LabSection sec = SmallSection();
  const std::string expected = Bytes(ExpectedSlots(sec));
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    std::string unterminated = WriteLab(sec, layout), mixed;
    unterminated.resize(unterminated.size() - 2);
    int n = 0;
    for (char c : WriteLab(sec, layout, "\n"))
      mixed += c != '\n' ? std::string(1, c) : ++n % 3 == 0 ? "\r" : n % 3 == 1 ? "\r\n" : "\n";
    // LF or CR alone or mixed, blank lines at the end and a last line without its end read the same.
    for (const std::string& text : {WriteLab(sec, layout), WriteLab(sec, layout, "\n"), WriteLab(sec, layout, "\r"),
                                    WriteLab(sec, layout) + "\r\n  \r\n\t\n", unterminated, mixed})
      EXPECT_EQ(Read(text, layout), expected);
  }
  const struct { const char* name; std::optional<Layout> want; } names[] = {
      {"CRA.APP", Layout::App}, {"x.Txt", Layout::Txt}, {"site.a.nta", Layout::Nta}, {"cma", Layout::Cma},
      {"CRA.csv", std::nullopt}, {"ab", std::nullopt}, {"CRA.mag", std::nullopt}};
  for (const auto& n : names) EXPECT_EQ(LayoutOf(n.name), n.want) << n.name;
}

TEST(FieldCutting, RunsOfSeparatorsEmptyFieldsAndNamesOfThreeParts) {
  // ",," after the inclination is skipped and trailing empty fields are never looked at.
  const auto cma = Slots("CRA,Crussol A0-A,44.90,4.8,-1.6,60.8,,296,25,1,,,,,,,,,,,\r\n"
                         "CRA,101,,1.5,,,0,0,0,0,,3,,296,,2\r\n"
                         "CRA,101,NRM  0,,,318.0,55.1,320.4,48.9,2.71E-2,,0.08,3,,\r\n",
                         Layout::Cma);
  LabSection one;
  one.name2 = "Crussol A0-A";
  one.lat = "44.90", one.lon = "4.8";
  one.samples = {{"CRA", "101", "1.5", {{"NRM", "0", "318.0", "55.1", "320.4", "48.9", "2.71E-2", "0.08"}}}};
  EXPECT_EQ(Bytes(cma), Bytes(ExpectedSlots(one)));  // one sample: the samples written, not the 25 claimed
  one.name2 = "Crussol A";
  one.samples.push_back({"CRA", "102 A", "2.5", {{"TT", "250", "1", "2", "3", "4", "5", "6"}}});
  EXPECT_EQ(Read(TxtText, Layout::Txt), Bytes(ExpectedSlots(one)));

  // The level is all of the text after the method, not its last three characters.
  const struct { const char* field; const char* method; float level; } levels[] = {
      {"TT 250", "TT ", 250}, {"NRM  0", "NRM", 0}, {"AF 2.5", "AF ", 2.5f}, {"AF 12.5", "AF ", 12.5f},
      {"TT  1000", "TT ", 1000}};
  for (const auto& l : levels) {
    const StepRecord step = DecodeStepRecord(Slots(TabStep(l.field), Layout::Tab)[2]);
    EXPECT_EQ(step.Method, l.method) << l.field;
    EXPECT_EQ(step.Level, l.level) << l.field;
  }
}

TEST(FieldCutting, ErrorsCarryTheirNumberAndPhysicalLine) {
  std::string app = WriteLab(SmallSection(), Layout::App);
  app.erase(app.find('\n', app.find('\n') + 1) + 1 + 54, 10);  // line 3 cut after its intensity
  const struct { const char* what; Layout layout; std::string text; int number; int64_t line; } cases[] = {
      {"complete", Layout::Tab, TabFile({Header, Nrm}), 0, 0},
      {"extra fields", Layout::Tab, TabFile({Header, Nrm + "\textra\tfields"}), 0, 0},
      {"no error field", Layout::Tab, TabFile({Header, Nrm.substr(0, Nrm.rfind("\t0.08"))}), E::InvalidCall, 3},
      {"trailing separators", Layout::Tab,
       TabFile({Header, "CRA\t101\tNRM  0\t318.0\t55.1\t320.4\t48.9\t2.71E-02\t\t\t"}), E::InvalidCall, 3},
      {"no own line", Layout::Tab, TabFile({"CRA\t101\t1.5\t0\t0\t0\t0\t4\t5", Nrm}), E::InvalidCall, 2},
      {"no separator", Layout::Tab, TabFile({Header, "CRA 101 NRM 0"}), E::InvalidCall, 3},
      {"short txt header", Layout::Txt, "CRA Crussol   44.90  4.8  -1.6  60.8  3  1\r\n", E::InvalidCall, 1},
      {"no level", Layout::Tab, TabStep("NRM"), E::TypeMismatch, 3},
      {"bad level", Layout::Tab, TabStep("TT 2x0"), E::TypeMismatch, 3},
      // A third name part must be followed by the method, never shift every value.
      {"third part", Layout::Txt, Replace(TxtText, "CRA 102 A  TT 250", "CRA 102 A  B 250"), E::TypeMismatch, 5},
      {"lower case", Layout::Txt, Replace(TxtText, "CRA 102 A  TT 250", "CRA 102 A  tt 250"), E::TypeMismatch, 5},
      {"last before own", Layout::Tab,
       TabFile({"CRA\t101\t1.5\t0\t0\t0\t0\t1\t4\t2", "CRA\t102\t1.5\t0\t0\t0\t0\t3\t4\t3"}), E::SubscriptRange, 2},
      {"short fixed columns", Layout::App, app, E::TypeMismatch, 3},
      {"one short line", Layout::App, "CRA\n", E::TypeMismatch, 1},
      {"nta value", Layout::Nta, Replace(NtaText, "TT 100\t1", "TT 100\tx"), E::TypeMismatch, 6},
      {"nta fields", Layout::Nta, Replace(NtaText, "CRA\t102\t2.5", "CRA102 2.5"), E::InvalidCall, 7}};
  for (const auto& c : cases)
    EXPECT_EQ(ErrorOf(c.text, c.layout), std::make_pair(c.number, c.line)) << c.what;

  const LabSection sec = SmallSection();
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    const std::string text = WriteLab(sec, layout);
    // A declination that is not a number, on line 4.
    const std::string bad = layout == Layout::App ? Replace(text, "   12.3", "   1x.3") : Replace(text, "12.3", "1x.3");
    EXPECT_EQ(ErrorOf(bad, layout), std::make_pair(E::TypeMismatch, int64_t{4}));
    // The file ends inside sample 2: the line expected next is reported.
    size_t cut = 0;
    for (int k = 0; k < 7; ++k) cut = text.find('\n', cut) + 1;
    EXPECT_EQ(ErrorOf(text.substr(0, cut), layout),
              layout == Layout::Nta ? std::make_pair(0, int64_t{0}) : std::make_pair(E::PastEndOfFile, int64_t{8}));
    EXPECT_EQ(ErrorOf("", layout), std::make_pair(E::PastEndOfFile, int64_t{1}));
  }
}

TEST(LineNumbers, OnlyTheirDifferencesAndTheNextHeaderCount) {
  // 3 steps (103 - 100), then a sample without steps; the next header 1000 ends the section.
  const auto slots = Slots("CRA\tCrussol\t44.90\t4.8\t-1.6\t60.8\t1000\t2\t1\n"
                           "CRA\t101\t1.5\t0\t0\t0\t0\t103\t200\t100\n"
                           "CRA\t101\tNRM  0\t1\t2\t3\t4\t5\t6\t7\n"
                           "CRA\t101\tTT 100\t1\t2\t3\t4\t5\t6\t7\n"
                           "CRA\t101\tTT 200\t1\t2\t3\t4\t5\t6\t7\n"
                           "CRA\t102\t2.5\t0\t0\t0\t0\t200\t1000\t200\n"
                           "lines after the last sample are not read\n",
                           Layout::Tab);
  LabSection sec;
  const auto step = [](const char* method, const char* level) {
    return LabStep{method, level, "1", "2", "3", "4", "5", "6"};
  };
  sec.samples = {{"CRA", "101", "1.5", {step("NRM", "0"), step("TT", "100"), step("TT", "200")}},
                 {"CRA", "102", "2.5", {}}};
  EXPECT_EQ(Bytes(slots), Bytes(ExpectedSlots(sec)));

  // "app": own line 2, last line 15, next header 16: 13 measured steps.
  std::string app = "CRA Crussol      44.90  4.80  -1.6    60.8     16    1         1\n"
                    "CRA 101           1.50   0.0   0.0   0.0   0.0      15    16   2\n";
  for (int k = 0; k < 13; ++k)
    app += "CRA 101       TT " + std::to_string(100 + k) + "359.875 20.0   30.0 40.0  1.00E-03  0.10\n";
  const auto appSlots = Slots(app, Layout::App);
  EXPECT_EQ(DecodeSampleHeader(appSlots[1]).StepCount, 14);
  EXPECT_EQ(DecodeStepRecord(appSlots[14]).Level, 112.0f);
  EXPECT_EQ(DecodeStepRecord(appSlots[14]).GDec, 359.875f);  // all seven of its columns
  EXPECT_EQ(DecodeSectionHeader(appSlots[0]).LastRecord, 17);
}

TEST(LineNumbers, AtMost49MeasuredStepsAnd500Samples) {
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    LabSection sec = FullLabSection(2, 49);  // 49 steps and the origin fill the 50 slots
    EXPECT_EQ(DecodeSampleHeader(Slots(WriteLab(sec, layout), layout)[1]).StepCount, 50);
    // A 50th step: reported on its line (sample 2's header is line 52).
    sec = FullLabSection(3, 49);
    sec.samples[1].steps.push_back(sec.samples[1].steps.back());
    EXPECT_EQ(ErrorOf(WriteLab(sec, layout), layout), std::make_pair(E::SubscriptRange, int64_t{102}));
    sec = FullLabSection(501, 0);
    EXPECT_EQ(ErrorOf(WriteLab(sec, layout), layout), std::make_pair(E::SubscriptRange, int64_t{502}));
    sec.samples.pop_back();
    EXPECT_EQ(DecodeSectionHeader(Slots(WriteLab(sec, layout), layout)[0]).SampleCount, 500);
  }
}

TEST(Nta, GroupsByNameAndSkipsBlankLines) {
  const auto slots = Slots(NtaText + "CRA\tLongSampleName-1\t3.5\r\n"
                           "CRA\tLongSampleName-2\tAF 020\t1\t2\t3\t4\t5\t6\r\n\r\n",
                           Layout::Nta);
  // The first field is the section's name, spaces and all; a sample without step lines
  // holds the origin only; names equal in their first 16 characters form one sample.
  LabSection sec;
  sec.name2 = "Crussol A";
  sec.lat = "44.90", sec.lon = "4.8";
  sec.samples = {{"CRA", "101", "1.5",
                  {{"NRM", "0", "1", "2", "3", "4", "5", "6"}, {"TT", "100", "1", "2", "3", "4", "5", "6"}}},
                 {"CRA", "102", "2.5", {}},
                 {"CRA", "LongSampleName-1", "3.5", {{"AF", "020", "1", "2", "3", "4", "5", "6"}}}};
  EXPECT_EQ(Bytes(slots), Bytes(ExpectedSlots(sec)));
}

TEST(Encoding, Utf8AndIso8859Files) {
  LabSection named = SmallSection();
  named.samples[0].name2 = "M\xFCller";  // ISO 8859-1
  const std::string expected = Bytes(ExpectedSlots(named));
  for (Layout layout : AllLayouts) {
    SCOPED_TRACE(LayoutExtension(layout));
    const std::string latin1 = WriteLab(named, layout);
    const std::string utf8 = Latin1ToUtf8(latin1);  // a column is a character
    for (const std::string& text : {latin1, utf8, "\xEF\xBB\xBF" + utf8}) EXPECT_EQ(Read(text, layout), expected);
    // A character ISO 8859-1 cannot store stops the conversion at its line.
    EXPECT_EQ(ErrorOf(Replace(utf8, "M\xC3\xBCller", "M\xE2\x82\xACller"), layout),
              std::make_pair(E::InvalidCall, int64_t{2}));
  }
}
