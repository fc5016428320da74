// The plot commands of the main window: Zijderveld > Geographic / Tilt-Corrected /
// Modified Z-Plot / Projection Plane, StereoPlot and EQAreaPlot > Geographic /
// Tilt-Corrected, File > Print > Zijderveld Plot / Stereographic Plot / Equal Area
// Plot, All > Stereo Plot All, File > Print > All, and the redraw of the plot window
// on sample selection and resize.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "plot/all_samples.h"
#include "plot/layout.h"
#include "plot/sample_plot.h"
#include "plot/ui/plot_window.h"

class QAction;

namespace rmx::ui {

class MainWindow;

// Owns the plot state of the main window and the check marks of the plot menus. Qt
// toggles a checkable action before its handler runs; the controller keeps the
// marks itself and sets them on the actions, so each command toggles exactly once
// and a command that does nothing changes no mark.
class PlotController : public QObject {
  Q_OBJECT

 public:
  // The plot items with a check mark.
  enum Item { ZijGeographic, ZijTilt, ZijModified, SPlotGeographic, SPlotTilt, EQPlotGeographic, EQPlotTilt, ItemCount };

  explicit PlotController(MainWindow& w);

  // The plot window, created on first use.
  PlotWindow& Window();
  PlotWindow* ExistingWindow() const { return window_; }
  plot::PlotState& State() { return state_; }
  bool Checked(Item item) const { return checks_[item]; }

  // The menu commands.
  void ZijCommand(Item item);  // ZijGeographic or ZijTilt
  void ZijModifiedCommand();
  void ProjectionPlaneCommand();
  void NetCommand(Item item);  // one of the four net items
  void PrintZPlot();
  void PrintNet(plot::NetKind kind);
  // All > Stereo Plot All: one direction per active sample on the net panel.
  void AllSamplesCommand(plot::AllSamplesData data);
  // File > Print > All: the same directions on a printed net, one page a copy.
  void PrintAllSamples(plot::NetKind net);

  // A sample was listed: caption, redraw of the plots that are on.
  void SampleSelected(int position);
  // File > Close: every plot is off and the window closes.
  void FileClosed();
  // The window was laid out anew: the plots that are on are drawn at the new size.
  void Relayout();

 private:
  int SelectedSample() const;
  void Sync();
  void ShowWindow();
  void DrawPanel(PlotPanel* panel, QLabel* label, plot::PlotKind kind, plot::Coordinates coords);
  void DrawZPanel();
  void DrawNetPanel(Item item);
  // Prints `copies` copies of the plot of the current sample, one a page.
  void Print(plot::PlotKind kind, plot::Coordinates coords, int copies);
  plot::Coordinates ZCoordinates() const;

  MainWindow& w_;
  plot::PlotState state_;
  std::array<bool, ItemCount> checks_{};
  std::array<QAction*, ItemCount> actions_{};
  QPointer<PlotWindow> window_;
  bool drawing_ = false;  // a command is drawing: a layout pass does not redraw
  // The net panel holds an all-sample plot, which a resize keeps as it is.
  bool allSamplesShown_ = false;
};

// Connects the plot commands to the main window's menus; called once when the main
// window is created.
void InstallPlotCommands(MainWindow& w);

}  // namespace rmx::ui
