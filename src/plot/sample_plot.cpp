#include "plot/sample_plot.h"

namespace rmx::plot {

bool IsNet(PlotKind kind) { return kind == PlotKind::Stereographic || kind == PlotKind::EqualArea; }

NetKind NetOf(PlotKind kind) { return kind == PlotKind::Stereographic ? NetKind::Stereographic : NetKind::EqualArea; }

std::string PanelTitle(PlotKind kind, Coordinates coords) {
  if (IsNet(kind)) return NetTitle(NetOf(kind), coords);
  return ZPlotTitle(kind == PlotKind::ModifiedZijderveld, coords);
}

void DrawSamplePlot(Surface& s, const PlotLayout& layout, PlotState& state, PlotKind kind, Coordinates coords,
                    const SampleHeader& header, const std::vector<StepRecord>& steps) {
  if (!IsNet(kind)) {
    ZPlotDisplay(s, layout, state, steps, header.ProjectionDec, coords, kind == PlotKind::ModifiedZijderveld);
    return;
  }
  const NetKind net = NetOf(kind);
  DrawNet(s, layout, state, net);
  if (layout.Paper && state.NetRadius > 0) {
    const Font saved = s.TextFont();
    s.SetFont(layout.TextFont);
    const double r = state.NetRadius;
    s.Text(state.NetCentreX - r, state.NetCentreY - r - 1440, PrintedNetTitle(net, coords, header.SampleName));
    s.SetFont(saved);
  }
  DrawNetSteps(s, layout, state, net, coords, steps);
}

}  // namespace rmx::plot
