// The Fisher analysis of all samples: the polarity split and its cut-offs, the
// samples left out, the questions, and remanex-cli fisher against them. The report
// texts of the bundled examples are the golden-output test's.
#include <gtest/gtest.h>

#include <sstream>

#include "helpers.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// The shape of a report: each group as its letter and N ("?" when it has no mean),
// the second-pass cut-offs as /N,R/, samples omitted from both as -name, and 0v
// for a secondary vector of zero length.
std::string Summary(const std::string& report) {
  std::istringstream in(report);
  std::string line, group, out;
  bool values = false;
  const auto add = [&](const std::string& t) { out += (out.empty() ? "" : " ") + t; };
  while (std::getline(in, line)) {
    line.pop_back();  // CR
    if (line.starts_with(">>>>>>>> ") && line.ends_with(" Directions <<<<<<<<")) group = line.substr(9, 1);
    if (values) add(group + line.substr(line.find_last_of(' ') + 1));
    values = line.starts_with("  Declination  Inclination");
    if (line.starts_with("Caution: Resultant Length R = 0")) add(group + "?");
    if (line.starts_with("Now Redone with New Cutoffs of ")) {
      const size_t n = line.find(" Degrees"), r = line.find("and ") + 4;
      add("/" + line.substr(31, n - 31) + "," + line.substr(r, line.find(" Degrees", r) - r) + "/");
    }
    if (line.ends_with(" omitted from both N and R")) add("-" + line.substr(0, line.find(' ')));
    if (line.ends_with("the vector has zero length.")) add("0v");
  }
  return out;
}

class SiteAnalysis : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  Session Open(const SectionPlan& plan) {
    WriteMag(path, plan);
    return OpenSession(path);
  }
  std::string Report(const SiteOptions& o) { return SiteReport(o, OpenSession(path).Read()); }
};

}  // namespace

TEST_F(SiteAnalysis, PolaritySplitAndCutoffs) {
  const struct {
    std::vector<std::array<float, 3>> nrm;  // dec, inc, intensity of S1, S2, ...
    float inc, dec;                         // the estimate
    std::string summary;
  } cases[] = {
      // Two normal and two reversed: the second pass leaves the farther reversed one out.
      {{{10, 50, 1e-3f}, {20, 55, 2e-3f}, {190, -50, 1e-3f}, {200, -45, 3e-3f}}, 60, 0,
       "N2 R2 C4 /11.12,11.86/ -S4 N2 R1 C3"},
      // Normal K 100 (162 / 10 degrees), reversed K 4 (81 degrees, capped at 60); mirror images.
      {{{5.7319679f, 0, 1e-3f}, {354.2680321f, 0, 1e-3f}, {208.955024f, 0, 1e-3f}, {151.044976f, 0, 1e-3f}}, 0, 0,
       "N2 R2 C4 0v /16.20,60.00/ N2 R2 C4 0v"},
      // 90 degrees from both references joins both groups; then 90 degrees from the antipode.
      {{{0, 60, 1e-3f}, {45, 0, 1e-3f}, {180, -60, 1e-3f}}, 90, 0, "N2 R2 C4 /60.00,60.00/ N2 R1 C3"},
      // Identical directions: K is unbounded and taken as 0, the cut-off 60 degrees.
      {{{10, 50, 1e-3f}, {10, 50, 1e-3f}}, 60, 0, "N2 /60.00,60.00/ N2"},
      // Cancelling groups have no mean: the estimate stays the reference.
      {{{0, 0, 1e-3f}, {180, 0, 1e-3f}}, 90, 0, "N? R? C? /60.00,60.00/ -S1 -S2"},
      {{{10, 50, 1e-3f}, {190, -50, 1e-3f}}, 60, 0, "N1 R1 C2 0v /16.20,16.20/ N1 R1 C2 0v"},  // antipodes
      // Exactly on the first-pass cut-off of the normal group, then of the reversed one: in
      // both groups, the combined directions cancel.
      {{{270, -5.00895658e-06f, 1e-3f}}, 30, 0, "N1 R1 C? 0v /16.20,16.20/ N1"},
      {{{90, 2.40365209e-13f, 1e-3f}}, 60, 0, "N1 R1 C? 0v /16.20,16.20/ N1"},
  };
  for (const auto& c : cases) {
    SectionPlan plan;
    for (const auto& [dec, inc, f] : c.nrm)
      plan.samples.push_back({"S" + std::to_string(plan.samples.size() + 1), {Nrm(dec, inc, f)}});
    WriteMag(path, plan);
    EXPECT_EQ(Summary(Report({SiteData::Nrm, 0, false, true, c.inc, c.dec})), c.summary) << c.summary;
  }
}

