#include "plot/ui/fonts.h"

namespace rmx::ui {

void InstallFontSubstitutions() {
  QFont::insertSubstitution("Courier", "Liberation Mono");
  QFont::insertSubstitution("Courier New", "Liberation Mono");
  QFont::insertSubstitution("Times New Roman", "Liberation Serif");
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
}

QFont FixedFont(int pointSize) {
  QFont f("Courier", pointSize);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

QFont SansFont(int pointSize) {
  QFont f("MS Sans Serif", pointSize);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

}  // namespace rmx::ui
