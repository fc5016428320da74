// Shared inputs of the projections toolbox tests.
#pragma once

#include "toolbox/projections.h"

namespace rmx::toolbox {

// Ellipse boxes that pass every check: mean 10 / 60, alpha95 5, site 45 / -10.
inline EllipseTexts GoodEllipse() {
  EllipseTexts t;
  t.Symbol = {"0", "0", "255"};
  t.Line = {"0", "0", "255"};
  t.SymbolSize = "4";
  t.Diameter = "15";
  t.Lat = "45";
  t.Long = "-10";
  t.Thickness = "1";
  t.Points = "2000";
  t.Dec = "10";
  t.Inc = "60";
  t.Alpha95 = "5";
  return t;
}

}  // namespace rmx::toolbox
