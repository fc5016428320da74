// Small helpers for reading recorded drawings in the plot tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plot/surface.h"
#include "support/magbuilder.h"

namespace rmx::test {

using plot::Primitive;
using Kind = plot::Primitive::Kind;

inline std::vector<Primitive> Select(const plot::RecordingSurface& s, const std::function<bool(const Primitive&)>& f) {
  std::vector<Primitive> out;
  for (const Primitive& p : s.Primitives())
    if (f(p)) out.push_back(p);
  return out;
}
inline std::vector<Primitive> OfKind(const plot::RecordingSurface& s, Kind k) {
  return Select(s, [k](const Primitive& p) { return p.kind == k; });
}
inline std::vector<Primitive> Lines(const plot::RecordingSurface& s, plot::Colour c) {
  return Select(s, [c](const Primitive& p) { return p.kind == Kind::Line && p.Ink == c; });
}
inline const Primitive* FindText(const plot::RecordingSurface& s, const std::string& prefix) {
  for (const Primitive& p : s.Primitives())
    if (p.kind == Kind::Text && p.Text.rfind(prefix, 0) == 0) return &p;
  return nullptr;
}

// A step with one direction in both coordinate systems; WithOrigin appends the origin step.
inline StepRecord Dir(float dec, float inc, float intensity = 1, int lsquare = 0, int plot = 1) {
  StepRecord s = Step("TT", 100, dec, inc, dec, inc, intensity, 0.1f);
  s.LSquare = lsquare;
  s.Plot = plot;
  return s;
}
inline std::vector<StepRecord> WithOrigin(std::vector<StepRecord> steps) {
  steps.push_back(OriginStep());
  return steps;
}

}  // namespace rmx::test
