#include <gtest/gtest.h>

#include "plot/all_samples.h"
#include "plot/plot_helpers.h"
#include "session/session.h"
#include "store/text.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

class CliPlotAllTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("section.mag");

  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"A1", {Step("NRM", 0, 10, 40, 15, 35, 1e-3f, 1), Step("AF", 20, 20, -10, 25, -5, 5e-4f, 1)}},
                    {"A2", {Step("NRM", 0, 200, -30, 205, -25, 1e-3f, 1), Step("AF", 20, 190, -20, 195, -15, 5e-4f, 1)}},
                    {"A3", {Step("NRM", 0, 100, 10, 100, 10, 1e-3f, 1)}, 0}};
    WriteMag(path, plan);
  }

  // What the window draws for the same data, panel or page.
  std::string Recording(AllSamplesData data, float level, NetKind net, Coordinates coords, bool paper) {
    Session s;
    s.GetOpenFileName(path);
    s.Load();
    const PointSelection points = SelectPoints(ReadAllSamples(s, data), data, level, coords);
    const PanelSize size = paper ? PanelSize{A4Width, A4Height} : PlotWindowPanelSize(1024, 768, 96);
    RecordingSurface rec(size.Width, size.Height);
    PlotState state;
    const PageHeading heading{path, PrintedAllSamplesTitle(data, net, coords, level)};
    DrawAllSamplesPlot(rec, paper ? PaperLayout() : ScreenLayout(), state, net, points, paper ? &heading : nullptr);
    return Latin1ToUtf8(rec.Dump());
  }
};

}  // namespace

TEST_F(CliPlotAllTest, PrimitivesEqualTheWindowsPanelAndPage) {
  const std::string out = dir.File("all.txt");
  CliResult r = RunCli({"plot-all", path, "--data", "af", "--level", "20.0", "--kind", "stereographic", "--coords",
                        "geographic", "--out", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + "\n");
  const std::string panel = ReadBytes(out);
  EXPECT_EQ(panel, Recording(AllSamplesData::AlternatingField, 20, NetKind::Stereographic, Coordinates::Geographic,
                             false));
  EXPECT_NE(panel.find("open 255,0,0"), std::string::npos);  // both AF directions point up

  r = RunCli({"plot-all", path, "--data=nrm", "--kind=equal-area", "--coords=tilt", "--paper", "--out", out});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = ReadBytes(out);
  EXPECT_EQ(page, Recording(AllSamplesData::Nrm, 0, NetKind::EqualArea, Coordinates::TiltCorrected, true));
  EXPECT_NE(page.find("\"" + path + "\""), std::string::npos);
  EXPECT_NE(page.find("\"Equal-Area Projection of All Samples - NRM, Tilt-Corrected\""), std::string::npos);

  const std::string pdf = dir.File("all.pdf");
  r = RunCli({"plot-all", path, "--data", "lsq", "--kind", "equal-area", "--coords", "tilt", "--paper", "--out", pdf});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(pdf).rfind("%PDF-", 0), 0u);
}

TEST_F(CliPlotAllTest, BadUsage) {
  const std::string out = dir.File("x.svg");
  const std::vector<std::vector<std::string>> usage = {
      {"plot-all", path, "--data", "xrm", "--kind", "equal-area", "--coords", "tilt", "--out", out},
      {"plot-all", path, "--data", "af", "--kind", "equal-area", "--coords", "tilt", "--out", out},
      {"plot-all", path, "--data", "nrm", "--level", "20", "--kind", "equal-area", "--coords", "tilt", "--out", out},
      {"plot-all", path, "--data", "nrm", "--kind", "zijderveld", "--coords", "tilt", "--out", out},
      {"plot-all", path, "1", "--data", "nrm", "--kind", "equal-area", "--coords", "tilt", "--out", out},
  };
  for (const auto& args : usage) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[3] << " " << r.err;
    EXPECT_NE(r.err.find("usage: remanex-cli plot-all"), std::string::npos) << r.err;
  }
}
