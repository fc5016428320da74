// Helpers of the site-analysis tests: sample files with stored least-squares
// results, sessions on them, and the pieces of the expected reports.
#pragma once

#include <string>
#include <vector>

#include "session/dialogs.h"
#include "session/session.h"
#include "stats/site_analysis.h"
#include "stats/site_command.h"
#include "store/sample_file.h"
#include "support/magbuilder.h"

namespace rmx::test {

// An NRM step with the same direction in both coordinate systems.
inline StepRecord Nrm(float dec, float inc, float intensity = 1e-3f) {
  return Step("NRM", 0, dec, inc, dec, inc, intensity, 0.1f);
}
inline StepRecord AtLevel(const char* method, float level, float dec, float inc, float intensity = 1e-3f) {
  return Step(method, level, dec, inc, dec, inc, intensity, 0.1f);
}

inline LSquareResult Result(const char* label, float dec, float inc, float intensity = 1e-3f, int32_t active = 1) {
  LSquareResult r;
  r.GDec = r.TDec = dec;
  r.GInc = r.TInc = inc;
  r.Intensity = intensity;
  r.Label = FixedText(label, CodeWidth);
  r.Active = active;
  r.Points = 3;
  return r;
}

// Writes the result of sample `position` (from 1) to its slot and links it.
inline void StoreResult(const std::string& path, int position, const LSquareResult& r) {
  SampleFile f = SampleFile::Open(path);
  SectionHeader section;
  const std::vector<SampleEntry> table = LoadSampleTable(f, section);
  const int32_t slot = section.LastRecord + position - 1;
  f.Write(slot, r);
  SampleHeader h = f.ReadSampleHeader(table.at(static_cast<size_t>(position - 1)).Slot);
  h.LSquareRecord = slot;
  f.Write(table.at(static_cast<size_t>(position - 1)).Slot, h);
}

inline Session OpenSession(const std::string& path) {
  Session s;
  s.GetOpenFileName(path);
  s.Load();
  return s;
}

// Runs an analysis with the given answers.
struct SiteRun {
  std::string text;
  Outcome outcome;
  ScriptedDialogs dialogs;
  int shown = 0;
};
inline SiteRun RunSite(SiteData data, const Session& s, std::vector<std::string> answers) {
  SiteRun run;
  run.dialogs.answers.assign(answers.begin(), answers.end());
  TextOutput out;
  run.outcome = FisherAnalysis(data, s, run.dialogs, out);
  run.text = out.text;
  run.shown = out.shown;
  return run;
}

// A name as the sample table holds it (16 characters).
inline std::string Name(const std::string& n) { return FixedText(n, NameWidth); }

inline int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// The text after the "Now Redone" line (the second pass), or "".
inline std::string SecondPass(const std::string& text) {
  const size_t p = text.find("Now Redone with New Cutoffs of ");
  if (p == std::string::npos) return {};
  return text.substr(text.find('\n', p) + 1);
}

}  // namespace rmx::test
