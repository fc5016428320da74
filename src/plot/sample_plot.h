// One plot of one sample, whole: what a picture panel of the plot window shows, or
// what the printed page holds. The window, the print commands and the command line
// all draw through this.
#pragma once

#include <string>
#include <vector>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/surface.h"
#include "plot/zijderveld.h"
#include "store/records.h"

namespace rmx::plot {

enum class PlotKind { Zijderveld, ModifiedZijderveld, Stereographic, EqualArea };

bool IsNet(PlotKind kind);
NetKind NetOf(PlotKind kind);  // for Stereographic and EqualArea

// The title shown above the panel (lblZPlot or lblSPlot).
std::string PanelTitle(PlotKind kind, Coordinates coords);

// Draws the plot of the sample whose header and steps are given (the steps as read
// from the file, the origin step last). On a panel layout: the net and its steps,
// or the Zijderveld diagram. On the paper layout: the same as printed, with its
// title on the page (the net's title one inch above the rim, from the rim's left
// edge). Does not clear the surface.
void DrawSamplePlot(Surface& s, const PlotLayout& layout, PlotState& state, PlotKind kind, Coordinates coords,
                    const SampleHeader& header, const std::vector<StepRecord>& steps);

}  // namespace rmx::plot
