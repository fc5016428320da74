// remanex-cli samples and listing: the texts the main window shows, in UTF-8.
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/magbuilder.h"

using namespace rmx::test;

TEST(CliBrowse, SamplesAndListingPrintTheWindowsTexts) {
  TempDir dir;
  const std::string path = dir.File("s.mag");
  WriteMag(path, {"Test Section", 70.96f, 351.39f,
                  {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)}}, {"M\xFCller", {}, 0}}});
  const struct { std::vector<std::string> args; const char* out; } cases[] = {
      {{"samples", path}, "  Sample     Active\nS1              Yes\nM\xC3\xBCller           No\n"},
      {{"listing", path, "1"},
       " Steps     GDec   GInc    TDec   TInc  Intensity  Error  LSquare  Plot\n"
       "NRM   0   318.0   80.8   344.8   75.0   2.71E-02   0.08     No    Yes\n"
       "ORG   0     0.0    0.0     0.0    0.0   0.00E+00   0.00     No     No\n"
       "      *************** Sample: S1               *************** \n"}};
  for (const auto& c : cases) {
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }
  // A file is named by its own bytes; a damaged value is refused, never printed.
  const std::string named = dir.File("M\xC3\xBCller.mag");
  std::string bytes = ReadBytes(path);
  WriteBytes(named, bytes.replace(2 * 64 + 4, 4, std::string("\x00\x00\xC0\x7F", 4)));  // step 1 GInc: NaN
  EXPECT_EQ(RunCli({"samples", named}).status, 0);
  const CliResult damaged = RunCli({"listing", named, "1"});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.out, "");
  EXPECT_EQ(damaged.err, "remanex-cli: " + named + ": Sample \"S1\" (record 3): the stored GInc is not a number: the file is damaged.\n");

  const std::string missing = dir.File("\xC3\xA9t\xC3\xA9.mag"), broken = dir.File("broken.mag");
  WriteBytes(broken, std::string(64, '\x7F'));
  const struct { std::vector<std::string> args; int status; std::string err; } failures[] = {
      {{"listing", path, "0"}, 1, "remanex-cli: " + path + ": "}, {{"listing", path, "3"}, 1, "remanex-cli: " + path + ": "},
      {{"samples", missing}, 1, "remanex-cli: " + missing + ": "}, {{"samples", missing}, 1, "does not exist"},
      {{"samples", broken}, 1, "0 to 500"}, {{}, 2, ""}, {{"listing", path}, 2, ""}, {{"listing", path, "x"}, 2, ""},
      {{"frobnicate"}, 2, ""}};
  for (const auto& f : failures) {
    const CliResult r = RunCli(f.args);
    EXPECT_EQ(r.status, f.status) << r.err;
    const size_t at = r.err.find(f.err);  // the file's name leads the message
    EXPECT_TRUE(at != std::string::npos && (at == 0 || f.err.rfind("remanex-cli: ", 0) != 0)) << r.err;
    EXPECT_EQ(r.out, "");
  }
  WriteBytes(path, "");
  EXPECT_EQ(RunCli({"samples", path}).out, "  Sample     Active\n");  // an empty file is an empty section
}
