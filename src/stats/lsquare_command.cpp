#include "stats/lsquare_command.h"

#include <stdexcept>
#include <vector>

#include "session/record_edit.h"
#include "stats/lsquare.h"
#include "store/text.h"

namespace rmx {

std::string PolarityPrompt() {
  return "Please enter a label for the sample:\r\n"
         "N or R - Good, full-weight \r\n"
         "NP or RP - Fair, half-weight \r\n"
         "NPP or RPP - Poor, not used in Fisher \r\n"
         "N? or R? - Questionable polarity, not used \r\n"
         "INT - Indeterminate, not used";
}

std::string AskPolarityLabel(Dialogs& dialogs) {
  const std::string prompt = PolarityPrompt();
  for (;;) {
    const std::string answer = UpperCase(dialogs.InputBox(prompt, PolarityTitle));
    if (answer.empty() || IsPolarityLabel(answer)) return answer;
  }
}

namespace {

constexpr const char* AnalysisTitle = "Least Square Analysis";

struct Selection {
  std::vector<int> selected;
  int tied = 0;
  int points = 0;
};

Selection SelectionOf(const std::vector<StepRecord>& steps) {
  Selection s;
  s.selected = SelectedSteps(steps);
  s.tied = !s.selected.empty() && s.selected.back() == static_cast<int>(steps.size()) ? 1 : 0;
  s.points = static_cast<int>(s.selected.size()) - s.tied;
  return s;
}

LSquareResult Fit(const std::vector<StepRecord>& steps, const Selection& s, const std::string& label, int position) {
  try {
    return FitLSquareResult(steps, s.selected, s.tied, label);
  } catch (const std::domain_error&) {
    throw std::runtime_error("The selected steps of sample " + std::to_string(position) +
                             " hold values too large to fit a line through.");
  }
}

}  // namespace

std::optional<LSquareResult> SaveLSquareFit(Session& session, int position, const FitRequest& request,
                                            Snapshot* written) {
  RecordEdit edit(session.File());
  const Snapshot& fresh = edit.Fresh();
  if (position < 1 || position > fresh.SampleCount())
    throw StoreError("Sample " + std::to_string(position) + " is not in the file.");
  const SampleHeader header = fresh.Header(position);
  std::vector<StepRecord> steps = fresh.Steps(position, header);
  const std::vector<StepRecord> stored = steps;
  if (request.steps)
    for (size_t k = 0; k < steps.size(); ++k) steps[k].LSquare = request.steps->count(static_cast<int>(k) + 1) ? 1 : 0;
  const Selection s = SelectionOf(steps);

  // Everything is computed before the first write.
  std::optional<LSquareResult> result;
  if (s.points >= 1) {
    if (!IsPolarityLabel(request.label)) throw std::invalid_argument("not a polarity label: " + request.label);
    result = Fit(steps, s, request.label, position);
  }
  for (size_t k = 0; k < steps.size(); ++k)
    if (steps[k].LSquare != stored[k].LSquare)
      edit.ChangeStep(position, static_cast<int>(k) + 1, [&](StepRecord& r) { r.LSquare = steps[k].LSquare; });
  if (result) {
    // The result first, then the link to it.
    const int64_t slot = edit.PutResult(position, *result);
    edit.ChangeSampleHeader(position, [slot](SampleHeader& h) { h.LSquareRecord = static_cast<int32_t>(slot); });
  } else if (header.LSquareRecord != 0) {
    edit.ChangeSampleHeader(position, [](SampleHeader& h) { h.LSquareRecord = 0; });
  }
  edit.Commit();
  if (written) *written = edit.TakeFresh();
  return result;
}

Outcome LSquareAnalysis(Session& session, Dialogs& dialogs, int position) {
  if (!session.IsOpen() || position < 1 || position > session.SampleCount()) return Outcome::Nothing();
  const auto fail = [&](const std::string& message, MessageIcon icon) {
    dialogs.MessageBox(message, AnalysisTitle, icon);
    return Outcome::Failed(message);
  };
  const std::string readOnly = "The file " + PathToLatin1(session.FileName()) + " is read-only: ";
  try {
    const Snapshot snapshot = session.Read();
    if (position > snapshot.SampleCount())
      throw StoreError("Sample " + std::to_string(position) + " is no longer in the file.");
    const SampleHeader header = snapshot.Header(position);
    const std::vector<StepRecord> steps = snapshot.Steps(position, header);
    const Selection s = SelectionOf(steps);
    if (s.points < 1) {
      // No real step (the origin alone is no line): the sample has no result.
      if (header.LSquareRecord == 0) return Outcome::Done();
      if (!session.File().Writable())
        return fail(readOnly + "the removal of the least-squares result cannot be saved.", MessageIcon::Warning);
      SaveLSquareFit(session, position, {});
      return Outcome::Done();
    }
    if (!session.File().Writable())
      return fail(readOnly + "the least-squares result cannot be saved.", MessageIcon::Warning);
    CheckResultsArea(snapshot, position);
    try {
      Fit(steps, s, "N", position);
    } catch (const std::runtime_error& e) {
      return fail(e.what(), MessageIcon::Warning);
    }
    const std::string label = AskPolarityLabel(dialogs);
    if (label.empty()) return Outcome::Cancelled();
    SaveLSquareFit(session, position, {std::nullopt, label});
    return Outcome::Done();
  } catch (const std::runtime_error& e) {
    return fail(std::string("The least-squares result cannot be saved. ") + e.what(), MessageIcon::Critical);
  }
}

}  // namespace rmx
