// One direction per active sample of the open file, all on one net: the NRM step,
// the step at a chosen alternating-field level or temperature, or the stored
// least-squares result of each sample (All > Stereo Plot All and File > Print >
// All). The selection works on plain copies of the records; a small walk reads
// them fresh from the file into buffers of its own, never into the current sample.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/layout.h"
#include "plot/net.h"
#include "plot/surface.h"
#include "plot/zijderveld.h"
#include "session/dialogs.h"
#include "session/session.h"
#include "store/records.h"

namespace rmx::plot {

enum class AllSamplesData { Nrm, LSquare, AlternatingField, ArbitraryTemperature };

inline bool NeedsLevel(AllSamplesData d) {
  return d == AllSamplesData::AlternatingField || d == AllSamplesData::ArbitraryTemperature;
}

// What the selection reads of one sample.
struct SampleRecords {
  int Position = 0;                     // in the sample table, from 1
  bool Active = false;                  // the sample table's flag, not the header's
  SampleHeader Header;                  // as read (inactive samples: not read)
  int32_t Slot = 0;                     // of the header
  std::vector<StepRecord> Steps;        // steps 1, 2, ... as far as they were read
  std::optional<LSquareResult> Result;  // when LSquareRecord is not 0 and it was read
};

// Reads what `data` needs of every active sample of the session's file: the NRM
// candidates (steps 1 to 6, none past StepCount), the measured steps (1 to
// StepCount - 1) or the stored result. Throws StoreError for a damaged chain.
std::vector<SampleRecords> ReadAllSamples(const Session& s, AllSamplesData data);
std::vector<SampleRecords> ReadAllSamples(const Snapshot& snapshot, AllSamplesData data);

// The directions chosen, in sample order and, within a sample, in step order.
struct PointSelection {
  std::vector<float> Declinations;
  std::vector<float> Inclinations;
};

// The rules, per active sample: NRM takes each of steps 1 to 6 whose Method is "NRM"
// and Plot is 1; the level commands each of steps 1 to StepCount - 1 whose Level
// equals `level` exactly and Plot is 1; least squares the result when its Active is 1
// and its Label is "N  ", "NP ", "R  " or "RP ". The list has no fixed limit.
PointSelection SelectPoints(const std::vector<SampleRecords>& samples, AllSamplesData data, float level,
                            Coordinates coords);

// The net and coordinates of the panel, from the check marks of the single-sample
// projections: the first ticked of stereographic tilt-corrected, stereographic
// geographic, equal-area tilt-corrected, equal-area geographic; none ticked gives
// the tilt-corrected equal-area net and a fresh panel title.
struct NetChoice {
  NetKind Net = NetKind::EqualArea;
  Coordinates Coords = Coordinates::TiltCorrected;
  bool FreshTitle = false;  // the title becomes NetTitle(Net, Coords) before " (All)"
};
NetChoice ChooseAllSamplesNet(bool sPlotTilt, bool sPlotGeographic, bool eqPlotTilt, bool eqPlotGeographic);

// "Right Panel: Projection of all samples using NRM data", "... using data at 20 mT", ...
std::string AllSamplesCaption(AllSamplesData data, float level);
// The title printed under the file name: "Stereographic Projection of All Samples -
// NRM, Geographic", ...
std::string PrintedAllSamplesTitle(AllSamplesData data, NetKind net, Coordinates coords, float level);

// The two heading lines of a printed page: the file's full path and the title.
struct PageHeading {
  std::string FileName;  // ISO 8859-1
  std::string Title;
};

// The net and the points, red circles filled on the lower hemisphere. On paper the
// two heading lines go 1440 and 1000 twips above the top of the rim, from its left
// edge. Does not clear the surface.
void DrawAllSamplesPlot(Surface& s, const PlotLayout& layout, PlotState& state, NetKind net,
                        const PointSelection& points, const PageHeading* heading);

// The questions. The level is asked until the answer is a number (a Single) or
// empty; nothing for an empty answer (Cancel).
std::optional<float> AskAllSamplesLevel(Dialogs& dialogs, AllSamplesData data);
// The data set to print, asked until the upper-cased answer is "N", "A", "T" or "L"
// or empty; nothing for an empty answer.
std::optional<AllSamplesData> AskPrintDataSet(Dialogs& dialogs);

namespace all_prompts {
inline constexpr const char* AFTitle = "Alternating Field Strength Selection";
inline constexpr const char* ATTitle = "Temperature Selection";
inline constexpr const char* DataSetTitle = "Data Set Selection for Printing All Points";
}  // namespace all_prompts

}  // namespace rmx::plot