TEST_F(SiteAnalysis, SamplesLeftOutAndTheirOrder) {
  StepRecord hidden = Nrm(30, 40);
  hidden.Plot = 0;
  SectionPlan plan;
  plan.samples = {{"A", {Nrm(10, 50), At("AF", 20, 10, 50), At("AF", 20, 14, 52)}},
                  {"B", {Nrm(12, 52)}, 0},
                  {"C", {At("TT", 20, 1, 1), At("TT", 2, 1, 1), At("TT", 3, 1, 1), At("TT", 4, 1, 1),
                         At("TT", 5, 1, 1), Nrm(11, 51), Nrm(12, 49)}},
                  {"D", {Nrm(11, 51, 0.0f)}},
                  {"E", {hidden}}};
  const Session s = Open(plan);
  // Inactive first, then no such step (the NRM step is looked for among the first
  // six, plotted), then no logarithm for an intensity of 0.
  const SiteOptions nrm{SiteData::Nrm, 0, false, true, 60, 0};
  SiteDirections found = GatherSiteDirections(s.Read(), nrm);
  EXPECT_EQ(found.leftOut, (std::vector<std::string>{Name("B") + " omitted: inactive",
                                                     Name("E") + "- Not Selected/No Such Step",
                                                     Name("D") + " omitted: intensity <= 0"}));
  ASSERT_EQ(found.all.size(), 2u);
  EXPECT_EQ(found.all[1].sample, 3);
  EXPECT_EQ(found.all[1].direction.Dec, 11.0f);
  // A level among all measured steps, whatever their method.
  found = GatherSiteDirections(s.Read(), {SiteData::AlternatingField, 20});
  EXPECT_EQ(found.all.size(), 3u);
  EXPECT_EQ(found.leftOut.size(), 3u);
  plan.samples = {{"A", {Nrm(10, 50)}}, {"B", {Nrm(12, 52)}}};
  WriteMag(path, plan);
  EXPECT_NE(Report(nrm).find("\r\nEvery sample is active and used in Fisher Analysis.\r\n>>>"), std::string::npos);
  // Nothing gathered: the report ends with the caution, also when samples were left out.
  plan.samples = {{"A", {At("TT", 100, 1, 1)}}, {"B", {Nrm(1, 1)}, 0}};
  WriteMag(path, plan);
  EXPECT_TRUE(Report(nrm).ends_with("\r\n\r\n" + Name("B") + " omitted: inactive\r\n" + Name("A") +
                                    "- Not Selected/No Such Step\r\nCaution: No such step. Please check your data.\r\n"));
}

