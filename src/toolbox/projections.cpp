#include "toolbox/projections.h"

#include <cmath>

#include "stats/direction.h"
#include "stats/fisher.h"
#include "stats/vgp.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::toolbox {

namespace {

constexpr double HalfPi = Pi / 2;

// Directions whose resultant is shorter than this cancel: they have no mean.
constexpr double ZeroResultant = 1e-6;

// Below this sin p the site lies at the pole or its antipode.
constexpr double PoleTolerance = 1e-6;

std::string Fixed2(double v) { return Format(v, "0.00"); }

bool InRange(float v, float lo, float hi) { return v >= lo && v <= hi; }

const std::string InsufficientData = "Insufficient Data. Check you input!";
const std::string NotNumbers = "One or more input is/are not a number(s). Check you input!";
const std::string OutOfRange = "Latitudes and inclinations must lie between -90 and 90 degrees. Check you input!";

// The two checks of the pole commands: every box filled, every box a number.
std::optional<Refusal> CheckPoleTexts(std::initializer_list<std::string_view> texts, std::vector<float>& values) {
  for (std::string_view t : texts)
    if (t.empty()) return Refusal{InsufficientData, VgpTitle, "txtLat"};
  for (std::string_view t : texts) {
    const auto v = ReadSingle(t);
    if (!v) return Refusal{NotNumbers, VgpTitle, "txtLat"};
    values.push_back(*v);
  }
  return std::nullopt;
}

float Rad(float degrees) { return static_cast<float>(DegToRad(degrees)); }

const std::string ColourTitle = "Color (0 to 255)";

// The colour boxes: all numbers first, then each rounded within 0..255.
std::optional<Refusal> ReadColours(const ColourTexts& a, const ColourTexts& b, Rgb& first, Rgb& second) {
  const std::string* texts[] = {&a.Red, &a.Green, &a.Blue, &b.Red, &b.Green, &b.Blue};
  for (const std::string* t : texts)
    if (!ReadNumber(*t)) return Refusal{"Color values must be Integers!", ColourTitle, ""};
  int values[6];
  for (int k = 0; k < 6; ++k) {
    const auto v = ReadWhole(*texts[k]);
    if (!v || *v < 0 || *v > 255) return Refusal{"Color values must be in the range 0 to 255", ColourTitle, ""};
    values[k] = *v;
  }
  first = {values[0], values[1], values[2]};
  second = {values[3], values[4], values[5]};
  return std::nullopt;
}

std::optional<Refusal> ReadSymbolSize(std::string_view text, const std::string& title, const std::string& box,
                                      int& size) {
  if (!ReadNumber(text)) return Refusal{"Symbol size is not a number!", title, box};
  const auto v = ReadWhole(text);
  if (!v || *v < 1 || *v > 100) return Refusal{"Symbol size must be an integer (1 to 100)", title, box};
  size = *v;
  return std::nullopt;
}

}  // namespace

std::optional<float> SignificanceLevel(std::string_view text) {
  const auto p = ReadSingle(text);
  if (!p || !(*p > 0) || !(*p < 1)) return std::nullopt;
  return p;
}

FisherBoxes ToolboxFisher(const std::vector<Row>& rows, float p) {
  FisherBoxes b;
  float x = 0, y = 0, z = 0;  // summed as typed, in single precision
  for (const Row& r : rows) {
    x += r.V1;
    y += r.V2;
    z += r.V3;
  }
  const double n = static_cast<double>(rows.size());
  const double R = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z);
  if (!(R >= ZeroResultant)) {
    b.Caution = "Caution: Resultant Length R = 0! Mean Direction Undefined!";
    return b;
  }
  float D, I;
  XYZToDir(y, x, z, D, I);
  b.Dec = Fixed2(D);
  b.Inc = Fixed2(I);
  if (rows.size() < 2) return b;
  if (R >= n) {
    b.K = "Infinity";
    b.Alpha95 = Fixed2(0.0);
    return b;
  }
  b.K = Fixed2(static_cast<float>((n - 1) / (n - R)));
  b.Alpha95 = Fixed2(static_cast<float>(RadToDeg(FisherCone(n, (n - R) / R, 1.0 / p))));
  return b;
}

