#include "toolbox/rows.h"

#include <cmath>
#include <optional>

#include "stats/direction.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::toolbox {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The end of a value starting at i: the next separator (a line end too when
// `lineEnds`), or the end of the text.
size_t ValueEnd(std::string_view s, size_t i, bool lineEnds) {
  while (i < s.size() && !IsSeparator(s[i]) && !(lineEnds && IsLineEnd(s[i]))) ++i;
  return i;
}

size_t SkipSeparators(std::string_view s, size_t i) {
  while (i < s.size() && IsSeparator(s[i])) ++i;
  return i;
}

}  // namespace

std::vector<Row> ParseRows(std::string_view s) {
  std::vector<Row> rows;
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    while (i + 1 < n && IsBlank(s[i])) ++i;
    // A single character left at the very end of the text is no row.
    if (i + 1 >= n) break;
    // The first value ends only at a separator: every row needs a second value on
    // its own line.
    const size_t end1 = ValueEnd(s, i, false);
    const std::string_view first = s.substr(i, end1 - i);
    const size_t start2 = SkipSeparators(s, end1);
    const size_t end2 = ValueEnd(s, start2, true);
    const std::string_view second = s.substr(start2, end2 - start2);
    std::string_view third = "1";
    size_t last = end2;
    if (end2 < n && !IsLineEnd(s[end2])) {
      const size_t start3 = SkipSeparators(s, end2);
      const size_t end3 = ValueEnd(s, start3, true);
      if (end3 > start3) third = s.substr(start3, end3 - start3);
      last = end3;
    }
    const std::optional<float> v1 = ReadSingle(first);
    const std::optional<float> v2 = v1 ? ReadSingle(second) : std::nullopt;
    const std::optional<float> v3 = v2 ? ReadSingle(third) : std::nullopt;
    if (!v3) break;
    rows.push_back({*v1, *v2, *v3});
    i = last + 1;
  }
  return rows;
}

std::string SphericalToCartesianText(const std::vector<Row>& directions) {
  std::string out;
  for (const Row& r : directions) {
    const double d = DegToRad(r.V1);
    const double i = DegToRad(r.V2);
    const double j = r.V3;
    const auto x1 = static_cast<float>(j * std::cos(i) * std::cos(d));
    const auto x2 = static_cast<float>(j * std::cos(i) * std::sin(d));
    const auto x3 = static_cast<float>(j * std::sin(i));
    for (float x : {x1, x2, x3}) out += AlignNumber(Format(x, "0.000000"), 16);
    out += CrLf;
  }
  return out;
}

Row ToDirection(const Row& v) {
  const double x1 = v.V1, x2 = v.V2, x3 = v.V3;
  Row d;
  d.V3 = static_cast<float>(std::sqrt(x1 * x1 + x2 * x2 + x3 * x3));
  d.V1 = static_cast<float>(RadToDeg(PolarAngle(x1, x2)));
  const double h = std::sqrt(x1 * x1 + x2 * x2);
  if (h >= 1e-6)
    d.V2 = static_cast<float>(RadToDeg(std::atan(x3 / h)));
  else
    d.V2 = x3 >= 0 ? 90.0f : -90.0f;
  return d;
}

std::string CartesianToSphericalText(const std::vector<Row>& vectors) {
  std::string out;
  for (const Row& v : vectors) {
    const Row d = ToDirection(v);
    out += AlignNumber(Format(d.V1, "0.00"), 16);
    out += AlignNumber(Format(d.V2, "0.00"), 14);
    out += AlignNumber(Format(d.V3, "0.000000"), 16);
    out += CrLf;
  }
  return out;
}

}  // namespace rmx::toolbox
