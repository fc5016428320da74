#include "plot/net.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "stats/direction.h"

namespace rmx::plot {

double StereoRadius(double R, double a) { return R * std::tan(DegToRad((90 - a) / 2)); }

double EqualAreaRadius(double R, double a) { return R * std::sqrt(1 - std::sin(DegToRad(std::abs(a)))); }

double NetDistance(NetKind kind, double R, double inclination) {
  return kind == NetKind::Stereographic ? StereoRadius(R, std::abs(inclination)) : EqualAreaRadius(R, inclination);
}

NetPoint PolarToNet(double r, double declination) {
  const double d = DegToRad(declination);
  return {r * std::sin(d), r * std::cos(d)};
}

NetPoint NetToSurface(const PlotState& state, NetPoint net) {
  return {state.NetCentreX + net.X, state.NetCentreY - net.Y};
}

NetPoint ProjectOnNet(const PlotState& state, NetKind kind, double declination, double inclination) {
  return NetToSurface(state, PolarToNet(NetDistance(kind, state.NetRadius, inclination), declination));
}

void DrawNet(Surface& s, const PlotLayout& layout, PlotState& state, NetKind kind) {
  const double width = s.Width();
  const double height = s.Height();
  const double size = std::min(width, height);
  // Radius and centre are kept, and the net drawn with them, in single precision,
  // so that the points drawn later on the net fall exactly on it.
  state.NetRadius = static_cast<float>((size - layout.NetMargin) / 2 * s.Zoom() / 100);
  state.NetCentreX = static_cast<float>(width / 2);
  state.NetCentreY = static_cast<float>(height / 2 + layout.NetDrop);
  DrawNetFigure(s, layout.TextFont, kind, state.NetRadius, state.NetCentreX, state.NetCentreY);
}

void DrawNetFigure(Surface& s, const Font& font, NetKind kind, double R, double cx, double cy, NetLetterGaps gaps) {
  if (!(R > 0)) return;
  const Colour ink = s.Foreground();
  s.Circle(cx, cy, R, ink);
  for (int a = 10; a <= 80; a += 10) s.Circle(cx, cy, NetDistance(kind, R, a), ink);
  for (int d = 0; d <= 170; d += 10) {
    const double c = std::cos(DegToRad(d));
    const double n = std::sin(DegToRad(d));
    s.Line(cx + R * c, cy + R * n, cx - R * c, cy - R * n);
  }
  const Font savedFont = s.TextFont();
  s.SetFont(font);
  s.Text(cx - 100, cy - R - gaps.North, "N");
  s.Text(cx + R + 40, cy - 120, "E");
  s.Text(cx - 100, cy + R + 30, "S");
  s.Text(cx - R - gaps.West, cy - 120, "W");
  s.SetFont(savedFont);
}

void ConnectSteps(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind, float d1, float i1,
                  float d2, float i2) {
  ConnectDirections(s, layout.ChordSegments, state, kind, d1, i1, d2, i2, Blue);
}

void ConnectDirections(Surface& s, int segments, const PlotState& state, NetKind kind, float d1, float i1, float d2,
                       float i2, Colour c) {
  float e1, n1, v1, e2, n2, v2;
  DirToXYZ(state.NetRadius, d1, i1, e1, n1, v1);
  DirToXYZ(state.NetRadius, d2, i2, e2, n2, v2);
  NetPoint from = ProjectOnNet(state, kind, d1, i1);
  for (int k = 1; k < segments; ++k) {
    // P = P1 + k (P2 - P1) / segments.
    const float e = static_cast<float>(e1 + k * (static_cast<double>(e2) - e1) / segments);
    const float n = static_cast<float>(n1 + k * (static_cast<double>(n2) - n1) / segments);
    const float v = static_cast<float>(v1 + k * (static_cast<double>(v2) - v1) / segments);
    float d, i;
    XYZToDir(e, n, v, d, i);
    const NetPoint to = ProjectOnNet(state, kind, d, i);
    s.Line(from.X, from.Y, to.X, to.Y, c);
    from = to;
  }
  const NetPoint end = ProjectOnNet(state, kind, d2, i2);
  s.Line(from.X, from.Y, end.X, end.Y, c);
}

void DrawNetSteps(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind, Coordinates coords,
                  const std::vector<StepRecord>& steps) {
  if (!(state.NetRadius > 0)) return;
  const bool geo = coords == Coordinates::Geographic;
  const double side = layout.SquareSide;
  struct Direction {
    float D, I;
  };
  std::optional<Direction> last;
  for (size_t k = 0; k + 1 < steps.size(); ++k) {
    const StepRecord& step = steps[k];
    if (!IsSet(step.Plot)) continue;
    const Colour c = IsSet(step.LSquare) ? Green : Red;
    const Direction dir{geo ? step.GDec : step.TDec, geo ? step.GInc : step.TInc};
    const NetPoint p = ProjectOnNet(state, kind, dir.D, dir.I);
    const bool lower = dir.I >= 0;
    if (k == 0) {
      s.Box(p.X - side / 2, p.Y - side / 2, side, lower);
    } else {
      if (last) ConnectSteps(s, layout, state, kind, last->D, last->I, dir.D, dir.I);
      if (lower)
        s.FilledCircle(p.X, p.Y, layout.SymbolRadius, c);
      else
        s.Circle(p.X, p.Y, layout.SymbolRadius, c);
    }
    last = dir;
  }
}

void DrawNetPoints(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind,
                   const std::vector<float>& declinations, const std::vector<float>& inclinations) {
  if (!(state.NetRadius > 0)) return;
  const size_t n = std::min(declinations.size(), inclinations.size());
  for (size_t k = 0; k < n; ++k) {
    const NetPoint p = ProjectOnNet(state, kind, declinations[k], inclinations[k]);
    if (inclinations[k] >= 0)
      s.FilledCircle(p.X, p.Y, layout.SymbolRadius, Red);
    else
      s.Circle(p.X, p.Y, layout.SymbolRadius, Red);
  }
}

std::string NetTitle(NetKind kind, Coordinates coords) {
  std::string title =
      kind == NetKind::Stereographic ? "Stereographic Projection: " : "Lambert Equal-area Projection: ";
  title += coords == Coordinates::Geographic ? "Geographic" : "Tilt-corrected";
  return title;
}

std::string PrintedNetTitle(NetKind kind, Coordinates coords, const std::string& name) {
  std::string title =
      kind == NetKind::Stereographic ? "Stereographic Projection: " : "Lambert Equal-Area Projection: ";
  title += name;
  title += coords == Coordinates::Geographic ? "- Geographic" : "- Tilt-Corrected";
  return title;
}

}  // namespace rmx::plot
