// Plots written to files: PNG images, SVG and PDF documents. Qt Gui only (no
// widgets), so that the command line can draw without a display.
#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

#include "plot/surface.h"

namespace rmx::ui {

enum class PlotFileFormat { Png, Svg, Pdf };

// The format named by a file's extension (case-insensitive), false when none is.
bool PlotFileFormatOf(const QString& path, PlotFileFormat& format);

struct PlotFileOptions {
  double Width = 0;   // twips
  double Height = 0;  // twips
  double Dpi = 96;    // pixels per inch of a PNG image
  bool Paper = false; // the printed page: paper line width; a PDF page of that size
};

// A file that could not be written; what() is a sentence for the user.
class PlotFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Draws one plot into a new file of the given format, replacing the file only when
// the whole drawing is written. Throws PlotFileError.
void WritePlotFile(const QString& path, PlotFileFormat format, const PlotFileOptions& options,
                   const std::function<void(plot::Surface&)>& draw);

// The largest PNG image written, in pixels.
inline constexpr double MaxImagePixels = 100e6;

}  // namespace rmx::ui
