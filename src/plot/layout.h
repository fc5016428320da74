// What differs between a plot on a picture panel and the same plot on paper: sizes,
// offsets, chord counts, fonts. The drawings take one of these, so each plot is
// written once for both.
//
// Also the shared plot state of the main window and the layout rule of the plot
// window.
#pragma once

#include "plot/surface.h"

namespace rmx::plot {

// The radius and centre of the net drawn last, and the surface position of the
// Zijderveld origin drawn last, on the screen or on paper. Every net drawing sets
// the first three and every point drawing on a net reads them; the Zijderveld
// diagram sets the last two. Kept by the main window, never reset.
struct PlotState {
  float NetRadius = 0;
  float NetCentreX = 0;
  float NetCentreY = 0;
  float ZOriginX = 0;
  float ZOriginY = 0;
};

struct PlotLayout {
  bool Paper = false;
  Font TextFont;           // the text of the drawing
  double SymbolRadius = 0; // circle of a step or point
  double SquareSide = 0;   // square of step 1
  int ChordSegments = 0;   // segments of the great-circle path between two steps

  // Nets: R = (min(W, H) - NetMargin) / 2 x zoom / 100, centre (W / 2, H / 2 + NetDrop).
  double NetMargin = 0;
  double NetDrop = 0;

  // Zijderveld diagram: the tick length u = (min(W, H) - ZMargin) / nt x zoom / 100,
  // so that the whole diagram fits the shorter side; the origin lies at ZOriginBase
  // when no component is negative on its axis, otherwise at
  // (floor(|min| / t) + 1) x u + ZOriginOffset.
  double ZMargin = 0;
  double ZOriginBase = 0;
  double ZOriginOffset = 0;
};

// The picture panels of the plot window: Times New Roman 12 pt, squares of side 70,
// circles of radius 35, 100 chords.
const PlotLayout& ScreenLayout();
// The printed page: Courier 12 pt (the printer font), squares of side 80, circles of
// radius 50, 1000 chords.
const PlotLayout& PaperLayout();

// An A4 page in twips (210 x 297 mm), for pages drawn without a printer.
inline constexpr double A4Width = 11906;
inline constexpr double A4Height = 16838;

// Twips and whole device pixels at a resolution in dots per inch (at 96 dpi 15
// twips are one pixel). Sizes of windows and panels are whole pixels.
int TwipsToPixels(double twips, double dpi);
double PixelsToTwips(int pixels, double dpi);

// The places of the four controls of the plot window for its inner size W x H in
// twips. Valid is false when the window is too small for a positive panel size;
// the layout is then not applied.
struct PlotWindowLayout {
  bool Valid = false;
  double PanelWidth = 0;   // s
  double PanelHeight = 0;  // h
  double ZLeft = 150;      // picZPlot and lblZPlot
  double SLeft = 0;        // picSPlot and lblSPlot: s + 300
  double PanelTop = 600;
  double LabelTop = 0;
  double LabelHeight = 500;
};
PlotWindowLayout LayoutPlotWindow(double width, double height);

// The panel size in twips of a plot window of the given size in pixels, as the
// window lays it out (whole pixels); 0 x 0 when the window is too small.
struct PanelSize {
  double Width = 0, Height = 0;
};
PanelSize PlotWindowPanelSize(int windowWidth, int windowHeight, double dpi);

}  // namespace rmx::plot
