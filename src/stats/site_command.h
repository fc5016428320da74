// All > Fisher statistics: the four analyses of all samples, their questions asked
// in the dialogs and the report shown as it is produced.
#pragma once

#include <string>

#include "session/dialogs.h"
#include "session/outcome.h"
#include "session/session.h"
#include "stats/site_analysis.h"

namespace rmx {

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

// The questions, for those who answer them by script.
namespace site_prompts {
inline constexpr const char* AFLevelTitle = "Alternating Field Strength Selection";
inline constexpr const char* ATLevelTitle = "Fisher Analysis - Temperature Selection";
inline constexpr const char* WeightingTitle = "Weighting Selection for Fisher Analysis";
inline constexpr const char* CoordinatesTitle = "Selecting Data for Fisher Analysis";
inline constexpr const char* InclinationTitle = "Estimated Normal Inclination (-90 to 90 Degree)";
inline constexpr const char* DeclinationTitle = "Estimated Normal Declination (0 to 360 Degree)";
}  // namespace site_prompts

// Runs one analysis on the session's open file: the level or the weighting, then
// the coordinates are asked (each repeated until valid; an empty answer ends the
// command: Cancelled), the file is read once and the opening of the report shown;
// for steps the estimated normal direction is asked next, then the rest of the
// report follows. Nothing (no file open), Stopped (the report ended with its
// caution), Done, or Failed (a message box said why). The session's current sample
// is not touched.
Outcome FisherAnalysis(SiteData data, const Session& session, Dialogs& dialogs, FisherOutput& out);

}  // namespace rmx
