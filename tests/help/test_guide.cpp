// The guide: its headings, the column tables and examples against the converter, the about texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "convert/lab_file.h"
#include "help/guide.h"
#include "remanex_version.h"

using namespace rmx;

namespace {

std::vector<std::string> Lines(const std::string& crlf) {
  std::vector<std::string> lines;
  std::istringstream in(crlf);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
  return lines;
}

}  // namespace

TEST(Guide, HeadingsPlainTextAndAboutTexts) {
  const std::string text = HelpText();
  size_t at = 0;
  for (const char* heading : GuideHeadings) {
    const size_t found = text.find(std::string(heading) + "\r\n", at);
    ASSERT_NE(found, std::string::npos) << heading;
    EXPECT_TRUE(found == 0 || text.compare(found - 2, 2, "\r\n") == 0) << heading;
    at = found + 1;
  }
  // Plain core text: CR LF only, no lone LF, nothing outside ASCII.
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = text[i];
    ASSERT_TRUE(c > 0 && c < 0x80 && (c != '\n' || (i > 0 && text[i - 1] == '\r'))) << "at " << i;
  }
  // The about texts name this build's version and no old release.
  const std::string version = ProgramVersion;
  EXPECT_EQ(AboutAuthorText().rfind("Remanex Analysis Program\r\nVersion: " + version + "\r\n", 0), 0u);
  EXPECT_EQ(AboutHistoryText().find("\r\n" + version + " "), AboutHistoryText().find("\r\n"));
  EXPECT_NE(AboutContactText().find(std::string(DocDirectory) + "/README.md"), std::string::npos);
  for (const std::string& t : {AboutAuthorText(), AboutContactText(), AboutHistoryText()})
    EXPECT_EQ(t.find("4.4"), std::string::npos) << t;
}

// The column tables ("first-last   field" from two lines under the title) are the converter's columns.
TEST(Guide, AppColumnTablesAreTheConvertersColumns) {
  const auto lines = Lines(HelpText());
  const struct { const char* title; std::span<const AppField> fields; } tables[] = {
      {"Line#1:    Header of *.app files", AppSectionFields()},
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
      EXPECT_TRUE(first == t.fields[k].columns.first && last == t.fields[k].columns.last) << t.title << " row " << k;
      EXPECT_EQ(lines[i].substr(static_cast<size_t>(used)), t.fields[k].field);
      EXPECT_TRUE(first > previousLast && first <= last) << t.title << " row " << k;  // in order, not overlapping
      previousLast = last;
    }
    EXPECT_TRUE(k == t.fields.size() && previousLast == 64) << t.title;
  }
}

// Each example of the guide is printed as it is and converts to the same sample file.
TEST(Guide, ExamplesConvertToTheSameSampleFile) {
  const std::string text = HelpText();
  const Converted app = ReadLaboratoryFile(GuideExample(Layout::App), Layout::App);
  const SectionHeader header = DecodeSectionHeader(app.records[0]);
  EXPECT_EQ(header.SectionName, "CRA Crussol     ");
  EXPECT_TRUE(header.SampleCount == 2 && header.LastRecord == 2 + (3 + 2) + (4 + 2) && app.linesRead == 10);
  for (Layout layout : {Layout::App, Layout::Tab, Layout::Nta, Layout::Cma, Layout::Txt}) {
    const std::string example = GuideExample(layout);
    EXPECT_NE(text.find(example), std::string::npos) << static_cast<int>(layout);
    EXPECT_EQ(ReadLaboratoryFile(example, layout).records, app.records) << static_cast<int>(layout);
  }
  for (const auto& line : Lines(GuideExample(Layout::App))) EXPECT_EQ(line.size(), 64u) << line;
}
