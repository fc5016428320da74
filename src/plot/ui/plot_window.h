// frmSPlot: the plot window of the current sample, with the Zijderveld diagram on
// the left (picZPlot, titled by lblZPlot) and one net on the right (picSPlot,
// titled by lblSPlot). It has no commands of its own; the plot commands of the main
// window draw into its panels.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>

#include "plot/surface.h"

namespace rmx::ui {

// A picture panel: what is drawn on it stays in a backing image until the panel is
// cleared, so an expose or a resize that does not redraw never loses it. Edit >
// Copy of the main window copies its picture.
class PlotPanel : public QWidget {
  Q_OBJECT

 public:
  PlotPanel(const QString& objectName, const QString& accessibleName, QWidget* parent);

  // The drawing area in twips, from the panel's size and resolution.
  double WidthTwips() const;
  double HeightTwips() const;
  double Dpi() const;

  // Erases the panel.
  void Clear();
  // Draws on the backing image through a plot surface of the panel's size.
  void Draw(const std::function<void(plot::Surface&)>& draw);
  // The backing image (logical size = the panel's size).
  const QImage& Picture() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitImage();
  QImage image_;
};

class PlotWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PlotWindow(QWidget* parent);

  PlotPanel* ZPanel() const { return picZPlot_; }
  PlotPanel* SPanel() const { return picSPlot_; }
  QLabel* ZLabel() const { return lblZPlot_; }
  QLabel* SLabel() const { return lblSPlot_; }

  // Places the four controls for the window's inner size. Returns false, changing
  // nothing, when the window is too small for a positive panel size.
  bool ApplyLayout();

 signals:
  // The window was resized and its panels laid out anew: the plots that are on
  // must be drawn again.
  void laidOut();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  PlotPanel* picZPlot_;
  PlotPanel* picSPlot_;
  QLabel* lblZPlot_;
  QLabel* lblSPlot_;
};

}  // namespace rmx::ui
