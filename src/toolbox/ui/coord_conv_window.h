// frmCoorConv ("Toolbox 1 - Coordinate Conversion and Latitude"): converts a vector
// between declination, inclination, intensity and north, east, down, and an
// inclination to a latitude and back. A value that is not valid is reported in a
// message box titled with the field, and the focus goes back to its box.
#pragma once

#include <QWidget>
#include <functional>

#include "session/dialogs.h"
#include "toolbox/coord_conversion.h"

class QLineEdit;

namespace rmx::ui {

class CoordConvWindow : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` shows the messages; it is looked up at each use.
  explicit CoordConvWindow(std::function<Dialogs&()> dialogs, QWidget* parent = nullptr);

  // Shows the window with the focus on `box`.
  void ShowAt(toolbox::CoordBox box);

  // The four buttons.
  void SphericalToCartesian();
  void CartesianToSpherical();
  void InclinationToLatitude();
  void LatitudeToInclination();

 private:
  QLineEdit* Box(toolbox::CoordBox box) const;
  // Shows the texts in the boxes, or the refusal and the focus on its box.
  void Show(const toolbox::CoordOutcome& o, std::initializer_list<toolbox::CoordBox> results);

  std::function<Dialogs&()> dialogs_;
  QLineEdit* boxes_[toolbox::CoordBoxCount] = {};
};

}  // namespace rmx::ui
