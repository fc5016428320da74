// remanex-cli fisher: the site analyses headless.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

class FisherCli : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  void SetUp() override {
    SectionPlan plan;
    plan.latitude = 40;
    plan.longitude = 250;
    plan.samples = {{"S1", {Nrm(10, 50), AtLevel("AF", 20, 11, 49)}},
                    {"S2", {Nrm(20, 55), AtLevel("AF", 20, 21, 54)}},
                    {"S3", {Nrm(190, -50), AtLevel("AF", 20, 191, -49)}}};
    WriteMag(path, plan);
    StoreResult(path, 1, Result("N", 10, 50));
    StoreResult(path, 3, Result("R", 190, -50));
  }
  std::string Expected(SiteData data, std::vector<std::string> answers) {
    return Lf(RunSite(data, OpenSession(path), std::move(answers)).text);
  }
};

}  // namespace

TEST_F(FisherCli, PrintsTheReportOfTheAnswers) {
  CliResult r = RunCli({"fisher", path, "--data", "nrm", "--coords", "t", "--estimate", "60,0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Expected(SiteData::Nrm, {"t", "60", "0"}));
  EXPECT_NE(r.out.find("\nNow Redone with New Cutoffs of "), std::string::npos);

  r = RunCli({"fisher", path, "--data=lsq", "--weighted", "Y", "--coords=G"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Expected(SiteData::LSquare, {"Y", "G"}));
  EXPECT_NE(r.out.find("omitted: No LS Data"), std::string::npos);

  r = RunCli({"fisher", path, "--data", "af", "--level", "20", "--coords", "g", "--estimate", "-45.5,359.9"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Expected(SiteData::AlternatingField, {"20", "g", "-45.5", "359.9"}));

  // A step that no sample has: the caution ends the report, still a success.
  r = RunCli({"fisher", path, "--data", "at", "--level", "350", "--coords", "g", "--estimate", "0,0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Fisher Analysis using data at 350 degrees (Centigrade)\n"), std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 47), "Caution: No such step. Please check your data.\n");
}

TEST_F(FisherCli, BadOptionsAreUsageErrorsBeforeTheFileIsRead) {
  const std::string none = dir.File("none.mag");
  const std::vector<std::vector<std::string>> bad = {
      {none, "--coords", "g", "--estimate", "0,0"},                                      // no --data
      {none, "--data", "pca", "--coords", "g"},                                          // unknown kind
      {none, "--data", "nrm", "--estimate", "0,0"},                                      // no --coords
      {none, "--data", "nrm", "--coords", "g"},                                          // no estimate
      {none, "--data", "nrm", "--coords", "g", "--estimate", "91,0"},                    // inclination out of range
      {none, "--data", "nrm", "--coords", "g", "--estimate", "a,b"},                     // not numbers
      {none, "--data", "nrm", "--coords", "g", "--estimate", "0,0", "--level", "20"},    // level for nrm
      {none, "--data", "af", "--level", "2O", "--coords", "g", "--estimate", "0,0"},     // level not a number
      {none, "--data", "lsq", "--coords", "g"},                                          // no weighting
      {none, "--data", "lsq", "--coords", "g", "--weighted", "y", "--estimate", "0,0"},  // estimate for lsq
      {none, "--data", "lsq", "--coords", "g", "--weighted", "y", "--colour", "red"},    // unknown option
      {none, none, "--data", "lsq", "--coords", "g", "--weighted", "y"},                 // two files
  };
  for (const auto& args : bad) {
    std::vector<std::string> full = {"fisher"};
    full.insert(full.end(), args.begin(), args.end());
    const CliResult r = RunCli(full);
    EXPECT_EQ(r.status, 2) << args.back() << "\n" << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: remanex-cli fisher FILE.mag --data"), std::string::npos) << r.err;
  }
  const CliResult missing = RunCli({"fisher", none, "--data", "lsq", "--coords", "g", "--weighted", "n"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("remanex-cli: " + none + ": ", 0), 0u) << missing.err;
}
