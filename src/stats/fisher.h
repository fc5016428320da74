// Fisher statistics of a list of directions: the mean direction, the precision
// parameter K, the 95 % cone of confidence alpha95, the resultant length R and the
// geometric mean intensity with its one-sigma spread, and the fixed-format report of
// these numbers followed by the pole block of the mean.
//
// In weighted mode full-weight directions appear twice in the list and half-weight
// ones once; the statistics then use the effective count N / 2 and R / 2.
#pragma once

#include <string>
#include <vector>

#include "stats/vgp.h"

namespace rmx {

// One direction of the list: degrees, and the natural logarithm of its intensity.
struct FisherEntry {
  float Dec = 0;
  float Inc = 0;
  float LogIntensity = 0;
};

// The values left for the caller after each call.
struct FisherResult {
  int N = 0;  // list entries
  bool Weighted = false;
  // False when the list was empty or its directions cancel (R = 0): there is no mean,
  // and only the caution line was reported.
  bool Defined = false;
  float MeanDec = 0;        // radians
  float MeanInc = 0;        // radians
  float MeanIntensity = 0;  // exp(mean of the log intensities)
  double UpperDeviation = 0;
  double LowerDeviation = 0;
  float Alpha95 = 0;    // radians
  float Spread = 0;     // standard deviation of the log intensities
  float K = 0;          // +infinity when the directions coincide (unbounded)
  float R = 0;          // resultant length as reported (halved in weighted mode)
  std::string Caution;  // the caution line, or empty

  bool Unbounded() const;
};

// The cone of confidence in radians of N directions at the level 1 / inverseLevel,
// with q = (N - R) / R (0 for an unbounded K); pi when the group is so scattered
// that the cosine falls below -1.
double FisherCone(double n, double q, double inverseLevel);
// The same at the 95 % level.
double ConeOfConfidence(double n, double q);

// Computes the statistics. An empty list gives N = 0 and Defined false.
FisherResult FisherMean(const std::vector<FisherEntry>& entries, bool weighted);

// The report lines of a result (CR LF line ends): the caution line if any, then the
// column heading, the value line and the lower-deviation line (left out when the
// mean is undefined). Nothing for an empty list.
std::string FisherReportLines(const FisherResult& r);

// FisherMean, then appends its report lines and, when the mean is defined, the pole
// block of the mean direction for the site to `report`. An empty list does nothing.
FisherResult FisherStats(const std::vector<FisherEntry>& entries, bool weighted, const SiteLocation& site,
                         std::string& report);

}  // namespace rmx
