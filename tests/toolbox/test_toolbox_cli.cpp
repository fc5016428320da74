// remanex-cli kono, coords and toolbox: the core's texts and drawings, refusals on stderr.
#include <gtest/gtest.h>

#include <filesystem>

#include "plot/layout.h"
#include "plot/points_plot.h"
#include "support/cli_run.h"
#include "support/magbuilder.h"
#include "toolbox/coord_conversion.h"
#include "toolbox/drawings.h"
#include "toolbox/kono.h"
#include "toolbox/projections.h"

namespace rmx::toolbox {
namespace {

using test::RunCli;

const char* const Directions = "20.5 41.3\r\n19.0 35.4\r\n345.0 37.0\n12.3 37.2\r\n350.7 -40.4";

std::string Lf(std::string s) {
  std::erase(s, '\r');
  return s;
}

TEST(ToolboxCli, CommandsEqualTheCoreAndRefuse) {
  test::TempDir dir;
  const std::string incl = dir.File("incl.txt"), one = dir.File("one.txt"), dirs = dir.File("dirs.txt"),
                    cart = dir.File("cart.txt"), z = dir.File("z.txt");
  const std::string table = "N 45\r\nR -45 2\r\nNP 44.5\r\nINT 3\r\nN 47\r\nN 4x\r\nN 50\r\n";
  const std::string cartesian = SphericalToCartesianText(ParseRows(Directions));
  test::WriteBytes(incl, table);
  test::WriteBytes(one, "N 45\n");
  test::WriteBytes(dirs, Directions);
  test::WriteBytes(cart, cartesian);

  // kono: "label text" per box (an empty box: its label), then the iteration.
  const std::string stopped = "Data Not Read: Row 6 was not read: its inclination \"4x\" is not a number.\n"
                              "Reading stopped there: the 5 rows before it are used.\n";
  const struct {
    std::vector<std::string> args;
    std::string table;
    bool weighted;
    int status;
    std::string err;
  } konos[] = {{{"kono", incl}, table, false, 0, stopped},
               {{"kono", incl, "--weighted"}, table, true, 0, stopped},
               {{"kono", one}, "N 45\n", false, 1,
                "No Data: Too few effective samples!\n"
                "At least two effective samples with different inclinations are needed.\n"}};
  for (const auto& k : konos) {
    const KonoResult r = ComputeKono(k.table, k.weighted);
    std::string s;
    for (int b = 0; b < KonoBoxCount; ++b) s += KonoBoxes[b].label + (r.boxes[b].empty() ? "" : " " + r.boxes[b]) + "\n";
    const auto cli = RunCli(k.args);
    EXPECT_EQ(cli.status, k.status) << cli.err;
    EXPECT_EQ(cli.out, s + "\n" + Lf(r.intermediate) + "\n");
    EXPECT_EQ(cli.err, k.err);
  }

  // coords: one box a line; a refusal's prompt on stderr.
  const struct {
    std::vector<std::string> args;
    CoordOutcome core;
  } coords[] = {
      {{"sph2cart", "12.5", "-33", "4e-3", "--digits", "8"}, SphericalToCartesian("8", "12.5", "-33", "4e-3")},
      {{"cart2sph", "0", "0", "-5"}, CartesianToSpherical("5", "0", "0", "-5")},
      {{"inc2lat", "45"}, InclinationToLatitude("45")},
      {{"lat2inc", "-30"}, LatitudeToInclination("-30")},
      {{"cart2sph", "1", "x", "3"}, CartesianToSpherical("5", "1", "x", "3")},
  };
  for (const auto& c : coords) {
    std::vector<std::string> args = {"coords"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    std::string lines;
    for (const auto& t : c.core.texts) lines += t + "\n";
    EXPECT_EQ(r.out, lines) << c.args[0];
    EXPECT_EQ(r.status, c.core.refusal ? 1 : 0) << c.args[0];
    EXPECT_EQ(r.err, c.core.refusal ? c.core.refusal->prompt + "\n" : "") << c.args[0];
  }

  // toolbox convert, fisher and plot.
  test::CliResult r = RunCli({"toolbox", "convert", "sph2cart", dirs});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Lf(cartesian));

  const FisherBoxes b = ToolboxFisher(ParseRows(cartesian), 0.01f);
  const VgpOutcome v = CalculateVgp(b.Dec, b.Inc, b.Alpha95, "45", "-10");
  r = RunCli({"toolbox", "fisher", cart, "--level", "0.01", "--site", "45,-10"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "K " + b.K + "\nDeclination " + b.Dec + "\nInclination " + b.Inc + "\nAlpha (95) " + b.Alpha95 +
                       "\nVGP Lat. " + v.Boxes.PoleLat + "\nVGP Long. " + v.Boxes.PoleLong + "\nDP (/Lat) " +
                       *v.Boxes.Dp + "\nDM (/Long) " + *v.Boxes.Dm + "\n");

  StyleTexts style;
  style.Length = "10";
  style.DecColour = {"0", "128", "0"};
  r = RunCli({"toolbox", "plot", dirs, "--kind", "modified-zijderveld", "--length", "10", "--dec-colour", "0,128,0",
              "--out", z});
  ASSERT_EQ(r.status, 0) << r.err;
  const double panel = PanelFor(CentimetresToTwips(10));
  plot::RecordingSurface expected(panel, panel);
  plot::PlotState state;
  DrawProjection(expected, plot::ScreenLayout(), state, ToolboxPlot::ModifiedZijderveld, ParseRows(Directions), style);
  EXPECT_EQ(test::ReadBytes(z), expected.Dump());

  // Refusals: the status, the message on stderr and no drawing written.
  const std::string header = dir.File("header.txt"), out = dir.File("refused.svg"), none = dir.File("none.txt");
  test::WriteBytes(header, "North East Down\r\n1 0 0\r\n");
  const std::vector<std::string> draw = {"toolbox", "plot", dirs, "--out", out, "--kind"};
  const auto with = [](std::vector<std::string> a, std::initializer_list<std::string> more) {
    a.insert(a.end(), more);
    return a;
  };
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    bool whole;  // the whole of stderr, else a part of it
  } cases[] = {
      {{"kono", "-"}, 1, "", false},  // standard input, empty here
      {{"kono", none}, 1, "remanex-cli: " + none + ": cannot be read: No such file or directory\n", true},
      {{"coords", "inc2lat", "45", "--digits", "3"}, 2, "", false},
      {{"toolbox", "fisher", header}, 1, "No North(x1), East(x2), and Down(x3) data available!", false},
      {with(draw, {"stereographic", "--symbol-size", "0.4"}), 1, "Symbol size must be an integer (1 to 100)", false},
      {with(draw, {"zijderveld", "--inc-colour", "0,0,255.6"}), 1, "Color values must be in the range 0 to 255", false},
      {with(draw, {"ellipse-equal-area", "--site", "95,0"}), 1, "The site latitude must lie between -90 and 90", false},
      {with(draw, {"ellipse-equal-area"}), 2, "the ellipse plots need --site", false},
      {with(draw, {"zijderveld", "--points", "5"}), 2, "--points applies to the ellipse plots", false},
      {with(draw, {"cylinder"}), 2, "--kind must be", false},
  };
  for (const auto& c : cases) {
    const test::CliResult got = RunCli(c.args);
    EXPECT_EQ(got.status, c.status) << c.err;
    if (c.whole) EXPECT_EQ(got.err, c.err);
    else EXPECT_NE(got.err.find(c.err), std::string::npos) << got.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.err;
  }
}

}  // namespace
}  // namespace rmx::toolbox
