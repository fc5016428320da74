// remanex-cli plot: the primitives the windows draw for the same panel, valid image
// files, and no file at all when the command is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "plot/layout.h"
#include "plot/plot_helpers.h"
#include "plot/sample_plot.h"
#include "store/text.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

class CliPlotTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("section.mag");
  SamplePlan sample{"jm002 i1",
                    {Dir(31.7f, 77.3f, 7.67e-5f), Dir(45, 74.6f, 3.7e-5f, 1), Dir(51.5f, 74.3f, 2.74e-5f, 1),
                     Dir(131.3f, 86.9f, 1.14e-6f, 0, 0), Dir(104.5f, -71.2f, 2.18e-7f)},
                    1, 0, -2};
  void SetUp() override { WriteMag(path, SectionPlan{"Test Section", 70.96f, 351.39f, {sample, {"other", {Dir(10, 10)}}}}); }

  // What the plot window draws for a panel of the given size.
  std::string Recording(PlotKind kind, Coordinates coords, double w, double h) {
    SampleHeader header;
    header.SampleName = FixedText(sample.name, NameWidth);
    header.ProjectionDec = sample.projectionDec;
    RecordingSurface s(w, h);
    PlotState state;
    DrawSamplePlot(s, ScreenLayout(), state, kind, coords, header, WithOrigin(sample.steps));
    return Latin1ToUtf8(s.Dump());
  }
  CliResult Plot(const std::string& n, const std::string& out, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"plot", path, n, "--kind", "zijderveld", "--coords", "tilt", "--out", out};
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(args);
  }
};

uint32_t BigEndian(const std::string& b, size_t at) {
  return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
         (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}

}  // namespace

// The default panel is the plot window's at 1024 x 768 pixels (505 x 427 pixels of
// panel); a size given is the panel's in twips. (The primitives of every kind on the
// default panel and on paper are in the golden outputs.)
TEST_F(CliPlotTest, PrimitivesEqualTheWindowsForTheSamePanel) {
  const std::string out = dir.File("z.txt");
  const CliResult r = RunCli({"plot", path, "1", "--out", out, "--kind=equal-area", "--coords=tilt", "--size", "9000x6000"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + "\n");
  EXPECT_EQ(ReadBytes(out), Recording(PlotKind::EqualArea, Coordinates::TiltCorrected, 9000, 6000));
}

TEST_F(CliPlotTest, WritesValidPngSvgAndPdf) {
  const std::string png = dir.File("net.png");
  CliResult r = RunCli({"plot", path, "1", "--kind", "stereographic", "--coords", "geographic", "--out", png,
                        "--size", "7200x4320", "--dpi", "200"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  const std::string p = ReadBytes(png);
  ASSERT_GT(p.size(), 100u);
  EXPECT_EQ(p.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(p.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(p, 16), 1000u);  // 5 inches at 200 dpi
  EXPECT_EQ(BigEndian(p, 20), 600u);

  // The default panel in SVG; an A4 page in PDF, whatever the case of its extension.
  ASSERT_EQ(Plot("2", dir.File("z.svg")).status, 0);
  ASSERT_EQ(Plot("1", dir.File("page.PDF"), {"--paper"}).status, 0);
  const std::string svg = ReadBytes(dir.File("z.svg")), pdf = ReadBytes(dir.File("page.PDF"));
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  for (const char* part : {"<svg", "viewBox=\"0 0 7575 6405\"", "Declination", "</svg>"})
    EXPECT_NE(svg.find(part), std::string::npos) << part;
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
}

TEST_F(CliPlotTest, BadUsageAndFailuresWriteNothing) {
  const std::string out = dir.File("x.png");
  const auto usage = [&](std::vector<std::string> more, std::string kind = "zijderveld", std::string coords = "tilt") {
    std::vector<std::string> args = {"plot", path, "1", "--kind", kind, "--coords", coords, "--out", out};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const std::vector<std::vector<std::string>> cases = {
      usage({}, "rose"), usage({}, "zijderveld", "north"), {"plot", path, "1", "--kind", "zijderveld", "--coords", "tilt"},
      usage({"--out", dir.File("x.bmp")}), usage({"--size", "0x100"}), usage({"--paper"}),
      {"plot", path, "x", "--kind", "zijderveld", "--coords", "tilt", "--out", out}};
  for (const auto& args : cases) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[3] << " " << r.err;
    EXPECT_NE(r.err.find("usage: remanex-cli plot"), std::string::npos);
  }
  CliResult r = Plot("3", out);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("there is no sample 3"), std::string::npos) << r.err;
  path = dir.File("none.mag");
  EXPECT_EQ(Plot("1", out).status, 1);
  path = dir.File("section.mag");
  r = Plot("1", dir.File("no/such/x.png"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
  // An image too large to hold is refused before anything is written.
  EXPECT_EQ(Plot("1", out, {"--size", "1000000x1000000", "--dpi", "600"}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(out));
}
