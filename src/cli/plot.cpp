// plot: one plot of one sample written to a file, drawn exactly as the plot window
// draws its panel of the same size, or as the printed page.
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <optional>

#include "plot/ui/fonts.h"
#include "cli/browse.h"
#include "cli/cli.h"
#include "plot/layout.h"
#include "plot/sample_plot.h"
#include "plot/surface.h"
#include "plot/ui/plot_files.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::cli {

namespace {

// The largest drawing accepted by --size, in twips (about 17 m).
constexpr double MaxTwips = 1e6;

struct PlotOptions {
  std::string file, sample, kind, coords, out;
  std::optional<std::string> size, dpi;
  bool paper = false;
};

PlotOptions Parse(const std::vector<std::string>& args) {
  const Arguments parsed = SplitArguments(args, {"kind", "coords", "out", "size", "dpi"}, {"paper"});
  if (parsed.positional.size() != 2) throw UsageError("plot takes a file and a sample number");
  for (const char* required : {"kind", "coords", "out"})
    if (!parsed.Has(required)) throw UsageError(std::string("plot needs --") + required);
  const auto value = [&](const char* name) { return parsed.Has(name) ? *parsed.Option(name) : std::string(); };
  PlotOptions o;
  o.file = parsed.positional[0];
  o.sample = parsed.positional[1];
  o.kind = value("kind");
  o.coords = value("coords");
  o.out = value("out");
  if (parsed.Has("size")) o.size = value("size");
  if (parsed.Has("dpi")) o.dpi = value("dpi");
  o.paper = parsed.Has("paper");
  return o;
}

plot::PlotKind KindOf(const std::string& k) {
  if (k == "zijderveld") return plot::PlotKind::Zijderveld;
  if (k == "modified-zijderveld") return plot::PlotKind::ModifiedZijderveld;
  if (k == "stereographic") return plot::PlotKind::Stereographic;
  if (k == "equal-area") return plot::PlotKind::EqualArea;
  throw UsageError("--kind must be zijderveld, modified-zijderveld, stereographic or equal-area: " + k);
}

plot::Coordinates CoordsOf(const std::string& c) {
  if (c == "geographic") return plot::Coordinates::Geographic;
  if (c == "tilt") return plot::Coordinates::TiltCorrected;
  throw UsageError("--coords must be geographic or tilt: " + c);
}

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

int RunPlot(const std::vector<std::string>& args, std::ostream& out) {
  const PlotOptions o = Parse(args);
  ParseIndex(o.sample, "the sample number");
  const plot::PlotKind kind = KindOf(o.kind);
  const plot::Coordinates coords = CoordsOf(o.coords);
  const std::string ext = Lower(o.out);
  const bool text = EndsWith(ext, ".txt");
  ui::PlotFileFormat format = ui::PlotFileFormat::Png;
  const QString outName = QFile::decodeName(QByteArray::fromStdString(o.out));
  if (!text && !ui::PlotFileFormatOf(outName, format))
    throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  if (o.paper && o.size) throw UsageError("--size does not apply to --paper (the page is A4)");
  if (o.paper && format == ui::PlotFileFormat::Png && !text)
    throw UsageError("--paper writes a PDF or SVG page (or its .txt primitives)");
  if (o.dpi && (text || format != ui::PlotFileFormat::Png)) throw UsageError("--dpi applies to PNG images");

  plot::PanelSize size = o.paper ? plot::PanelSize{plot::A4Width, plot::A4Height}
                         : !o.size ? plot::PlotWindowPanelSize(1024, 768, 96)
                                 : SizeOf(*o.size);
  const double dpi = o.dpi ? DpiOf(*o.dpi) : 96;

  Session s = OpenForCli(o.file);
  const int n = SampleNumber(s, o.sample);
  ListingOf(s, n);
  const SampleHeader header = s.CurrentHeader();
  const std::vector<StepRecord> steps = s.Steps();
  const plot::PlotLayout& layout = o.paper ? plot::PaperLayout() : plot::ScreenLayout();
  const auto draw = [&](plot::Surface& surface) {
    plot::PlotState state;
    plot::DrawSamplePlot(surface, layout, state, kind, coords, header, steps);
  };

  if (text) {
    plot::RecordingSurface recording(size.Width, size.Height);
    draw(recording);
    WriteText(o.out, Latin1ToUtf8(recording.Dump()));
  } else {
    const auto app = StartGui();
    ui::PlotFileOptions options;
    options.Width = size.Width;
    options.Height = size.Height;
    options.Dpi = dpi;
    options.Paper = o.paper;
    try {
      ui::WritePlotFile(outName, format, options, draw);
    } catch (const ui::PlotFileError& e) {
      throw Failure(o.out, e.what());
    }
  }
  out << o.out << '\n';
  return 0;
}

}  // namespace rmx::cli
