// The plot writer (see cli/plot_writer.h): reads one job on standard input, replays
// its recorded drawing on the QPainter surface of the plot file writers, and answers
// on standard output: nothing and status 0 when the file is written, a sentence for
// the user and status 1 when it is not.
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>

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

ui::PlotFileFormat FormatOf(cli::PlotFileKind kind) {
  switch (kind) {
    case cli::PlotFileKind::Svg: return ui::PlotFileFormat::Svg;
    case cli::PlotFileKind::Pdf: return ui::PlotFileFormat::Pdf;
    case cli::PlotFileKind::Png: break;
  }
  return ui::PlotFileFormat::Png;
}

bool ReadAll(int fd, std::string& bytes) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

int Answer(const std::string& message) {
  std::fwrite(message.data(), 1, message.size(), stdout);
  std::fflush(stdout);
  return 1;
}

}  // namespace

int main() {
  std::string bytes;
  cli::PlotFileJob job;
  if (!ReadAll(0, bytes)) return Answer("the plot writer cannot read its job");
  if (!cli::DecodeJob(bytes, job))
    return Answer(job.version != cli::PlotWriterVersion ? cli::ForeignWriterMessage : "the plot writer got a damaged job");
  try {
    // Text needs the font database of a GUI application; the command line never shows
    // a window, so it runs on the off-screen platform.
    qInstallMessageHandler(QuietQtMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Named as the command whose files it writes.
    int appArgc = 1;
    char name[] = "remanex-cli";
    char* appArgv[] = {name, nullptr};
    QGuiApplication app(appArgc, appArgv);
    ui::InstallFontSubstitutions();
    ui::PlotFileOptions options;
    options.Width = job.width;
    options.Height = job.height;
    options.Dpi = job.dpi;
    options.Paper = job.paper;
    ui::WritePlotFile(QFile::decodeName(QByteArray::fromStdString(job.path)), FormatOf(job.kind), options,
                      [&](plot::Surface& surface) { plot::Replay(job.primitives, surface); });
    return 0;
  } catch (const std::exception& e) {
    return Answer(e.what());
  } catch (...) {
    return Answer("the plot writer failed");
  }
}
