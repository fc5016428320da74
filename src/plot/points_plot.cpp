#include "plot/points_plot.h"

#include <cmath>
#include <optional>

namespace rmx::plot {

namespace {

// The toolbox nets put their letters a little closer to the rim than the sample nets.
constexpr NetLetterGaps ToolboxLetters{240, 220};

void Symbol(Surface& s, NetPoint p, double radius, bool filled, Colour c) {
  if (filled)
    s.FilledCircle(p.X, p.Y, radius, c);
  else
    s.Circle(p.X, p.Y, radius, c);
}

}  // namespace

void DrawToolboxNet(Surface& s, const PlotLayout& layout, PlotState& state, NetKind kind, double r) {
  state.NetRadius = static_cast<float>(r * s.Zoom() / 100);
  state.NetCentreX = static_cast<float>(s.Width() / 2);
  state.NetCentreY = static_cast<float>(s.Height() / 2);
  DrawNetFigure(s, layout.TextFont, kind, state.NetRadius, state.NetCentreX, state.NetCentreY, ToolboxLetters);
}

void DrawToolboxPoints(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind,
                       const std::vector<DirectionPoint>& points, const PointStyle& style) {
  if (!(state.NetRadius > 0)) return;
  const double radius = 10.0 * style.SymbolSize;
  const double side = 20.0 * style.SymbolSize;
  std::optional<DirectionPoint> last;
  for (const DirectionPoint& d : points) {
    const NetPoint p = ProjectOnNet(state, kind, d.Dec, d.Inc);
    const bool lower = d.Inc >= 0;
    if (style.Connect && !last) {
      s.Box(p.X - side / 2, p.Y - side / 2, side, lower, style.Symbol);
    } else {
      if (last) ConnectDirections(s, layout.ChordSegments, state, kind, last->Dec, last->Inc, d.Dec, d.Inc, style.Line);
      Symbol(s, p, radius, lower, style.Symbol);
    }
    if (style.Connect) last = d;
  }
}

void DrawToolboxZijderveld(Surface& s, const PlotLayout& layout, PlotState& state,
                           const std::vector<DirectionPoint>& points, bool modified, int32_t projectionPlane,
                           double size, const ZStyle& style) {
  std::vector<ZMark> marks;
  std::vector<ZComponents> components;
  for (const DirectionPoint& d : points) {
    components.push_back(ZijderveldComponents(d.Dec, d.Inc, d.Intensity, modified, projectionPlane));
    marks.push_back({components.back(), marks.empty(), style.Declination, style.Inclination});
  }
  const ZScale z = ZijderveldScale(components, layout, size, s.Zoom());
  if (!z.Drawable) return;
  state.ZOriginX = static_cast<float>(z.OriginX);
  state.ZOriginY = static_cast<float>(z.OriginY);
  const double x0 = state.ZOriginX;
  const double y0 = state.ZOriginY;
  const double u = z.TickLength;
  const double width = s.Width();
  ZAxesPlaces places;
  if (layout.Paper) {
    const double L = z.Intervals * u;
    places = PaperAxesPlaces(L, x0, y0);
    places.XTo = L + 1440;
    places.Right = {L + 1500, y0 - 120};
    places.NoProjection = {L - 120, y0 + 50};
    places.ProjectionPlane = {L - 2320, y0 + 50};
    places.TickNote = {L - 2200, 1500};
  } else {
    places = ScreenAxesPlaces(width, s.Height(), x0, y0);
    // The notes stand far enough in from the right edge for their text to stay
    // inside the panel in the fonts of this platform.
    places.NoProjection = {width - (modified ? 2800 : 1450), y0 + 50};
    places.ProjectionPlane = {width - 2800, y0 + 50};
    places.Left = {modified ? 230.0 : 300.0, y0 - 120};
  }
  if (modified) places.NoProjectionNote = "Horizontal; No Projection";
  places.NoteInInclinationColour = true;
  const Font savedFont = s.TextFont();
  s.SetFont(layout.TextFont);
  DrawZijderveldAxes(s, places, modified ? ModifiedLabels() : StandardLabels(), x0, y0, u, z.Tick, projectionPlane,
                     style.Declination, style.Inclination);
  DrawZijderveldMarks(s, x0, y0, u, z.Tick, marks, 20.0 * style.SymbolSize, 10.0 * style.SymbolSize,
                      style.Declination, style.Inclination);
  s.SetFont(savedFont);
}

DirectionPoint GlobeOnNet(float latitude, float longitude) { return {longitude, std::fabs(latitude), 1}; }

void DrawPoleEllipse(Surface& s, const PlotState& state, NetKind kind, const EllipseMarks& marks, DirectionPoint pole,
                     DirectionPoint site, const std::vector<DirectionPoint>& circle,
                     const std::vector<DirectionPoint>& oval) {
  if (!(state.NetRadius > 0)) return;
  const NetPoint p = ProjectOnNet(state, kind, pole.Dec, pole.Inc);
  s.FilledCircle(p.X, p.Y, 10.0 * marks.SymbolSize, marks.Symbol);
  if (marks.Site) {
    const NetPoint q = ProjectOnNet(state, kind, site.Dec, site.Inc);
    s.Box(q.X - 30, q.Y - 30, 60, true, Red);
  }
  const double dot = 4 * marks.Thickness;
  const auto dots = [&](const std::vector<DirectionPoint>& points) {
    for (const DirectionPoint& d : points) {
      const NetPoint q = ProjectOnNet(state, kind, d.Dec, d.Inc);
      s.FilledCircle(q.X, q.Y, dot, marks.Line);
    }
  };
  if (marks.Circle) dots(circle);
  dots(oval);
}

}  // namespace rmx::plot
