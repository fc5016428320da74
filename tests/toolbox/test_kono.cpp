#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "toolbox/kono.h"

using namespace rmx::toolbox;

TEST(Kono, ReadingRows) {
  const struct {
    const char* text;
    bool weighted;
    int rows, effective;
    std::vector<double> entries;
    bool stopped;
  } cases[] = {
      // The three-row example as the window holds it (LF) and as typed rows (CR LF).
      {"N 45\nR -45\nNP 44.5", true, 3, 3, {45, 45, 45, 45, 44.5}, false},
      {"N 45\r\nR -45\r\nNP 44.5\r\n", false, 3, 3, {45, 45, 44.5}, false},
      // Blanks, tabs and commas in any mix, blank lines, intensities or none.
      {"\n\n N,\t45, 2.5\n\n\nR\t,-30\nRP  20 ,\n\n", false, 3, 3, {45, 30, -20}, false},
      // Other labels count as rows only, whatever follows them.
      {"Polarity Inclination Intensity\nn 45\nNPP 40\nN? 41\nINT x\nN 43", false, 6, 1, {43}, false},
      // A usable row whose number does not read ends the reading and is not used.
      {"N 45\nN 4x5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nR nan\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 90.5\nN 40", false, 1, 1, {45}, true},
      {"N 45\nN 40 one\nN 40", false, 1, 1, {45}, true},
      {"N", false, 0, 0, {}, false},
  };
  for (const auto& c : cases) {
    const KonoData d = ReadKonoData(c.text, c.weighted);
    std::vector<double> entries;
    for (const KonoEntry& e : d.entries) entries.push_back(e.inclination);
    EXPECT_EQ(d.rows, c.rows) << c.text;
    EXPECT_EQ(d.effective, c.effective) << c.text;
    EXPECT_EQ(entries, c.entries) << c.text;
    EXPECT_EQ(!d.stopped.empty(), c.stopped) << c.text << d.stopped;
  }
}

TEST(Kono, ResultsAndRefusals) {
  const KonoResult r = ComputeKono("N 45\nR -45\nNP 44.5\n", true);
  ASSERT_FALSE(r.refusal);
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
  EXPECT_EQ(ComputeKono("N 45\nR -45\nNP 44.5\n", false).effectiveCount, 3);

  const char* const none = "No effective data available!";
  const char* const few = "Too few effective samples!";
  const struct {
    const char* text;
    bool weighted;
    const char* title;
    const char* first;   // the message's first line
    const char* filled;  // per box: 1 filled, 0 empty
  } cases[] = {
      {"", false, "No Data", none, "1110000000000"},
      {"INT 40\nNPP 30", false, "No Data", none, "1110000000000"},
      {"N 45", true, "No Data", few, "1110000000000"},
      // Two effective rows, but 2 / 2 = 1 independent sample in weighted mode.
      {"NP 40\nRP -50", true, "No Data", few, "1110000000000"},
      {"N 45\nR -45\nN? 30", false, "No Data", "All effective inclinations are equal!", "1110000000000"},
      // The six steps run off to an inclination of 1624 degrees: no estimate.
      {"N 80\nN -70\nN 10\nN -20\nN 60", false, "No Result",
       "The iteration did not give an inclination within -90 to 90 degrees and a finite K.", "1111110000000"},
      // Random directions: K = 0.442 makes (K - 1) Ne + 1 negative: no cone, no limits.
      {"N 14.5\nN 26.8\nN 55.7\nN -22.6\nN -5.8\nN 40.8\nN -33.5\nN -50.2\nN -22.1\nN -55.6\nN 33\nN 39.7", false,
       "", "", "1111111100100"},
  };
  for (const auto& c : cases) {
    const KonoResult k = ComputeKono(c.text, c.weighted);
    ASSERT_EQ(k.refusal.has_value(), *c.title != 0) << c.text;
    if (k.refusal) {
      EXPECT_EQ(k.refusal->title, c.title);
      EXPECT_EQ(k.refusal->text.substr(0, k.refusal->text.find('\r')), c.first);
    }
    for (int b = 0; b < KonoBoxCount; ++b) EXPECT_EQ(k.boxes[b].empty(), c.filled[b] == '0') << c.text << b;
  }
  EXPECT_NE(ComputeKono(cases[5].text, false).intermediate.find("\r\n6. Incl = 1624.148, K = -2208.24517954"),
            std::string::npos);
}

