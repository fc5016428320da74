// plot: one plot of one sample written to a file, drawn exactly as the plot window
// draws its panel of the same size, or as the printed page.
#include <optional>

#include "cli/browse.h"
#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "plot/layout.h"
#include "plot/sample_plot.h"
#include "plot/surface.h"

namespace rmx::cli {

namespace {

struct PlotOptions {
  std::string file, sample, kind, coords;
  DrawingOutput output;
};

PlotOptions Parse(const std::vector<std::string>& args) {
  const Arguments parsed = SplitArguments(args, {"kind", "coords", "out", "size", "dpi"}, {"paper"});
  if (parsed.positional.size() != 2) throw UsageError("plot takes a file and a sample number");
  for (const char* required : {"kind", "coords", "out"})
    if (!parsed.Has(required)) throw UsageError(std::string("plot needs --") + required);
  const auto value = [&](const char* name) { return parsed.Has(name) ? *parsed.Option(name) : std::string(); };
  PlotOptions o;
  o.file = parsed.positional[0];
  o.sample = parsed.positional[1];
  o.kind = value("kind");
  o.coords = value("coords");
  o.output.out = value("out");
  if (parsed.Has("size")) o.output.size = value("size");
  if (parsed.Has("dpi")) o.output.dpi = value("dpi");
  o.output.paper = parsed.Has("paper");
  return o;
}

plot::PlotKind KindOf(const std::string& k) {
  if (k == "zijderveld") return plot::PlotKind::Zijderveld;
  if (k == "modified-zijderveld") return plot::PlotKind::ModifiedZijderveld;
  if (k == "stereographic") return plot::PlotKind::Stereographic;
  if (k == "equal-area") return plot::PlotKind::EqualArea;
  throw UsageError("--kind must be zijderveld, modified-zijderveld, stereographic or equal-area: " + k);
}

plot::Coordinates CoordsOf(const std::string& c) {
  if (c == "geographic") return plot::Coordinates::Geographic;
  if (c == "tilt") return plot::Coordinates::TiltCorrected;
  throw UsageError("--coords must be geographic or tilt: " + c);
}

}  // namespace

int RunPlot(const std::vector<std::string>& args, std::ostream& out) {
  const PlotOptions o = Parse(args);
  ParseIndex(o.sample, "the sample number");
  const plot::PlotKind kind = KindOf(o.kind);
  const plot::Coordinates coords = CoordsOf(o.coords);
  const plot::PanelSize size = CheckDrawingOutput(o.output, plot::PlotWindowPanelSize(1024, 768, 96));

  Opened opened = OpenForCli(o.file);
  const int n = SampleNumber(opened.session, o.sample);
  ListingOf(opened, n);
  const SampleHeader header = opened.session.CurrentHeader();
  const std::vector<StepRecord> steps = opened.session.Steps();
  const plot::PlotLayout& layout = o.output.paper ? plot::PaperLayout() : plot::ScreenLayout();
  WriteDrawing(o.output, size, [&](plot::Surface& surface) {
    plot::PlotState state;
    plot::DrawSamplePlot(surface, layout, state, kind, coords, header, steps);
  });
  out << o.output.out << '\n';
  return 0;
}

}  // namespace rmx::cli
