// The calculations of the projections toolbox: the Fisher mean of typed vectors at
// a chosen significance level, the virtual geomagnetic pole of that mean and its
// inverse (the direction a pole gives at a site), the checks of the style and
// ellipse boxes, and the points of a pole's confidence oval.
//
// Every function takes the texts of the boxes and returns the texts the boxes get,
// or the one message the window shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolbox/rows.h"

namespace rmx::toolbox {

// A message box of a refused input: its text, its title (empty: the program's
// name) and the object name of the box that gets the focus (empty: none).
struct Refusal {
  std::string Text;
  std::string Title;
  std::string Focus;
  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// --- Fisher analysis ---------------------------------------------------------

inline constexpr const char* LevelMessage = "Significance level must be a number between 0 and 1. Default to 0.05.";
inline constexpr float DefaultLevel = 0.05f;

// The significance level typed, when it is a number strictly between 0 and 1.
std::optional<float> SignificanceLevel(std::string_view text);

// The four boxes of the Fisher frame, formatted "0.00" ("Infinity" for an unbounded
// K); a box the result does not fill is empty.
struct FisherBoxes {
  std::string K, Dec, Inc, Alpha95;
  std::string Caution;  // shown in a message box when not empty
};

// The Fisher mean of the vectors as typed (not normalised), summed in single
// precision, at significance level p:
//  - one row: its direction only;
//  - R below 1e-6: no mean, all boxes empty, the caution;
//  - R >= N: K "Infinity" and alpha 0.00;
//  - a cone whose cosine falls below -1: 180.00.
// `rows` must not be empty.
FisherBoxes ToolboxFisher(const std::vector<Row>& rows, float p);

// --- Poles -------------------------------------------------------------------

inline constexpr const char* VgpTitle = "VGP Data Input";

// The texts of the pole frame after Calculate VGP; Dp and Dm are left as they were
// (nullopt) when the alpha95 box holds no usable number.
struct VgpBoxes {
  std::string PoleLat, PoleLong;
  std::optional<std::string> Dp, Dm;
};
struct VgpOutcome {
  std::optional<Refusal> Refused;
  VgpBoxes Boxes;
};
// Mean declination, inclination and alpha95 in degrees, site in degrees, as typed.
VgpOutcome CalculateVgp(std::string_view dec, std::string_view inc, std::string_view alpha95, std::string_view lat,
                        std::string_view lon);

// The direction expected at the site from the pole, as the Fisher boxes show it.
struct DirectionOutcome {
  std::optional<Refusal> Refused;
  std::string Dec, Inc;
};
DirectionOutcome DirectionFromPole(std::string_view poleLat, std::string_view poleLong, std::string_view lat,
                                   std::string_view lon);

// The same in numbers, degrees in and out: a site at the pole (p = 0) gives D 0,
// I 90; at its antipode (p = 180) D 0, I -90.
struct Direction {
  float Dec = 0, Inc = 0;
};
Direction ExpectedDirection(float poleLat, float poleLong, float siteLat, float siteLong);

// --- Styles ------------------------------------------------------------------

struct Rgb {
  int Red = 0, Green = 0, Blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour boxes as typed, red, green, blue.
struct ColourTexts {
  std::string Red, Green, Blue;
};

// The style check of the projections: both colours (symbol and line, or declination
// and inclination) whole numbers 0..255 after rounding, the symbol size 1..100.
// `sizeTitle` names the plot ("Stereographic Plot Symbol Size", ...); `sizeBox` is
// the size box's object name.
struct Style {
  Rgb First, Second;
  int SymbolSize = 0;
};
struct StyleOutcome {
  std::optional<Refusal> Refused;
  Style Value;
};
StyleOutcome CheckStyle(const ColourTexts& first, const ColourTexts& second, std::string_view size,
                        const std::string& sizeTitle, const std::string& sizeBox);

// Any text but "NO" (in any letter case, blanks around ignored) connects the points.
bool ConnectPoints(std::string_view text);
// A diameter or axis length in cm: 15 when the text is not a number, is 0 or less
// or is above 100.
float PlotCentimetres(std::string_view text);
// The projection plane in whole degrees; a negative value is none (-2), a text that
// is not a whole number 0.
int ProjectionPlane(std::string_view text);
// Centimetres in twips.
double CentimetresToTwips(double cm);

// --- Ellipses ----------------------------------------------------------------

inline constexpr int MaxEllipsePoints = 100000;

struct EllipseTexts {
  ColourTexts Symbol, Line;
  std::string SymbolSize, Diameter, Lat, Long, Thickness, Points, Dec, Inc, Alpha95;
};
struct EllipseInputs {
  float DiameterCm = 15;
  Rgb Symbol, Line;
  int SymbolSize = 4;
  float SiteLat = 0, SiteLong = 0;  // degrees
  float Thickness = 1;
  int Points = 0;                   // 0 or less: the pole (and site) only; at most MaxEllipsePoints
  float Dec = 0, Inc = 0, Alpha95 = 0;  // degrees
};
struct EllipseOutcome {
  std::optional<Refusal> Refused;
  EllipseInputs Value;
};
// The checks of the ellipse commands, in order; `sizeTitle` as for CheckStyle.
EllipseOutcome ReadEllipseInputs(const EllipseTexts& t, const std::string& sizeTitle);

// A point of the globe, degrees.
struct GlobePoint {
  float Lat = 0, Long = 0;
};
// The geometry of a pole and its confidence oval: the pole of the mean, the image
// of every point of the alpha95 circle around the mean (n + 1 points, the first and
// last alike) as a direction and as a pole.
struct PoleEllipse {
  GlobePoint Pole;
  std::vector<Direction> Circle;  // directions, inclination as |I'|
  std::vector<GlobePoint> Oval;   // their poles
};
PoleEllipse ComputePoleEllipse(const EllipseInputs& in);

}  // namespace rmx::toolbox
