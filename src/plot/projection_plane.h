// Zijderveld > Projection Plane: the declination of the vertical plane on which the
// Zijderveld diagram of the current sample projects, stored in the sample file.
#pragma once

#include "session/dialogs.h"
#include "session/outcome.h"
#include "session/session.h"

namespace rmx::plot {

inline constexpr const char* ProjectionPlaneTitle = "Projection Plane Dialogbox";
inline constexpr const char* ProjectionPlanePrompt =
    "Please input the declination of the\r\nprojection plane: 0-360 (degree).\r\n"
    "To change back to default (No Projection),\r\nplease input: -2";

// Asks for the plane of sample `position` (from 1) until the answer is empty or a
// whole number inside the 32-bit range (halves to even), then re-reads the sample's
// header from its slot, changes only ProjectionDec and writes it back at once, and
// reads the sample again into the session. Any whole number is stored; -2 means no
// projection. Done, Cancelled, Nothing (no sample line selected) or Failed (a
// message said why; nothing changed).
Outcome SetProjectionPlane(Session& s, int position, Dialogs& dialogs);

}  // namespace rmx::plot
