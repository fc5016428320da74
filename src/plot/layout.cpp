#include "plot/layout.h"

#include <cmath>

namespace rmx::plot {

const PlotLayout& ScreenLayout() {
  static const PlotLayout layout = [] {
    PlotLayout l;
    l.Paper = false;
    l.TextFont = Font{"Times New Roman", 12};
    l.SymbolRadius = 35;
    l.SquareSide = 70;
    l.ChordSegments = 100;
    l.NetMargin = 720;
    l.NetDrop = 0;
    l.ZMargin = 1000;
    l.ZOriginBase = 1000;
    l.ZOriginOffset = 600;
    return l;
  }();
  return layout;
}

const PlotLayout& PaperLayout() {
  static const PlotLayout layout = [] {
    PlotLayout l;
    l.Paper = true;
    l.TextFont = Font{"Courier", 12};
    l.SymbolRadius = 50;
    l.SquareSide = 80;
    l.ChordSegments = 1000;
    l.NetMargin = 2880;
    l.NetDrop = 720;
    l.ZMargin = 2880;
    l.ZOriginBase = 2160;
    l.ZOriginOffset = 2160;
    return l;
  }();
  return layout;
}

PlotWindowLayout LayoutPlotWindow(double width, double height) {
  PlotWindowLayout l;
  if (width / 2 <= height - 550) {
    l.PanelWidth = width / 2 - 100;
    l.PanelHeight = 0.8453 * l.PanelWidth;
  } else {
    l.PanelWidth = height - 600;
    l.PanelHeight = 0.75 * l.PanelWidth;
  }
  l.SLeft = l.PanelWidth + 300;
  l.Valid = l.PanelWidth > 0 && l.PanelHeight > 0;
  return l;
}

int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440)); }

double PixelsToTwips(int pixels, double dpi) { return pixels * 1440 / dpi; }

PanelSize PlotWindowPanelSize(int windowWidth, int windowHeight, double dpi) {
  const PlotWindowLayout l = LayoutPlotWindow(PixelsToTwips(windowWidth, dpi), PixelsToTwips(windowHeight, dpi));
  if (!l.Valid) return {};
  return {PixelsToTwips(TwipsToPixels(l.PanelWidth, dpi), dpi), PixelsToTwips(TwipsToPixels(l.PanelHeight, dpi), dpi)};
}

}  // namespace rmx::plot
