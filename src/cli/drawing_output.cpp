#include "cli/drawing_output.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "cli/cli.h"
#include "plot/ui/fonts.h"
#include "plot/ui/plot_files.h"
#include "store/numread.h"
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

// Text needs the font database of a GUI application; the command line never shows a
// window, so it runs on the off-screen platform.
// Qt's own notes about its environment (a missing runtime folder, font cache
// chatter) are not the command's output; only critical messages reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "remanex-cli: %s\n", qPrintable(message));
}

std::unique_ptr<QGuiApplication> StartGui() {
  if (QGuiApplication::instance()) return nullptr;
  qInstallMessageHandler(QuietQtMessages);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "remanex-cli";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<QGuiApplication>(argc, argv);
  ui::InstallFontSubstitutions();
  return app;
}

void WriteText(const std::string& path, const std::string& text) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !file.commit())
    throw Failure(path, "cannot write the file: " + file.errorString().toStdString());
}

}  // namespace

plot::PanelSize CheckDrawingOutput(const DrawingOutput& o, const plot::PanelSize& panel) {
  const std::string ext = Lower(o.out);
  const bool text = EndsWith(ext, ".txt");
  ui::PlotFileFormat format = ui::PlotFileFormat::Png;
  if (!text && !ui::PlotFileFormatOf(QFile::decodeName(QByteArray::fromStdString(o.out)), format))
    throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  if (o.paper && o.size) throw UsageError("--size does not apply to --paper (the page is A4)");
  if (o.paper && format == ui::PlotFileFormat::Png && !text)
    throw UsageError("--paper writes a PDF or SVG page (or its .txt primitives)");
  if (o.dpi && (text || format != ui::PlotFileFormat::Png)) throw UsageError("--dpi applies to PNG images");
  const plot::PanelSize size =
      o.paper ? plot::PanelSize{plot::A4Width, plot::A4Height} : !o.size ? panel : SizeOf(*o.size);
  if (o.dpi) DpiOf(*o.dpi);
  return size;
}

void WriteDrawing(const DrawingOutput& o, const plot::PanelSize& size,
                  const std::function<void(plot::Surface&)>& draw) {
  if (EndsWith(Lower(o.out), ".txt")) {
    plot::RecordingSurface recording(size.Width, size.Height);
    draw(recording);
    WriteText(o.out, Latin1ToUtf8(recording.Dump()));
    return;
  }
  const QString outName = QFile::decodeName(QByteArray::fromStdString(o.out));
  ui::PlotFileFormat format = ui::PlotFileFormat::Png;
  ui::PlotFileFormatOf(outName, format);
  const auto app = StartGui();
  ui::PlotFileOptions options;
  options.Width = size.Width;
  options.Height = size.Height;
  options.Dpi = o.dpi ? DpiOf(*o.dpi) : 96;
  options.Paper = o.paper;
  try {
    ui::WritePlotFile(outName, format, options, draw);
  } catch (const ui::PlotFileError& e) {
    throw Failure(o.out, e.what());
  }
}

}  // namespace rmx::cli
