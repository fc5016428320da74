#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "toolbox/kono.h"

using namespace rmx::toolbox;

namespace {

std::vector<double> Inclinations(const KonoData& d) {
  std::vector<double> v;
  for (const KonoEntry& e : d.entries) v.push_back(e.inclination);
  return v;
}

}  // namespace

TEST(KonoReading, RowsLabelsAndSeparators) {
  struct Case {
    const char* text;
    bool weighted;
    int rows, effective;
    std::vector<double> entries;
    bool stopped;
  };
  const Case cases[] = {
      // The three-row example, as the window delivers it (LF) and as typed rows (CR LF).
      {"N 45\nR -45\nNP 44.5", true, 3, 3, {45, 45, 45, 45, 44.5}, false},
      {"N 45\r\nR -45\r\nNP 44.5\r\n", true, 3, 3, {45, 45, 45, 45, 44.5}, false},
      {"N 45\nR -45\nNP 44.5\n", false, 3, 3, {45, 45, 44.5}, false},
      {"RP -30", false, 1, 1, {30}, false},
      // Blanks, tabs and commas in any mix, blank lines, intensities with or without.
      {"\n\n N,\t45, 2.5\n\n\nR\t,-30\nNP  20 ,\n\n", false, 3, 3, {45, 30, 20}, false},
      // Labels other than N, R, NP, RP count as rows only, whatever follows them.
      {"n 45\nNPP 40\nN? 41\nINT 42\nN 43", false, 5, 1, {43}, false},
      {"Polarity Inclination Intensity\nN 45 1", false, 2, 1, {45}, false},
      // A usable row whose number does not read ends the reading; it is not used.
      {"N 45\nN 4x5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nR nan\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 90.5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 40 one\nN 40", false, 1, 1, {45}, true},
      {"N", false, 0, 0, {}, false},
      {"", false, 0, 0, {}, false},
  };
  for (const Case& c : cases) {
    const KonoData d = ReadKonoData(c.text, c.weighted);
    EXPECT_EQ(d.rows, c.rows) << c.text;
    EXPECT_EQ(d.effective, c.effective) << c.text;
    EXPECT_EQ(Inclinations(d), c.entries) << c.text;
    EXPECT_EQ(!d.stopped.empty(), c.stopped) << c.text << d.stopped;
  }
  EXPECT_EQ(ReadKonoData("N 45 3\nN 40 x", false).stopped, "Row 2 was not read: its intensity \"x\" is not a number.");
  EXPECT_EQ(ReadKonoData("N 45\nNP 40\tx", false).entries[0].intensity, 1);
}

TEST(Kono, ThreeRowExampleWeighted) {
  const KonoResult r = ComputeKono("N 45\nR -45\nNP 44.5\n", true);
  ASSERT_FALSE(r.refusal);
  EXPECT_FALSE(r.notice);
  const std::array<std::string, KonoBoxCount> boxes = {
      "3", "3", "5", "44.833", "44.900", "0.224", "44.900", "10366.940", "2.453", "1.423", "26.485", "1.958", "1.136"};
  EXPECT_EQ(r.boxes, boxes);
  EXPECT_EQ(r.effectiveCount, 2);  // 5 / 2 rounds half to even
  EXPECT_EQ(r.intermediate,
            "===Intermediate Results===\r\n"
            "1. Overflow, K = 200.00000000\r\n1. Incl = 44.901, K = 346.66108573\r\n"
            "2. Overflow, K = 346.66108573\r\n2. Incl = 44.901, K = 690.89394466\r\n"
            "3. Overflow, K = 690.89394466\r\n3. Incl = 44.900, K = 1374.99052252\r\n"
            "4. Overflow, K = 1374.99052252\r\n4. Incl = 44.900, K = 2725.88038861\r\n"
            "5. Overflow, K = 2725.88038861\r\n5. Incl = 44.900, K = 5359.83352632\r\n"
            "6. Overflow, K = 5359.83352632\r\n6. Incl = 44.900, K = 10366.94005652");

  const KonoResult u = ComputeKono("N 45\nR -45\nNP 44.5\n", false);
  EXPECT_EQ(u.boxes[NumWeighted], "3");
  EXPECT_EQ(u.boxes[AverageIncl], "44.833");
  EXPECT_EQ(u.boxes[WeightedAveIncl], "44.833");
  EXPECT_EQ(u.effectiveCount, 3);
}

