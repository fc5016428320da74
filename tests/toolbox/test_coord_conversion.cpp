#include <gtest/gtest.h>

#include "toolbox/coord_conversion.h"

using namespace rmx::toolbox;

namespace {

enum class Conversion { SpheToCart, CartToSphe, IncToLat, LatToInc };

// Inputs in box order: digits and three values for the vector conversions, one
// value for the latitude conversions.
CoordOutcome Convert(Conversion c, const std::vector<std::string>& in) {
  switch (c) {
    case Conversion::SpheToCart: return SphericalToCartesian(in[0], in[1], in[2], in[3]);
    case Conversion::CartToSphe: return CartesianToSpherical(in[0], in[1], in[2], in[3]);
    case Conversion::IncToLat: return InclinationToLatitude(in[0]);
    case Conversion::LatToInc: return LatitudeToInclination(in[0]);
  }
  return {};
}

}  // namespace

TEST(CoordConversion, ResultTexts) {
  struct Case {
    Conversion c;
    std::vector<std::string> in;
    std::vector<std::string> out;
  };
  const Case cases[] = {
      {Conversion::CartToSphe, {"5", "0", "0", "-5"}, {"0.00000", "-90.00000", "5.00000"}},
      {Conversion::CartToSphe, {"5", "1", "1", "0"}, {"45.00000", "0.00000", "1.41421"}},
      // The zero vector has no horizontal length: it points down.
      {Conversion::CartToSphe, {"2", "0", "0", "0"}, {"0.00", "90.00", "0.00"}},
      {Conversion::CartToSphe, {"3", "-1", "-1", "1"}, {"225.000", "35.264", "1.732"}},
      {Conversion::CartToSphe, {"3", "1e150", "0", "0"}, {"0.000", "0.000", "1" + std::string(150, '0') + ".000"}},
      // cos(90 degrees) is a rounding remainder below zero: never "-0.00000".
      {Conversion::SpheToCart, {"5", "90", "0", "2"}, {"0.00000", "2.00000", "0.00000"}},
      {Conversion::SpheToCart, {"5", "180", "-30", "1"}, {"-0.86603", "0.00000", "-0.50000"}},
      // Digits: 0 or less keeps the period; a fraction rounds half to even.
      {Conversion::SpheToCart, {"0", "0", "0", "12"}, {"12.", "0.", "0."}},
      {Conversion::SpheToCart, {"-3", "0", "0", "12"}, {"12.", "0.", "0."}},
      {Conversion::SpheToCart, {" 2.5 ", "0", "0", "12"}, {"12.00", "0.00", "0.00"}},
      {Conversion::SpheToCart, {"30", "0", "0", "1"}, {"1." + std::string(30, '0'), "0." + std::string(30, '0'), "0." + std::string(30, '0')}},
      {Conversion::IncToLat, {"45"}, {"26.57"}},
      {Conversion::IncToLat, {"90"}, {"90.00"}},
      {Conversion::IncToLat, {"-90"}, {"-90.00"}},
      {Conversion::LatToInc, {"30"}, {"49.11"}},
      {Conversion::LatToInc, {"-60"}, {"-73.90"}},
  };
  for (const Case& c : cases) {
    const CoordOutcome o = Convert(c.c, c.in);
    EXPECT_FALSE(o.refusal) << c.in[0] << " " << o.refusal->prompt;
    EXPECT_EQ(o.texts, c.out) << c.in[0] << "," << c.in[1 % c.in.size()];
  }
}

TEST(CoordConversion, RefusalsInCheckingOrder) {
  struct Case {
    Conversion c;
    std::vector<std::string> in;
    CoordBox box;
    const char* title;
    const char* prompt;
  };
  const char* digits = "Please input an integer for digits";
  const char* incRange = "Please input a valid Inclination: -90 to 90 degree";
  const Case cases[] = {
      {Conversion::SpheToCart, {"x", "y", "z", "w"}, CoordBox::Digits, "Digits for display", digits},
      {Conversion::SpheToCart, {"31", "0", "0", "1"}, CoordBox::Digits, "Digits for display", digits},
      {Conversion::SpheToCart, {"1e10", "0", "0", "1"}, CoordBox::Digits, "Digits for display", digits},
      {Conversion::SpheToCart, {"5", "", "91", "x"}, CoordBox::Declination, "Input Declination",
       "Please input a valid number for Declination"},
      {Conversion::SpheToCart, {"5", "0", "nan", "x"}, CoordBox::Inclination, "Input Inclination",
       "Please input a valid number for Inclination"},
      {Conversion::SpheToCart, {"5", "0", "90.5", "x"}, CoordBox::Inclination, "Input Inclination", incRange},
      {Conversion::SpheToCart, {"5", "0", "-90", "12,5"}, CoordBox::Intensity, "Input Intensity",
       "Please input a valid number for Intensity"},
      {Conversion::CartToSphe, {"5", " ", "x", "x"}, CoordBox::North, "Input North (x1) Component",
       "Please input a valid number for the North (x1) component"},
      {Conversion::CartToSphe, {"5", "1", "0x10", "x"}, CoordBox::East, "Input East (x2) Component",
       "Please input a valid number for the East (x2) component"},
      {Conversion::CartToSphe, {"5", "1", "1", "-inf"}, CoordBox::Down, "Input Down (x3) Component",
       "Please input a valid number for the Down (x3) component"},
      {Conversion::CartToSphe, {"5", "1e200", "1e200", "1e300"}, CoordBox::North, "Input North (x1) Component",
       "The components are too large: the intensity of the vector cannot be computed"},
      {Conversion::IncToLat, {"abc"}, CoordBox::Inclination2, "Input inclination", "Please input an valid inclination"},
      {Conversion::IncToLat, {"1e39"}, CoordBox::Inclination2, "Input inclination", "Please input an valid inclination"},
      {Conversion::IncToLat, {"90.5"}, CoordBox::Inclination2, "Input Inclination", incRange},
      {Conversion::LatToInc, {""}, CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude"},
      {Conversion::LatToInc, {"-90.01"}, CoordBox::Latitude, "Input Latitude",
       "Please input a valid Latitude: -90 to 90 degree"},
  };
  for (const Case& c : cases) {
    const CoordOutcome o = Convert(c.c, c.in);
    ASSERT_TRUE(o.refusal) << c.in[0];
    EXPECT_EQ(o.refusal->box, c.box) << c.prompt;
    EXPECT_EQ(o.refusal->title, c.title);
    EXPECT_EQ(o.refusal->prompt, c.prompt);
    EXPECT_TRUE(o.texts.empty());
  }
}
