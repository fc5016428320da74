// The plot writer module (see cli/plot_writer.h): replays the recorded drawing on
// the QPainter surface of the plot file writers.
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "cli/plot_writer.h"
#include "plot/ui/fonts.h"
#include "plot/ui/plot_files.h"

namespace {

using namespace rmx;

// Qt's own notes about its environment (a missing runtime folder, font cache
// chatter) are not the command's output; only critical messages reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "remanex-cli: %s\n", qPrintable(message));
}

// Text needs the font database of a GUI application; the command line never shows a
// window, so it runs on the off-screen platform.
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

ui::PlotFileFormat FormatOf(cli::PlotFileKind kind) {
  switch (kind) {
    case cli::PlotFileKind::Svg: return ui::PlotFileFormat::Svg;
    case cli::PlotFileKind::Pdf: return ui::PlotFileFormat::Pdf;
    case cli::PlotFileKind::Png: break;
  }
  return ui::PlotFileFormat::Png;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool RemanexWritePlotFile(const cli::PlotFileJob& job,
                                                                           std::string& error) noexcept {
  if (job.version != cli::PlotWriterVersion || !job.primitives) {
    error = "the plot writer does not belong to this remanex-cli";
    return false;
  }
  try {
    const auto app = StartGui();
    ui::PlotFileOptions options;
    options.Width = job.width;
    options.Height = job.height;
    options.Dpi = job.dpi;
    options.Paper = job.paper;
    ui::WritePlotFile(QFile::decodeName(QByteArray::fromStdString(job.path)), FormatOf(job.kind), options,
                      [&](plot::Surface& surface) { plot::Replay(*job.primitives, surface); });
    return true;
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "the plot writer failed";
  }
  return false;
}
