// frmKono ("Kono Remanex Latitude Calculator"): rows of polarity, inclination and
// intensity typed or pasted into txtData; cmdCompute shows the Kono (1980) estimate,
// its confidence limits and the palaeolatitude in the result boxes, and the steps of
// the iteration in txtIntResult.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "session/dialogs.h"
#include "toolbox/kono.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace rmx::ui {

class KonoWindow : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` shows the messages; it is looked up at each use.
  explicit KonoWindow(std::function<Dialogs&()> dialogs, QWidget* parent = nullptr);

  // Shows the window with the focus on the data box.
  void ShowWindow();
  // cmdCompute.
  void Compute();

 private:
  std::function<Dialogs&()> dialogs_;
  QPlainTextEdit* data_ = nullptr;
  QCheckBox* weight_ = nullptr;
  std::array<QLineEdit*, toolbox::KonoBoxCount> boxes_ = {};
  QPlainTextEdit* intermediate_ = nullptr;
};

}  // namespace rmx::ui
