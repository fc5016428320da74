// The Zijderveld (orthogonal vector end-point) diagram of one sample: every plotted
// step projected on the horizontal plane and on a vertical plane, on one pair of
// axes, successive steps joined. One drawing serves the picture panel and the
// printed page; the layout says which.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot/layout.h"
#include "plot/surface.h"
#include "store/records.h"

namespace rmx::plot {

enum class Coordinates { Geographic, TiltCorrected };

// The tick interval for the extent e: the smallest whole n >= 0 with e x 10^n > 40,
// m = floor(e x 10^(n - 1)) + 1, then 5 x 10^-n (m < 10), 10^(1 - n) (m < 20) or
// 2 x 10^(1 - n). Returns 0 when there is no answer: e is 0, negative or not finite,
// or the interval underflows to 0.
float TickInterval(float e);

// Widens [min1, max1] by a and c and [min2, max2] by b and d; a bound moves only
// when a value lies strictly outside it.
void ExtendRanges(float& min1, float& max1, float& min2, float& max2, float a, float b, float c, float d);
// max1 - min1 when that is strictly greater than max2 - min2, else max2 - min2.
float LargerRange(float min1, float max1, float min2, float max2);

// The components of one step. The horizontal-projection point is (A, B), the
// vertical-projection point (C, V); A and C run along x, B and V along y (down).
struct ZComponents {
  float A = 0, B = 0, C = 0, V = 0;
};
// h = J cos I, E = h sin D, N = h cos D, V = J sin I; C = h when projectionDec is
// -2, else h cos(D - projectionDec). Standard layout A = N, B = E; modified layout
// A = E, B = -N.
ZComponents ZijderveldComponents(const StepRecord& step, Coordinates coords, bool modified, int32_t projectionDec);
// The same for a direction D, I (degrees) of intensity J.
ZComponents ZijderveldComponents(float D, float I, float J, bool modified, int32_t projectionDec);

// The diagram's scale for the plotted steps of a sample on a surface of W x H twips.
struct ZScale {
  float Min1 = 0, Max1 = 0, Min2 = 0, Max2 = 0;
  float Extent = 0;
  float Tick = 0;         // t; 0 when the extent has no tick interval
  double Intervals = 2;   // nt = floor(e / t) + 2 (2 without a tick interval)
  double TickLength = 0;  // u
  double OriginX = 0, OriginY = 0;
  bool Drawable = false;  // false when the surface is too small for the margins
};
ZScale ZijderveldScale(const std::vector<StepRecord>& steps, Coordinates coords, bool modified, int32_t projectionDec,
                       const PlotLayout& layout, double width, double height, int zoom);
// The scale of a list of points drawn with the tick length u = span / nt x zoom / 100
// and the origin of the layout. Drawable is false when u is not a positive number.
ZScale ZijderveldScale(const std::vector<ZComponents>& points, const PlotLayout& layout, double span, int zoom);

// Where the axes and texts of a diagram go, for an origin (X0, Y0).
struct ZPoint {
  double X = 0, Y = 0;
};
struct ZAxesPlaces {
  double XFrom = 0, XTo = 0;  // horizontal axis line; ticks lie strictly between
  double YFrom = 0, YTo = 0;  // vertical axis line
  ZPoint Top, Right, Bottom, Left, NoProjection, ProjectionPlane, TickNote, Declination, Inclination;
  bool NoteInInclinationColour = false;  // else in the current text colour
  const char* NoProjectionNote = "No Projection";
};
// The picture panel of W x H twips.
ZAxesPlaces ScreenAxesPlaces(double width, double height, double x0, double y0);
// The printed page, with L = nt x u.
ZAxesPlaces PaperAxesPlaces(double length, double x0, double y0);

struct ZAxisLabels {
  const char* Right;
  const char* Top;
  const char* Bottom;
  const char* Left;
};
const ZAxisLabels& StandardLabels();  // "N", "Up, W", "Down, E", "S"
const ZAxisLabels& ModifiedLabels();  // "E", "N, Up", "S, Down", "W"

// Axes, ticks, labels, the projection note, the tick-mark note and the legend.
// tick = 0 draws no ticks and no tick-mark note.
void DrawZijderveldAxes(Surface& s, const ZAxesPlaces& places, const ZAxisLabels& labels, double x0, double y0,
                        double tickLength, float tick, int32_t projectionDec, Colour declinationColour,
                        Colour inclinationColour);

// One point of a diagram: its components, drawn as two squares (the first step) or
// as two circles joined to the point before, in the colours of its two projections.
struct ZMark {
  ZComponents c;
  bool Square = false;
  Colour Horizontal, Vertical;
};
// The points on the axes of origin (x0, y0), tick length u and interval t: squares
// of side `side`, circles of radius `radius`, joining lines in the two line colours.
// Without a tick interval every point lies at the origin.
void DrawZijderveldMarks(Surface& s, double x0, double y0, double u, float t, const std::vector<ZMark>& marks,
                         double side, double radius, Colour horizontalLine, Colour verticalLine);

// The title of the diagram ("Zijderveld Progressive Demagnetization Diagram : Geographic", ...).
std::string ZPlotTitle(bool modified, Coordinates coords);

// The whole diagram of a sample: the steps (the last one, the origin step, is never
// drawn) and the sample's projection plane. On paper the title comes first, at
// (1200, 1200). Sets ZOriginX and ZOriginY. A surface too small for the margins
// gets nothing.
void ZPlotDisplay(Surface& s, const PlotLayout& layout, PlotState& state, const std::vector<StepRecord>& steps,
                  int32_t projectionDec, Coordinates coords, bool modified);

}  // namespace rmx::plot