TEST_F(SiteAnalysis, LeastSquaresLabelsWeightsAndReasons) {
  SectionPlan plan;
  for (const char* n : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"}) plan.samples.push_back({n, {Nrm(0, 0)}});
  plan.samples[4].active = 0;
  WriteMag(path, plan);
  const LSquareResult stored[] = {Result("N", 10, 50),       Result("N", 12, 52),  Result("NP", 8, 48),
                                  Result("R", 190, -50),     Result("N", 10, 50),  Result("N", 0, 0),
                                  Result("NPP", 10, 50),     Result("N", 10, 50, 1e-3f, 0),
                                  Result("XYZ", 10, 50),     Result("N", 10, 50, 0.0f), Result("N?", 10, 50)};
  for (int i = 1; i <= 11; ++i)
    if (i != 6) StoreResult(path, i, stored[i - 1]);  // F has none
  const Snapshot file = OpenSession(path).Read();
  const SiteDirections found = GatherSiteDirections(file, {SiteData::LSquare, 0, true});
  EXPECT_EQ(found.leftOut,
            (std::vector<std::string>{Name("E") + " omitted: inactive", Name("F") + " omitted: No LS Data",
                                      Name("G") + " omitted: NPP", Name("H") + " omitted: LS Data inactive",
                                      Name("I") + " omitted: Bad LS Data label", Name("J") + " omitted: intensity <= 0",
                                      Name("K") + " omitted: N? "}));
  // Weighted: N and R count twice, NP once.
  EXPECT_EQ(found.normal.size(), 5u);
  EXPECT_EQ(found.reversed.size(), 2u);
  EXPECT_EQ(Summary(SiteReport({SiteData::LSquare, 0, true}, file)), "N2.5 R1.0 /4.59,60.00/ N2.5 R1.0 C3.5");
  EXPECT_EQ(Summary(SiteReport({SiteData::LSquare, 0, false}, file)), "N3 R1 /4.75,16.20/ N3 R1 C4");
  // Only reversed results: the normal reference is the opposite of their mean.
  plan.samples.resize(4);
  WriteMag(path, plan);
  StoreResult(path, 1, Result("R", 190, -50));
  StoreResult(path, 2, Result("R", 185, -45));
  StoreResult(path, 3, Result("RP", 195, -55));
  StoreResult(path, 4, Result("R", 10, 50));  // labelled reversed, points normal
  EXPECT_EQ(Summary(Report({SiteData::LSquare})), "R4 /60.00,60.00/ N1 R3 C4");
  // Full-weight copies of 300 results: 600 entries.
  WriteMag(path, FullSection(300, 2));
  for (int i = 1; i <= 300; ++i) StoreResult(path, i, Result("N", static_cast<float>(i % 7), 50));
  EXPECT_EQ(Summary(Report({SiteData::LSquare, 0, true})), "N300.0 /2.57,60.00/ N300.0");
}

TEST_F(SiteAnalysis, QuestionsRepeatUntilValidAndCancelKeepsTheText) {
  SectionPlan plan;
  plan.samples = {{"A", {Nrm(10, 50), At("AF", 20, 10, 50)}}, {"B", {Nrm(190, -50)}, 0}};
  Session s = Open(plan);
  // " g" is not "G"; out-of-range estimates are asked again.
  SiteRun run = RunSite(SiteData::Nrm, s, {"x", " g", "t", "100", "abc", "45", "360", "-1", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(run.out.shown, 1);
  ASSERT_EQ(run.dialogs.questions.size(), 9u);
  EXPECT_EQ(run.dialogs.questions[5].title, site_prompts::InclinationTitle);
  EXPECT_EQ(run.out.text, SiteReport({SiteData::Nrm, 0, false, false, 45, 0}, s.Read()));
  // The level first; Cancel at the estimate keeps the opening.
  run = RunSite(SiteData::AlternatingField, s, {"abc", "2e1", "G"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Cancelled);
  EXPECT_EQ(run.dialogs.questions[0].title, site_prompts::AFLevelTitle);
  const SiteOptions af{SiteData::AlternatingField, 20};
  EXPECT_EQ(run.out.text, SiteReportOpening(af, GatherSiteDirections(s.Read(), af)));
  run = RunSite(SiteData::LSquare, s, {"maybe", "n", "g"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Stopped);
  EXPECT_EQ(run.dialogs.questions[1].title, site_prompts::WeightingTitle);
  EXPECT_TRUE(run.out.text.ends_with("No Least Square Data for Fisher Analysis!!!\r\n"));
  run = RunSite(SiteData::ArbitraryTemperature, s, {"300"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Cancelled);
  EXPECT_EQ(run.out.text, "");
  EXPECT_EQ(run.out.shown, 0);
  EXPECT_EQ(RunSite(SiteData::Nrm, Session{}, {"g"}).outcome, Outcome::Kind::Nothing);
  // The file loses its samples behind the open session's back: said, nothing reported.
  WriteBytes(path, ReadBytes(path).substr(0, 64));
  run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Failed);
  ASSERT_EQ(run.dialogs.messages.size(), 1u);
  EXPECT_TRUE(run.dialogs.messages[0].text.starts_with(path + ": ")) << run.dialogs.messages[0].text;
  EXPECT_EQ(run.out.text, "");
}

TEST_F(SiteAnalysis, CliFisherPrintsTheReportOfTheAnswersAndRefusesBadOptions) {
  SectionPlan plan;
  plan.samples = {{"S1", {Nrm(10, 50), At("AF", 20, 11, 49)}}, {"S2", {Nrm(20, 55), At("AF", 20, 191, -49)}}};
  WriteMag(path, plan);
  const CliResult r = Command("fisher", path, {"--data=af", "--level", "20", "--coords=t", "--estimate", "-45.5,359.9"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Lf(RunSite(SiteData::AlternatingField, OpenSession(path), {"20", "t", "-45.5", "359.9"}).out.text));
  // Bad options are usage errors, found before the file is read.
  const std::string none = dir.File("none.mag");
  const std::vector<std::vector<std::string>> bad = {
      {"--coords", "g", "--estimate", "0,0"},                                      // no --data
      {"--data", "pca", "--coords", "g"},                                          // unknown kind
      {"--data", "nrm", "--coords", "g", "--estimate", "91,0"},                    // inclination out of range
      {"--data", "nrm", "--coords", "g", "--estimate", "0,0", "--level", "20"},    // level for nrm
      {"--data", "af", "--level", "2O", "--coords", "g", "--estimate", "0,0"},     // level not a number
      {"--data", "lsq", "--coords", "g"},                                          // no weighting
  };
  for (const auto& args : bad) {
    const CliResult r = Command("fisher", none, args);
    EXPECT_EQ(r.status, 2) << args.back() << "\n" << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: remanex-cli fisher FILE.mag --data"), std::string::npos) << r.err;
  }
}
