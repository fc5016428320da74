// The plot surface on any QPainter device: a panel's backing image, the printer,
// an image, SVG or PDF file. Twips map to the device by its resolution.
#pragma once

#include <QColor>
#include <QPainter>

#include "plot/surface.h"

namespace rmx::ui {

// Line widths in twips: one pixel of a 96 dpi screen, and on paper three dots of a
// 600 dpi printer.
inline constexpr double ScreenLineWidth = 15;
inline constexpr double PaperLineWidth = 7.2;

class PainterSurface : public plot::Surface {
 public:
  // `painter` is active on its device, with its origin at the top-left corner of the
  // drawing area of width x height twips; dpiX and dpiY are the painter's units per
  // inch.
  PainterSurface(QPainter& painter, double width, double height, double dpiX, double dpiY,
                 double lineWidth = ScreenLineWidth, int zoom = 100);

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  int Zoom() const override { return zoom_; }

 protected:
  void DrawClear() override;
  void DrawLine(double x1, double y1, double x2, double y2, plot::Colour c) override;
  void DrawBox(double x, double y, double side, bool filled, plot::Colour c) override;
  void DrawCircle(double x, double y, double radius, bool filled, plot::Colour c) override;
  void DrawText(double x, double y, std::string_view latin1, plot::Colour c, const plot::Font& f) override;

 private:
  double X(double twips) const { return twips * dpiX_ / 1440; }
  double Y(double twips) const { return twips * dpiY_ / 1440; }
  void UsePen(plot::Colour c, bool filled);

  QPainter& painter_;
  double width_, height_, dpiX_, dpiY_;
  double lineWidth_;
  int zoom_;
  const QColor background_ = Qt::white;
};

// The font of a plot text: the family by name (the program's substitutions apply)
// at the size in points.
QFont PlotFont(const plot::Font& f);

}  // namespace rmx::ui
