// The plot writer: the PNG, SVG and PDF writers with the Qt libraries they need, in a
// program of their own beside remanex-cli, run by the plot commands that write one of
// these files, so that the command line itself starts without them (and without any
// shared library: see CMakeLists.txt).
//
// The command line sends the job on the writer's standard input as bytes (the file
// name, the format and size, and the recorded drawing primitives) and reads its
// answer from the writer's standard output: nothing when the file is written,
// otherwise a sentence for the user. Nothing but these bytes crosses between them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot/surface.h"

namespace rmx::cli {

inline constexpr const char* PlotWriterFile = "remanex-plotwriter";
// Changed whenever the bytes of a job change.
inline constexpr int PlotWriterVersion = 2;

enum class PlotFileKind { Png, Svg, Pdf };

struct PlotFileJob {
  int version = PlotWriterVersion;
  std::string path;  // the file's name, its bytes as given
  PlotFileKind kind = PlotFileKind::Png;
  double width = 0;   // twips
  double height = 0;  // twips
  double dpi = 96;    // pixels per inch of a PNG image
  bool paper = false; // the printed page
  std::vector<plot::Primitive> primitives;
};

// The job as the writer reads it. Both programs are built together, so numbers go
// as their bytes in memory.
std::string EncodeJob(const PlotFileJob& job);
// The job back; false for bytes that are no job of this version (a cut or foreign
// input), with `job.version` the version read when there was one.
bool DecodeJob(std::string_view bytes, PlotFileJob& job);

// The writer's answer when it does not belong to this remanex-cli.
inline constexpr const char* ForeignWriterMessage = "the plot writer does not belong to this remanex-cli";

}  // namespace rmx::cli
