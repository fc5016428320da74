#include "cli/drawing_output.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/cli.h"
#include "cli/plot_writer.h"
#include "store/numread.h"
#include "store/pending_file.h"
#include "store/text.h"

namespace rmx::cli {

namespace {

// The largest drawing accepted by --size, in twips (about 17 m).
constexpr double MaxTwips = 1e6;

// "WIDTHxHEIGHT" in twips.
plot::PanelSize SizeOf(const std::string& text) {
  const size_t x = text.find_first_of("xX");
  const auto bad = [&] {
    return UsageError("--size must be WIDTHxHEIGHT in twips, each above 0 and at most 1000000: " + text);
  };
  if (x == std::string::npos) throw bad();
  const auto w = ReadNumber(std::string_view(text).substr(0, x));
  const auto h = ReadNumber(std::string_view(text).substr(x + 1));
  if (!w || !h || !(*w > 0) || !(*h > 0) || *w > MaxTwips || *h > MaxTwips) throw bad();
  return {*w, *h};
}

double DpiOf(const std::string& text) {
  const auto d = ReadWhole(text);
  if (!d || *d < 1 || *d > 4800) throw UsageError("--dpi must be a whole number from 1 to 4800: " + text);
  return *d;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The image or document format of a file name, by its extension in any case;
// false for any other name.
bool KindOf(const std::string& path, PlotFileKind& kind) {
  const std::string name = Lower(path);
  if (EndsWith(name, ".png"))
    kind = PlotFileKind::Png;
  else if (EndsWith(name, ".svg"))
    kind = PlotFileKind::Svg;
  else if (EndsWith(name, ".pdf"))
    kind = PlotFileKind::Pdf;
  else
    return false;
  return true;
}

void WriteText(const std::string& path, const std::string& text) {
  PendingFile file(path);
  if (!file.Created() || !file.Commit(text))
    throw Failure(path, std::string("cannot write the file: ") + std::strerror(errno));
}

// The folder of the running program, from the kernel's link to it.
std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

// The plot writer module, loaded once: beside the program (in the build), else in
// the library folder it is installed to.
PlotWriterFunction PlotWriter(const std::string& out) {
  static PlotWriterFunction writer = nullptr;
  if (writer) return writer;
  std::string module = (ProgramFolder() / PlotWriterFile).string();
#ifdef REMANEX_PLOTWRITER_DIR
  std::error_code ec;
  const std::string installed = (ProgramFolder() / REMANEX_PLOTWRITER_DIR / PlotWriterFile).lexically_normal().string();
  if (!std::filesystem::exists(module, ec) && std::filesystem::exists(installed, ec)) module = installed;
#endif
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = ::dlerror();
    throw Failure(out, "cannot write PNG, SVG or PDF files: the plot writer " + PathToLatin1(module) +
                           " cannot be loaded (" + (why ? PathToLatin1(why) : std::string("unknown reason")) +
                           "); .txt files are written without it");
  }
  writer = reinterpret_cast<PlotWriterFunction>(::dlsym(handle, PlotWriterEntry));
  if (!writer)
    throw Failure(out, "cannot write PNG, SVG or PDF files: " + PathToLatin1(module) + " is not the plot writer");
  return writer;
}

}  // namespace

plot::PanelSize CheckDrawingOutput(const DrawingOutput& o, const plot::PanelSize& panel) {
  const bool text = EndsWith(Lower(o.out), ".txt");
  PlotFileKind kind = PlotFileKind::Png;
  if (!text && !KindOf(o.out, kind)) throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  if (o.paper && o.size) throw UsageError("--size does not apply to --paper (the page is A4)");
  if (o.paper && kind == PlotFileKind::Png && !text)
    throw UsageError("--paper writes a PDF or SVG page (or its .txt primitives)");
  if (o.dpi && (text || kind != PlotFileKind::Png)) throw UsageError("--dpi applies to PNG images");
  const plot::PanelSize size =
      o.paper ? plot::PanelSize{plot::A4Width, plot::A4Height} : !o.size ? panel : SizeOf(*o.size);
  if (o.dpi) DpiOf(*o.dpi);
  return size;
}

void WriteDrawing(const DrawingOutput& o, const plot::PanelSize& size,
                  const std::function<void(plot::Surface&)>& draw) {
  plot::RecordingSurface recording(size.Width, size.Height);
  draw(recording);
  if (EndsWith(Lower(o.out), ".txt")) {
    WriteText(o.out, Latin1ToUtf8(recording.Dump()));
    return;
  }
  PlotFileKind kind = PlotFileKind::Png;
  if (!KindOf(o.out, kind)) throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  PlotFileJob job;
  job.path = o.out;
  job.kind = kind;
  job.width = size.Width;
  job.height = size.Height;
  job.dpi = o.dpi ? DpiOf(*o.dpi) : 96;
  job.paper = o.paper;
  job.primitives = &recording.Primitives();
  std::string error;
  if (!PlotWriter(o.out)(job, error)) throw Failure(o.out, error);
}

}  // namespace rmx::cli
