// coords: the coordinate-conversion calculator (Toolbox > Coordinate Conversion and
// Latitude Calculation). Prints the result boxes' texts, one a line; a refused value
// prints the window's prompt to standard error.
#include <iostream>

#include "cli/cli.h"
#include "toolbox/coord_conversion.h"

namespace rmx::cli {

namespace {

int Show(const toolbox::CoordOutcome& o, std::ostream& out) {
  if (o.refusal) {
    out.flush();
    PrintReport(std::cerr, o.refusal->prompt + "\r\n");
    return 1;
  }
  PrintLines(out, o.texts);
  return 0;
}

}  // namespace

int RunCoords(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments a = SplitArguments(args, {"digits"});
  const auto& p = a.positional;
  if (p.empty()) throw UsageError("coords needs a conversion: sph2cart, cart2sph, inc2lat or lat2inc");
  const std::string& what = p[0];
  const bool vector = what == "sph2cart" || what == "cart2sph";
  if (!vector && what != "inc2lat" && what != "lat2inc") throw UsageError("unknown conversion: " + what);
  if (!vector && a.Has("digits")) throw UsageError("--digits applies to sph2cart and cart2sph only");
  const size_t values = vector ? 3 : 1;
  if (p.size() != values + 1)
    throw UsageError("coords " + what + " takes " + std::to_string(values) + (values == 1 ? " value" : " values"));
  // The digits box holds "5" until the user changes it.
  const std::string digits = a.Has("digits") ? *a.Option("digits") : "5";
  if (what == "sph2cart") return Show(toolbox::SphericalToCartesian(digits, p[1], p[2], p[3]), out);
  if (what == "cart2sph") return Show(toolbox::CartesianToSpherical(digits, p[1], p[2], p[3]), out);
  if (what == "inc2lat") return Show(toolbox::InclinationToLatitude(p[1]), out);
  return Show(toolbox::LatitudeToInclination(p[1]), out);
}

}  // namespace rmx::cli
