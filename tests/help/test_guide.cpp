// The guide: its headings, the column tables and examples against the converter, the about texts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "convert/lab_file.h"
#include "help/guide.h"
#include "remanex_version.h"
#include "store/text.h"

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

// The columns of "app" tile each line in order up to column 64, and the guide lists
// each as "first-last   field".
TEST(Guide, AppColumnTablesListTheConvertersColumns) {
  const std::string text = HelpText();
  for (const std::span<const AppField> fields : {AppSectionFields(), AppSampleFields(), AppStepFields()}) {
    size_t previousLast = 0;
    for (const AppField& f : fields) {
      EXPECT_TRUE(f.columns.first > previousLast && f.columns.first <= f.columns.last) << f.field;
      const std::string range = std::to_string(f.columns.first) + "-" + std::to_string(f.columns.last);
      EXPECT_NE(text.find(AlignRight(range, 7) + "   " + std::string(f.field) + "\r\n"), std::string::npos) << f.field;
      previousLast = f.columns.last;
    }
    EXPECT_EQ(previousLast, 64u);
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
