// The site analyses on real laboratory data (skipped when the data folder is absent):
// they run to completion and their group means agree with an independent Fisher
// computation in double precision.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/lab_file.h"
#include "site_helpers.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"

using namespace rmx;
using namespace rmx::test;

namespace {

constexpr double kPi = 3.141592653589793;

struct Dir {
  double dec, inc;  // degrees
};

struct Mean {
  double dec = 0, inc = 0, R = 0, K = 0;
  int n = 0;
};

std::array<double, 3> UnitOf(const Dir& d) {
  const double D = d.dec * kPi / 180, I = d.inc * kPi / 180;
  return {std::cos(I) * std::cos(D), std::cos(I) * std::sin(D), std::sin(I)};
}

Mean FisherOf(const std::vector<Dir>& dirs) {
  double x = 0, y = 0, z = 0;
  for (const Dir& d : dirs) {
    const auto u = UnitOf(d);
    x += u[0];
    y += u[1];
    z += u[2];
  }
  Mean m;
  m.n = static_cast<int>(dirs.size());
  m.R = std::sqrt(x * x + y * y + z * z);
  m.dec = std::fmod(std::atan2(y, x) * 180 / kPi + 360, 360.0);
  m.inc = std::asin(z / m.R) * 180 / kPi;
  m.K = (m.n - 1) / (m.n - m.R);
  return m;
}

// Splits directions at 90 degrees from the reference direction and its antipode.
void Split(const std::vector<Dir>& all, const Dir& ref, std::vector<Dir>& normal, std::vector<Dir>& reversed) {
  const auto r = UnitOf(ref);
  for (const Dir& d : all) {
    const auto u = UnitOf(d);
    const double c = u[0] * r[0] + u[1] * r[1] + u[2] * r[2];
    if (c >= 0) normal.push_back(d);
    if (c <= 0) reversed.push_back(d);
  }
}

// The numbers of the value line after the first `marker`.
Mean Printed(const std::string& text, const std::string& marker) {
  Mean m;
  const size_t at = text.find(marker);
  if (at == std::string::npos) return m;
  const size_t line = text.find("Std.Dev.    R     N\r\n", at) + 22;
  double a95 = 0, intensity = 0, upper = 0;
  std::sscanf(text.c_str() + line, "%lf %lf %lf %lf %lf + %lf %lf %d", &m.dec, &m.inc, &a95, &m.K, &intensity, &upper,
              &m.R, &m.n);
  return m;
}

void ExpectSame(const Mean& printed, const Mean& reference, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(printed.n, reference.n);
  EXPECT_NEAR(printed.dec, reference.dec, 0.0051);
  EXPECT_NEAR(printed.inc, reference.inc, 0.0051);
  EXPECT_NEAR(printed.R, reference.R, 0.0051);
  EXPECT_NEAR(printed.K, reference.K, 0.0051 + 1e-5 * reference.K);
}

struct RealSet {
  const char* file;  // under the real data folder
  Dir estimate;      // a rough normal direction
  bool geographic;
};

const RealSet Sets[] = {
    {"jan_mayen_thermal/JMT.tab", {0, 80}, true},
    {"simpson_island_si1/SI1.tab", {0, 65}, false},
    {"sfvf_thermal/SFVT.tab", {0, 55}, true},
};

class RealData : public ::testing::TestWithParam<RealSet> {
 protected:
  TempDir dir;
  std::string path = dir.File("real.mag");

  void SetUp() override {
    const std::string source = std::string(REMANEX_REAL_DATA) + "/" + GetParam().file;
    if (!std::filesystem::exists(source)) GTEST_SKIP() << "no real data at " << source;
    WriteSlots(path, ReadLaboratoryFile(ReadBytes(source), Layout::Tab).records);
  }

  Dir Of(float gdec, float ginc, float tdec, float tinc) const {
    return GetParam().geographic ? Dir{gdec, ginc} : Dir{tdec, tinc};
  }
  std::string Coords() const { return GetParam().geographic ? "g" : "t"; }
};

}  // namespace