TEST(Kono, RefusedBeforeIterating) {
  struct Case {
    const char* text;
    bool weighted;
    const char* first;  // the message's first line
    const char* counts[3];
  };
  const Case cases[] = {
      {"", false, "No effective data available!", {"0", "0", "0"}},
      {"INT 40\nNPP 30", false, "No effective data available!", {"2", "0", "0"}},
      {"N 45", true, "Too few effective samples!", {"1", "1", "2"}},
      // Two effective rows, but 2 / 2 = 1 independent sample in weighted mode.
      {"NP 40\nRP -50", true, "Too few effective samples!", {"2", "2", "2"}},
      {"N 45\nR -45\nN? 30", false, "All effective inclinations are equal!", {"3", "2", "2"}},
  };
  for (const Case& c : cases) {
    const KonoResult r = ComputeKono(c.text, c.weighted);
    ASSERT_TRUE(r.refusal) << c.text;
    EXPECT_EQ(r.refusal->title, "No Data");
    EXPECT_EQ(r.refusal->text.substr(0, r.refusal->text.find('\r')), c.first);
    EXPECT_NE(r.refusal->text.find("At least two effective samples with different inclinations are needed."),
              std::string::npos);
    for (int b = 0; b < 3; ++b) EXPECT_EQ(r.boxes[b], c.counts[b]) << c.text;
    for (int b = 3; b < KonoBoxCount; ++b) EXPECT_EQ(r.boxes[b], "") << c.text;
    EXPECT_EQ(r.intermediate, "===Intermediate Results===");
  }
  const KonoResult stopped = ComputeKono("N 45\nN 30\nN abc\nN 10", false);
  EXPECT_FALSE(stopped.refusal);
  ASSERT_TRUE(stopped.notice);
  EXPECT_EQ(stopped.notice->text,
            "Row 3 was not read: its inclination \"abc\" is not a number.\r\n"
            "Reading stopped there: the 2 rows before it are used.");
  EXPECT_EQ(stopped.boxes[AverageIncl], "37.500");
}

TEST(Kono, ScatteredDataWithoutConeOrEstimate) {
  // Random directions: K of 0.44 leaves (K - 1) Ne + 1 negative, so no cone of
  // confidence and no latitude limits; the estimate itself is shown.
  const KonoResult r = ComputeKono(
      "N 14.5\nN 26.8\nN 55.7\nN -22.6\nN -5.8\nN 40.8\nN -33.5\nN -50.2\nN -22.1\nN -55.6\nN 33\nN 39.7\n", false);
  ASSERT_FALSE(r.refusal);
  EXPECT_EQ(r.boxes[KonoIncl], "11.800");
  EXPECT_EQ(r.boxes[KonoK], "0.442");
  EXPECT_EQ(r.boxes[Latitude], "5.963");
  for (KonoBox b : {Alpha95, Alpha63, LatAlpha95, LatAlpha63}) EXPECT_EQ(r.boxes[b], "");

  // Here the six steps run off to an inclination of 1624 degrees: no estimate.
  const KonoResult off = ComputeKono("N 80\nN -70\nN 10\nN -20\nN 60", false);
  ASSERT_TRUE(off.refusal);
  EXPECT_EQ(off.refusal->title, "No Result");
  EXPECT_EQ(off.boxes[StdDev], "60.581");
  for (int b = KonoIncl; b < KonoBoxCount; ++b) EXPECT_EQ(off.boxes[b], "");
  EXPECT_NE(off.intermediate.find("\r\n6. Incl = 1624.148, K = -2208.24517954"), std::string::npos);
}

