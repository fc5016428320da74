// The statistics commands of the main window: LeastSquare > Least Square Analysis
// (and the least-squares button), LeastSquare > Display All Results with its window
// frmLSquare, and All > Fisher statistics with its window frmFisher. The windows are
// children of the main window, made on first use.
#pragma once

#include <QObject>
#include <QPointer>

#include "stats/site_analysis.h"

namespace rmx::ui {

class MainWindow;
class LSquareWindow;
class FisherWindow;

class StatsCommands : public QObject {
  Q_OBJECT

 public:
  explicit StatsCommands(MainWindow& w);

  LSquareWindow& LSquareResults();
  FisherWindow& FisherReport();

  void LSquareAnalysis(int position);
  void DisplayAllResults();
  void FisherAnalysis(SiteData data);

 private:
  void CloseWindows();

  MainWindow& w_;
  QPointer<LSquareWindow> results_;
  QPointer<FisherWindow> report_;
};

// Connects the statistics commands to the main window's menus and signals.
void InstallStatsCommands(MainWindow& w);

}  // namespace rmx::ui
