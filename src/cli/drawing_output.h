// Where the plot commands of the command line put their drawing: the drawing
// primitives as text (.txt), or a PNG image, an SVG or a PDF document. Every plot
// command draws through this, so that all of them write files the same way.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "plot/layout.h"
#include "plot/surface.h"

namespace rmx::cli {

// The output options common to every plot command: --out, --size, --dpi, --paper.
struct DrawingOutput {
  std::string out;                   // the file; its extension chooses the format
  std::optional<std::string> size;   // "WIDTHxHEIGHT" in twips
  std::optional<std::string> dpi;    // pixels per inch of a PNG image
  bool paper = false;                // the printed A4 page instead of the panel
};

// Checks the options (a UsageError names the first wrong one) and returns the size
// of the drawing in twips: the A4 page with --paper, --size when given, otherwise
// `panel`.
plot::PanelSize CheckDrawingOutput(const DrawingOutput& o, const plot::PanelSize& panel);

// Draws on a surface of `size` and writes the file named by o.out. Throws Failure
// when the file cannot be written (nothing is left half-written).
void WriteDrawing(const DrawingOutput& o, const plot::PanelSize& size,
                  const std::function<void(plot::Surface&)>& draw);

}  // namespace rmx::cli
