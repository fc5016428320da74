#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "convert/lab_file.h"
#include "help/guide.h"
#include "remanex_version.h"

using namespace rmx;

namespace {

std::vector<std::string> Lines(const std::string& crlf) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = crlf.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(crlf.substr(start, end - start));
  if (start < crlf.size()) lines.push_back(crlf.substr(start));
  return lines;
}

}  // namespace

TEST(Guide, HeadingsFixedLinesAndAboutTexts) {
  const std::string text = HelpText();
  size_t at = 0;
  for (const char* heading : GuideHeadings) {
    const size_t found = text.find(std::string(heading) + "\r\n", at);
    ASSERT_NE(found, std::string::npos) << heading;
    EXPECT_TRUE(found == 0 || text.compare(found - 2, 2, "\r\n") == 0) << heading;
    at = found + 1;
  }
  for (const char* line : {"Each file can contain up to 500 samples, and each sample can have up",
                           "to 50 demagnetization steps.",
                           "'NRM  0' and 'TT ###' have to be 6 characters wide and the last",
                           "three characters have to be numbers.",
                           "       (3) new tab-delimited             *.nta",
                           "Select/Remove Points for Least Square Anslysis"})
    EXPECT_NE(text.find(std::string(line) + "\r\n"), std::string::npos) << line;
  // Plain core text: CR LF only, no lone LF, nothing outside ASCII.
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
    ASSERT_GT(static_cast<unsigned char>(text[i]), 0);
    ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80) << "at " << i;
  }

  // The about texts name this build's version and no old release.
  const std::string version = ProgramVersion;
  EXPECT_EQ(AboutAuthorText().rfind("Remanex Analysis Program\r\nVersion: " + version + "\r\n", 0), 0u);
  EXPECT_EQ(AboutHistoryText().find("\r\n" + version + " "), AboutHistoryText().find("\r\n"));
  EXPECT_NE(AboutContactText().find(std::string(DocDirectory) + "/README.md"), std::string::npos);
  for (const std::string& t : {AboutAuthorText(), AboutContactText(), AboutHistoryText()})
    EXPECT_EQ(t.find("4.4"), std::string::npos) << t;
}

// The column tables the guide prints ("first-last   field" two lines under the title, up
// to a blank line) are the columns the converter reads.
TEST(Guide, AppColumnTablesAreTheConvertersColumns) {
  const auto lines = Lines(HelpText());
  const struct {
    const char* title;
    std::span<const AppField> fields;
  } tables[] = {{"Line#1:    Header of *.app files", AppSectionFields()},
                {"Line#2:    Header of a sample", AppSampleFields()},
                {"Line#3:    NRM data of a sample", AppStepFields()}};
  for (const auto& t : tables) {
    size_t i = 0;
    while (i < lines.size() && lines[i].rfind(t.title, 0) != 0) ++i;
    ASSERT_LT(i, lines.size()) << t.title;
    size_t k = 0, previousLast = 0;
    for (i += 2; i < lines.size() && !lines[i].empty(); ++i, ++k) {
      size_t first = 0, last = 0;
      int used = 0;
      if (std::sscanf(lines[i].c_str(), " %zu-%zu %n", &first, &last, &used) < 2) break;
      ASSERT_LT(k, t.fields.size()) << t.title;
      EXPECT_EQ(first, t.fields[k].columns.first) << t.title << " row " << k;
      EXPECT_EQ(last, t.fields[k].columns.last) << t.title << " row " << k;
      EXPECT_EQ(lines[i].substr(static_cast<size_t>(used)), t.fields[k].field);
      // Fields follow each other without overlapping, inside the 64 columns.
      EXPECT_GT(first, previousLast) << t.title << " row " << k;
      EXPECT_LE(first, last);
      previousLast = last;
    }
    EXPECT_EQ(k, t.fields.size()) << t.title;
    EXPECT_EQ(previousLast, 64u) << t.title;
  }
}

// Each example of the guide is printed as it is and converts; all five hold the same
// section, so they become the same sample file.
TEST(Guide, ExamplesConvertToTheSameSampleFile) {
  const std::string text = HelpText();
  const Converted app = ReadLaboratoryFile(GuideExample(Layout::App), Layout::App);
  const SectionHeader header = DecodeSectionHeader(app.records[0]);
  EXPECT_EQ(header.SectionName, "CRA Crussol     ");
  EXPECT_EQ(header.SampleCount, 2);
  EXPECT_EQ(header.LastRecord, 2 + (3 + 2) + (4 + 2));
  EXPECT_EQ(app.linesRead, 10);
  for (Layout layout : {Layout::App, Layout::Tab, Layout::Nta, Layout::Cma, Layout::Txt}) {
    const std::string example = GuideExample(layout);
    EXPECT_NE(text.find(example), std::string::npos) << static_cast<int>(layout);
    EXPECT_EQ(ReadLaboratoryFile(example, layout).records, app.records) << static_cast<int>(layout);
  }
  // Every line of the fixed-column example is 64 characters.
  for (const auto& line : Lines(GuideExample(Layout::App))) EXPECT_EQ(line.size(), 64u) << line;
}
