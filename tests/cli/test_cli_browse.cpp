#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "support/cli_run.h"
#include "support/magbuilder.h"

using namespace rmx::test;

class CliBrowse : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("s.mag");
  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f)}},
                    {"M\xFCller", {}, 0}};
    WriteMag(path, plan);
  }
};

TEST_F(CliBrowse, SamplesPrintsTheSampleListInUtf8) {
  const CliResult r = RunCli({"samples", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "  Sample     Active\nS1              Yes\nM\xC3\xBCller           No\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(CliBrowse, ListingPrintsTheDataListing) {
  const CliResult r = RunCli({"listing", path, "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            " Steps     GDec   GInc    TDec   TInc  Intensity  Error  LSquare  Plot\n"
            "NRM   0   318.0   80.8   344.8   75.0   2.71E-02   0.08     No    Yes\n"
            "ORG   0     0.0    0.0     0.0    0.0   0.00E+00   0.00     No     No\n"
            "      *************** Sample: S1               *************** \n");
}

TEST_F(CliBrowse, ErrorsAndUsage) {
  for (const char* n : {"0", "3"}) {
    const CliResult r = RunCli({"listing", path, n});
    EXPECT_EQ(r.status, 1) << n;
    EXPECT_EQ(r.err.rfind("remanex-cli: " + path + ": ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
  }
  const CliResult missing = RunCli({"samples", dir.File("none.mag")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;

  WriteBytes(path, std::string(64, '\x7F'));
  const CliResult refused = RunCli({"samples", path});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("0 to 500"), std::string::npos) << refused.err;

  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"listing", path}).status, 2);
  EXPECT_EQ(RunCli({"listing", path, "x"}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("remanex-cli listing FILE.mag N"), std::string::npos);
}

TEST_F(CliBrowse, EmptyFileIsAnEmptySection) {
  WriteBytes(path, "");
  const CliResult r = RunCli({"samples", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "  Sample     Active\n");
}

TEST_F(CliBrowse, AFileIsNamedByItsOwnBytesAndDamagedSamplesAreRefused) {
  const std::string named = dir.File("M\xC3\xBCller.mag");  // a UTF-8 file name
  WriteBytes(named, ReadBytes(path));
  std::string bytes = ReadBytes(named);
  bytes.replace(2 * 64 + 4, 4, std::string("\x00\x00\xC0\x7F", 4));  // step 1 GInc: NaN
  WriteBytes(named, bytes);
  EXPECT_EQ(RunCli({"samples", named}).status, 0);
  const CliResult r = RunCli({"listing", named, "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "remanex-cli: " + named + ": Sample \"S1\" (record 3): the stored GInc is not a number: the file is damaged.\n");
  const CliResult missing = RunCli({"samples", dir.File("\xC3\xA9t\xC3\xA9.mag")});
  EXPECT_EQ(missing.err.rfind("remanex-cli: " + dir.File("\xC3\xA9t\xC3\xA9.mag") + ": ", 0), 0u) << missing.err;
}