namespace {

// Inclinations of N directions drawn from a Fisher distribution with the mean
// inclination inc0 (degrees) and precision k; a fixed generator.
std::vector<double> FisherInclinations(int n, double inc0, double k, unsigned seed) {
  std::mt19937 gen(seed);
  const auto uniform = [&gen] { return (gen() + 0.5) / 4294967296.0; };
  const double i0 = inc0 * M_PI / 180;
  std::vector<double> out;
  for (int j = 0; j < n; ++j) {
    const double cosTheta = 1 + std::log(1 - uniform() * (1 - std::exp(-2 * k))) / k;
    const double sinTheta = std::sqrt(std::max(0.0, 1 - cosTheta * cosTheta));
    const double phi = 2 * M_PI * uniform();
    // Mean (cos i0, 0, sin i0) in north, east, down; the deviation's down component.
    const double down = cosTheta * std::sin(i0) - sinTheta * std::cos(phi) * std::cos(i0);
    out.push_back(std::asin(down) * 180 / M_PI);
  }
  return out;
}

// Log-likelihood of inclinations under the inclination-only Fisher density
// f(I) = k / (2 sinh k) cos I exp(k sin I sin I0) I0(k cos I cos I0).
double LogLikelihood(const std::vector<double>& inc, double inc0, double k) {
  const double i0 = inc0 * M_PI / 180;
  double sum = 0;
  for (double d : inc) {
    const double i = d * M_PI / 180;
    sum += std::log(k) - (k + std::log1p(-std::exp(-2 * k))) + std::log(std::cos(i)) + k * std::sin(i) * std::sin(i0) +
           std::log(std::cyl_bessel_i(0.0, k * std::cos(i) * std::cos(i0)));
  }
  return sum;
}

// The best k for a given mean inclination: golden-section search on log k.
double BestK(const std::vector<double>& inc, double inc0, double& best) {
  double a = std::log(0.5), b = std::log(500.0);
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int it = 0; it < 40; ++it) {
    const double c = b - g * (b - a), d = a + g * (b - a);
    if (LogLikelihood(inc, inc0, std::exp(c)) > LogLikelihood(inc, inc0, std::exp(d))) b = d; else a = c;
  }
  best = LogLikelihood(inc, inc0, std::exp((a + b) / 2));
  return std::exp((a + b) / 2);
}

}  // namespace

// L(k) = coth k - 1/k, independently of the calculator's exponentials.
double L(double k) { return 1 / std::tanh(k) - 1 / k; }

TEST(Kono, AgreesWithABruteForceMaximumLikelihoodOnFisherSamples) {
  struct Case {
    int n;
    double inc0, k;
    unsigned seed;
  };
  for (const Case& c : {Case{80, 50, 30, 20240611}, Case{40, -35, 15, 7}, Case{60, 72, 40, 1980}}) {
    const std::vector<double> inc = FisherInclinations(c.n, c.inc0, c.k, c.seed);
    std::string table;
    for (double i : inc) table += (i < 0 ? "R " : "N ") + std::to_string(i) + "\n";
    const KonoResult r = ComputeKono(table, false);
    ASSERT_FALSE(r.refusal) << c.seed;

    // The estimate solves the two moment equations of sin I.
    double s1 = 0, s2 = 0;
    std::vector<double> folded;  // reversed rows are folded onto the normal polarity
    for (double i : inc) {
      folded.push_back(std::fabs(i));
      s1 += std::sin(std::fabs(i) * M_PI / 180) / c.n;
      s2 += std::pow(std::sin(i * M_PI / 180), 2) / c.n;
    }
    const double t = r.inclination * M_PI / 180;
    EXPECT_NEAR(std::sin(t) * L(r.k), s1, 1e-9) << c.seed;
    EXPECT_NEAR(std::pow(std::sin(t), 2) + (1 - 3 * std::pow(std::sin(t), 2)) * L(r.k) / r.k, s2, 1e-9) << c.seed;

    // Coarse grid over the mean inclination, then a fine one around the best.
    double bestInc = 0, bestK = 0, bestL = -1e300;
    const auto search = [&](double from, double to, double step) {
      for (double i0 = from; i0 <= to; i0 += step) {
        double l = 0;
        const double k = BestK(folded, i0, l);
        if (l > bestL) bestL = l, bestInc = i0, bestK = k;
      }
    };
    search(-88, 88, 2);
    search(bestInc - 2, bestInc + 2, 0.02);
    // The moment estimate and the likelihood's differ by a fraction of their
    // sampling errors: about 81 / sqrt(k n) degrees and a relative sqrt(2 / n) of K.
    EXPECT_NEAR(r.inclination, bestInc, 0.5 * 81 / std::sqrt(bestK * c.n)) << c.seed;
    EXPECT_NEAR(r.k, bestK, std::sqrt(2.0 / c.n) * bestK) << c.seed;
    // And both find the distribution the sample was drawn from.
    EXPECT_NEAR(r.inclination, std::fabs(c.inc0), 2 * 81 / std::sqrt(c.k * c.n)) << c.seed;
  }
}