TEST_P(RealData, NrmAnalysisAgreesWithAnIndependentMean) {
  const Session s = OpenSession(path);
  // The NRM directions: the plotted NRM step among the first six steps.
  std::vector<Dir> nrm;
  int without = 0;
  for (int i = 1; i <= s.SampleCount(); ++i) {
    const SampleEntry& e = s.Samples()[static_cast<size_t>(i - 1)];
    const SampleHeader h = s.File().ReadSampleHeader(e.Slot);
    bool found = false;
    const std::vector<StepRecord> steps = LoadSteps(s.File(), e.Slot, h);
    for (size_t k = 0; k < steps.size() && k < 6; ++k) {
      if (steps[k].Method != "NRM" || steps[k].Plot != 1) continue;
      nrm.push_back(Of(steps[k].GDec, steps[k].GInc, steps[k].TDec, steps[k].TInc));
      found = true;
    }
    if (!found) ++without;
  }
  const Dir est = GetParam().estimate;
  const SiteRun run = RunSite(SiteData::Nrm, s, {Coords(), std::to_string(est.inc), std::to_string(est.dec)});
  ASSERT_EQ(run.outcome, Outcome::Kind::Done) << run.text;
  EXPECT_EQ(Count(run.text, "- Not Selected/No Such Step"), without);
  EXPECT_EQ(Count(run.text, "Now Redone"), 1);

  std::vector<Dir> normal, reversed;
  Split(nrm, est, normal, reversed);
  ASSERT_FALSE(normal.empty());
  ExpectSame(Printed(run.text, ">>>>>>>> Normal"), FisherOf(normal), "normal");
  if (!reversed.empty()) ExpectSame(Printed(run.text, ">>>>>>>> Reversed"), FisherOf(reversed), "reversed");
}

TEST_P(RealData, LeastSquaresAnalysisAgreesWithAnIndependentMean) {
  // Fit every sample through its middle steps (levels 100 to 500 of either unit)
  // and label it by the sign of its inclination.
  std::vector<Dir> normal, reversed;
  {
    SampleFile f = SampleFile::Open(path);
    SectionHeader section;
    const std::vector<SampleEntry> table = LoadSampleTable(f, section);
    for (size_t i = 0; i < table.size(); ++i) {
      SampleHeader h = f.ReadSampleHeader(table[i].Slot);
      const std::vector<StepRecord> steps = LoadSteps(f, table[i].Slot, h);
      std::vector<int> selected;
      for (size_t k = 0; k + 1 < steps.size(); ++k)
        if (steps[k].Level >= 10 && steps[k].Level <= 500) selected.push_back(static_cast<int>(k) + 1);
      if (selected.size() < 2) continue;
      LSquareResult r = FitLSquareResult(steps, selected, 0, "N");
      const Dir d = Of(r.GDec, r.GInc, r.TDec, r.TInc);
      const bool isNormal = d.inc >= 0;
      r.Label = isNormal ? "N  " : "R  ";
      (isNormal ? normal : reversed).push_back(d);
      const int32_t slot = section.LastRecord + static_cast<int32_t>(i);
      f.Write(slot, r);
      h.LSquareRecord = slot;
      f.Write(table[i].Slot, h);
    }
  }
  const Session s = OpenSession(path);
  const SiteRun run = RunSite(SiteData::LSquare, s, {"n", Coords()});
  ASSERT_EQ(run.outcome, Outcome::Kind::Done) << run.text;
  ASSERT_FALSE(normal.empty());
  ExpectSame(Printed(run.text, ">>>>>>>> Normal"), FisherOf(normal), "normal");
  if (!reversed.empty()) ExpectSame(Printed(run.text, ">>>>>>>> Reversed"), FisherOf(reversed), "reversed");
}

INSTANTIATE_TEST_SUITE_P(Sets, RealData, ::testing::ValuesIn(Sets), [](const auto& info) {
  const std::string f = info.param.file;
  return f.substr(f.find('/') + 1, f.find('.') - f.find('/') - 1);
});
