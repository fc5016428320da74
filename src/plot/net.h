// Stereographic (equal-angle) and Lambert equal-area nets: the net drawing, the
// projection of a direction, the great-circle path between two successive steps,
// and the steps of one sample or a list of points on the net drawn last.
//
// Both nets fold the upper hemisphere onto the lower one: a direction with
// inclination 0 or more is drawn filled, one with negative inclination open.
#pragma once

#include <string>
#include <vector>

#include "plot/layout.h"
#include "plot/surface.h"
#include "plot/zijderveld.h"
#include "store/records.h"

namespace rmx::plot {

enum class NetKind { Stereographic, EqualArea };

// R x tan((90 - a) / 2), a in degrees; callers pass a = |inclination|.
double StereoRadius(double R, double a);
// R x sqrt(1 - sin |a|), a in degrees.
double EqualAreaRadius(double R, double a);
// The net distance of a direction with inclination I from the centre.
double NetDistance(NetKind kind, double R, double inclination);

struct NetPoint {
  double X = 0, Y = 0;
};
// (r sin D, r cos D): east and north on the net.
NetPoint PolarToNet(double r, double declination);
// (cx + X, cy - Y) on the surface.
NetPoint NetToSurface(const PlotState& state, NetPoint net);
// The surface point of the direction (D, I) on the net drawn last.
NetPoint ProjectOnNet(const PlotState& state, NetKind kind, double declination, double inclination);

// The net: rim, inclination circles every 10 degrees, diameters every 10 degrees
// and the compass letters. R = (min(W, H) - margin) / 2 x zoom / 100, centre
// (W / 2, H / 2 + drop). Sets NetRadius, NetCentreX and NetCentreY; a radius of 0
// or less draws nothing.
void DrawNet(Surface& s, const PlotLayout& layout, PlotState& state, NetKind kind);

// Where the compass letters "N" and "W" stand off the rim: "N" at (cx - 100,
// cy - R - North), "W" at (cx - R - West, cy - 120).
struct NetLetterGaps {
  double North = 280;
  double West = 260;
};
// The net figure of radius R about (cx, cy) in the foreground colour, the letters in
// `font`. Nothing for a radius of 0 or less.
void DrawNetFigure(Surface& s, const Font& font, NetKind kind, double R, double cx, double cy,
                   NetLetterGaps gaps = {});

// The path between two directions on the net drawn last, in `segments` straight
// pieces of the given colour (see ConnectSteps).
void ConnectDirections(Surface& s, int segments, const PlotState& state, NetKind kind, float d1, float i1, float d2,
                       float i2, Colour c);

// The blue path between two successive steps: the projection of the shorter
// great-circle arc, in layout.ChordSegments straight pieces, from the first
// direction's point to the second's.
void ConnectSteps(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind, float d1, float i1,
                  float d2, float i2);

// The plotted steps of a sample (the last step, the origin step, is never drawn) on
// the net drawn last: a square for step 1, a circle for every later step, green
// when selected for least squares, red otherwise, successive plotted steps joined.
void DrawNetSteps(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind, Coordinates coords,
                  const std::vector<StepRecord>& steps);

// Red circles at the given directions on the net drawn last, none joined.
void DrawNetPoints(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind,
                   const std::vector<float>& declinations, const std::vector<float>& inclinations);

// "Stereographic Projection: Geographic", "Lambert Equal-area Projection: Tilt-corrected", ...
std::string NetTitle(NetKind kind, Coordinates coords);
// "Stereographic Projection: " + name + "- Geographic", ... as printed above the net.
std::string PrintedNetTitle(NetKind kind, Coordinates coords, const std::string& name);

}  // namespace rmx::plot
