// The drawing surface every plot draws on: a picture panel of the plot window, the
// printer page, an image or vector file, or a recording for tests.
//
// Every coordinate, length and radius is in twips (1440 to the inch), x growing to
// the right and y downward from the top-left corner of the drawing area. Text is
// placed by its top-left corner. The adapters map twips to their device by its
// resolution.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rmx::plot {

struct Colour {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour White{255, 255, 255};
inline constexpr Colour Red{255, 0, 0};
inline constexpr Colour Green{0, 255, 0};
inline constexpr Colour Blue{0, 0, 255};
inline constexpr Colour Magenta{255, 0, 255};

struct Font {
  std::string Name = "Times New Roman";
  double Points = 12;
  friend bool operator==(const Font&, const Font&) = default;
};

// The primitives of the plots. The public calls keep the foreground colour, the font
// and the current drawing position; the adapters implement the protected Draw*
// calls. A primitive with a coordinate that is not finite, or with a negative size,
// is dropped: nothing is drawn for it and the current position stays.
class Surface {
 public:
  virtual ~Surface() = default;

  // The drawing area, in twips, read each time a plot is drawn.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  // The zoom percentage of a printed page (100 = actual size); screens and files
  // answer 100.
  virtual int Zoom() const { return 100; }

  // Erases the whole surface.
  void Clear();
  // A straight line in the foreground colour, or in the given colour.
  void Line(double x1, double y1, double x2, double y2);
  void Line(double x1, double y1, double x2, double y2, Colour c);
  // A line from the current drawing position to (x, y).
  void LineTo(double x, double y, Colour c);
  // A square with its top-left corner at (x, y), open or filled, in the foreground
  // colour or in the given colour.
  void Box(double x, double y, double side, bool filled);
  void Box(double x, double y, double side, bool filled, Colour c);
  // An outline circle, and a circle filled solid with its outline colour.
  void Circle(double x, double y, double radius, Colour c);
  void FilledCircle(double x, double y, double radius, Colour c);
  // ISO 8859-1 text with its top-left corner at (x, y), in the foreground colour and
  // the current font.
  void Text(double x, double y, std::string_view latin1);

  Colour Foreground() const { return foreground_; }
  void SetForeground(Colour c) { foreground_ = c; }
  const Font& TextFont() const { return font_; }
  void SetFont(const Font& f) { font_ = f; }

 protected:
  virtual void DrawClear() = 0;
  virtual void DrawLine(double x1, double y1, double x2, double y2, Colour c) = 0;
  virtual void DrawBox(double x, double y, double side, bool filled, Colour c) = 0;
  virtual void DrawCircle(double x, double y, double radius, bool filled, Colour c) = 0;
  virtual void DrawText(double x, double y, std::string_view latin1, Colour c, const Font& f) = 0;

 private:
  void MoveTo(double x, double y) {
    currentX_ = x;
    currentY_ = y;
  }

  Colour foreground_ = Black;
  Font font_;
  double currentX_ = 0;
  double currentY_ = 0;
};

// One recorded primitive. A line uses X1, Y1, X2, Y2; a box its corner X1, Y1 and
// Size (the side); a circle its centre X1, Y1 and Size (the radius); text its
// corner X1, Y1.
struct Primitive {
  enum class Kind { Clear, Line, Box, Circle, Text };
  Kind kind = Kind::Clear;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, Size = 0;
  bool Filled = false;
  Colour Ink = Black;
  std::string Text;
  Font TextFont;
  friend bool operator==(const Primitive&, const Primitive&) = default;
};

// One line of text per primitive, numbers with three decimals, e.g.
// "circle 4020.000 3105.000 35.000 filled 0,255,0".
std::string Describe(const Primitive& p);

// Draws recorded primitives on a surface, in order; the surface's foreground colour
// and font are kept.
void Replay(const std::vector<Primitive>& primitives, Surface& target);

// A surface of a given size that keeps every primitive drawn on it.
class RecordingSurface : public Surface {
 public:
  RecordingSurface(double width, double height, int zoom = 100) : width_(width), height_(height), zoom_(zoom) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  int Zoom() const override { return zoom_; }

  const std::vector<Primitive>& Primitives() const { return primitives_; }
  // All primitives, one line each, in drawing order.
  std::string Dump() const;

 protected:
  void DrawClear() override;
  void DrawLine(double x1, double y1, double x2, double y2, Colour c) override;
  void DrawBox(double x, double y, double side, bool filled, Colour c) override;
  void DrawCircle(double x, double y, double radius, bool filled, Colour c) override;
  void DrawText(double x, double y, std::string_view latin1, Colour c, const Font& f) override;

 private:
  double width_;
  double height_;
  int zoom_;
  std::vector<Primitive> primitives_;
};

}  // namespace rmx::plot
