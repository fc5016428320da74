// The least-squares (principal component) line fit of a sample's selected
// demagnetisation steps, and the result stored for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace rmx {

// A fitted line: direction in degrees (Dec in [0, 360), Inc in [-90, 90]) and the
// maximum angular deviation in degrees.
struct LineFit {
  float Dec = 0;
  float Inc = 0;
  float MAD = 0;
};

// Fits one line through the selected steps by principal component analysis.
// `steps` is a sample's step table (at most 50, the origin step last); `selected`
// holds step numbers from 1 in ascending order, the origin included when it is
// selected; `tied` = 1 makes the line pass through the origin. `useGeographic` = 1
// takes GDec/GInc, any other value TDec/TInc. The line points from the last selected
// step toward the first. Work arrays are single precision (products formed in double,
// rounded to single when stored); the eigen-solution is the threshold Jacobi method
// with 20 sweeps. Throws std::invalid_argument for an empty selection or a step
// number outside the table.
LineFit PrincipalComponentFit(int useGeographic, const std::vector<StepRecord>& steps,
                              const std::vector<int>& selected, int tied);

// The numbers (from 1) of the steps whose LSquare flag is set, in step order.
std::vector<int> SelectedSteps(const std::vector<StepRecord>& steps);

// The result of fitting the selected steps (at least one real step): directions in
// both coordinate systems, MAD of the tilt-corrected fit, mean raw intensity of the
// real steps, point count, tie flag, the label padded to 3, Active 1.
LSquareResult FitLSquareResult(const std::vector<StepRecord>& steps, const std::vector<int>& selected, int tied,
                               std::string_view label);

// True for "N", "R", "NP", "RP", "NPP", "RPP", "N?", "R?", "INT" (exact, upper case).
bool IsPolarityLabel(std::string_view label);
// Upper case of the ASCII letters; nothing is trimmed.
std::string UpperCase(std::string_view text);
}  // namespace rmx
