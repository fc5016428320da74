#include "session/ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "session/listing.h"
#include "session/marking.h"
#include "session/ui/file_open_dialog.h"
#include "plot/ui/fonts.h"
#include "session/ui/printing.h"
#include "session/ui/qt_dialogs.h"

namespace rmx::ui {

namespace {

const char* const DataMenus[] = {"mnuEdit", "mnuZijderveld", "mnuStereoPlot", "mnuEQPlot", "mnuLeastSquare", "mnuAll"};
const char* const PlotChecks[] = {"mnuZijGeographic", "mnuZijTilt",         "mnuSPlotTilt",
                                  "mnuSPlotGeographic", "mnuEQPlotGeographic", "mnuEQPlotTilt"};

// One entry of the menu tree: depth 0 is a top menu, deeper entries are items or
// submenus of the entry above them with one less depth.
struct MenuEntry {
  int depth;
  const char* name;
  const char* caption;
  const char* shortcut;
  bool submenu;
  bool checkable;
};

const MenuEntry MenuTree[] = {
    {0, "mnuFile", "&File", nullptr, true, false},
    {1, "mnuFileOpen", "&Open", "Ctrl+O", false, false},
    {1, "mnuFileConvert", "Conver&t", "Ctrl+T", false, false},
    {1, "mnuFileClose", "&Close", "Ctrl+W", false, false},
    {1, "mnuFilePrint", "&Print", nullptr, true, false},
    {2, "mnuFilePrintMain", "&Main Data Window", nullptr, false, false},
    {2, "mnuFilePrintZPlot", "&Zijderveld Plot", nullptr, false, false},
    {2, "mnuFilePrintSPlot", "&Stereographic Plot", nullptr, false, false},
    {2, "mnuFilePrintEQPlot", "&Equal Area Plot", nullptr, false, false},
    {2, "mnuFilePrintAll", "&All", nullptr, true, false},
    {3, "mnuFilePrintAllSPlot", "&Stereographic Plot", nullptr, false, false},
    {3, "mnuFilePrintAllEQPlot", "&Equal Area Plot", nullptr, false, false},
    {1, "mnuFileExit", "E&xit", "Ctrl+Q", false, false},
    {0, "mnuEdit", "&Edit", nullptr, true, false},
    {1, "mnuEditCopy", "&Copy", "Ctrl+C", false, false},
    {0, "mnuZijderveld", "&Zijderveld", nullptr, true, false},
    {1, "mnuZijGeographic", "&Geographic", nullptr, false, true},
    {1, "mnuZijTilt", "&Tilt-Corrected", nullptr, false, true},
    {1, "mnuZijProjectionPlane", "&Projection Plane", nullptr, false, false},
    {1, "mnuZijModified", "&Modified Z-Plot", nullptr, false, true},
    {0, "mnuStereoPlot", "&StereoPlot", nullptr, true, false},
    {1, "mnuSPlotGeographic", "&Geographic", nullptr, false, true},
    {1, "mnuSPlotTilt", "&Tilt-Corrected", nullptr, false, true},
    {0, "mnuEQPlot", "&EQAreaPlot", nullptr, true, false},
    {1, "mnuEQPlotGeographic", "&Geographic", nullptr, false, true},
    {1, "mnuEQPlotTilt", "&Tilt-Corrected", nullptr, false, true},
    {0, "mnuLeastSquare", "&LeastSquare", nullptr, true, false},
    {1, "mnuLSAnalysis", "&Least Square Analysis", nullptr, false, false},
    {1, "mnuLSAllResults", "&Display All Results", nullptr, false, false},
    {0, "mnuAll", "&All", nullptr, true, false},
    {1, "mnuAllSPlot", "Stereo P&lot All", nullptr, true, false},
    {2, "mnuAllSPlotNRM", "&NRM Data", nullptr, false, false},
    {2, "mnuAllSPlotLSquare", "&Least Square", nullptr, false, false},
    {2, "mnuAllSPlotAF", "Alternating &Field", nullptr, false, false},
    {2, "mnuAllSPlotAT", "Arbitrary &Temperature", nullptr, false, false},
    {1, "mnuAllFisherStat", "&Fisher statistics", nullptr, true, false},
    {2, "mnuAllFisherNRM", "&NRM Data", nullptr, false, false},
    {2, "mnuAllFisherLSquare", "&Least Square", nullptr, false, false},
    {2, "mnuAllFisherAF", "Alternating &Field", nullptr, false, false},
    {2, "mnuAllFisherAT", "Arbitrary &Temperature", nullptr, false, false},
    {0, "mnuToolbox", "&Toolbox", nullptr, true, false},
    {1, "mnuToolboxCoorConv", "&Coordinate Conversion", nullptr, false, false},
    {1, "mnuToolboxLatCal", "&Latitude Calculation", nullptr, false, false},
    {1, "mnuToolboxKonoLatCalc", "&Kono (1980) Latitude Calculator", nullptr, false, false},
    {1, "mnuToolboxPointProj", "&Points Projection", nullptr, false, false},
    {0, "mnuHelp", "&Help", nullptr, true, false},
    {1, "mnuHelpMain", "&Main Features", "F1", false, false},
    {1, "mnuHelpAbout", "&About Remanex Analysis Program", nullptr, false, false},
};

const QString MainCaption = QStringLiteral("Remanex Analysis Program");

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), printer_(QPrinter::HighResolution) {
  setObjectName("frmMain");
  setWindowTitle(MainCaption);
  qtDialogs_ = std::make_unique<QtDialogs>(this, &printer_);
  dialogs_ = qtDialogs_.get();
  BuildMenus();
  BuildControls();
  // Start-up: no file open.
  SetFileState(false);
  resize(900, 600);
}

void MainWindow::BuildMenus() {
  QMenu* parents[4] = {nullptr, nullptr, nullptr, nullptr};
  for (const MenuEntry& e : MenuTree) {
    QWidget* parent = e.depth == 0 ? static_cast<QWidget*>(menuBar()) : parents[e.depth - 1];
    if (e.submenu) {
      auto* m = new QMenu(QString::fromLatin1(e.caption), parent);
      m->setObjectName(e.name);
      m->menuAction()->setObjectName(QString::fromLatin1(e.name) + "Action");
      if (e.depth == 0)
        menuBar()->addMenu(m);
      else
        parents[e.depth - 1]->addMenu(m);
      parents[e.depth] = m;
    } else {
      auto* a = new QAction(QString::fromLatin1(e.caption), this);
      a->setObjectName(e.name);
      if (e.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
      a->setCheckable(e.checkable);
      parents[e.depth - 1]->addAction(a);
    }
  }
  connect(Action("mnuFileOpen"), &QAction::triggered, this, &MainWindow::ShowOpenDialog);
  connect(Action("mnuFileClose"), &QAction::triggered, this, &MainWindow::FileClose);
  connect(Action("mnuFileExit"), &QAction::triggered, this, &MainWindow::FileExit);
  connect(Action("mnuEditCopy"), &QAction::triggered, this, &MainWindow::EditCopy);
  connect(Action("mnuFilePrintMain"), &QAction::triggered, this, &MainWindow::PrintMainWindow);
  connect(Action("mnuLSAnalysis"), &QAction::triggered, this, [this] {
    const int p = session_.CurrentPosition();
    if (p >= 1) emit lsquareRequested(p);
  });
}

void MainWindow::BuildControls() {
  auto* central = new QWidget(this);
  central->setObjectName("frmMainBackground");
  auto* lists = new QHBoxLayout;
  lstRecord_ = new QListWidget(central);
  Describe(lstRecord_, "lstRecord", "Samples");
  lstRecordData_ = new QListWidget(central);
  Describe(lstRecordData_, "lstRecordData", "Sample data");
  for (QListWidget* l : {lstRecord_, lstRecordData_}) {
    l->setFont(FixedFont());
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
  }
  lstRecord_->setMinimumWidth(220);
  lstRecordData_->setMinimumWidth(560);
  lists->addWidget(lstRecord_, 1);
  lists->addWidget(lstRecordData_, 3);

  auto* buttons = new QHBoxLayout;
  cmdDeactivate_ = new QPushButton("(De)activate Record", central);
  cmdDeselectPoints_ = new QPushButton("Select/Remove Points for Z-/S-/ EQ-Plot", central);
  cmdLSquarePoints_ = new QPushButton("Select/Remove Points for Least Square Anslysis", central);
  const std::pair<QPushButton*, const char*> named[] = {{cmdDeactivate_, "cmdDeactivate"},
                                                        {cmdDeselectPoints_, "cmdDeselectPoints"},
                                                        {cmdLSquarePoints_, "cmdLSquarePoints"}};
  for (auto [b, name] : named) {
    Describe(b, name, b->text());
    b->setFont(SansFont());
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  setCentralWidget(central);

  connect(lstRecord_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OnSampleClicked(lstRecord_->row(item)); });
  connect(lstRecord_, &QListWidget::currentRowChanged, this, [this](int row) {
    // Keyboard moves list the sample like a click; a click is handled by itemClicked.
    if (row >= 0 && QApplication::mouseButtons() == Qt::NoButton) OnSampleClicked(row);
  });
  connect(cmdDeactivate_, &QPushButton::clicked, this, &MainWindow::Deactivate);
  connect(cmdDeselectPoints_, &QPushButton::clicked, this, &MainWindow::DeselectPoints);
  connect(cmdLSquarePoints_, &QPushButton::clicked, this, &MainWindow::LSquarePoints);
}

bool MainWindow::HeadingSelected() const { return lstRecord_->currentRow() == 0; }

void MainWindow::RelistCurrent() {
  try {
    if (auto lines = session_.Relist()) ShowListing(*lines);
  } catch (const StoreError& e) {
    ReportStoreError(e.what());
  }
}

QAction* MainWindow::Action(const char* objectName) const { return findChild<QAction*>(objectName); }
QMenu* MainWindow::Menu(const char* objectName) const { return findChild<QMenu*>(objectName); }

void MainWindow::SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs ? dialogs : qtDialogs_.get(); }
Dialogs& MainWindow::CurrentDialogs() { return *dialogs_; }

void MainWindow::SetFileState(bool open) {
  Action("mnuFileOpen")->setEnabled(!open);
  Action("mnuFileConvert")->setEnabled(!open);
  Action("mnuFileClose")->setEnabled(open);
  Menu("mnuFilePrint")->setEnabled(open);
  Menu("mnuFilePrint")->menuAction()->setEnabled(open);
  for (const char* name : DataMenus) {
    Menu(name)->setEnabled(open);
    Menu(name)->menuAction()->setEnabled(open);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{lstRecord_, lstRecordData_, cmdDeactivate_, cmdDeselectPoints_,
                                                   cmdLSquarePoints_})
    w->setEnabled(open);
}

int MainWindow::GetOpenFileName(const QString& path) {
  // A file handed over while another is open closes the open one first.
  if (session_.IsOpen()) FileClose();
  session_.GetOpenFileName(QFile::encodeName(path).toStdString());
  LoadFile();
  return 0;
}

void MainWindow::LoadFile() {
  if (session_.FileName().empty()) return;
  try {
    session_.Load();
  } catch (const StoreError& e) {
    // A refused file leaves the window with no file open.
    FileClose();
    ReportStoreError(e.what());
    return;
  }
  SetFileState(true);
  setWindowTitle("Remanex Analysis - " + QFile::decodeName(QByteArray::fromStdString(session_.FileName())));
  ShowSampleList();
}

void MainWindow::ReportStoreError(const std::string& message) {
  CurrentDialogs().MessageBox(message, {}, MessageIcon::Critical);
}

void MainWindow::ShowSampleList() {
  lstRecord_->blockSignals(true);
  lstRecord_->clear();
  for (const std::string& line : session_.SampleLines()) {
    auto* item = new QListWidgetItem(ToQt(line), lstRecord_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  // After a reload no sample line is selected.
  lstRecord_->setCurrentRow(-1);
  lstRecord_->clearSelection();
  lstRecord_->blockSignals(false);
}

void MainWindow::ShowListing(const std::vector<std::string>& lines) {
  lstRecordData_->clear();
  for (const std::string& line : lines) {
    auto* item = new QListWidgetItem(ToQt(line), lstRecordData_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

void MainWindow::OnSampleClicked(int row) {
  if (row < 1 || row > session_.SampleCount()) return;  // the heading changes nothing
  try {
    if (auto lines = session_.ListSample(row)) {
      ShowListing(*lines);
      emit sampleSelected(row);
    }
  } catch (const StoreError& e) {
    ReportStoreError(e.what());
  }
}

std::vector<int> MainWindow::CheckedRows(QListWidget* list) const {
  std::vector<int> rows;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked) rows.push_back(i);
  return rows;
}

void MainWindow::Deactivate() {
  if (!session_.IsOpen()) return;
  if (DeactivateRecords(session_, CheckedRows(lstRecord_), CurrentDialogs()).Is(Outcome::Kind::Failed)) return;
  LoadFile();
}

void MainWindow::DeselectPoints() {
  if (!TogglePlotPoints(session_, CheckedRows(lstRecordData_), CurrentDialogs()).Is(Outcome::Kind::Done)) return;
  try {
    if (auto lines = session_.Relist()) {
      ShowListing(*lines);
      emit sampleSelected(session_.CurrentPosition());
    }
  } catch (const StoreError& e) {
    ReportStoreError(e.what());
  }
}

void MainWindow::LSquarePoints() {
  if (!ToggleLSquarePoints(session_, CheckedRows(lstRecordData_), CurrentDialogs()).Is(Outcome::Kind::Done)) return;
  try {
    if (auto lines = session_.Relist()) ShowListing(*lines);
  } catch (const StoreError& e) {
    ReportStoreError(e.what());
    return;
  }
  const int p = session_.CurrentPosition();
  if (p >= 1) {
    emit lsquareRequested(p);
    emit sampleSelected(p);
  }
}

void MainWindow::FileClose() {
  session_.Close();
  lstRecordData_->clear();
  lstRecord_->clear();
  setWindowTitle(MainCaption);
  for (const char* name : PlotChecks) Action(name)->setChecked(false);
  SetFileState(false);
  emit fileClosed();
}

void MainWindow::FileExit() {
  if (exiting_) return;
  exiting_ = true;
  session_.Close();
  emit exiting();
  if (openDialog_) openDialog_->close();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this) w->close();
  hide();
  QApplication::quit();
  exiting_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box does what File > Exit does: no invisible process is left running.
  FileExit();
  event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  // A click on the window's own background refreshes the sample list from the file.
  QMainWindow::mousePressEvent(event);
  if (session_.IsOpen()) LoadFile();
}

void MainWindow::EditCopy() {
  QClipboard* clip = QGuiApplication::clipboard();
  clip->clear();
  QWidget* w = QApplication::focusWidget();
  if (!w) return;
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    clip->setText(line->selectedText());
  } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
    clip->setText(text->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    clip->setText(plain->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'));
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    clip->setText(combo->currentText());
  } else if (auto* list = qobject_cast<QListWidget*>(w); list == lstRecord_ || list == lstRecordData_) {
    std::vector<std::string> lines;
    std::vector<bool> checked;
    for (int i = 0; i < list->count(); ++i) {
      lines.push_back(FromQt(list->item(i)->text()));
      checked.push_back(list->item(i)->checkState() == Qt::Checked);
    }
    clip->setText(QString::fromLatin1(CheckedLinesText(lines, checked)));
  } else if (w->property("picturePanel").toBool()) {
    clip->setPixmap(w->grab());
  }
}

void MainWindow::PrintMainWindow() {
  const int copies = CurrentDialogs().ChoosePrinter();
  if (copies < 1) return;  // cancelled: nothing is printed
  const QPixmap image = grab();
  PrintPages(printer_, copies, [&image](QPainter& painter) {
    const QSize size = image.size().scaled(painter.viewport().size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
  });
}

void MainWindow::ShowOpenDialog() {
  if (!openDialog_) {
    openDialog_ = new FileOpenDialog(this, [this]() -> Dialogs& { return CurrentDialogs(); });
    connect(openDialog_, &FileOpenDialog::fileChosen, this, [this](const QString& path) {
      show();
      raise();
      activateWindow();
      GetOpenFileName(path);
    });
    connect(openDialog_, &FileOpenDialog::exitRequested, this, &MainWindow::FileExit);
  }
  openDialog_->show();
  openDialog_->raise();
  openDialog_->activateWindow();
}

}  // namespace rmx::ui
