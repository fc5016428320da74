// toolbox: the projections toolbox on typed rows: the Fisher mean with its pole,
// the conversion between the two row boxes, and its plots written to a file.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "plot/layout.h"
#include "plot/surface.h"
#include "store/text.h"
#include "toolbox/drawings.h"
#include "toolbox/projections.h"
#include "toolbox/rows.h"

namespace rmx::cli {

namespace {

using namespace rmx::toolbox;

// The rows' text from a file or, for "-", from standard input.
std::string ReadInput(const std::string& file) {
  if (file == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Failure(file, "cannot read the file");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw Failure(file, "cannot read the file");
  return text.str();
}

std::string OneFile(const Arguments& a, const char* command) {
  if (a.positional.size() != 1) throw UsageError(std::string("toolbox ") + command + " takes one file (or - for standard input)");
  return a.positional[0];
}

std::vector<Row> CartesianRows(const std::string& file) {
  const std::vector<Row> rows = ParseRows(ReadInput(file));
  if (rows.empty()) throw Failure(file, NoCartesianData);
  return rows;
}

std::string Value(const Arguments& a, const char* name, const std::string& fallback) {
  return a.Has(name) ? *a.Option(name) : fallback;
}

// "A,B" or "A,B,C" split at its commas into exactly `count` texts.
std::vector<std::string> Parts(const std::string& text, size_t count, const char* option, const char* form) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == ',')
      parts.emplace_back();
    else
      parts.back().push_back(c);
  }
  if (parts.size() != count) throw UsageError(std::string("--") + option + " must be " + form + ": " + text);
  return parts;
}

// The Fisher boxes at the --level given (the window's message and 0.05 otherwise).
FisherBoxes Fisher(const Arguments& a, const std::vector<Row>& rows) {
  float p = DefaultLevel;
  if (a.Has("level")) {
    const auto level = SignificanceLevel(*a.Option("level"));
    if (level)
      p = *level;
    else
      std::cerr << "remanex-cli: " << LevelMessage << '\n';
  }
  return ToolboxFisher(rows, p);
}

void Box(std::ostream& out, const char* label, const std::string& text) {
  out << label << ' ' << Latin1ToUtf8(text) << '\n';
}

int RunFisherRows(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments a = SplitArguments(args, {"level", "site"});
  const std::string file = OneFile(a, "fisher");
  std::optional<std::vector<std::string>> site;
  if (a.Has("site")) site = Parts(*a.Option("site"), 2, "site", "LAT,LON");
  const FisherBoxes b = Fisher(a, CartesianRows(file));
  if (!b.Caution.empty()) out << b.Caution << '\n';
  Box(out, "K", b.K);
  Box(out, "Declination", b.Dec);
  Box(out, "Inclination", b.Inc);
  Box(out, "Alpha (95)", b.Alpha95);
  if (!site) return 0;
  const VgpOutcome v = CalculateVgp(b.Dec, b.Inc, b.Alpha95, (*site)[0], (*site)[1]);
  if (v.Refused) throw Failure(file, v.Refused->Text);
  Box(out, "VGP Lat.", v.Boxes.PoleLat);
  Box(out, "VGP Long.", v.Boxes.PoleLong);
  Box(out, "DP (/Lat)", v.Boxes.Dp.value_or(""));
  Box(out, "DM (/Long)", v.Boxes.Dm.value_or(""));
  return 0;
}

int RunConvertRows(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments a = SplitArguments(args, {});
  if (a.positional.size() != 2 || (a.positional[0] != "sph2cart" && a.positional[0] != "cart2sph"))
    throw UsageError("toolbox convert takes sph2cart or cart2sph and one file (or -)");
  const bool toCartesian = a.positional[0] == "sph2cart";
  const std::string& file = a.positional[1];
  const std::vector<Row> rows = ParseRows(ReadInput(file));
  // An empty box is refused; rows that do not read convert to nothing, as in the window.
  if (rows.empty()) throw Failure(file, toCartesian ? NoDirectionData : NoCartesianData);
  PrintReport(out, toCartesian ? SphericalToCartesianText(rows) : CartesianToSphericalText(rows));
  return 0;
}

struct PlotKindName {
  const char* name;
  bool ellipse;
  ToolboxPlot kind;
};
constexpr PlotKindName PlotKinds[] = {
    {"stereographic", false, ToolboxPlot::Stereographic},
    {"equal-area", false, ToolboxPlot::EqualArea},
    {"zijderveld", false, ToolboxPlot::Zijderveld},
    {"modified-zijderveld", false, ToolboxPlot::ModifiedZijderveld},
    {"ellipse-stereographic", true, ToolboxPlot::Stereographic},
    {"ellipse-equal-area", true, ToolboxPlot::EqualArea},
};

