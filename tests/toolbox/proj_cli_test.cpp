// remanex-cli toolbox: the same texts and drawings as the core, refusals on stderr.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "plot/layout.h"
#include "plot/points_plot.h"
#include "store/text.h"
#include "support/cli_run.h"
#include "toolbox/drawings.h"
#include "toolbox/projections.h"

namespace rmx::toolbox {
namespace {

namespace fs = std::filesystem;

class ProjCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("proj_cli_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir_;
};

const char* const Directions = "20.5 41.3\r\n19.0 35.4\r\n345.0 37.0\n12.3 37.2\r\n350.7 -40.4";

TEST_F(ProjCli, FisherAndConvertEqualTheCore) {
  const std::string cartesian = SphericalToCartesianText(ParseRows(Directions));
  const std::string dirs = Write("dirs.txt", Directions);
  const std::string cart = Write("cart.txt", cartesian);

  test::CliResult r = test::RunCli({"toolbox", "convert", "sph2cart", dirs});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string lf = cartesian;
  std::erase(lf, '\r');
  EXPECT_EQ(r.out, lf);

  const FisherBoxes b = ToolboxFisher(ParseRows(cartesian), 0.01f);
  const VgpOutcome v = CalculateVgp(b.Dec, b.Inc, b.Alpha95, "45", "-10");
  r = test::RunCli({"toolbox", "fisher", cart, "--level", "0.01", "--site", "45,-10"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "K " + b.K + "\nDeclination " + b.Dec + "\nInclination " + b.Inc + "\nAlpha (95) " + b.Alpha95 +
                       "\nVGP Lat. " + v.Boxes.PoleLat + "\nVGP Long. " + v.Boxes.PoleLong + "\nDP (/Lat) " +
                       *v.Boxes.Dp + "\nDM (/Long) " + *v.Boxes.Dm + "\n");

  r = test::RunCli({"toolbox", "fisher", Write("header.txt", "North East Down\r\n1 0 0\r\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("No North(x1), East(x2), and Down(x3) data available!"), std::string::npos) << r.err;
}

TEST_F(ProjCli, PlotEqualsTheCore) {
  const std::string dirs = Write("dirs.txt", Directions);
  StyleTexts style;
  style.Length = "10";
  style.DecColour = {"0", "128", "0"};
  const test::CliResult r = test::RunCli({"toolbox", "plot", dirs, "--kind", "modified-zijderveld", "--length", "10",
                                          "--dec-colour", "0,128,0", "--out", (dir_ / "z.txt").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const double panel = PanelFor(CentimetresToTwips(10));
  plot::RecordingSurface expected(panel, panel);
  plot::PlotState state;
  DrawProjection(expected, plot::ScreenLayout(), state, ToolboxPlot::ModifiedZijderveld, ParseRows(Directions), style);
  EXPECT_EQ(Read("z.txt"), expected.Dump());
}

TEST_F(ProjCli, Refusals) {
  const std::string dirs = Write("dirs.txt", Directions);
  const std::string out = (dir_ / "refused.svg").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"--kind", "stereographic", "--symbol-size", "0.4"}, 1, "Symbol size must be an integer (1 to 100)"},
      {{"--kind", "zijderveld", "--inc-colour", "0,0,255.6"}, 1, "Color values must be in the range 0 to 255"},
      {{"--kind", "ellipse-equal-area", "--site", "95,0"}, 1, "The site latitude must lie between -90 and 90"},
      {{"--kind", "ellipse-equal-area"}, 2, "the ellipse plots need --site"},
      {{"--kind", "zijderveld", "--points", "5"}, 2, "--points applies to the ellipse plots"},
      {{"--kind", "cylinder"}, 2, "--kind must be"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"toolbox", "plot", dirs, "--out", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult r = test::RunCli(args);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out)) << c.message;
  }
}

}  // namespace
}  // namespace rmx::toolbox
