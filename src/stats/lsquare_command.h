// The least-squares commands: the fit of one sample saved in the sample file, from
// the window (the polarity label asked) or from the command line (steps and label
// given), in one edit of the file.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "session/dialogs.h"
#include "session/outcome.h"
#include "session/session.h"
#include "store/records.h"

namespace rmx {

// The polarity label prompt.
inline constexpr const char* PolarityTitle = "Polarity Assignment and Rating";
// The six prompt lines joined by CR LF.
std::string PolarityPrompt();
// Asks until the answer, upper-cased, is a valid label; returns it, or "" for Cancel.
std::string AskPolarityLabel(Dialogs& dialogs);

// What to save for one sample.
struct FitRequest {
  // Exactly these steps (numbers from 1, the origin being the last) become the
  // selection; without it the selection stored in the file is fitted.
  std::optional<std::set<int>> steps;
  // The polarity label (upper case), needed when a real step is selected.
  std::string label;
};

// Fits sample `position` (from 1) and saves it, all in one edit of the file (read
// fresh under the lock; nothing is written unless everything can be): the new
// selection, the result in its slot LastRecord + position - 1, then the header's
// link to it. With no real step selected (nothing, or the origin alone) the link is
// cleared instead. Returns the result saved, or nothing when the link was cleared.
// Throws std::runtime_error (StoreError for the file) with a message for the user;
// the file is then as it was. With `written`, that gets the file as the fit left it,
// as read under the lock with the fit's writes (a plan of fits goes on with it).
std::optional<LSquareResult> SaveLSquareFit(Session& session, int position, const FitRequest& request,
                                            Snapshot* written = nullptr);

// The Least Square Analysis command on sample `position` (0 is the heading line:
// Nothing). Fits the steps whose LSquare flag is set; with no real step selected
// the sample's result link is cleared and nothing is asked. Otherwise it asks for
// the polarity label (Cancel: Cancelled, nothing written) and saves. A read-only or
// damaged file gets a message (Failed, nothing changed). Done means the sample's
// records changed: the caller lists it again.
Outcome LSquareAnalysis(Session& session, Dialogs& dialogs, int position);

}  // namespace rmx
