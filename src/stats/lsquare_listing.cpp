#include "stats/lsquare_listing.h"

#include <optional>

#include "session/session.h"
#include "store/text.h"

namespace rmx {

std::string AllResultsLine(const std::string& storedName, float meters, const LSquareResult& r) {
  std::string line;
  line.reserve(90);
  line += AlignLeft(storedName, NameWidth);
  line += AlignNumber(Format(meters, "0.00"), 8);
  line += "  ";
  line += AlignLeft(r.Label, 4);
  line += AlignNumber(Format(r.GDec, "0.00"), 8);
  line += AlignNumber(Format(r.GInc, "0.00"), 7);
  line += AlignNumber(Format(r.TDec, "0.00"), 8);
  line += AlignNumber(Format(r.TInc, "0.00"), 7);
  line += AlignNumber(Format(r.Intensity, "Scientific"), 10);
  line += AlignNumber(Format(r.Error, "0.00"), 7);
  line += AlignNumber(Format(r.Points, "0"), 6);
  return line;
}

std::string StepsUsedLine(const std::string& storedName, const std::vector<StepRecord>& steps) {
  std::string line = AlignLeft(storedName, NameWidth);
  if (steps.empty()) return line;
  for (size_t k = 0; k + 1 < steps.size(); ++k)
    if (IsSet(steps[k].LSquare)) line += AlignNumber(Format(steps[k].Level, "0"), 5);
  if (IsSet(steps.back().LSquare)) line += "  Org Tied";
  return line;
}

std::string AllResultsText(const Snapshot& snapshot) {
  // The lines of both tables are made in one walk, the results straight into the
  // text; the steps of a sample are read only while its line is made.
  const size_t samples = static_cast<size_t>(snapshot.SampleCount());
  std::string text, used;
  text.reserve(samples * (90 + 64) + 256);
  used.reserve(samples * 64);
  text += AllResultsHeading;
  text += CrLf;
  const size_t heading = text.size();
  for (int i = 1; i <= snapshot.SampleCount(); ++i) {
    const SampleEntry& entry = snapshot.Entry(i);
    if (!IsSet(entry.Active)) continue;
    const SampleHeader header = snapshot.Header(i);
    std::optional<LSquareResult> result;
    try {
      result = snapshot.Result(i, header);
    } catch (const LostResult& e) {
      text += LostResultText(entry.SampleName, e.slot);
      text += CrLf;
      continue;
    }
    if (!result) continue;
    text += AllResultsLine(entry.SampleName, header.Meters, *result);
    text += CrLf;
    used += StepsUsedLine(entry.SampleName, snapshot.Steps(i, header));
    used += CrLf;
  }
  if (text.size() == heading) return NoLSquareData;  // no line of either kind

  text += CrLf;
  text += StepsUsedHeading;
  text += CrLf;
  text += used;
  return text;
}

std::string AllResultsText(const Session& session) {
  if (!session.IsOpen()) return NoLSquareData;
  return AllResultsText(session.Read());
}

}  // namespace rmx
