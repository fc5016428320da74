#include "plot/all_samples.h"

#include <algorithm>
#include <cmath>

#include "store/numread.h"
#include "store/text.h"

namespace rmx::plot {

namespace {

bool IsAdmittedLabel(const std::string& label) {
  return label == "N  " || label == "NP " || label == "R  " || label == "RP ";
}

// Adds the direction in the chosen coordinates (the values were checked when read).
void Take(PointSelection& out, Coordinates coords, float gdec, float ginc, float tdec, float tinc) {
  const bool geo = coords == Coordinates::Geographic;
  out.Declinations.push_back(geo ? gdec : tdec);
  out.Inclinations.push_back(geo ? ginc : tinc);
}

std::string LevelText(float level) { return Format(level, "0"); }

const char* CoordsText(Coordinates coords) {
  return coords == Coordinates::Geographic ? "Geographic" : "Tilt-Corrected";
}

}  // namespace

std::vector<SampleRecords> ReadAllSamples(const Snapshot& snapshot, AllSamplesData data) {
  std::vector<SampleRecords> out;
  out.reserve(static_cast<size_t>(snapshot.SampleCount()));
  for (int i = 1; i <= snapshot.SampleCount(); ++i) {
    const SampleEntry& entry = snapshot.Entry(i);
    SampleRecords r;
    r.Position = i;
    r.Active = IsSet(entry.Active);
    r.Slot = entry.Slot;
    r.Header.SampleName = entry.SampleName;
    if (r.Active) {
      r.Header = snapshot.Header(i);
      if (data == AllSamplesData::LSquare) {
        try {
          if (const auto result = snapshot.Result(i, r.Header)) r.Result = *result;
        } catch (const LostResult&) {
          r.Header.LSquareRecord = 0;  // lost with the end of the file: no direction to draw
        }
      } else {
        const int last = data == AllSamplesData::Nrm ? std::min(6, r.Header.StepCount) : r.Header.StepCount - 1;
        std::vector<StepRecord> steps = snapshot.Steps(i, r.Header);
        steps.resize(static_cast<size_t>(std::max(last, 0)));
        r.Steps = std::move(steps);
      }
    }
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<SampleRecords> ReadAllSamples(const Session& s, AllSamplesData data) {
  if (!s.IsOpen()) return {};
  return ReadAllSamples(s.Read(), data);
}

PointSelection SelectPoints(const std::vector<SampleRecords>& samples, AllSamplesData data, float level,
                            Coordinates coords) {
  PointSelection out;
  for (const SampleRecords& r : samples) {
    if (!r.Active) continue;
    if (data == AllSamplesData::LSquare) {
      if (r.Header.LSquareRecord == 0 || !r.Result) continue;
      const LSquareResult& res = *r.Result;
      if (!IsSet(res.Active) || !IsAdmittedLabel(res.Label)) continue;
      Take(out, coords, res.GDec, res.GInc, res.TDec, res.TInc);
      continue;
    }
    // NRM: steps 1 to 6, none past StepCount; a level: steps 1 to StepCount - 1.
    const size_t last = data == AllSamplesData::Nrm
                            ? static_cast<size_t>(std::clamp(r.Header.StepCount, 0, 6))
                            : static_cast<size_t>(std::max(r.Header.StepCount - 1, 0));
    for (size_t k = 0; k < last && k < r.Steps.size(); ++k) {
      const StepRecord& step = r.Steps[k];
      if (data == AllSamplesData::Nrm) {
        if (step.Method != "NRM" || !IsSet(step.Plot)) continue;
      } else if (!(step.Level == level) || !IsSet(step.Plot)) {
        continue;
      }
      Take(out, coords, step.GDec, step.GInc, step.TDec, step.TInc);
    }
  }
  return out;
}

NetChoice ChooseAllSamplesNet(bool sPlotTilt, bool sPlotGeographic, bool eqPlotTilt, bool eqPlotGeographic) {
  if (sPlotTilt) return {NetKind::Stereographic, Coordinates::TiltCorrected, false};
  if (sPlotGeographic) return {NetKind::Stereographic, Coordinates::Geographic, false};
  if (eqPlotTilt) return {NetKind::EqualArea, Coordinates::TiltCorrected, false};
  if (eqPlotGeographic) return {NetKind::EqualArea, Coordinates::Geographic, false};
  return {NetKind::EqualArea, Coordinates::TiltCorrected, true};
}

std::string AllSamplesCaption(AllSamplesData data, float level) {
  const std::string lead = "Right Panel: Projection of all samples using ";
  switch (data) {
    case AllSamplesData::Nrm: return lead + "NRM data";
    case AllSamplesData::LSquare: return lead + "Least Square data";
    case AllSamplesData::AlternatingField: return lead + "data at " + LevelText(level) + " mT";
    case AllSamplesData::ArbitraryTemperature: return lead + "data at " + LevelText(level) + " degree";
  }
  return lead;
}

std::string PrintedAllSamplesTitle(AllSamplesData data, NetKind net, Coordinates coords, float level) {
  const bool stereo = net == NetKind::Stereographic;
  std::string title = stereo ? "Stereographic Projection of All Samples - " : "Equal-Area Projection of All Samples - ";
  // The geographic equal-area titles of the two level data sets carry a second
  // blank after the dash, as they always have.
  if (!stereo && coords == Coordinates::Geographic && NeedsLevel(data)) title += ' ';
  switch (data) {
    case AllSamplesData::Nrm: title += "NRM"; break;
    case AllSamplesData::LSquare: title += "Least Square"; break;
    case AllSamplesData::AlternatingField: title += LevelText(level) + " mT"; break;
    case AllSamplesData::ArbitraryTemperature: title += LevelText(level) + " degree"; break;
  }
  return title + ", " + CoordsText(coords);
}

void DrawAllSamplesPlot(Surface& s, const PlotLayout& layout, PlotState& state, NetKind net,
                        const PointSelection& points, const PageHeading* heading) {
  DrawNet(s, layout, state, net);
  if (!(state.NetRadius > 0)) return;
  if (heading) {
    const Font saved = s.TextFont();
    s.SetFont(layout.TextFont);
    const double r = state.NetRadius;
    const double left = state.NetCentreX - r;
    const double top = state.NetCentreY - r;
    s.Text(left, top - 1440, heading->FileName);
    s.Text(left, top - 1000, heading->Title);
    s.SetFont(saved);
  }
  DrawNetPoints(s, layout, state, net, points.Declinations, points.Inclinations);
}

std::optional<float> AskAllSamplesLevel(Dialogs& dialogs, AllSamplesData data) {
  const bool af = data == AllSamplesData::AlternatingField;
  const std::string prompt =
      af ? "Please enter a desired strength of\r\nAlternating Field for plotting: "
         : "Please enter a desired temperature for plotting:\r\ne.g., 250, 300, 350, 400 degree, etc. ";
  for (;;) {
    const std::string answer = dialogs.InputBox(prompt, af ? all_prompts::AFTitle : all_prompts::ATTitle);
    if (answer.empty()) return std::nullopt;
    if (const auto level = ReadSingle(answer)) return *level;
  }
}

std::optional<AllSamplesData> AskPrintDataSet(Dialogs& dialogs) {
  const std::string prompt =
      "Please select a data set for printing:\r\nN/n:   NRM data\r\nA/a:   AF  data\r\nT/t:   TT  data\r\n"
      "L/l:   Least Square data";
  for (;;) {
    const std::string answer = dialogs.InputBox(prompt, all_prompts::DataSetTitle);
    if (answer.empty()) return std::nullopt;
    if (answer.size() != 1) continue;
    switch (answer[0]) {
      case 'N': case 'n': return AllSamplesData::Nrm;
      case 'A': case 'a': return AllSamplesData::AlternatingField;
      case 'T': case 't': return AllSamplesData::ArbitraryTemperature;
      case 'L': case 'l': return AllSamplesData::LSquare;
      default: break;
    }
  }
}

}  // namespace rmx::plot
