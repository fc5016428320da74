#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/magbuilder.h"
#include "toolbox/coord_conversion.h"
#include "toolbox/kono.h"

using namespace rmx::toolbox;
using rmx::test::RunCli;

TEST(CalculatorCli, KonoPrintsTheWindowsBoxes) {
  rmx::test::TempDir dir;
  const std::string path = dir.File("incl.txt");
  const auto expected = [](const std::string& table, bool weighted) {
    const KonoResult r = ComputeKono(table, weighted);
    std::string s;  // "label text" per box (an empty box: its label), then the iteration
    for (int b = 0; b < KonoBoxCount; ++b) s += KonoBoxes[b].label + (r.boxes[b].empty() ? "" : " " + r.boxes[b]) + "\n";
    std::string inter = r.intermediate;
    for (size_t p; (p = inter.find('\r')) != std::string::npos;) inter.erase(p, 1);
    return s + "\n" + inter + "\n";
  };
  const std::string table = "N 45\r\nR -45 2\r\nNP 44.5\r\nINT 3\r\nN 47\r\nN 4x\r\nN 50\r\n";
  rmx::test::WriteBytes(path, table);
  for (bool weighted : {false, true}) {
    const auto r = weighted ? RunCli({"kono", path, "--weighted"}) : RunCli({"kono", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected(table, weighted));
    EXPECT_EQ(r.err, "Data Not Read: Row 6 was not read: its inclination \"4x\" is not a number.\n"
                     "Reading stopped there: the 5 rows before it are used.\n");
  }
  rmx::test::WriteBytes(path, "N 45\n");
  const auto refused = RunCli({"kono", path});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, expected("N 45\n", false));
  EXPECT_EQ(refused.err, "No Data: Too few effective samples!\n"
                         "At least two effective samples with different inclinations are needed.\n");
  EXPECT_EQ(RunCli({"kono", "-"}).status, 1);  // standard input, empty here
  const auto missing = RunCli({"kono", dir.File("none.txt")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "remanex-cli: " + dir.File("none.txt") + ": cannot be read: No such file or directory\n");
}

TEST(CalculatorCli, CoordsPrintsTheWindowsBoxes) {
  struct Case {
    std::vector<std::string> args;
    CoordOutcome core;
  };
  const Case cases[] = {
      {{"sph2cart", "12.5", "-33", "4e-3", "--digits", "8"}, SphericalToCartesian("8", "12.5", "-33", "4e-3")},
      {{"cart2sph", "0", "0", "-5"}, CartesianToSpherical("5", "0", "0", "-5")},
      {{"inc2lat", "45"}, InclinationToLatitude("45")},
      {{"lat2inc", "-30"}, LatitudeToInclination("-30")},
      {{"cart2sph", "1", "x", "3"}, CartesianToSpherical("5", "1", "x", "3")},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"coords"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    std::string lines;
    for (const auto& t : c.core.texts) lines += t + "\n";
    EXPECT_EQ(r.out, lines) << c.args[0];
    EXPECT_EQ(r.status, c.core.refusal ? 1 : 0) << c.args[0];
    EXPECT_EQ(r.err, c.core.refusal ? c.core.refusal->prompt + "\n" : "") << c.args[0];
  }
  EXPECT_EQ(RunCli({"coords", "inc2lat", "45", "--digits", "3"}).status, 2);
}
