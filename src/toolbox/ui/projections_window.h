// frmProjections ("Toolbox 2 - Various Projections"): typed rows, their conversion
// and Fisher mean, poles, and the plots drawn on frmPointsPlot or printed.
#pragma once

#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>

#include "plot/layout.h"
#include "plot/surface.h"
#include "session/dialogs.h"
#include "toolbox/drawings.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rmx::ui {

class PlotPanel;

// A print job that a command may leave open, so that the next command draws onto
// the same page. File > Exit ends it.
class OpenPrintJob {
 public:
  explicit OpenPrintJob(QPrinter& printer) : printer_(printer) {}
  ~OpenPrintJob() { End(); }
  // Draws `copies` copies, each on a page of its own; the first on the open page
  // when a job is open. False when the printer fails; the job is then aborted.
  bool Draw(int copies, const std::function<void(plot::Surface&)>& draw);
  // Sends the pages drawn so far.
  void End();
  bool IsOpen() const { return painter_.isActive(); }

 private:
  QPrinter& printer_;
  QPainter painter_;
};

// frmPointsPlot: the picture panel of the toolbox plots.
class PointsPlotWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PointsPlotWindow(QWidget* parent);
  PlotPanel* Panel() const { return picPointsPlot_; }
  // Sizes the panel to size + 600 twips each way and the window around it, and
  // captions the window. What the panel holds stays.
  void SetProjectionWindow(double size, const QString& caption);

 private:
  PlotPanel* picPointsPlot_;
};

class ProjectionsWindow : public QWidget {
  Q_OBJECT

 public:
  ProjectionsWindow(QWidget* parent, std::function<Dialogs&()> dialogs, QPrinter& printer);

  PointsPlotWindow& PlotWindow();
  OpenPrintJob& PrintJob() { return job_; }

  // The commands of the buttons.
  void SpheToCart();
  void CartToSphe();
  void Fisher();
  void VgpCalculate();
  void VgpToSampleDecInc();
  void Projection(toolbox::ToolboxPlot kind);
  void PrintProjection(toolbox::ToolboxPlot kind);
  void Ellipse(plot::NetKind kind);
  void PrintEllipse(plot::NetKind kind);
  void ClearPlotArea();

 private:
  QLineEdit* Box(const char* name, const QString& label, const QString& text = {});
  QPushButton* Button(const char* name, const QString& caption, const QString& accessible = {});
  std::string Text(const char* box) const;
  void SetText(const char* box, const std::string& latin1);
  void Refuse(const toolbox::Refusal& r);
  Dialogs& D();
  toolbox::StyleTexts Style() const;
  std::optional<toolbox::EllipseInputs> EllipseInputs();
  // The rows of a box, with its empty-box message.
  std::optional<std::vector<toolbox::Row>> RowsOf(const char* box, const char* emptyMessage);
  // Prints with the Confirmation of printing question (or ends the job at once).
  void Print(int copies, bool confirm, const std::function<void(plot::Surface&)>& draw);

  std::function<Dialogs&()> dialogs_;
  QPrinter& printer_;
  OpenPrintJob job_;
  std::map<std::string, QWidget*> boxes_;
  QPointer<PointsPlotWindow> plot_;
  plot::PlotState state_;
};

}  // namespace rmx::ui
