// The Fisher analysis of all samples: the four commands through scripted answers on
// sample files written record by record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site_helpers.h"
#include "stats/fisher.h"

using namespace rmx;
using namespace rmx::test;

namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

// Two normal and two reversed NRM directions, an inactive sample, and a sample
// whose NRM step is its seventh.
SectionPlan MixedSection() {
  SectionPlan plan;
  plan.latitude = 40;
  plan.longitude = 250;
  plan.samples = {{"S1", {Nrm(10, 50, 1e-3f), AtLevel("TT", 100, 12, 48)}},
                  {"S2", {Nrm(20, 55, 2e-3f)}},
                  {"S3", {Nrm(190, -50, 1e-3f)}},
                  {"S4", {Nrm(200, -45, 3e-3f)}},
                  {"S5", {Nrm(0, 0)}, 0},
                  {"S6",
                   {AtLevel("TT", 1, 1, 1), AtLevel("TT", 2, 1, 1), AtLevel("TT", 3, 1, 1), AtLevel("TT", 4, 1, 1),
                    AtLevel("TT", 5, 1, 1), AtLevel("TT", 6, 1, 1), Nrm(10, 50)}}};
  return plan;
}

class SiteAnalysis : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("site.mag");
  Session Open(const SectionPlan& plan) {
    WriteMag(path, plan);
    return OpenSession(path);
  }
};

}  // namespace

TEST_F(SiteAnalysis, NrmWholeReport) {
  const Session s = Open(MixedSection());
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(run.shown, 1);
  // clang-format off
  EXPECT_EQ(run.text, Join({
      "",
      "==============================================================================",
      "Fisher Analysis using NRM Data",
      "",
      "Geographic coordinates",
      "",
      "S5               omitted: inactive",
      "S6              - Not Selected/No Such Step",
      ">>>>>>>> Normal Directions <<<<<<<<",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "     14.71         52.61      3.93  212.37    1.41E-03 + 8.95E-04   2.00   2",
      "                                                       - 5.48E-04",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     76.39        365.41      3.73    5.42 (degree)",
      "  PaleoLatitude = 33.19 degree",
      ">>>>>>>> Reversed Directions <<<<<<<<",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "    195.24        -47.61      4.20  186.48    1.73E-03 + 2.03E-03   1.99   2",
      "                                                       - 9.36E-04",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "    -73.14        197.35      3.55    5.46 (degree)",
      "  PaleoLatitude = -28.71 degree",
      "",
      ">>>>>>>> Combined Directions <<<<<<<<",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "     14.99         50.11      6.26  216.13    1.57E-03 + 1.13E-03   3.99   4",
      "                                                       - 6.56E-04",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     74.80        372.17      5.61    8.38 (degree)",
      "  PaleoLatitude = 30.89 degree",
      "",
      "******** Vector Combination ********",
      "Secondary vector:",
      "  Declination = 196.70;   Inclination = -26.74 (degree);   Intensity = 1.73E-04",
      "",
      "'Actual' Normal vector:",
      "  Declination = 15.02;   Inclination = 49.85 (degree);   Intensity = 1.57E-03",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     74.63        372.76      5.58    8.36 (degree)",
      "  PaleoLatitude = 30.66 degree",
      "",
      "******************************************************",
      "",
      "Now Redone with New Cutoffs of 11.12 Degrees for Normal and 11.86 Degrees for Reversed.",
      "S4               omitted from both N and R",
      ">>>>>>>> Normal Directions <<<<<<<<",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "     14.71         52.61      3.93  212.37    1.41E-03 + 8.95E-04   2.00   2",
      "                                                       - 5.48E-04",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     76.39        365.41      3.73    5.42 (degree)",
      "  PaleoLatitude = 33.19 degree",
      ">>>>>>>> Reversed Directions <<<<<<<<",
      "Caution: Only One Sample Available! Artificial K and Alpha95!",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "    190.00        -50.00      0.00  100.00    1.00E-03 + 1.00E-09   1.00   1",
      "                                                       - 1.00E-09",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "    -77.72        205.48      0.00    0.00 (degree)",
      "  PaleoLatitude = -30.79 degree",
      "",
      ">>>>>>>> Combined Directions <<<<<<<<",
      "  Declination  Inclination  Alpha95    K     Intensity   Std.Dev.    R     N",
      "     13.08         51.76      6.92  318.59    1.26E-03 + 6.20E-04   2.99   3",
      "                                                       - 4.16E-04",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     77.01        371.76      6.44    9.44 (degree)",
      "  PaleoLatitude = 32.39 degree",
      "",
      "******** Vector Combination ********",
      "Secondary vector:",
      "  Declination = 28.32;   Inclination = 57.87 (degree);   Intensity = 2.11E-04",
      "",
      "'Actual' Normal vector:",
      "  Declination = 12.70;   Inclination = 51.55 (degree);   Intensity = 1.21E-03",
      ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<",
      "  Latitude       Longitude     DP      DM   ",
      "     77.13        373.36      6.41    9.41 (degree)",
      "  PaleoLatitude = 32.20 degree",
  }));
  // clang-format on
}

