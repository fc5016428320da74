#include "session/listing.h"

#include "store/text.h"

namespace rmx {

std::string SampleListLine(const SampleEntry& entry) {
  return AlignLeft(entry.SampleName, NameWidth) + (IsSet(entry.Active) ? "Yes" : " No");
}

std::vector<std::string> SampleListLines(const std::vector<SampleEntry>& samples) {
  std::vector<std::string> lines;
  lines.reserve(samples.size() + 1);
  lines.emplace_back(SampleListHeading);
  for (const auto& s : samples) lines.push_back(SampleListLine(s));
  return lines;
}

std::string StepLine(const StepRecord& step) {
  std::string line;
  line.reserve(80);
  line += AlignLeft(step.Method, 4);
  line += AlignNumber(Format(step.Level, "0"), 3);
  line += AlignNumber(Format(step.GDec, "0.0"), 8);
  line += AlignNumber(Format(step.GInc, "0.0"), 7);
  line += AlignNumber(Format(step.TDec, "0.0"), 8);
  line += AlignNumber(Format(step.TInc, "0.0"), 7);
  line += AlignNumber(Format(step.Intensity, "Scientific"), 11);
  line += AlignNumber(Format(step.Error, "0.00"), 7);
  line += IsSet(step.LSquare) ? "    Yes " : "     No ";
  line += IsSet(step.Plot) ? "   Yes" : "    No";
  return line;
}

std::string SampleClosingLine(const std::string& storedName) {
  return "      *************** Sample: " + AlignLeft(storedName, NameWidth) + " *************** ";
}

std::vector<std::string> ResultLines(const LSquareResult& r) {
  std::string line;
  line += AlignLeft(r.Label, 7);
  line += AlignNumber(Format(r.GDec, "0.00"), 8);
  line += AlignNumber(Format(r.GInc, "0.00"), 7);
  line += AlignNumber(Format(r.TDec, "0.00"), 8);
  line += AlignNumber(Format(r.TInc, "0.00"), 7);
  line += AlignNumber(Format(r.Intensity, "Scientific"), 11);
  line += AlignNumber(Format(r.Error, "0.00"), 7);
  line += AlignNumber(Format(r.Points, "0"), 7);
  line += IsSet(r.Tied) ? "    Yes " : "     No ";
  return {"            ==========Least Square Analysis==========      ",
          " Label     GDec   GInc    TDec   TInc  Intensity  Error  #Points  Tied", line};
}

std::vector<std::string> SampleListing(const std::string& storedName, const std::vector<StepRecord>& steps,
                                       const LSquareResult* result) {
  std::vector<std::string> lines;
  lines.reserve(steps.size() + 5);
  lines.emplace_back(StepListHeading);
  for (const auto& s : steps) lines.push_back(StepLine(s));
  lines.push_back(SampleClosingLine(storedName));
  if (result)
    for (auto& l : ResultLines(*result)) lines.push_back(std::move(l));
  return lines;
}

std::string CheckedLinesText(const std::vector<std::string>& lines, const std::vector<bool>& checked) {
  std::string out;
  for (size_t i = 0; i < lines.size() && i < checked.size(); ++i)
    if (checked[i]) {
      out += lines[i];
      out += CrLf;
    }
  return out;
}

}  // namespace rmx
