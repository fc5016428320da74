// The program's fonts on Linux: "Courier" and "Courier New" are the fixed-pitch
// Liberation Mono, "Times New Roman" Liberation Serif, "MS Sans Serif" Liberation Sans.
#pragma once

#include <QFont>

namespace rmx::ui {

void InstallFontSubstitutions();
// "Courier" at the given size (fixed pitch), for lists and reports.
QFont FixedFont(int pointSize = 10);
// "MS Sans Serif", for buttons.
QFont SansFont(int pointSize = 9);

}  // namespace rmx::ui
