// The one off-screen application of the benchmarks that draw with Qt, created on
// first use and shared by every benchmark file.
#pragma once

#include <QApplication>

#include "plot/ui/fonts.h"

namespace rmx::bench {

inline QApplication& BenchApp() {
  static int argc = 1;
  static char name[] = "remanex-bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* a = new QApplication(argc, argv);
    ui::InstallFontSubstitutions();
    return a;
  }();
  return *app;
}

}  // namespace rmx::bench