VgpOutcome CalculateVgp(std::string_view dec, std::string_view inc, std::string_view alpha95, std::string_view lat,
                        std::string_view lon) {
  VgpOutcome o;
  std::vector<float> v;
  if ((o.Refused = CheckPoleTexts({dec, inc, lat, lon}, v))) return o;
  if (!InRange(v[1], -90, 90) || !InRange(v[2], -90, 90)) {
    o.Refused = Refusal{OutOfRange, VgpTitle, "txtLat"};
    return o;
  }
  const auto a95 = ReadSingle(alpha95);
  const bool oval = a95 && *a95 >= 0;
  const VgpValues vgp = ComputeVgp(Rad(v[0]), Rad(v[1]), oval ? Rad(*a95) : 0.0f, SiteLocation{v[2], v[3]});
  o.Boxes.PoleLat = Fixed2(vgp.pole.Latitude);
  o.Boxes.PoleLong = Fixed2(vgp.pole.Longitude);
  if (oval) {
    o.Boxes.Dp = Fixed2(vgp.Dp);
    o.Boxes.Dm = Fixed2(vgp.Dm);
  }
  return o;
}

Direction ExpectedDirection(float poleLat, float poleLong, float siteLat, float siteLong) {
  const double thetaS = HalfPi - DegToRad(siteLat);
  const double thetaP = HalfPi - DegToRad(poleLat);
  const double dPhi = DegToRad(poleLong) - DegToRad(siteLong);
  const double p = ArcCos(std::cos(thetaP) * std::cos(thetaS) + std::sin(thetaP) * std::sin(thetaS) * std::cos(dPhi));
  Direction d;
  if (std::sin(p) < PoleTolerance) {
    // At the pole the field points straight down, at its antipode straight up; the
    // declination has no meaning and is 0.
    d.Inc = p < HalfPi ? 90.0f : -90.0f;
    return d;
  }
  const double inc = std::atan(2 * std::tan(HalfPi - p));
  double dec = ArcSin(std::sin(thetaP) * std::sin(dPhi) / std::sin(p));
  if (std::cos(p) * std::cos(thetaS) > std::cos(thetaP)) dec = Pi - dec;
  // A declination a rounding below north (a pole at a geographic pole) is north.
  if (dec < 0 && dec > -1e-9) dec = 0;
  if (dec < 0) dec += TwoPi;
  if (dec > TwoPi) dec -= TwoPi;
  d.Dec = static_cast<float>(RadToDeg(dec));
  d.Inc = static_cast<float>(RadToDeg(inc));
  return d;
}

DirectionOutcome DirectionFromPole(std::string_view poleLat, std::string_view poleLong, std::string_view lat,
                                   std::string_view lon) {
  DirectionOutcome o;
  std::vector<float> v;
  if ((o.Refused = CheckPoleTexts({poleLat, poleLong, lat, lon}, v))) return o;
  if (!InRange(v[0], -90, 90) || !InRange(v[2], -90, 90)) {
    o.Refused = Refusal{OutOfRange, VgpTitle, "txtLat"};
    return o;
  }
  const Direction d = ExpectedDirection(v[0], v[1], v[2], v[3]);
  o.Dec = Fixed2(d.Dec);
  o.Inc = Fixed2(d.Inc);
  return o;
}

StyleOutcome CheckStyle(const ColourTexts& first, const ColourTexts& second, std::string_view size,
                        const std::string& sizeTitle, const std::string& sizeBox) {
  StyleOutcome o;
  if ((o.Refused = ReadColours(first, second, o.Value.First, o.Value.Second))) return o;
  o.Refused = ReadSymbolSize(size, sizeTitle, sizeBox, o.Value.SymbolSize);
  return o;
}

bool ConnectPoints(std::string_view text) {
  const size_t from = text.find_first_not_of(" \t");
  if (from == std::string_view::npos) return true;
  const std::string_view t = text.substr(from, text.find_last_not_of(" \t") + 1 - from);
  return !(t.size() == 2 && (t[0] == 'N' || t[0] == 'n') && (t[1] == 'O' || t[1] == 'o'));
}

float PlotCentimetres(std::string_view text) {
  const auto cm = ReadSingle(text);
  if (!cm || !(*cm > 0) || *cm > 100) return 15;
  return *cm;
}

int ProjectionPlane(std::string_view text) {
  const auto plane = ReadWhole(text);
  if (!plane) return 0;
  return *plane < 0 ? -2 : *plane;
}

