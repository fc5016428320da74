#include "plot/surface.h"

#include <cmath>

#include "store/text.h"

namespace rmx::plot {

namespace {

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

std::string Number(double v) { return Format(v, "0.000"); }

std::string ColourText(Colour c) {
  return std::to_string(c.Red) + "," + std::to_string(c.Green) + "," + std::to_string(c.Blue);
}

}  // namespace

void Surface::Clear() {
  DrawClear();
  MoveTo(0, 0);
}

void Surface::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, foreground_); }

void Surface::Line(double x1, double y1, double x2, double y2, Colour c) {
  if (!Finite({x1, y1, x2, y2})) return;
  DrawLine(x1, y1, x2, y2, c);
  MoveTo(x2, y2);
}

void Surface::LineTo(double x, double y, Colour c) { Line(currentX_, currentY_, x, y, c); }

void Surface::Box(double x, double y, double side, bool filled) { Box(x, y, side, filled, foreground_); }

void Surface::Box(double x, double y, double side, bool filled, Colour c) {
  if (!Finite({x, y, side}) || side < 0) return;
  DrawBox(x, y, side, filled, c);
  MoveTo(x + side, y + side);
}

void Surface::Circle(double x, double y, double radius, Colour c) {
  if (!Finite({x, y, radius}) || radius < 0) return;
  DrawCircle(x, y, radius, false, c);
  MoveTo(x, y);
}

void Surface::FilledCircle(double x, double y, double radius, Colour c) {
  if (!Finite({x, y, radius}) || radius < 0) return;
  DrawCircle(x, y, radius, true, c);
  MoveTo(x, y);
}

void Surface::Text(double x, double y, std::string_view latin1) {
  if (!Finite({x, y})) return;
  DrawText(x, y, latin1, foreground_, font_);
  MoveTo(x, y);
}

std::string Describe(const Primitive& p) {
  switch (p.kind) {
    case Primitive::Kind::Clear:
      return "clear";
    case Primitive::Kind::Line:
      return "line " + Number(p.X1) + " " + Number(p.Y1) + " " + Number(p.X2) + " " + Number(p.Y2) + " " +
             ColourText(p.Ink);
    case Primitive::Kind::Box:
      return "box " + Number(p.X1) + " " + Number(p.Y1) + " " + Number(p.Size) + (p.Filled ? " filled " : " open ") +
             ColourText(p.Ink);
    case Primitive::Kind::Circle:
      return "circle " + Number(p.X1) + " " + Number(p.Y1) + " " + Number(p.Size) +
             (p.Filled ? " filled " : " open ") + ColourText(p.Ink);
    case Primitive::Kind::Text:
      return "text " + Number(p.X1) + " " + Number(p.Y1) + " " + ColourText(p.Ink) + " \"" + p.TextFont.Name + "\" " +
             Number(p.TextFont.Points) + " \"" + p.Text + "\"";
  }
  return {};
}

std::string RecordingSurface::Dump() const {
  std::string out;
  for (const Primitive& p : primitives_) {
    out += Describe(p);
    out += '\n';
  }
  return out;
}

void Replay(const std::vector<Primitive>& primitives, Surface& target) {
  const Colour saved = target.Foreground();
  const Font savedFont = target.TextFont();
  for (const Primitive& p : primitives) {
    switch (p.kind) {
      case Primitive::Kind::Clear: target.Clear(); break;
      case Primitive::Kind::Line: target.Line(p.X1, p.Y1, p.X2, p.Y2, p.Ink); break;
      case Primitive::Kind::Box: target.Box(p.X1, p.Y1, p.Size, p.Filled, p.Ink); break;
      case Primitive::Kind::Circle:
        if (p.Filled)
          target.FilledCircle(p.X1, p.Y1, p.Size, p.Ink);
        else
          target.Circle(p.X1, p.Y1, p.Size, p.Ink);
        break;
      case Primitive::Kind::Text:
        target.SetForeground(p.Ink);
        target.SetFont(p.TextFont);
        target.Text(p.X1, p.Y1, p.Text);
        break;
    }
  }
  target.SetForeground(saved);
  target.SetFont(savedFont);
}

void RecordingSurface::DrawClear() { primitives_.push_back(Primitive{}); }

void RecordingSurface::DrawLine(double x1, double y1, double x2, double y2, Colour c) {
  Primitive p;
  p.kind = Primitive::Kind::Line;
  p.X1 = x1;
  p.Y1 = y1;
  p.X2 = x2;
  p.Y2 = y2;
  p.Ink = c;
  primitives_.push_back(p);
}

void RecordingSurface::DrawBox(double x, double y, double side, bool filled, Colour c) {
  Primitive p;
  p.kind = Primitive::Kind::Box;
  p.X1 = x;
  p.Y1 = y;
  p.Size = side;
  p.Filled = filled;
  p.Ink = c;
  primitives_.push_back(p);
}

void RecordingSurface::DrawCircle(double x, double y, double radius, bool filled, Colour c) {
  Primitive p;
  p.kind = Primitive::Kind::Circle;
  p.X1 = x;
  p.Y1 = y;
  p.Size = radius;
  p.Filled = filled;
  p.Ink = c;
  primitives_.push_back(p);
}

void RecordingSurface::DrawText(double x, double y, std::string_view latin1, Colour c, const Font& f) {
  Primitive p;
  p.kind = Primitive::Kind::Text;
  p.X1 = x;
  p.Y1 = y;
  p.Ink = c;
  p.Text = std::string(latin1);
  p.TextFont = f;
  primitives_.push_back(p);
}

}  // namespace rmx::plot
