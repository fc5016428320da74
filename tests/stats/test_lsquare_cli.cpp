#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "fit_helpers.h"
#include "store/sample_file.h"

using namespace rmx;
using namespace rmx::test;

namespace {

struct CliRun {
  int code = -1;
  std::string out, err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

CliRun Cli(const TempDir& dir, const std::vector<std::string>& args) {
  std::string cmd = Quote(REMANEX_CLI);
  for (const auto& a : args) cmd += " " + Quote(a);
  cmd += " >" + Quote(dir.File("out.txt")) + " 2>" + Quote(dir.File("err.txt"));
  const int status = std::system(cmd.c_str());
  CliRun r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadBytes(dir.File("out.txt"));
  r.err = ReadBytes(dir.File("err.txt"));
  return r;
}

std::vector<int32_t> Flags(const std::string& path, int32_t headerSlot) {
  SampleFile f = SampleFile::Open(path);
  const SampleHeader h = f.ReadSampleHeader(headerSlot);
  std::vector<int32_t> flags;
  for (int k = 1; k <= h.StepCount; ++k) flags.push_back(f.ReadStep(headerSlot + k).LSquare);
  return flags;
}

class FitCli : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.File("S.mag");
    SectionPlan plan;
    plan.samples.push_back({"S 1", {StepFromVector({3, 3, 2}, 100), StepFromVector({2, 2, 1}, 200),
                                    StepFromVector({1, 1, 0}, 300)}});
    plan.samples.push_back({"S 2", {StepFromVector({1, 0, 0}, 100)}});
    plan.samples[0].steps[2].LSquare = 7;  // not exactly 1: reads as unselected
    WriteMag(path, plan);
  }
  TempDir dir;
  std::string path;
};

}  // namespace

TEST_F(FitCli, FitsExactlyTheListedStepsAndPrintsTheListing) {
  CliRun r = Cli(dir, {"fit", path, "1", "--steps", "1,2,ORG", "--label", "np"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{1, 1, 0, 1}));
  const CliRun listing = Cli(dir, {"listing", path, "1"});
  EXPECT_EQ(r.out, listing.out);
  EXPECT_NE(r.out.find("\nNP        45.00"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("      2    Yes \n"), std::string::npos) << r.out;

  // The last step's number is the origin too; the selection is replaced.
  r = Cli(dir, {"fit", path, "1", "--steps=3,4", "--label=R"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{0, 0, 1, 1}));

  // An empty list clears the selection and the result; no label is needed.
  r = Cli(dir, {"fit", path, "1", "--steps", ""});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).LSquareRecord, 0);
  EXPECT_EQ(r.out.find("Least Square Analysis"), std::string::npos);
}

TEST_F(FitCli, BadLabelsStepsAndUsageChangeNothing) {
  const std::string before = ReadBytes(path);
  CliRun r = Cli(dir, {"fit", path, "1", "--steps", "1,2", "--label", " N"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("not a polarity label"), std::string::npos) << r.err;
  r = Cli(dir, {"fit", path, "1", "--steps", "1,5", "--label", "N"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("has no step 5"), std::string::npos) << r.err;
  r = Cli(dir, {"fit", path, "3", "--steps", "1", "--label", "N"});
  EXPECT_EQ(r.code, 1);
  r = Cli(dir, {"fit", path, "1", "--steps", "1,2"});
  EXPECT_EQ(r.code, 2);
  r = Cli(dir, {"fit", path, "1", "--label", "N"});
  EXPECT_EQ(r.code, 2);
  r = Cli(dir, {"fit", path, "1", "--steps", "1,,2", "--label", "N"});
  EXPECT_EQ(r.code, 2);
  r = Cli(dir, {"fit", path, "1", "--steps", "x", "--label", "N"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(FitCli, ResultsPrintsTheListingOfAllResults) {
  CliRun r = Cli(dir, {"results", path});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "No Least Square Data Available!\n");
  ASSERT_EQ(Cli(dir, {"fit", path, "2", "--steps", "1", "--label", "INT"}).code, 0);
  r = Cli(dir, {"results", path});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "   Sample         Meters  Label   GDec   GInc    TDec   TInc Intensity  Error #Points\n"
            "S 2                 0.00  INT     0.00   0.00    0.00   0.00  1.00E+00   0.00     1\n"
            "\n"
            "******** (AF) Temperature Steps Used in Least Square Analysis ********\n"
            "S 2               100\n");
  EXPECT_EQ(Cli(dir, {"results"}).code, 2);
  EXPECT_EQ(Cli(dir, {"results", dir.File("missing.mag")}).code, 1);
}
