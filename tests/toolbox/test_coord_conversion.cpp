#include <gtest/gtest.h>

#include "toolbox/coord_conversion.h"

using namespace rmx::toolbox;

// Inputs in box order: digits and three values for the vector conversions, one value
// for the latitude conversions. Either the result texts or the refusal, in checking order.
TEST(CoordConversion, ResultsAndRefusals) {
  enum Conv { S2C, C2S, I2L, L2I };
  const auto convert = [](Conv c, const std::vector<std::string>& in) {
    switch (c) {
      case S2C: return SphericalToCartesian(in[0], in[1], in[2], in[3]);
      case C2S: return CartesianToSpherical(in[0], in[1], in[2], in[3]);
      case I2L: return InclinationToLatitude(in[0]);
      case L2I: return LatitudeToInclination(in[0]);
    }
    return CoordOutcome{};
  };
  const std::string z30(30, '0');
  const char* digits = "Please input an integer for digits";
  const char* incRange = "Please input a valid Inclination: -90 to 90 degree";
  const char* badInc = "Please input an valid inclination";
  const struct {
    Conv c;
    std::vector<std::string> in, out;
    CoordBox box = CoordBox::Digits;
    const char* title = nullptr;  // nullptr: converted
    const char* prompt = nullptr;
  } cases[] = {
      {C2S, {"5", "0", "0", "-5"}, {"0.00000", "-90.00000", "5.00000"}},
      {C2S, {"5", "1", "1", "0"}, {"45.00000", "0.00000", "1.41421"}},
      // The zero vector has no horizontal length: it points down.
      {C2S, {"2", "0", "0", "0"}, {"0.00", "90.00", "0.00"}},
      {C2S, {"3", "-1", "-1", "1"}, {"225.000", "35.264", "1.732"}},
      {C2S, {"3", "1e150", "0", "0"}, {"0.000", "0.000", "1" + std::string(150, '0') + ".000"}},
      // cos(90 degrees) is a rounding remainder below zero: never "-0.00000".
      {S2C, {"5", "90", "0", "2"}, {"0.00000", "2.00000", "0.00000"}},
      {S2C, {"5", "180", "-30", "1"}, {"-0.86603", "0.00000", "-0.50000"}},
      // Digits: 0 or less keeps the period; a fraction rounds half to even.
      {S2C, {"0", "0", "0", "12"}, {"12.", "0.", "0."}},
      {S2C, {"-3", "0", "0", "12"}, {"12.", "0.", "0."}},
      {S2C, {" 2.5 ", "0", "0", "12"}, {"12.00", "0.00", "0.00"}},
      {S2C, {"30", "0", "0", "1"}, {"1." + z30, "0." + z30, "0." + z30}},
      {I2L, {"45"}, {"26.57"}},
      {I2L, {"90"}, {"90.00"}},
      {I2L, {"-90"}, {"-90.00"}},
      {L2I, {"30"}, {"49.11"}},
      {L2I, {"-60"}, {"-73.90"}},
      {S2C, {"x", "y", "z", "w"}, {}, CoordBox::Digits, "Digits for display", digits},
      {S2C, {"31", "0", "0", "1"}, {}, CoordBox::Digits, "Digits for display", digits},
      {S2C, {"1e10", "0", "0", "1"}, {}, CoordBox::Digits, "Digits for display", digits},
      {S2C, {"5", "", "91", "x"}, {}, CoordBox::Declination, "Input Declination",
       "Please input a valid number for Declination"},
      {S2C, {"5", "0", "nan", "x"}, {}, CoordBox::Inclination, "Input Inclination",
       "Please input a valid number for Inclination"},
      {S2C, {"5", "0", "90.5", "x"}, {}, CoordBox::Inclination, "Input Inclination", incRange},
      {S2C, {"5", "0", "-90", "12,5"}, {}, CoordBox::Intensity, "Input Intensity",
       "Please input a valid number for Intensity"},
      {C2S, {"5", " ", "x", "x"}, {}, CoordBox::North, "Input North (x1) Component",
       "Please input a valid number for the North (x1) component"},
      {C2S, {"5", "1", "0x10", "x"}, {}, CoordBox::East, "Input East (x2) Component",
       "Please input a valid number for the East (x2) component"},
      {C2S, {"5", "1", "1", "-inf"}, {}, CoordBox::Down, "Input Down (x3) Component",
       "Please input a valid number for the Down (x3) component"},
      {C2S, {"5", "1e200", "1e200", "1e300"}, {}, CoordBox::North, "Input North (x1) Component",
       "The components are too large: the intensity of the vector cannot be computed"},
      {I2L, {"abc"}, {}, CoordBox::Inclination2, "Input inclination", badInc},
      {I2L, {"1e39"}, {}, CoordBox::Inclination2, "Input inclination", badInc},
      {I2L, {"90.5"}, {}, CoordBox::Inclination2, "Input Inclination", incRange},
      {L2I, {""}, {}, CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude"},
      {L2I, {"-90.01"}, {}, CoordBox::Latitude, "Input Latitude", "Please input a valid Latitude: -90 to 90 degree"},
  };
  for (const auto& c : cases) {
    const CoordOutcome o = convert(c.c, c.in);
    const std::string what = c.in[0] + "," + c.in[1 % c.in.size()];
    EXPECT_EQ(o.texts, c.out) << what;
    ASSERT_EQ(o.refusal.has_value(), c.title != nullptr) << what;
    if (!o.refusal) continue;
    EXPECT_EQ(o.refusal->box, c.box) << what;
    EXPECT_EQ(o.refusal->title, c.title) << what;
    EXPECT_EQ(o.refusal->prompt, c.prompt) << what;
  }
}
