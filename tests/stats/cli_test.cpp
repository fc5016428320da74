// remanex-cli fisher, fit and results: the commands headless, against the core.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fit_helpers.h"
#include "site_helpers.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::test;

namespace {

std::string Lf(std::string s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i)
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out.push_back(s[i]);
  return out;
}

CliResult Command(const std::string& command, const std::string& path, std::vector<std::string> args) {
  args.insert(args.begin(), {command, path});
  return RunCli(args);
}

std::vector<int32_t> Flags(const std::string& path, int32_t headerSlot) {
  SampleFile f = SampleFile::Open(path);
  std::vector<int32_t> flags;
  for (int k = 1; k <= f.ReadSampleHeader(headerSlot).StepCount; ++k) flags.push_back(f.ReadStep(headerSlot + k).LSquare);
  return flags;
}

class Cli : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
};

}  // namespace

TEST_F(Cli, FisherPrintsTheReportOfTheAnswers) {
  SectionPlan plan;
  plan.latitude = 40;
  plan.longitude = 250;
  plan.samples = {{"S1", {Nrm(10, 50), AtLevel("AF", 20, 11, 49)}},
                  {"S2", {Nrm(20, 55), AtLevel("AF", 20, 21, 54)}},
                  {"S3", {Nrm(190, -50), AtLevel("AF", 20, 191, -49)}}};
  WriteMag(path, plan);
  StoreResult(path, 1, Result("N", 10, 50));
  StoreResult(path, 3, Result("R", 190, -50));
  const struct {
    std::vector<std::string> args;
    SiteData data;
    std::vector<std::string> answers;
  } cases[] = {
      {{"--data", "nrm", "--coords", "t", "--estimate", "60,0"}, SiteData::Nrm, {"t", "60", "0"}},
      {{"--data=lsq", "--weighted", "Y", "--coords=G"}, SiteData::LSquare, {"Y", "G"}},
      {{"--data", "af", "--level", "20", "--coords", "g", "--estimate", "-45.5,359.9"},
       SiteData::AlternatingField,
       {"20", "g", "-45.5", "359.9"}},
      // A step that no sample has: the caution ends the report, still a success.
      {{"--data", "at", "--level", "350", "--coords", "g", "--estimate", "0,0"},
       SiteData::ArbitraryTemperature,
       {"350", "g", "0", "0"}},
  };
  for (const auto& c : cases) {
    const CliResult r = Command("fisher", path, c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, Lf(RunSite(c.data, OpenSession(path), c.answers).text)) << c.args[1];
  }
}

TEST_F(Cli, BadOptionsAreUsageErrorsBeforeTheFileIsRead) {
  const std::string none = dir.File("none.mag");
  const std::vector<std::vector<std::string>> bad = {
      {"--coords", "g", "--estimate", "0,0"},                                      // no --data
      {"--data", "pca", "--coords", "g"},                                          // unknown kind
      {"--data", "nrm", "--estimate", "0,0"},                                      // no --coords
      {"--data", "nrm", "--coords", "g"},                                          // no estimate
      {"--data", "nrm", "--coords", "g", "--estimate", "91,0"},                    // inclination out of range
      {"--data", "nrm", "--coords", "g", "--estimate", "a,b"},                     // not numbers
      {"--data", "nrm", "--coords", "g", "--estimate", "0,0", "--level", "20"},    // level for nrm
      {"--data", "af", "--level", "2O", "--coords", "g", "--estimate", "0,0"},     // level not a number
      {"--data", "lsq", "--coords", "g"},                                          // no weighting
      {"--data", "lsq", "--coords", "g", "--weighted", "y", "--estimate", "0,0"},  // estimate for lsq
      {"--data", "lsq", "--coords", "g", "--weighted", "y", "--colour", "red"},    // unknown option
      {none, "--data", "lsq", "--coords", "g", "--weighted", "y"},                 // two files
  };
  for (const auto& args : bad) {
    const CliResult r = Command("fisher", none, args);
    EXPECT_EQ(r.status, 2) << args.back() << "\n" << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: remanex-cli fisher FILE.mag --data"), std::string::npos) << r.err;
  }
  const CliResult missing = Command("fisher", none, {"--data", "lsq", "--coords", "g", "--weighted", "n"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("remanex-cli: " + none + ": ", 0), 0u) << missing.err;
}

TEST_F(Cli, FitSelectsExactlyTheListedStepsAndResultsListsThem) {
  SectionPlan plan;
  plan.samples.push_back({"S 1", {StepFromVector({3, 3, 2}, 100), StepFromVector({2, 2, 1}, 200),
                                  StepFromVector({1, 1, 0}, 300)}});
  plan.samples.push_back({"S 2", {StepFromVector({1, 0, 0}, 100)}});
  plan.samples[0].steps[2].LSquare = 7;  // not exactly 1: reads as unselected
  WriteMag(path, plan);

  EXPECT_EQ(Command("results", path, {}).out, "No Least Square Data Available!\n");
  // Usage errors (2) and refusals (1) change nothing.
  const std::string before = ReadBytes(path);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } bad[] = {
      {{"1", "--steps", "1,2", "--label", " N"}, 1, "not a polarity label"},
      {{"1", "--steps", "1,5", "--label", "N"}, 1, "has no step 5"},
      {{"3", "--steps", "1", "--label", "N"}, 1, ""},
      {{"1", "--steps", "1,2"}, 2, ""},
      {{"1", "--label", "N"}, 2, ""},
      {{"1", "--steps", "1,,2", "--label", "N"}, 2, ""},
      {{"1", "--steps", "x", "--label", "N"}, 2, ""},
  };
  for (const auto& c : bad) {
    const CliResult r = Command("fit", path, c.args);
    EXPECT_EQ(r.status, c.status) << c.args[2];
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(path), before);

  CliResult r = Command("fit", path, {"1", "--steps", "1,2,ORG", "--label", "np"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{1, 1, 0, 1}));
  EXPECT_EQ(r.out, Command("listing", path, {"1"}).out);
  EXPECT_NE(r.out.find("\nNP        45.00"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("      2    Yes \n"), std::string::npos) << r.out;
  // The last step's number is the origin too; the selection is replaced.
  ASSERT_EQ(Command("fit", path, {"1", "--steps=3,4", "--label=R"}).status, 0);
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{0, 0, 1, 1}));
  // An empty list clears the selection and the result; no label is needed.
  r = Command("fit", path, {"1", "--steps", ""});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Flags(path, 2), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(SampleFile::Open(path).ReadSampleHeader(2).LSquareRecord, 0);
  EXPECT_EQ(r.out.find("Least Square Analysis"), std::string::npos);

  ASSERT_EQ(Command("fit", path, {"2", "--steps", "1", "--label", "INT"}).status, 0);
  EXPECT_EQ(Command("results", path, {}).out,
            "   Sample         Meters  Label   GDec   GInc    TDec   TInc Intensity  Error #Points\n"
            "S 2                 0.00  INT     0.00   0.00    0.00   0.00  1.00E+00   0.00     1\n"
            "\n"
            "******** (AF) Temperature Steps Used in Least Square Analysis ********\n"
            "S 2               100\n");
  EXPECT_EQ(RunCli({"results"}).status, 2);
  EXPECT_EQ(Command("results", dir.File("missing.mag"), {}).status, 1);
}
