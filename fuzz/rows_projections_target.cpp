// The rows typed or pasted into the projections toolbox: read, converted both ways,
// their Fisher boxes, one plot of them (the kind chosen by the input) and the pole
// ellipse of their mean, drawn on a surface that checks every coordinate.
#include <cstdint>
#include <string_view>
#include <vector>

#include "checking_surface.h"
#include "plot/layout.h"
#include "toolbox/drawings.h"
#include "toolbox/projections.h"
#include "toolbox/rows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rmx;
  using namespace rmx::toolbox;
  const std::vector<Row> rows = ParseRows(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)SphericalToCartesianText(rows);
  (void)CartesianToSphericalText(rows);
  const FisherBoxes fisher = ToolboxFisher(rows, 0.05f);

  const StyleTexts style;
  const auto kind = static_cast<ToolboxPlot>(size % 4);
  const double panel = PanelFor(PlotSize(style, kind));
  fuzz::CheckingSurface surface(panel, panel);
  plot::PlotState state;
  (void)DrawProjection(surface, plot::ScreenLayout(), state, kind, rows, style);

  const EllipseOutcome ellipse =
      ReadEllipseInputs(EllipseTextsOf(style, "45", "-10", "1", "100", fisher), SizeTitle(ToolboxPlot::EqualArea));
  if (!ellipse.Refused) {
    fuzz::CheckingSurface net(panel, panel);
    DrawEllipse(net, plot::ScreenLayout(), state, plot::NetKind::EqualArea, ellipse.Value, true, true);
  }
  return 0;
}
