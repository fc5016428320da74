// A surface for the fuzz targets that checks what reaches the device instead of
// keeping it: the public primitives drop non-finite coordinates and negative sizes,
// so none may arrive here. (Recording every chord of a printed net costs more than
// the rest of a run together.)
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "plot/surface.h"

namespace rmx::fuzz {

class CheckingSurface : public plot::Surface {
 public:
  CheckingSurface(double width, double height) : width_(width), height_(height) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }

 protected:
  void DrawClear() override {}
  void DrawLine(double x1, double y1, double x2, double y2, plot::Colour) override { Check({x1, y1, x2, y2}); }
  void DrawBox(double x, double y, double side, bool, plot::Colour) override { Check({x, y, side}, side); }
  void DrawCircle(double x, double y, double radius, bool, plot::Colour) override { Check({x, y, radius}, radius); }
  void DrawText(double x, double y, std::string_view, plot::Colour, const plot::Font&) override { Check({x, y}); }

 private:
  static void Check(std::initializer_list<double> values, double size = 0) {
    for (double v : values)
      if (!std::isfinite(v)) Fail("a non-finite coordinate reached the device");
    if (size < 0) Fail("a negative size reached the device");
  }
  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "plot surface: %s\n", what);
    std::abort();
  }
  double width_, height_;
};

}  // namespace rmx::fuzz
