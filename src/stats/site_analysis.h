// The Fisher analysis of all samples of the open file (All > Fisher statistics):
// one direction per sample, taken from its NRM step, its stored least-squares
// result, or its step at a chosen alternating-field level or temperature. The
// directions are split into normal and reversed groups around an estimated (or
// least-squares) normal direction, each group and both together get their Fisher
// statistics and poles, the two group means are combined as vectors, and the split
// is done once more with cut-off angles derived from the first result.
//
// The four analyses are one routine; the data kind chooses the questions, the
// heading and how directions are gathered.
#pragma once

#include <string>

namespace rmx {

class Dialogs;
class Session;

enum class SiteData { Nrm, LSquare, AlternatingField, ArbitraryTemperature };

// Where an analysis writes its report. Text is appended as it is produced (CR LF
// line ends), so a command ended by Cancel keeps what it appended; Show is called
// where the report window is brought up.
class FisherOutput {
 public:
  virtual ~FisherOutput() = default;
  virtual void Append(const std::string& text) = 0;
  virtual void Show() = 0;
};

// Collects the report in a string.
class TextOutput : public FisherOutput {
 public:
  std::string text;
  int shown = 0;
  void Append(const std::string& t) override { text += t; }
  void Show() override { ++shown; }
};

enum class SiteOutcome {
  NoFile,     // no sample file is open: nothing asked, nothing written
  Cancelled,  // an input box was answered empty; the text appended so far stays
  Stopped,    // the report ended early with its caution (no such step, no data)
  Completed,  // both passes were reported
  Failed,     // the file could not be read; a message box said why
};

// Runs one analysis on the session's open file. Questions are asked with `dialogs`
// (each repeated until valid; an empty answer ends the command). Samples, steps and
// results are read fresh from the file into local buffers; the session's current
// sample is not touched.
SiteOutcome FisherAnalysis(SiteData data, const Session& session, Dialogs& dialogs, FisherOutput& out);

// The same, returning the report text.
std::string FisherAnalysisText(SiteData data, const Session& session, Dialogs& dialogs, SiteOutcome* outcome = nullptr);

// The questions, for those who answer them by script.
namespace site_prompts {
inline constexpr const char* AFLevelTitle = "Alternating Field Strength Selection";
inline constexpr const char* ATLevelTitle = "Fisher Analysis - Temperature Selection";
inline constexpr const char* WeightingTitle = "Weighting Selection for Fisher Analysis";
inline constexpr const char* CoordinatesTitle = "Selecting Data for Fisher Analysis";
inline constexpr const char* InclinationTitle = "Estimated Normal Inclination (-90 to 90 Degree)";
inline constexpr const char* DeclinationTitle = "Estimated Normal Declination (0 to 360 Degree)";
}  // namespace site_prompts

// The checks of the estimate answers: -90 <= inclination <= 90, 0 <= declination < 360.
bool IsEstimatedInclination(float value);
bool IsEstimatedDeclination(float value);

}  // namespace rmx
