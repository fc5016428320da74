// The command line writes its PNG, SVG and PDF files through the plot writer module:
// they must equal the files the plot writers draw in this process.
#include <gtest/gtest.h>

#include <QFile>
#include <regex>

#include "plot/layout.h"
#include "plot/plot_helpers.h"
#include "plot/sample_plot.h"
#include "plot/ui/plot_files.h"
#include "support/cli_run.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

// A PDF names the second it was made; nothing else may differ.
std::string WithoutDate(const std::string& bytes) {
  return std::regex_replace(bytes, std::regex("/CreationDate \\(D:[0-9]+Z\\)"), "/CreationDate ()");
}

}  // namespace

TEST(CliPlotFiles, EqualTheFilesDrawnInProcess) {
  TempDir dir;
  SamplePlan sample;
  sample.name = "jm002 i1";
  sample.steps = {Dir(31.7f, 77.3f, 7.67e-5f), Dir(45, 74.6f, 3.7e-5f, 1), Dir(104.5f, -71.2f, 2.18e-7f)};
  SectionPlan plan;
  plan.samples = {sample};
  const std::string mag = dir.File("section.mag");
  WriteMag(mag, plan);
  SampleHeader header;
  header.SampleName = FixedText(sample.name, NameWidth);

  struct Case {
    const char* name;
    ui::PlotFileFormat format;
    PlotKind kind;
    std::vector<std::string> options;
    PanelSize size;
    double dpi;
    bool paper;
  };
  const Case cases[] = {
      {"plot.png", ui::PlotFileFormat::Png, PlotKind::Zijderveld, {"--dpi", "150", "--size", "9000x6000"},
       {9000, 6000}, 150, false},
      {"plot.svg", ui::PlotFileFormat::Svg, PlotKind::EqualArea, {"--size", "9000x6000"}, {9000, 6000}, 96, false},
      {"plot.pdf", ui::PlotFileFormat::Pdf, PlotKind::ModifiedZijderveld, {"--paper"}, {A4Width, A4Height}, 96, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir cliDir, directDir;  // the same file name: SVG and PDF carry it as their title
    std::vector<std::string> args = {"plot", mag, "1", "--kind", "", "--coords", "tilt", "--out", cliDir.File(c.name)};
    args[4] = c.kind == PlotKind::Zijderveld ? "zijderveld" : c.kind == PlotKind::EqualArea ? "equal-area"
                                                                                            : "modified-zijderveld";
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;

    ui::PlotFileOptions options;
    options.Width = c.size.Width;
    options.Height = c.size.Height;
    options.Dpi = c.dpi;
    options.Paper = c.paper;
    ui::WritePlotFile(QString::fromStdString(directDir.File(c.name)), c.format, options, [&](Surface& s) {
      PlotState state;
      DrawSamplePlot(s, c.paper ? PaperLayout() : ScreenLayout(), state, c.kind, Coordinates::TiltCorrected, header,
                     WithOrigin(sample.steps));
    });
    const std::string direct = ReadBytes(directDir.File(c.name));
    ASSERT_GT(direct.size(), 1000u);
    EXPECT_TRUE(WithoutDate(ReadBytes(cliDir.File(c.name))) == WithoutDate(direct));
  }
}
