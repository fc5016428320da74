// Helpers of the stats tests: steps and stored results written record by record,
// sessions on them, the Fisher analysis run with scripted answers, and the command line.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "session/dialogs.h"
#include "session/session.h"
#include "stats/site_command.h"
#include "store/sample_file.h"
#include "support/cli_run.h"
#include "support/magbuilder.h"

namespace rmx::test {

// A step with the same direction in both coordinate systems.
inline StepRecord At(const char* method, float level, float dec, float inc, float intensity = 1e-3f) {
  return Step(method, level, dec, inc, dec, inc, intensity, 0.1f);
}
inline StepRecord Nrm(float dec, float inc, float intensity = 1e-3f) { return At("NRM", 0, dec, inc, intensity); }

// A thermal step with the vector v (north, east, down); its tilt-corrected
// declination is turned by `turn` degrees.
inline StepRecord StepFromVector(const std::array<double, 3>& v, float level, double turn = 0) {
  const double deg = 180 / 3.141592653589793, f = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  const double dec = std::fmod(std::atan2(v[1], v[0]) * deg + 360, 360.0), inc = std::asin(v[2] / f) * deg;
  return Step("TT", level, static_cast<float>(dec), static_cast<float>(inc),
              static_cast<float>(std::fmod(dec + turn, 360.0)), static_cast<float>(inc), static_cast<float>(f), 0.1f);
}

inline LSquareResult Result(const char* label, float dec, float inc, float intensity = 1e-3f, int32_t active = 1) {
  return {.GDec = dec, .GInc = inc, .TDec = dec, .TInc = inc, .Intensity = intensity,
          .Label = FixedText(label, CodeWidth), .Active = active, .Points = 3};
}

// Writes the result of sample `position` (from 1) to its slot and links it.
inline void StoreResult(const std::string& path, int position, const LSquareResult& r) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader section;
  const int32_t header = LoadSampleTable(f, section).at(static_cast<size_t>(position - 1)).Slot;
  f.Write(section.LastRecord + position - 1, r);
  SampleHeader h = f.ReadSampleHeader(header);
  h.LSquareRecord = section.LastRecord + position - 1;
  f.Write(header, h);
}

// One analysis run with the given answers: its report (and how often it was shown).
struct SiteRun {
  ScriptedDialogs dialogs;
  TextOutput out;
  Outcome outcome;
};
inline SiteRun RunSite(SiteData data, const Session& s, const std::vector<std::string>& answers) {
  SiteRun run;
  run.dialogs.answers.assign(answers.begin(), answers.end());
  run.outcome = FisherAnalysis(data, s, run.dialogs, run.out);
  return run;
}

// remanex-cli COMMAND PATH ARGS..., and a report's text as the command line prints it.
inline CliResult Command(const std::string& command, const std::string& path, std::vector<std::string> args) {
  args.insert(args.begin(), {command, path});
  return RunCli(args);
}
inline std::string Lf(std::string s) {
  for (size_t p; (p = s.find("\r\n")) != std::string::npos;) s.erase(p, 1);
  return s;
}

// A name as the sample table holds it (16 characters).
inline std::string Name(const std::string& n) { return FixedText(n, NameWidth); }

}  // namespace rmx::test