double CentimetresToTwips(double cm) { return cm * 1440 / 2.54; }

EllipseOutcome ReadEllipseInputs(const EllipseTexts& t, const std::string& sizeTitle) {
  EllipseOutcome o;
  EllipseInputs& in = o.Value;
  const auto refuse = [&](std::string text, std::string title, std::string focus) {
    o.Refused = Refusal{std::move(text), std::move(title), std::move(focus)};
    return o;
  };
  if ((o.Refused = ReadColours(t.Symbol, t.Line, in.Symbol, in.Line))) return o;
  if ((o.Refused = ReadSymbolSize(t.SymbolSize, sizeTitle, "txtSymSize", in.SymbolSize))) return o;
  const std::string numeric = "Numeric Values Required";
  const auto lat = ReadSingle(t.Lat), lon = ReadSingle(t.Long), thick = ReadSingle(t.Thickness);
  if (!lat || !lon || !thick)
    return refuse("The Latitude, Longitude, and Line Thickness must all be numbers!", numeric, "txtLat");
  if (!InRange(*lat, -90, 90)) return refuse("The site latitude must lie between -90 and 90 degrees!", numeric, "txtLat");
  if (std::fabs(*thick) > 100)
    return refuse("The line thickness must lie between -100 and 100 pixels!", numeric, "txtLineThickness");
  if (!ReadNumber(t.Points)) return refuse("The number of points on the ellipse must be a Number!", numeric, "txtNumPoints");
  const auto points = ReadWhole(t.Points);
  const auto dec = ReadSingle(t.Dec), inc = ReadSingle(t.Inc), a95 = ReadSingle(t.Alpha95);
  if (!dec || !inc || !a95)
    return refuse("The mean Declination and Inclination, and Alpha95 in Fisher Analysis must all be numbers!", numeric,
                  "txtFisherDec");
  if (!InRange(*inc, -90, 90) || !InRange(*a95, 0, 180))
    return refuse("The mean Inclination must lie between -90 and 90 degrees and Alpha95 between 0 and 180!", numeric,
                  "txtFisherDec");
  in.DiameterCm = PlotCentimetres(t.Diameter);
  in.SiteLat = *lat;
  in.SiteLong = *lon;
  in.Thickness = std::fabs(*thick);
  // A count beyond the 32-bit range is a number too: it is as many points as drawn.
  in.Points = !points ? MaxEllipsePoints : std::min(*points, MaxEllipsePoints);
  in.Dec = *dec;
  in.Inc = *inc;
  in.Alpha95 = *a95;
  return o;
}

PoleEllipse ComputePoleEllipse(const EllipseInputs& in) {
  PoleEllipse e;
  const float siteLat = Rad(in.SiteLat);
  const float siteLong = Rad(in.SiteLong);
  const float D = Rad(in.Dec);
  const float I = Rad(in.Inc);
  const double a95 = Rad(in.Alpha95);
  const Pole pole = PoleFromDirection(D, I, siteLat, siteLong);
  e.Pole = {pole.Latitude, pole.Longitude};
  const int n = in.Points;
  if (n <= 0) return e;
  e.Circle.reserve(static_cast<size_t>(n) + 1);
  e.Oval.reserve(static_cast<size_t>(n) + 1);
  const double theta0 = HalfPi - static_cast<double>(I);
  for (int j = 0; j <= n; ++j) {
    const double t = TwoPi * j / n;
    const double beta = HalfPi - t;
    const double cosTheta = std::cos(theta0) * std::cos(a95) + std::sin(theta0) * std::sin(a95) * std::cos(beta);
    const double theta = ArcCos(cosTheta);
    const auto inc = static_cast<float>(HalfPi - theta);
    const double dD =
        std::fabs(cosTheta) < 1 ? ArcSin(std::sin(beta) * std::sin(a95) / std::sqrt(1 - cosTheta * cosTheta)) : 0;
    const auto dec = static_cast<float>(cosTheta * std::cos(theta0) <= std::cos(a95) ? D + dD : D + Pi - dD);
    e.Circle.push_back({static_cast<float>(RadToDeg(dec)), std::fabs(static_cast<float>(RadToDeg(inc)))});
    const Pole p = PoleFromDirection(dec, inc, siteLat, siteLong);
    e.Oval.push_back({p.Latitude, p.Longitude});
  }
  return e;
}

}  // namespace rmx::toolbox
