#include "plot/zijderveld.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "stats/direction.h"
#include "store/text.h"

namespace rmx::plot {

float TickInterval(float e) {
  const double extent = e;
  if (!std::isfinite(extent) || !(extent > 0)) return 0;
  int n = 0;
  while (!(extent * std::pow(10.0, n) > 40)) ++n;  // ends: a positive float times 10^n passes 40 by n = 47
  const double m = std::floor(extent * std::pow(10.0, n - 1)) + 1;
  double t;
  if (m < 10)
    t = 5 * std::pow(10.0, -n);
  else if (m < 20)
    t = std::pow(10.0, 1 - n);
  else
    t = 2 * std::pow(10.0, 1 - n);
  const float interval = static_cast<float>(t);
  return interval > 0 ? interval : 0;
}

void ExtendRanges(float& min1, float& max1, float& min2, float& max2, float a, float b, float c, float d) {
  if (a < min1) min1 = a;
  if (a > max1) max1 = a;
  if (c < min1) min1 = c;
  if (c > max1) max1 = c;
  if (b < min2) min2 = b;
  if (b > max2) max2 = b;
  if (d < min2) min2 = d;
  if (d > max2) max2 = d;
}

float LargerRange(float min1, float max1, float min2, float max2) {
  const double r1 = static_cast<double>(max1) - static_cast<double>(min1);
  const double r2 = static_cast<double>(max2) - static_cast<double>(min2);
  return static_cast<float>(r1 > r2 ? r1 : r2);
}

ZComponents ZijderveldComponents(const StepRecord& step, Coordinates coords, bool modified, int32_t projectionDec) {
  const bool geo = coords == Coordinates::Geographic;
  return ZijderveldComponents(geo ? step.GDec : step.TDec, geo ? step.GInc : step.TInc, step.Intensity, modified,
                              projectionDec);
}

ZComponents ZijderveldComponents(float D, float I, float J, bool modified, int32_t projectionDec) {
  const double dec = D;
  const double d = DegToRad(dec);
  const double i = DegToRad(I);
  const double j = J;
  const float h = static_cast<float>(j * std::cos(i));
  const float east = static_cast<float>(h * std::sin(d));
  const float north = static_cast<float>(h * std::cos(d));
  ZComponents z;
  z.V = static_cast<float>(j * std::sin(i));
  z.C = projectionDec == -2 ? h : static_cast<float>(h * std::cos(DegToRad(dec - projectionDec)));
  if (modified) {
    z.A = east;
    z.B = -north;
  } else {
    z.A = north;
    z.B = east;
  }
  return z;
}

namespace {

// The steps a diagram draws: 1 to StepCount - 1 whose Plot flag is set.
template <class Fn>
void ForEachPlottedStep(const std::vector<StepRecord>& steps, Fn fn) {
  for (size_t k = 0; k + 1 < steps.size(); ++k)
    if (IsSet(steps[k].Plot)) fn(k, steps[k]);
}

double Origin(float min, const ZScale& z, const PlotLayout& layout) {
  if (min == 0 || z.Tick == 0) return layout.ZOriginBase;
  return (std::floor(std::abs(static_cast<double>(min)) / z.Tick) + 1) * z.TickLength + layout.ZOriginOffset;
}

void PlaceText(Surface& s, ZPoint at, const std::string& text) { s.Text(at.X, at.Y, text); }

void PlaceText(Surface& s, ZPoint at, const std::string& text, Colour c) {
  const Colour saved = s.Foreground();
  s.SetForeground(c);
  s.Text(at.X, at.Y, text);
  s.SetForeground(saved);
}

}  // namespace

ZScale ZijderveldScale(const std::vector<ZComponents>& points, const PlotLayout& layout, double span, int zoom) {
  ZScale z;
  bool finite = true;
  for (const ZComponents& c : points) {
    if (!std::isfinite(c.A) || !std::isfinite(c.B) || !std::isfinite(c.C) || !std::isfinite(c.V)) finite = false;
    ExtendRanges(z.Min1, z.Max1, z.Min2, z.Max2, c.A, c.B, c.C, c.V);
  }
  z.Extent = finite ? LargerRange(z.Min1, z.Max1, z.Min2, z.Max2) : std::numeric_limits<float>::infinity();
  z.Tick = TickInterval(z.Extent);
  // Held wide: a large extent with a tick interval of 20 has more intervals than a
  // 16-bit count holds.
  z.Intervals = z.Tick > 0 ? std::floor(static_cast<double>(z.Extent) / z.Tick) + 2 : 2;
  z.TickLength = span / z.Intervals * zoom / 100;
  z.Drawable = z.TickLength > 0 && std::isfinite(z.TickLength);
  z.OriginX = Origin(z.Min1, z, layout);
  z.OriginY = Origin(z.Min2, z, layout);
  return z;
}

ZScale ZijderveldScale(const std::vector<StepRecord>& steps, Coordinates coords, bool modified, int32_t projectionDec,
                       const PlotLayout& layout, double width, double height, int zoom) {
  std::vector<ZComponents> points;
  ForEachPlottedStep(steps, [&](size_t, const StepRecord& step) {
    points.push_back(ZijderveldComponents(step, coords, modified, projectionDec));
  });
  // Panel and page alike are scaled to their shorter side, so that a sample whose
  // vertical range is the larger one stays inside a wide, low panel.
  const double side = std::min(width, height);
  ZScale z = ZijderveldScale(points, layout, side - layout.ZMargin, zoom);
  // A panel narrower or lower than its margins draws nothing.
  z.Drawable = z.Drawable && std::min(width, height) > layout.ZMargin;
  return z;
}

ZAxesPlaces ScreenAxesPlaces(double width, double height, double x0, double y0) {
  ZAxesPlaces p;
  p.XFrom = 500;
  p.XTo = width - 500;
  p.YFrom = 500;
  p.YTo = height - 500;
  p.Top = {x0 - 300, 180};
  p.Right = {width - 450, y0 - 150};
  p.NoProjection = {width - 1450, y0 + 50};
  p.ProjectionPlane = {width - 2800, y0 + 50};
  p.Bottom = {x0 - 260, height - 500};
  p.Left = {200, y0 - 120};
  p.TickNote = {width - 2500, 40};
  p.Declination = {300, height - 250};
  p.Inclination = {1500, height - 250};
  p.NoteInInclinationColour = true;
  return p;
}

ZAxesPlaces PaperAxesPlaces(double length, double x0, double y0) {
  ZAxesPlaces p;
  p.XFrom = 1440;
  p.XTo = length + 2160;
  p.YFrom = 2160;
  p.YTo = length + 2160;
  p.Top = {x0 - 400, 1860};
  p.Right = {length + 2220, y0 - 120};
  p.NoProjection = {length + 600, y0 + 50};
  p.ProjectionPlane = {length - 1600, y0 + 50};
  p.Bottom = {x0 - 460, length + 2220};
  p.Left = {1200, y0 - 120};
  p.TickNote = {7000, length + 2500};
  p.Declination = {1440, length + 2500};
  p.Inclination = {3440, length + 2500};
  p.NoteInInclinationColour = false;
  return p;
}

const ZAxisLabels& StandardLabels() {
  static const ZAxisLabels labels{"N", "Up, W", "Down, E", "S"};
  return labels;
}

const ZAxisLabels& ModifiedLabels() {
  static const ZAxisLabels labels{"E", "N, Up", "S, Down", "W"};
  return labels;
}

void DrawZijderveldAxes(Surface& s, const ZAxesPlaces& places, const ZAxisLabels& labels, double x0, double y0,
                        double tickLength, float tick, int32_t projectionDec, Colour declinationColour,
                        Colour inclinationColour) {
  s.Line(places.XFrom, y0, places.XTo, y0);
  s.Line(x0, places.YFrom, x0, places.YTo);
  if (tick > 0) {
    const double u = tickLength;
    for (int i = 1; i <= 20; ++i) {
      if (x0 - i * u > places.XFrom) s.Line(x0 - i * u, y0 - 80, x0 - i * u, y0 + 80);
      if (x0 + i * u < places.XTo) s.Line(x0 + i * u, y0 - 80, x0 + i * u, y0 + 80);
      if (y0 - i * u > places.YFrom) s.Line(x0 - 80, y0 - i * u, x0 + 80, y0 - i * u);
      if (y0 + i * u < places.YTo) s.Line(x0 - 80, y0 + i * u, x0 + 80, y0 + i * u);
    }
  }
  PlaceText(s, places.Top, labels.Top);
  PlaceText(s, places.Right, labels.Right);
  const bool none = projectionDec == -2;
  const ZPoint notePlace = none ? places.NoProjection : places.ProjectionPlane;
  const std::string note = none ? std::string(places.NoProjectionNote)
                                : "Projection Plane: " + Format(projectionDec, "0") + " degree";
  if (places.NoteInInclinationColour)
    PlaceText(s, notePlace, note, inclinationColour);
  else
    PlaceText(s, notePlace, note);
  PlaceText(s, places.Bottom, labels.Bottom);
  PlaceText(s, places.Left, labels.Left);
  if (tick > 0) PlaceText(s, places.TickNote, "1 Tick Mark = " + Format(tick, "Scientific"));
  PlaceText(s, places.Declination, "Declination", declinationColour);
  PlaceText(s, places.Inclination, "Inclination", inclinationColour);
}

std::string ZPlotTitle(bool modified, Coordinates coords) {
  std::string title = modified ? "Modified Zijderveld Progressive Demagnetization Diagram : "
                               : "Zijderveld Progressive Demagnetization Diagram : ";
  title += coords == Coordinates::Geographic ? "Geographic" : "Tilt-corrected";
  return title;
}

void ZPlotDisplay(Surface& s, const PlotLayout& layout, PlotState& state, const std::vector<StepRecord>& steps,
                  int32_t projectionDec, Coordinates coords, bool modified) {
  const double width = s.Width();
  const double height = s.Height();
  const ZScale z = ZijderveldScale(steps, coords, modified, projectionDec, layout, width, height, s.Zoom());
  if (!z.Drawable) return;
  // The origin is kept, and drawn at, in single precision.
  state.ZOriginX = static_cast<float>(z.OriginX);
  state.ZOriginY = static_cast<float>(z.OriginY);
  const double x0 = state.ZOriginX;
  const double y0 = state.ZOriginY;
  const Font savedFont = s.TextFont();
  s.SetFont(layout.TextFont);
  if (layout.Paper) s.Text(1200, 1200, ZPlotTitle(modified, coords));

  const double u = z.TickLength;
  const ZAxesPlaces places =
      layout.Paper ? PaperAxesPlaces(z.Intervals * u, x0, y0) : ScreenAxesPlaces(width, height, x0, y0);
  DrawZijderveldAxes(s, places, modified ? ModifiedLabels() : StandardLabels(), x0, y0, u, z.Tick, projectionDec, Red,
                     Blue);

  std::vector<ZMark> marks;
  ForEachPlottedStep(steps, [&](size_t k, const StepRecord& step) {
    const bool selected = IsSet(step.LSquare);
    // The squares of step 1 are red and blue whatever its selection.
    const bool square = k == 0;
    marks.push_back({ZijderveldComponents(step, coords, modified, projectionDec), square,
                     square || !selected ? Red : Magenta, square || !selected ? Blue : Green});
  });
  DrawZijderveldMarks(s, x0, y0, u, z.Tick, marks, layout.SquareSide, layout.SymbolRadius, Red, Blue);
  s.SetFont(savedFont);
}

void DrawZijderveldMarks(Surface& s, double x0, double y0, double u, float t, const std::vector<ZMark>& marks,
                         double side, double radius, Colour horizontalLine, Colour verticalLine) {
  // A component c lies at origin + c x u / t.
  const auto along = [&](double origin, float c) { return t > 0 ? origin + c * u / t : origin; };
  std::optional<ZPoint> previousH, previousV;
  for (const ZMark& m : marks) {
    const ZPoint ph{along(x0, m.c.A), along(y0, m.c.B)};
    const ZPoint pv{along(x0, m.c.C), along(y0, m.c.V)};
    if (m.Square) {
      s.Box(ph.X - side / 2, ph.Y - side / 2, side, true, m.Horizontal);
      s.Box(pv.X - side / 2, pv.Y - side / 2, side, true, m.Vertical);
    } else {
      if (previousH) s.Line(previousH->X, previousH->Y, ph.X, ph.Y, horizontalLine);
      s.FilledCircle(ph.X, ph.Y, radius, m.Horizontal);
      if (previousV) s.Line(previousV->X, previousV->Y, pv.X, pv.Y, verticalLine);
      s.FilledCircle(pv.X, pv.Y, radius, m.Vertical);
    }
    previousH = ph;
    previousV = pv;
  }
}

}  // namespace rmx::plot
