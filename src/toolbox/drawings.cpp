#include "toolbox/drawings.h"

#include "plot/points_plot.h"

namespace rmx::toolbox {

namespace {

plot::Colour ToColour(Rgb c) {
  return {static_cast<uint8_t>(c.Red), static_cast<uint8_t>(c.Green), static_cast<uint8_t>(c.Blue)};
}

std::vector<plot::DirectionPoint> ToPoints(const std::vector<Row>& rows) {
  std::vector<plot::DirectionPoint> points;
  points.reserve(rows.size());
  for (const Row& r : rows) points.push_back({r.V1, r.V2, r.V3});
  return points;
}

}  // namespace

bool IsNet(ToolboxPlot kind) { return kind == ToolboxPlot::Stereographic || kind == ToolboxPlot::EqualArea; }

plot::NetKind NetOf(ToolboxPlot kind) {
  return kind == ToolboxPlot::EqualArea ? plot::NetKind::EqualArea : plot::NetKind::Stereographic;
}

std::string PlotCaption(ToolboxPlot kind) {
  switch (kind) {
    case ToolboxPlot::Stereographic: return "Stereographic Projection";
    case ToolboxPlot::EqualArea: return "Lambert Equal Area Projection";
    case ToolboxPlot::Zijderveld: return "Zijderveld Projection";
    case ToolboxPlot::ModifiedZijderveld: return "Modified Zijderveld Projection";
  }
  return {};
}

std::string SizeTitle(ToolboxPlot kind) {
  switch (kind) {
    case ToolboxPlot::Stereographic: return "Stereographic Plot Symbol Size";
    case ToolboxPlot::EqualArea: return "Equal Area Plot Symbol Size";
    default: return "Zijderveld Plot Symbol Size";
  }
}

double PlotSize(const StyleTexts& style, ToolboxPlot kind) {
  return CentimetresToTwips(PlotCentimetres(IsNet(kind) ? style.Diameter : style.Length));
}

std::optional<Refusal> DrawProjection(plot::Surface& s, const plot::PlotLayout& layout, plot::PlotState& state,
                                      ToolboxPlot kind, const std::vector<Row>& rows, const StyleTexts& style) {
  const double size = PlotSize(style, kind);
  if (IsNet(kind)) {
    DrawToolboxNet(s, layout, state, NetOf(kind), size / 2);
    const StyleOutcome o = CheckStyle(style.Symbol, style.Line, style.SymbolSize, SizeTitle(kind), "txtSymSize");
    if (o.Refused) return o.Refused;
    DrawToolboxPoints(s, layout, state, NetOf(kind), ToPoints(rows),
                      {ToColour(o.Value.First), ToColour(o.Value.Second), o.Value.SymbolSize,
                       ConnectPoints(style.Connect)});
    return std::nullopt;
  }
  const StyleOutcome o = CheckStyle(style.DecColour, style.IncColour, style.DecSize, SizeTitle(kind), "txtDecSize");
  if (o.Refused) return o.Refused;
  DrawToolboxZijderveld(s, layout, state, ToPoints(rows), kind == ToolboxPlot::ModifiedZijderveld,
                        ProjectionPlane(style.Plane), size,
                        {ToColour(o.Value.First), ToColour(o.Value.Second), o.Value.SymbolSize});
  return std::nullopt;
}

EllipseTexts EllipseTextsOf(const StyleTexts& style, const std::string& lat, const std::string& lon,
                            const std::string& thickness, const std::string& points, const FisherBoxes& fisher) {
  EllipseTexts t;
  t.Symbol = style.Symbol;
  t.Line = style.Line;
  t.SymbolSize = style.SymbolSize;
  t.Diameter = style.Diameter;
  t.Lat = lat;
  t.Long = lon;
  t.Thickness = thickness;
  t.Points = points;
  t.Dec = fisher.Dec;
  t.Inc = fisher.Inc;
  t.Alpha95 = fisher.Alpha95;
  return t;
}

void DrawEllipse(plot::Surface& s, const plot::PlotLayout& layout, plot::PlotState& state, plot::NetKind kind,
                 const EllipseInputs& in, bool circle, bool site) {
  DrawToolboxNet(s, layout, state, kind, CentimetresToTwips(in.DiameterCm) / 2);
  const PoleEllipse e = ComputePoleEllipse(in);
  std::vector<plot::DirectionPoint> circlePoints, ovalPoints;
  for (const Direction& d : e.Circle) circlePoints.push_back({d.Dec, d.Inc, 1});
  for (const GlobePoint& g : e.Oval) ovalPoints.push_back(plot::GlobeOnNet(g.Lat, g.Long));
  plot::EllipseMarks marks{ToColour(in.Symbol), ToColour(in.Line), in.SymbolSize, in.Thickness, circle, site};
  plot::DrawPoleEllipse(s, state, kind, marks, plot::GlobeOnNet(e.Pole.Lat, e.Pole.Long),
                        plot::GlobeOnNet(in.SiteLat, in.SiteLong), circlePoints, ovalPoints);
}

}  // namespace rmx::toolbox
