// The Fisher analysis of all samples of a sample file (All > Fisher statistics):
// one direction per sample, taken from its NRM step, its stored least-squares
// result, or its step at a chosen alternating-field level or temperature. The
// directions are split into normal and reversed groups around an estimated (or
// least-squares) normal direction, each group and both together get their Fisher
// statistics and poles, the two group means are combined as vectors, and the split
// is done once more with cut-off angles derived from the first result.
//
// The computation takes its options as plain values; the command that asks for
// them is in site_command.h.
#pragma once

#include <string>
#include <vector>

#include "session/snapshot.h"
#include "stats/fisher.h"
#include "stats/vgp.h"

namespace rmx {

enum class SiteData { Nrm, LSquare, AlternatingField, ArbitraryTemperature };

// The answers of one analysis.
struct SiteOptions {
  SiteData data = SiteData::Nrm;
  float level = 0;           // alternating field (mT) or temperature, for those data
  bool weighted = false;     // least squares: full-weight labels count twice
  bool geographic = true;    // false: tilt-corrected directions
  float estimatedInc = 0;    // the estimated normal direction, degrees (not for
  float estimatedDec = 0;    // least squares)
};

// The checks of the estimate answers: -90 <= inclination <= 90, 0 <= declination < 360.
bool IsEstimatedInclination(float value);
bool IsEstimatedDeclination(float value);

// One gathered direction: the sample's position (from 1) and its values in the
// chosen coordinates.
struct SiteEntry {
  int sample = 0;
  FisherEntry direction;
};

// What the walk over the samples found.
struct SiteDirections {
  std::vector<std::string> names;  // stored sample names, by position
  std::vector<SiteEntry> all;      // every direction used, in file order
  std::vector<SiteEntry> normal;   // least squares: by label (weighted copies included)
  std::vector<SiteEntry> reversed;
  std::vector<std::string> leftOut;  // the lines of the samples left out, in report order
  bool allUsed = false;              // steps: every sample active and used
};

// Walks every sample of the snapshot in file order (its values checked) and takes
// the direction of each as the options say. Throws StoreError for a damaged file.
SiteDirections GatherSiteDirections(const Snapshot& snapshot, const SiteOptions& options);

// The report up to the point where the estimated normal direction is asked: the
// heading, the samples left out and, when nothing was gathered, the caution.
std::string SiteReportOpening(const SiteOptions& options, const SiteDirections& found);
// True when the report ends with the opening's caution.
bool SiteReportEnds(const SiteOptions& options, const SiteDirections& found);
// The rest of the report: the polarity split, each group's statistics and pole, the
// combined directions, the vector combination, then the same with the new cut-offs.
std::string SiteReportPasses(const SiteOptions& options, const SiteDirections& found, const SiteLocation& site);

// The whole report of one analysis of a snapshot. Throws StoreError for a damaged
// file (the section's site position included).
std::string SiteReport(const SiteOptions& options, const Snapshot& snapshot);

}  // namespace rmx
