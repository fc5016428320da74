// Connects All > Fisher statistics > NRM Data, Least Square, Alternating Field and
// Arbitrary Temperature to the site analyses, which append their reports to
// frmFisher.
#pragma once

namespace rmx::ui {

class MainWindow;

void InstallFisherCommands(MainWindow& w);

}  // namespace rmx::ui