namespace {

constexpr double Rad = M_PI / 180;

// Inclinations of n directions drawn from a Fisher distribution (mean inclination
// inc0 degrees, precision k) with a fixed generator.
std::vector<double> FisherInclinations(int n, double inc0, double k, unsigned seed) {
  std::mt19937 gen(seed);
  const auto uniform = [&gen] { return (gen() + 0.5) / 4294967296.0; };
  std::vector<double> out;
  for (int j = 0; j < n; ++j) {
    const double cosTheta = 1 + std::log(1 - uniform() * (1 - std::exp(-2 * k))) / k;
    const double sinTheta = std::sqrt(std::max(0.0, 1 - cosTheta * cosTheta));
    // Down component of the deviation from the mean (cos i0, 0, sin i0).
    const double down = cosTheta * std::sin(inc0 * Rad) - sinTheta * std::cos(2 * M_PI * uniform()) * std::cos(inc0 * Rad);
    out.push_back(std::asin(down) / Rad);
  }
  return out;
}

// Inclination-only log-likelihood: f(I) = k / (2 sinh k) cos I exp(k sin I sin I0) I0(k cos I cos I0),
// maximised over k by a golden-section search on log k.
double MaxLogLikelihood(const std::vector<double>& inc, double inc0, double& bestK) {
  const auto logL = [&](double k) {
    double sum = 0;
    for (double d : inc)
      sum += std::log(k) - k - std::log1p(-std::exp(-2 * k)) + std::log(std::cos(d * Rad)) +
             k * std::sin(d * Rad) * std::sin(inc0 * Rad) +
             std::log(std::cyl_bessel_i(0.0, k * std::cos(d * Rad) * std::cos(inc0 * Rad)));
    return sum;
  };
  double a = std::log(0.5), b = std::log(500.0);
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int it = 0; it < 40; ++it) {
    const double c = b - g * (b - a), d = a + g * (b - a);
    if (logL(std::exp(c)) > logL(std::exp(d))) b = d; else a = c;
  }
  bestK = std::exp((a + b) / 2);
  return logL(bestK);
}

}  // namespace

TEST(Kono, AgreesWithABruteForceMaximumLikelihoodOnFisherSamples) {
  struct Case {
    int n;
    double inc0, k;
    unsigned seed;
  };
  for (const Case& c : {Case{80, 50, 30, 20240611}, Case{40, -35, 15, 7}, Case{60, 72, 40, 1980}}) {
    const std::vector<double> inc = FisherInclinations(c.n, c.inc0, c.k, c.seed);
    std::string table;
    std::vector<double> folded;  // reversed rows are folded onto the normal polarity
    double s1 = 0, s2 = 0;
    for (double i : inc) {
      table += (i < 0 ? "R " : "N ") + std::to_string(i) + "\n";
      folded.push_back(std::fabs(i));
      s1 += std::sin(std::fabs(i) * Rad) / c.n;
      s2 += std::pow(std::sin(i * Rad), 2) / c.n;
    }
    const KonoResult r = ComputeKono(table, false);
    ASSERT_FALSE(r.refusal) << c.seed;

    // The estimate solves the two moment equations, L(k) = coth k - 1/k.
    const double t = r.inclination * Rad, l = 1 / std::tanh(r.k) - 1 / r.k;
    EXPECT_NEAR(std::sin(t) * l, s1, 1e-9) << c.seed;
    EXPECT_NEAR(std::pow(std::sin(t), 2) + (1 - 3 * std::pow(std::sin(t), 2)) * l / r.k, s2, 1e-9) << c.seed;

    // The maximum-likelihood mean by a coarse, then a fine grid.
    double bestInc = 0, bestK = 0, bestL = -1e300;
    for (const auto& [from, step] : {std::pair{-88.0, 2.0}, std::pair{0.0, 0.02}}) {
      const double start = step < 1 ? bestInc - 2 : from, end = step < 1 ? bestInc + 2 : 88;
      for (double i0 = start; i0 <= end; i0 += step) {
        double k = 0;
        const double l0 = MaxLogLikelihood(folded, i0, k);
        if (l0 > bestL) bestL = l0, bestInc = i0, bestK = k;
      }
    }
    // Moment and likelihood estimates differ by a fraction of their sampling errors,
    // about 81 / sqrt(k n) degrees and a relative sqrt(2 / n) of K.
    EXPECT_NEAR(r.inclination, bestInc, 0.5 * 81 / std::sqrt(bestK * c.n)) << c.seed;
    EXPECT_NEAR(r.k, bestK, std::sqrt(2.0 / c.n) * bestK) << c.seed;
  }
}