ColourTexts Colours(const Arguments& a, const char* option, const ColourTexts& fallback) {
  if (!a.Has(option)) return fallback;
  const auto p = Parts(*a.Option(option), 3, option, "R,G,B");
  return {p[0], p[1], p[2]};
}

StyleTexts StyleOf(const Arguments& a) {
  StyleTexts s;
  s.Symbol = Colours(a, "symbol-colour", s.Symbol);
  s.Line = Colours(a, "line-colour", s.Line);
  s.DecColour = Colours(a, "dec-colour", s.DecColour);
  s.IncColour = Colours(a, "inc-colour", s.IncColour);
  s.SymbolSize = Value(a, "symbol-size", s.SymbolSize);
  s.Connect = Value(a, "connect", s.Connect);
  s.Diameter = Value(a, "diameter", s.Diameter);
  s.DecSize = Value(a, "dec-size", s.DecSize);
  s.Length = Value(a, "length", s.Length);
  s.Plane = Value(a, "plane", s.Plane);
  return s;
}

int RunPlotRows(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments a = SplitArguments(
      args,
      {"kind", "out", "size", "dpi", "symbol-colour", "line-colour", "symbol-size", "connect", "diameter", "dec-colour",
       "inc-colour", "dec-size", "length", "plane", "level", "site", "points", "thickness"},
      {"paper", "circle", "site-square"});
  const std::string file = OneFile(a, "plot");
  if (!a.Has("kind") || !a.Has("out")) throw UsageError("toolbox plot needs --kind and --out");
  const PlotKindName* kind = nullptr;
  for (const PlotKindName& k : PlotKinds)
    if (*a.Option("kind") == k.name) kind = &k;
  if (!kind)
    throw UsageError("--kind must be stereographic, equal-area, zijderveld, modified-zijderveld, "
                     "ellipse-stereographic or ellipse-equal-area: " + *a.Option("kind"));
  for (const char* only : {"level", "site", "points", "thickness", "circle", "site-square"})
    if (!kind->ellipse && a.Has(only)) throw UsageError(std::string("--") + only + " applies to the ellipse plots");
  if (kind->ellipse && !a.Has("site")) throw UsageError("the ellipse plots need --site LAT,LON");
  DrawingOutput output;
  output.out = *a.Option("out");
  if (a.Has("size")) output.size = *a.Option("size");
  if (a.Has("dpi")) output.dpi = *a.Option("dpi");
  output.paper = a.Has("paper");
  const StyleTexts style = StyleOf(a);
  const double panel = PanelFor(PlotSize(style, kind->kind));
  const plot::PanelSize size = CheckDrawingOutput(output, {panel, panel});
  const plot::PlotLayout& layout = output.paper ? plot::PaperLayout() : plot::ScreenLayout();

  std::function<void(plot::Surface&)> draw;
  if (kind->ellipse) {
    const auto site = Parts(*a.Option("site"), 2, "site", "LAT,LON");
    const FisherBoxes fisher = Fisher(a, CartesianRows(file));
    const EllipseOutcome in = ReadEllipseInputs(
        EllipseTextsOf(style, site[0], site[1], Value(a, "thickness", "1"), Value(a, "points", "2000"), fisher),
        SizeTitle(ToolboxPlot::Stereographic));
    if (in.Refused) throw Failure(file, in.Refused->Text);
    const bool circle = a.Has("circle"), siteSquare = a.Has("site-square");
    draw = [&, in, circle, siteSquare](plot::Surface& s) {
      plot::PlotState state;
      DrawEllipse(s, layout, state, NetOf(kind->kind), in.Value, circle, siteSquare);
    };
  } else {
    const std::vector<Row> rows = ParseRows(ReadInput(file));
    if (rows.empty()) throw Failure(file, NoPlotData);
    // A refused style writes no file.
    plot::RecordingSurface trial(size.Width, size.Height);
    plot::PlotState trialState;
    if (const auto refused = DrawProjection(trial, layout, trialState, kind->kind, rows, style))
      throw Failure(file, refused->Text);
    draw = [&, rows](plot::Surface& s) {
      plot::PlotState state;
      DrawProjection(s, layout, state, kind->kind, rows, style);
    };
  }
  WriteDrawing(output, size, draw);
  out << output.out << '\n';
  return 0;
}

}  // namespace

int RunToolbox(const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError("toolbox needs fisher, convert or plot");
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "fisher") return RunFisherRows(rest, out);
  if (args[0] == "convert") return RunConvertRows(rest, out);
  if (args[0] == "plot") return RunPlotRows(rest, out);
  throw UsageError("toolbox needs fisher, convert or plot: " + args[0]);
}

}  // namespace rmx::cli
