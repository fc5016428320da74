// What the plot buttons of the projections toolbox draw, from the texts of its
// boxes: shared by the window and the command line so that both draw alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/surface.h"
#include "toolbox/projections.h"
#include "toolbox/rows.h"

namespace rmx::toolbox {

enum class ToolboxPlot { Stereographic, EqualArea, Zijderveld, ModifiedZijderveld };

// The style boxes of the Other Projections and Zijderveld frames.
struct StyleTexts {
  ColourTexts Symbol{"0", "0", "255"};
  ColourTexts Line{"0", "0", "255"};
  std::string SymbolSize = "4";
  std::string Connect = "Yes";
  std::string Diameter = "15";
  ColourTexts DecColour{"255", "0", "0"};
  ColourTexts IncColour{"0", "0", "255"};
  std::string DecSize = "4";
  std::string Length = "15";
  std::string Plane = "0";
};

inline constexpr const char* NoPlotData = "No data available. Check your input.";

bool IsNet(ToolboxPlot kind);
plot::NetKind NetOf(ToolboxPlot kind);
// "Stereographic Projection", "Lambert Equal Area Projection", "Zijderveld
// Projection", "Modified Zijderveld Projection".
std::string PlotCaption(ToolboxPlot kind);
// The title of the symbol-size message of the plot.
std::string SizeTitle(ToolboxPlot kind);
// The net diameter or axis length in twips.
double PlotSize(const StyleTexts& style, ToolboxPlot kind);
// The picture panel a plot of `size` twips is drawn on: size + 600 each way.
inline double PanelFor(double size) { return size + 600; }

// One projection of the direction rows: the net (its style is checked after the net
// is drawn, so a refused style leaves the net) or the Zijderveld diagram (nothing
// drawn when its style is refused). Returns the refusal.
std::optional<Refusal> DrawProjection(plot::Surface& s, const plot::PlotLayout& layout, plot::PlotState& state,
                                      ToolboxPlot kind, const std::vector<Row>& rows, const StyleTexts& style);

// The ellipse inputs from the boxes of the window.
EllipseTexts EllipseTextsOf(const StyleTexts& style, const std::string& lat, const std::string& lon,
                            const std::string& thickness, const std::string& points, const FisherBoxes& fisher);

// The net of the ellipse command (the surface is not cleared) and the pole with its
// oval; `circle` adds the alpha95 circle, `site` the site's red square.
void DrawEllipse(plot::Surface& s, const plot::PlotLayout& layout, plot::PlotState& state, plot::NetKind kind,
                 const EllipseInputs& in, bool circle, bool site);

}  // namespace rmx::toolbox