namespace {

// The value line of the first group report after `from` that follows `marker`.
std::string ValueLine(const std::string& text, const std::string& marker, size_t from = 0) {
  const size_t m = text.find(marker, from);
  if (m == std::string::npos) return "(no " + marker + ")";
  const size_t h = text.find("Std.Dev.    R     N\r\n", m);
  const size_t start = h + 22;
  return text.substr(start, text.find("\r\n", start) - start);
}

std::string FirstPass(const std::string& text) { return text.substr(0, text.find("Now Redone")); }

std::string Ending(const std::string& line, size_t n) { return line.size() < n ? line : line.substr(line.size() - n); }

// Text ends with / starts with the expected text (shown whole when it does not).
void ExpectEnd(const std::string& text, const std::string& expected) {
  EXPECT_EQ(Ending(text, expected.size()), expected) << text;
}
void ExpectStart(const std::string& text, const std::string& expected) {
  EXPECT_EQ(text.substr(0, expected.size()), expected) << text;
}

}  // namespace

TEST_F(SiteAnalysis, QuestionsRepeatUntilValidAndCancelKeepsTheText) {
  const Session s = Open(MixedSection());
  // Blank-only and lower-case variants: " g" is not "G"; out-of-range estimates ask again.
  SiteRun run = RunSite(SiteData::Nrm, s, {"x", " g", "t", "100", "abc", " ", "45", "360", "-1", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  ASSERT_EQ(run.dialogs.questions.size(), 10u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(run.dialogs.questions[k].title, "Selecting Data for Fisher Analysis");
  EXPECT_EQ(run.dialogs.questions[0].prompt,
            "Please select a data set for Fisher Analysis. \r\nInput 'G or g' to select Geographic Data, or\r\n"
            "Input 'T or t' to select Tilt-corrected Data");
  for (int k = 3; k < 7; ++k)
    EXPECT_EQ(run.dialogs.questions[k].title, "Estimated Normal Inclination (-90 to 90 Degree)");
  for (int k = 7; k < 10; ++k)
    EXPECT_EQ(run.dialogs.questions[k].title, "Estimated Normal Declination (0 to 360 Degree)");
  EXPECT_EQ(run.dialogs.questions[7].prompt,
            "A rough estimate of the Normal direction is needed. \r\nfor an initial cutoff of Normal vs. Reversed "
            "Polarity.\r\nInput Estimated Normal Declination (0 to 360 Degree):");
  EXPECT_NE(run.text.find("\r\nTilt-corrected directions\r\n"), std::string::npos);

  // Cancel at the declination: the heading and the left-out samples stay.
  run = RunSite(SiteData::Nrm, s, {"G", "60"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Cancelled);
  EXPECT_EQ(run.shown, 1);
  ExpectEnd(run.text, "Geographic coordinates\r\n\r\nS5               omitted: inactive\r\n" + Name("S6") +
                          "- Not Selected/No Such Step\r\n");
  // Cancel at the first question: nothing at all.
  run = RunSite(SiteData::Nrm, s, {});
  EXPECT_EQ(run.outcome, Outcome::Kind::Cancelled);
  EXPECT_EQ(run.text, "");
  EXPECT_EQ(run.shown, 0);
  Session closed;
  EXPECT_EQ(RunSite(SiteData::Nrm, closed, {"g"}).outcome, Outcome::Kind::Nothing);
}

TEST_F(SiteAnalysis, AlternatingFieldAndTemperatureSteps) {
  SectionPlan plan;
  StepRecord hidden = AtLevel("AF", 20, 30, 40);
  hidden.Plot = 0;
  hidden.LSquare = 1;
  plan.samples = {{"A", {Nrm(0, 0), AtLevel("AF", 20, 10, 50), AtLevel("AF", 20, 14, 52), AtLevel("AF", 30, 1, 1)}},
                  {"B", {Nrm(0, 0), hidden}},
                  {"C", {AtLevel("TT", 20, 12, 49)}},
                  {"D", {AtLevel("AF", 25, 12, 49)}}};
  const Session s = Open(plan);
  SiteRun run = RunSite(SiteData::AlternatingField, s, {"abc", "2e1", "g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(run.dialogs.questions[0].title, "Alternating Field Strength Selection");
  EXPECT_EQ(run.dialogs.questions[0].prompt,
            "Please enter a desired strength of\r\nAlternating Field for Fisher Analysis: ");
  EXPECT_EQ(run.dialogs.questions.size(), 5u);
  ExpectStart(run.text, "\r\n" + std::string(78, '=') +
                            "\r\nFisher Analysis using data at 20 mT\r\n\r\nGeographic coordinates\r\n\r\n" +
                            Name("B") + "- Not Selected/No Such Step\r\n");
  EXPECT_EQ(Count(run.text, "- Not Selected/No Such Step"), 2);  // B (not plotted) and D
  // A gives two entries, C one (its method is not looked at).
  EXPECT_EQ(Ending(ValueLine(run.text, ">>>>>>>> Normal Directions"), 4), "   3");

  // The same file at 300 degrees: nothing has the step.
  run = RunSite(SiteData::ArbitraryTemperature, s, {"300", "t", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Stopped);
  EXPECT_EQ(run.shown, 1);
  EXPECT_EQ(run.dialogs.questions.size(), 2u);
  EXPECT_EQ(run.dialogs.questions[0].title, "Fisher Analysis - Temperature Selection");
  EXPECT_EQ(run.text, "\r\n" + std::string(78, '=') +
                          "\r\nFisher Analysis using data at 300 degrees (Centigrade)\r\n\r\n"
                          "Tilt-corrected directions\r\n\r\nCaution: No such step. Please check your data.\r\n");
}

TEST_F(SiteAnalysis, NothingGatheredWithInactiveSamplesStillStops) {
  SectionPlan plan;
  plan.samples = {{"A", {AtLevel("TT", 100, 1, 1)}}, {"B", {Nrm(1, 1)}, 0}, {"C", {}}};
  const Session s = Open(plan);
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Stopped);
  // The inactive samples come first, then those without the step.
  ExpectEnd(run.text, "\r\n\r\n" + Name("B") + " omitted: inactive\r\n" + Name("A") +
                          "- Not Selected/No Such Step\r\n" + Name("C") +
                          "- Not Selected/No Such Step\r\nCaution: No such step. Please check your data.\r\n");
}

TEST_F(SiteAnalysis, EveryoneUsedAndBadIntensities) {
  SectionPlan plan;
  plan.samples = {{"A", {Nrm(10, 50)}}, {"B", {Nrm(12, 52)}}};
  Session s = Open(plan);
  SiteRun run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_NE(run.text.find("\r\n\r\nEvery sample is active and used in Fisher Analysis.\r\n>>>>>>>> Normal"),
            std::string::npos);
  // No logarithm for a stored intensity of zero: the entry is left out and named.
  // It is named after the samples without the step, whatever the file order.
  plan.samples.push_back({"Z", {Nrm(11, 51, 0.0f)}});
  plan.samples.push_back({"Y", {AtLevel("TT", 100, 1, 1)}});
  s = Open(plan);
  run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(run.text.find("Every sample"), std::string::npos);
  EXPECT_NE(run.text.find("\r\n\r\n" + Name("Y") + "- Not Selected/No Such Step\r\n" + Name("Z") +
                          " omitted: intensity <= 0\r\n>>>>>>>> Normal"),
            std::string::npos)
      << run.text;
  EXPECT_EQ(Ending(ValueLine(run.text, ">>>>>>>> Normal Directions"), 4), "   2");
}

TEST_F(SiteAnalysis, DirectionAtNinetyDegreesJoinsBothGroups) {
  SectionPlan plan;
  plan.samples = {{"A", {Nrm(0, 60)}}, {"B", {Nrm(45, 0)}}, {"C", {Nrm(180, -60)}}};
  const Session s = Open(plan);
  // Estimate straight down: the horizontal direction B is 90 degrees from both references.
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "90", "0"});
  const std::string first = FirstPass(run.text);
  EXPECT_EQ(first.find("omitted from both"), std::string::npos);
  EXPECT_EQ(Ending(ValueLine(first, ">>>>>>>> Normal Directions"), 4), "   2");
  EXPECT_EQ(Ending(ValueLine(first, ">>>>>>>> Reversed Directions"), 4), "   2");
  EXPECT_EQ(Ending(ValueLine(first, ">>>>>>>> Combined Directions"), 4), "   4");
}

TEST_F(SiteAnalysis, SecondPassCutoffs) {
  // Normal pair with K = 100 (R = 1.99), reversed pair with K = 4 (R = 1.75).
  SectionPlan plan;
  plan.samples = {{"N1", {Nrm(5.7319679f, 0)}},
                  {"N2", {Nrm(354.2680321f, 0)}},
                  {"R1", {Nrm(208.955024f, 0)}},
                  {"R2", {Nrm(151.044976f, 0)}}};
  Session s = Open(plan);
  SiteRun run = RunSite(SiteData::Nrm, s, {"g", "0", "0"});
  EXPECT_NE(run.text.find("\r\n\r\n" + std::string(54, '*') +
                          "\r\n\r\nNow Redone with New Cutoffs of 16.20 Degrees for Normal and 60.00 Degrees for "
                          "Reversed.\r\n"),
            std::string::npos);
  // The reversed pair is 28.96 degrees from the antipode of the estimate: kept.
  EXPECT_EQ(SecondPass(run.text).find("omitted from both"), std::string::npos);

  // Identical directions: K unbounded, the cut-off of K = 0 keeps the group together.
  plan.samples = {{"N1", {Nrm(10, 50)}}, {"N2", {Nrm(10, 50)}}};
  s = Open(plan);
  run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_NE(ValueLine(run.text, ">>>>>>>> Normal").find("0.00Infinity"), std::string::npos);
  EXPECT_NE(run.text.find("Now Redone with New Cutoffs of 60.00 Degrees for Normal and 60.00 Degrees"),
            std::string::npos);
  EXPECT_EQ(Ending(ValueLine(SecondPass(run.text), ">>>>>>>> Normal"), 4), "   2");
}

TEST_F(SiteAnalysis, CancellingGroupsHaveNoMean) {
  SectionPlan plan;
  plan.samples = {{"E", {Nrm(0, 0)}}, {"W", {Nrm(180, 0)}}};
  const Session s = Open(plan);
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "90", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  const std::string first = FirstPass(run.text);
  EXPECT_EQ(Count(first, "Caution: Resultant Length R = 0! Mean Direction Undefined!\r\n"), 3);
  EXPECT_EQ(Count(run.text, "Std.Dev."), 0);
  EXPECT_EQ(Count(run.text, "VGP"), 0);
  EXPECT_EQ(run.text.find("Vector Combination"), std::string::npos);
  // No mean: the estimate stays the reference, the cut-offs are 60 degrees, and the
  // two horizontal directions are 90 degrees from it.
  EXPECT_NE(run.text.find("Cutoffs of 60.00 Degrees for Normal and 60.00 Degrees"), std::string::npos);
  EXPECT_EQ(SecondPass(run.text),
            Name("E") + " omitted from both N and R\r\n" + Name("W") + " omitted from both N and R\r\n");
}

TEST_F(SiteAnalysis, ZeroLengthSecondaryVector) {
  SectionPlan plan;
  plan.latitude = 40;
  plan.longitude = 250;
  plan.samples = {{"N", {Nrm(10, 50)}}, {"R", {Nrm(190, -50)}}};
  const Session s = Open(plan);
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  const std::string first = FirstPass(run.text);
  EXPECT_NE(first.find("\r\n\r\n******** Vector Combination ********\r\nSecondary vector:\r\n"
                       "  Direction undefined: the vector has zero length.\r\n\r\n'Actual' Normal vector:\r\n"
                       "  Declination = 10.00;   Inclination = 50.00 (degree);   Intensity = 1.00E-03\r\n"
                       ">>>>>>>> Mean Virtual Geomagnetic Pole (VGP): <<<<<<<<\r\n"),
            std::string::npos)
      << first;
}

TEST_F(SiteAnalysis, LeastSquaresWeightedAndReasons) {
  SectionPlan plan;
  for (const char* n : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"})
    plan.samples.push_back({n, {Nrm(0, 0)}});
  plan.samples[4].active = 0;
  WriteMag(path, plan);
  StoreResult(path, 1, Result("N", 10, 50));
  StoreResult(path, 2, Result("N", 12, 52));
  StoreResult(path, 3, Result("NP", 8, 48));
  StoreResult(path, 4, Result("R", 190, -50));
  StoreResult(path, 5, Result("N", 10, 50));  // sample inactive
  // F: no result
  StoreResult(path, 7, Result("NPP", 10, 50));
  StoreResult(path, 8, Result("N", 10, 50, 1e-3f, 0));
  StoreResult(path, 9, Result("XYZ", 10, 50));
  StoreResult(path, 10, Result("N", 10, 50, 0.0f));
  StoreResult(path, 11, Result("N?", 10, 50));
  const Session s = OpenSession(path);

  SiteRun run = RunSite(SiteData::LSquare, s, {"maybe", "y", "g"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(run.dialogs.questions[0].title, "Weighting Selection for Fisher Analysis");
  EXPECT_EQ(run.dialogs.questions[0].prompt,
            "Would you like the data to be weighted? (Y/y/N/n)\r\nN or R: Full Weight; NP or RP: Half Weight.");
  EXPECT_EQ(run.shown, 1);
  ExpectStart(run.text,
              Join({"", std::string(78, '='), "Fisher Analysis using Least Square Data",
                    "The data set is weighted: N or R full weight => Count Twice",
                    "                          NP or RP half Weight => Count Once", "", "Geographic coordinates", "",
                    Name("E") + " omitted: inactive", Name("F") + " omitted: No LS Data", Name("G") + " omitted: NPP",
                    Name("H") + " omitted: LS Data inactive", Name("I") + " omitted: Bad LS Data label",
                    Name("J") + " omitted: intensity <= 0", Name("K") + " omitted: N? ",
                    ">>>>>>>> Normal Directions <<<<<<<<"}));
  // Normal list: N, N twice each and NP once (5 entries); reversed: R twice.
  const std::string first = FirstPass(run.text);
  EXPECT_EQ(Ending(ValueLine(first, ">>>>>>>> Normal"), 6), "   2.5");
  EXPECT_EQ(Ending(ValueLine(first, ">>>>>>>> Reversed"), 6), "   1.0");
  EXPECT_EQ(first.find("Combined"), std::string::npos);
  const std::string second = SecondPass(run.text);
  EXPECT_EQ(Ending(ValueLine(second, ">>>>>>>> Normal"), 6), "   2.5");
  EXPECT_EQ(Ending(ValueLine(second, ">>>>>>>> Combined"), 6), "   3.5");

  run = RunSite(SiteData::LSquare, s, {"n", "t"});
  EXPECT_NE(run.text.find("\r\nThe data set is not weighted: N and NP or R and RP same weight.\r\n\r\n"
                          "Tilt-corrected directions\r\n"),
            std::string::npos);
  EXPECT_EQ(Ending(ValueLine(run.text, ">>>>>>>> Normal"), 4), "   3");
}

TEST_F(SiteAnalysis, LeastSquaresOnlyReversed) {
  SectionPlan plan;
  for (const char* n : {"A", "B", "C", "D"}) plan.samples.push_back({n, {Nrm(0, 0)}});
  WriteMag(path, plan);
  StoreResult(path, 1, Result("R", 190, -50));
  StoreResult(path, 2, Result("R", 185, -45));
  StoreResult(path, 3, Result("RP", 195, -55));
  StoreResult(path, 4, Result("R", 10, 50));  // labelled reversed, points normal
  const Session s = OpenSession(path);
  const SiteRun run = RunSite(SiteData::LSquare, s, {"n", "g"});
  EXPECT_EQ(FirstPass(run.text).find("Normal Directions"), std::string::npos);
  // In the second pass the normal reference is the opposite of the reversed mean.
  const std::string second = SecondPass(run.text);
  EXPECT_NE(second.find(">>>>>>>> Normal Directions <<<<<<<<\r\n"
                        "Caution: Only One Sample Available! Artificial K and Alpha95!\r\n"),
            std::string::npos)
      << second;
  EXPECT_EQ(Ending(ValueLine(second, ">>>>>>>> Reversed"), 4), "   3");

  // No usable result at all.
  plan.samples = {{"A", {Nrm(0, 0)}}};
  WriteMag(path, plan);
  StoreResult(path, 1, Result("INT", 190, -50));
  const SiteRun none = RunSite(SiteData::LSquare, OpenSession(path), {"n", "g"});
  EXPECT_EQ(none.outcome, Outcome::Kind::Stopped);
  ExpectEnd(none.text, "\r\n" + Name("A") + " omitted: INT\r\nNo Least Square Data for Fisher Analysis!!!\r\n");
}

TEST_F(SiteAnalysis, WeightedListsGrowPastFiveHundredEntries) {
  WriteMag(path, FullSection(300, 2));
  for (int i = 1; i <= 300; ++i) StoreResult(path, i, Result("N", static_cast<float>(i % 7), 50));
  const Session s = OpenSession(path);
  const SiteRun run = RunSite(SiteData::LSquare, s, {"y", "g"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Done);
  EXPECT_EQ(Ending(ValueLine(run.text, ">>>>>>>> Normal"), 6), " 300.0");
  EXPECT_EQ(Ending(ValueLine(SecondPass(run.text), ">>>>>>>> Normal"), 6), " 300.0");
}

TEST_F(SiteAnalysis, UnreadableFileIsReported) {
  const Session s = Open(MixedSection());
  // The file loses its samples behind the open session's back.
  WriteBytes(path, ReadBytes(path).substr(0, 64));
  const SiteRun run = RunSite(SiteData::Nrm, s, {"g", "60", "0"});
  EXPECT_EQ(run.outcome, Outcome::Kind::Failed);
  ASSERT_EQ(run.dialogs.messages.size(), 1u);
  EXPECT_EQ(run.dialogs.messages[0].text.rfind(path + ": ", 0), 0u) << run.dialogs.messages[0].text;
  EXPECT_EQ(run.text, "");  // nothing is reported from a file that cannot be read
}
