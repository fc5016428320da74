// plot-all: one direction per active sample on one net, written to a file, drawn
// exactly as the plot window draws its net panel of the same size (All > Stereo Plot
// All), or as the printed page with its two heading lines (File > Print > All).
#include <filesystem>

#include "cli/browse.h"
#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "plot/all_samples.h"
#include "plot/layout.h"
#include "plot/surface.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::cli {

namespace {

struct PlotAllOptions {
  std::string file;
  plot::AllSamplesData data = plot::AllSamplesData::Nrm;
  float level = 0;
  plot::NetKind net = plot::NetKind::EqualArea;
  plot::Coordinates coords = plot::Coordinates::TiltCorrected;
  DrawingOutput output;
};

plot::AllSamplesData DataOf(const std::string& d) {
  if (d == "nrm") return plot::AllSamplesData::Nrm;
  if (d == "lsq") return plot::AllSamplesData::LSquare;
  if (d == "af") return plot::AllSamplesData::AlternatingField;
  if (d == "at") return plot::AllSamplesData::ArbitraryTemperature;
  throw UsageError("--data must be nrm, lsq, af or at: " + d);
}

PlotAllOptions Parse(const std::vector<std::string>& args) {
  const Arguments parsed =
      SplitArguments(args, {"data", "level", "kind", "coords", "out", "size", "dpi"}, {"paper"});
  if (parsed.positional.size() != 1) throw UsageError("plot-all takes one sample file");
  for (const char* required : {"data", "kind", "coords", "out"})
    if (!parsed.Has(required)) throw UsageError(std::string("plot-all needs --") + required);
  PlotAllOptions o;
  o.file = parsed.positional[0];
  o.data = DataOf(*parsed.Option("data"));
  if (plot::NeedsLevel(o.data)) {
    if (!parsed.Has("level")) throw UsageError("--data af and at need --level");
    const auto level = ReadSingle(*parsed.Option("level"));
    if (!level) throw UsageError("--level must be a number: " + *parsed.Option("level"));
    o.level = *level;
  } else if (parsed.Has("level")) {
    throw UsageError("--level applies to --data af and at");
  }
  const std::string& kind = *parsed.Option("kind");
  if (kind == "stereographic")
    o.net = plot::NetKind::Stereographic;
  else if (kind != "equal-area")
    throw UsageError("--kind must be stereographic or equal-area: " + kind);
  const std::string& coords = *parsed.Option("coords");
  if (coords == "geographic")
    o.coords = plot::Coordinates::Geographic;
  else if (coords != "tilt")
    throw UsageError("--coords must be geographic or tilt: " + coords);
  o.output.out = *parsed.Option("out");
  if (parsed.Has("size")) o.output.size = *parsed.Option("size");
  if (parsed.Has("dpi")) o.output.dpi = *parsed.Option("dpi");
  o.output.paper = parsed.Has("paper");
  return o;
}

}  // namespace

int RunPlotAll(const std::vector<std::string>& args, std::ostream& out) {
  const PlotAllOptions o = Parse(args);
  const plot::PanelSize size = CheckDrawingOutput(o.output, plot::PlotWindowPanelSize(1024, 768, 96));

  // The page heads with the file's full path, as the main window holds it.
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(o.file, ec);
  const Opened opened = OpenForCli(ec ? o.file : full.string());
  const Session& s = opened.session;
  plot::PointSelection points;
  try {
    points = plot::SelectPoints(plot::ReadAllSamples(opened.snapshot, o.data), o.data, o.level, o.coords);
  } catch (const StoreError& e) {
    throw Failure(o.file, e.what());
  }

  const plot::PageHeading heading{PathToLatin1(s.FileName()),
                                  plot::PrintedAllSamplesTitle(o.data, o.net, o.coords, o.level)};
  const plot::PlotLayout& layout = o.output.paper ? plot::PaperLayout() : plot::ScreenLayout();
  WriteDrawing(o.output, size, [&](plot::Surface& surface) {
    plot::PlotState state;
    plot::DrawAllSamplesPlot(surface, layout, state, o.net, points, o.output.paper ? &heading : nullptr);
  });
  out << o.output.out << '\n';
  return 0;
}

}  // namespace rmx::cli
