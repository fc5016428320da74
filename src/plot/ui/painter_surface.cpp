#include "plot/ui/painter_surface.h"

#include <QFontMetricsF>

namespace rmx::ui {

namespace {

QColor ToQColor(plot::Colour c) { return QColor(c.Red, c.Green, c.Blue); }

}  // namespace

QFont PlotFont(const plot::Font& f) {
  QFont font(QString::fromLatin1(f.Name.data(), static_cast<qsizetype>(f.Name.size())));
  font.setPointSizeF(f.Points);
  font.setWeight(QFont::Normal);
  return font;
}

PainterSurface::PainterSurface(QPainter& painter, double width, double height, double dpiX, double dpiY,
                               double lineWidth, int zoom)
    : painter_(painter),
      width_(width),
      height_(height),
      dpiX_(dpiX),
      dpiY_(dpiY),
      lineWidth_(lineWidth),
      zoom_(zoom) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void PainterSurface::UsePen(plot::Colour c, bool filled) {
  QPen pen(ToQColor(c));
  pen.setWidthF(X(lineWidth_));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  painter_.setBrush(filled ? QBrush(ToQColor(c)) : QBrush(Qt::NoBrush));
}

void PainterSurface::DrawClear() { painter_.fillRect(QRectF(0, 0, X(width_), Y(height_)), background_); }

void PainterSurface::DrawLine(double x1, double y1, double x2, double y2, plot::Colour c) {
  UsePen(c, false);
  painter_.drawLine(QPointF(X(x1), Y(y1)), QPointF(X(x2), Y(y2)));
}

void PainterSurface::DrawBox(double x, double y, double side, bool filled, plot::Colour c) {
  UsePen(c, filled);
  painter_.drawRect(QRectF(X(x), Y(y), X(side), Y(side)));
}

void PainterSurface::DrawCircle(double x, double y, double radius, bool filled, plot::Colour c) {
  UsePen(c, filled);
  painter_.drawEllipse(QPointF(X(x), Y(y)), X(radius), Y(radius));
  // The fill setting goes back to transparent.
  painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::DrawText(double x, double y, std::string_view latin1, plot::Colour c, const plot::Font& f) {
  const QFont font = PlotFont(f);
  painter_.setFont(font);
  painter_.setPen(ToQColor(c));
  const QFontMetricsF metrics(font, painter_.device());
  painter_.drawText(QPointF(X(x), Y(y) + metrics.ascent()),
                    QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())));
}

}  // namespace rmx::ui
