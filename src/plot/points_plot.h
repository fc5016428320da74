// The drawings of the projections toolbox: typed directions on its own nets or as a
// Zijderveld diagram, and a pole with the image of its cone of confidence on a polar
// map of the globe. The nets and axes are those of the sample plots; the toolbox
// chooses the sizes, colours and symbol sizes.
#pragma once

#include <cstdint>
#include <vector>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/surface.h"
#include "plot/zijderveld.h"

namespace rmx::plot {

// A typed direction: degrees, and its intensity.
struct DirectionPoint {
  float Dec = 0;
  float Inc = 0;
  float Intensity = 1;
};

// The toolbox net of radius r (scaled by the zoom of a page) about the middle of
// the surface. Sets the net of `state`; the surface is not cleared.
void DrawToolboxNet(Surface& s, const PlotLayout& layout, PlotState& state, NetKind kind, double r);

struct PointStyle {
  Colour Symbol = Blue;
  Colour Line = Blue;
  int SymbolSize = 4;  // circles of radius 10 s, squares of side 20 s
  bool Connect = true;
};
// The directions on the net drawn last: circles filled for I >= 0 and open above;
// connected, the first is a square and every later one is joined to the one before
// by its great-circle path in the line colour.
void DrawToolboxPoints(Surface& s, const PlotLayout& layout, const PlotState& state, NetKind kind,
                       const std::vector<DirectionPoint>& points, const PointStyle& style);

struct ZStyle {
  Colour Declination = Red;
  Colour Inclination = Blue;
  int SymbolSize = 4;
};
// The Zijderveld diagram of the directions, `size` twips long (scaled by the zoom of
// a page), with the screen or paper axes of the layout. A projection plane of -2 is
// none. Sets ZOriginX and ZOriginY.
void DrawToolboxZijderveld(Surface& s, const PlotLayout& layout, PlotState& state,
                           const std::vector<DirectionPoint>& points, bool modified, int32_t projectionPlane,
                           double size, const ZStyle& style);

// A point of latitude and longitude stands on the polar map where the direction of
// inclination |latitude| and declination longitude would be.
DirectionPoint GlobeOnNet(float latitude, float longitude);

struct EllipseMarks {
  Colour Symbol = Blue;
  Colour Line = Blue;
  int SymbolSize = 4;   // the pole: a filled circle of radius 10 x size
  double Thickness = 1; // each dot: a filled circle of radius 4 x thickness
  bool Circle = false;  // the alpha95 circle around the mean as well
  bool Site = false;    // the site as a red square
};
// The pole, the site, and the dots of the confidence circle (directions) and of the
// oval of the pole (globe points) on the net drawn last.
void DrawPoleEllipse(Surface& s, const PlotState& state, NetKind kind, const EllipseMarks& marks, DirectionPoint pole,
                     DirectionPoint site, const std::vector<DirectionPoint>& circle,
                     const std::vector<DirectionPoint>& oval);

}  // namespace rmx::plot
