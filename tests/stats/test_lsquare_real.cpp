// Fits of real laboratory data: the characteristic component of several samples,
// checked against the double-precision analysis and for stability to the selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fit_helpers.h"
#include "stats/lsquare.h"
#include "stats/lsquare_command.h"
#include "store/numread.h"

using namespace rmx;
using namespace rmx::test;

namespace {

struct RealSample {
  std::string name;
  std::vector<StepRecord> steps;  // measured steps, then the origin step
};

// Reads the TAB-separated layout: a section line, then per sample a header line
// (its third field is the metres, a number) and step lines (the third field holds the
// method in its first 3 characters and the level in its last 3).
std::vector<RealSample> ReadTab(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<RealSample> samples;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (first) {
      first = false;
      continue;
    }
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, '\t')) f.push_back(field);
    if (f.size() < 3) continue;
    if (ReadNumber(f[2])) {
      samples.push_back({f[0] + " " + f[1], {}});
      continue;
    }
    if (samples.empty() || f.size() < 9 || f[2].size() != 6) continue;
    const auto v = [&](size_t i) { return ReadSingle(f[i]).value_or(0.0f); };
    StepRecord s = Step(f[2].substr(0, 3).c_str(), ReadSingle(f[2].substr(3)).value_or(0.0f), v(3), v(4), v(5), v(6),
                        v(7), v(8));
    samples.back().steps.push_back(s);
  }
  for (auto& s : samples) s.steps.push_back(OriginStep());
  return samples;
}

std::vector<int> Window(int from, int to) {
  std::vector<int> r;
  for (int k = from; k <= to; ++k) r.push_back(k);
  return r;
}

struct Summary {
  int fitted = 0, clean = 0;
  std::vector<double> cleanMads;
  double MedianCleanMad() {
    if (cleanMads.empty()) return 0;
    std::sort(cleanMads.begin(), cleanMads.end());
    return cleanMads[cleanMads.size() / 2];
  }
};

// Fits the upper part of each sample's demagnetisation (from the step after the first
// third to the next-to-last measured step) and checks the fit against the reference
// analysis; for clean samples (MAD below 5 degrees) dropping the first or the last
// step of the window turns the line by little.
Summary CheckDataSet(const std::string& file) {
  Summary sum;
  const auto samples = ReadTab(file);
  EXPECT_FALSE(samples.empty()) << file;
  for (const auto& s : samples) {
    const int measured = static_cast<int>(s.steps.size()) - 1;
    if (measured < 7) continue;
    const int from = measured / 3 + 1, to = measured - 1;
    const auto sel = Window(from, to);
    ++sum.fitted;
    for (int geographic : {1, 0}) {
      const LineFit fit = PrincipalComponentFit(geographic, s.steps, sel, 0);
      const ReferenceFit ref = ReferencePca(s.steps, sel, false, geographic == 1);
      EXPECT_LT(AngleBetween(fit.Dec, fit.Inc, ref.dec, ref.inc), 0.01) << s.name;
      EXPECT_NEAR(fit.MAD, ref.mad < 0.01 ? 0 : ref.mad, 0.01 + 1e-4 * ref.mad) << s.name;
    }
    const LineFit fit = PrincipalComponentFit(0, s.steps, sel, 0);
    if (fit.MAD >= 5) continue;
    ++sum.clean;
    const LineFit dropFirst = PrincipalComponentFit(0, s.steps, Window(from + 1, to), 0);
    const LineFit dropLast = PrincipalComponentFit(0, s.steps, Window(from, to - 1), 0);
    const double turn = std::max(AngleBetween(fit.Dec, fit.Inc, dropFirst.Dec, dropFirst.Inc),
                                 AngleBetween(fit.Dec, fit.Inc, dropLast.Dec, dropLast.Inc));
    EXPECT_LT(turn, std::max(2.0, 2.0 * fit.MAD)) << s.name << " MAD " << fit.MAD;
    sum.cleanMads.push_back(fit.MAD);
  }
  return sum;
}

std::string RealFile(const char* folder, const char* name) {
  const std::string path = std::string(REMANEX_REAL_DATA) + "/" + folder + "/" + name;
  return std::filesystem::exists(path) ? path : std::string();
}

}  // namespace

TEST(RealData, ThermalLavaFlowsFitCleanly) {
  const std::string file = RealFile("jan_mayen_thermal", "JMT.tab");
  if (file.empty()) GTEST_SKIP() << "real data not present";
  Summary s = CheckDataSet(file);
  EXPECT_EQ(s.fitted, 38);
  EXPECT_GE(s.clean, s.fitted * 7 / 10);
  EXPECT_LT(s.MedianCleanMad(), 2.5);
}

TEST(RealData, AlternatingFieldSedimentsFitCleanly) {
  const std::string file = RealFile("simpson_island_si1", "SI1.tab");
  if (file.empty()) GTEST_SKIP() << "real data not present";
  Summary s = CheckDataSet(file);
  EXPECT_EQ(s.fitted, 98);
  EXPECT_GE(s.clean, s.fitted * 8 / 10);
  EXPECT_LT(s.MedianCleanMad(), 2.0);
}

TEST(RealData, ScatteredThermalSetStillMatchesTheReference) {
  const std::string file = RealFile("sfvf_thermal", "SFVT.tab");
  if (file.empty()) GTEST_SKIP() << "real data not present";
  Summary s = CheckDataSet(file);
  EXPECT_GT(s.fitted, 80);
}
