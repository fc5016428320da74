// The plot writer module: the PNG, SVG and PDF writers with the Qt libraries they
// need, loaded by the command line only when a plot command writes one of these
// files, so that every other command starts without them.
//
// The module lies next to remanex-cli and is built with it from the same sources;
// the job crosses as plain data (the recorded drawing primitives), never an
// exception.
#pragma once

#include <string>
#include <vector>

#include "plot/surface.h"

namespace rmx::cli {

inline constexpr const char* PlotWriterFile = "libremanex-plotwriter.so";
inline constexpr const char* PlotWriterEntry = "RemanexWritePlotFile";
// Changed whenever PlotFileJob or Primitive change.
inline constexpr int PlotWriterVersion = 1;

enum class PlotFileKind { Png, Svg, Pdf };

struct PlotFileJob {
  int version = PlotWriterVersion;
  std::string path;  // the file's name, its bytes as given
  PlotFileKind kind = PlotFileKind::Png;
  double width = 0;   // twips
  double height = 0;  // twips
  double dpi = 96;    // pixels per inch of a PNG image
  bool paper = false; // the printed page
  const std::vector<plot::Primitive>* primitives = nullptr;
};

// The module's entry: writes the file; false with a sentence for the user in
// `error` when it cannot.
using PlotWriterFunction = bool (*)(const PlotFileJob& job, std::string& error) noexcept;

}  // namespace rmx::cli
