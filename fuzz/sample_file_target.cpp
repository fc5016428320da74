// A sample file as a user may hand it over, damaged or hostile: the loader, then
// every path that reads it without changing it (the sample list, each sample's
// listing, the results listing, the four site analyses and every plot drawing).
// Refusals are StoreError; anything else that escapes, and every sanitizer report,
// is a finding.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <string>
#include <vector>

#include "checking_surface.h"
#include "memory_file.h"
#include "plot/layout.h"
#include "plot/sample_plot.h"
#include "plot/surface.h"
#include "session/dialogs.h"
#include "session/session.h"
#include "stats/lsquare_listing.h"
#include "stats/site_analysis.h"
#include "stats/site_command.h"

namespace {

using namespace rmx;

// The one call of the site analyses: the command itself, with its questions
// answered, so that the questions and the report are fuzzed together.
std::string RunSiteAnalysis(SiteData data, const Session& session, const std::vector<std::string>& answers) {
  ScriptedDialogs dialogs;
  dialogs.answers.assign(answers.begin(), answers.end());
  TextOutput out;
  FisherAnalysis(data, session, dialogs, out);
  return out.text;
}

// A level as typed: the shortest digits that read back as the same Single.
std::string Typed(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

// Draws the first sample in one kind, coordinates and layout, chosen by `choice` (so
// that the inputs take every drawing in turn: drawing all sixteen on every input
// would cost far more than the rest of a run together); on the screen panel it is
// drawn on the recording surface the tests use too, for one input in four.
void DrawOneKind(const SampleHeader& header, const std::vector<StepRecord>& steps, size_t choice) {
  static constexpr plot::PlotKind Kinds[] = {plot::PlotKind::Zijderveld, plot::PlotKind::ModifiedZijderveld,
                                             plot::PlotKind::Stereographic, plot::PlotKind::EqualArea};
  const plot::PlotKind kind = Kinds[choice % 4];
  const plot::Coordinates coords = choice / 4 % 2 ? plot::Coordinates::TiltCorrected : plot::Coordinates::Geographic;
  const plot::PlotLayout& layout = choice / 8 % 2 ? plot::PaperLayout() : plot::ScreenLayout();
  const plot::PanelSize panel = plot::PlotWindowPanelSize(1024, 768, 96);
  const double width = layout.Paper ? plot::A4Width : panel.Width;
  const double height = layout.Paper ? plot::A4Height : panel.Height;
  plot::PlotState state;
  fuzz::CheckingSurface checking(width, height);
  plot::DrawSamplePlot(checking, layout, state, kind, coords, header, steps);
  if (!layout.Paper && choice / 16 % 4 == 0) {
    plot::RecordingSurface recording(width, height);
    plot::DrawSamplePlot(recording, layout, state, kind, coords, header, steps);
  }
}

// A choice taken from the input's bytes, so that a mutation moves it.
size_t Choice(const uint8_t* data, size_t size) {
  size_t sum = size;
  for (size_t i = 0; i < size; i += 61) sum += data[i];
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::MemoryFile input("remanex-fuzz.mag");
  input.Put(data, size);
  Session session;
  session.GetOpenFileName(input.Path());
  // One image for every listing: each ListSample(p) alone reads the whole file again.
  Snapshot snapshot;
  try {
    snapshot = session.Load();
  } catch (const StoreError&) {
    return 0;  // refused with a message: the expected answer to most inputs
  }
  (void)session.SampleLines();

  std::string level = "0";  // a level that some step holds, so that the level analyses get past their question
  for (int p = 1; p <= session.SampleCount(); ++p) {
    try {
      (void)session.ListSample(p, snapshot);
    } catch (const StoreError&) {
      continue;
    }
    const std::vector<StepRecord>& steps = session.Steps();
    if (p == 1 && steps.size() > 1) level = Typed(steps[1].Level);
    if (p == 1) DrawOneKind(session.CurrentHeader(), steps, Choice(data, size));
  }

  try {
    (void)AllResultsText(session);
  } catch (const StoreError&) {
  }

  // Coordinates and weighting alternate with the input, so both answers are taken.
  const std::string coords = size % 2 ? "G" : "T";
  const std::string weighted = size % 4 < 2 ? "Y" : "N";
  (void)RunSiteAnalysis(SiteData::Nrm, session, {coords, "45", "10"});
  (void)RunSiteAnalysis(SiteData::LSquare, session, {weighted, coords});
  (void)RunSiteAnalysis(SiteData::AlternatingField, session, {level, coords, "-30", "200"});
  (void)RunSiteAnalysis(SiteData::ArbitraryTemperature, session, {level, coords, "60", "359.5"});
  return 0;
}
