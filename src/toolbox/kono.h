// The Kono (1980) palaeolatitude calculator: from a typed table of polarity labels
// and inclinations it estimates the true mean inclination and the precision K of a
// Fisher distribution from the inclinations alone (Newton's method on the first two
// moments of sin I), derives alpha95 and alpha63 and converts the inclination into a
// palaeolatitude with its confidence half-widths.
//
// Rows are "polarity inclination [intensity]", separated by blanks, tabs or commas.
// Only the labels N, R, NP and RP are used; reversed inclinations are folded onto
// the normal polarity. In weighted mode N and R rows count twice.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rmx::toolbox {

// The result boxes, in the order the window shows them.
enum KonoBox {
  NumSample,
  NumEffective,
  NumWeighted,
  AverageIncl,
  WeightedAveIncl,
  StdDev,
  KonoIncl,
  KonoK,
  Alpha95,
  Alpha63,
  Latitude,
  LatAlpha95,
  LatAlpha63,
  KonoBoxCount
};
// Each box's object name and the text of its label.
struct KonoBoxName {
  const char* name;
  const char* label;
};
extern const std::array<KonoBoxName, KonoBoxCount> KonoBoxes;

struct KonoEntry {
  std::string label;
  double inclination = 0;  // degrees, folded onto the normal polarity
  double intensity = 1;    // read and kept, not used
};

// The rows read from the table.
struct KonoData {
  int rows = 0;       // every row read
  int effective = 0;  // rows labelled N, R, NP or RP
  std::vector<KonoEntry> entries;  // N and R twice in weighted mode
  double effectiveSum = 0;         // the effective rows' inclinations, each once
  // When reading stopped at a row that could not be used: why (core text), else empty.
  std::string stopped;
};

// Reads the table. A lone line feed (as Qt text boxes end lines) is a row end like
// carriage return + line feed. Reading stops at the first usable row whose
// inclination or intensity is not a number (or whose inclination is outside -90 to
// 90); that row is not used, the rows before it are.
KonoData ReadKonoData(std::string_view text, bool weighted);

struct KonoMessage {
  std::string title;
  std::string text;  // core text, CR LF line breaks
};

struct KonoResult {
  std::array<std::string, KonoBoxCount> boxes;  // empty boxes stay empty
  std::string intermediate;                     // txtIntResult, CR LF line ends
  // Shown instead of (the rest of) the results; the focus goes to the data box.
  std::optional<KonoMessage> refusal;
  // Shown after the results: rows at the end of the table were not read.
  std::optional<KonoMessage> notice;

  // The estimate, when there is one (no refusal).
  double inclination = 0;  // degrees
  double k = 0;
  int effectiveCount = 0;  // Ne of the confidence limits
};

KonoResult ComputeKono(const KonoData& data, bool weighted);
inline KonoResult ComputeKono(std::string_view text, bool weighted) {
  return ComputeKono(ReadKonoData(text, weighted), weighted);
}

}  // namespace rmx::toolbox
