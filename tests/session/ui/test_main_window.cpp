#include <gtest/gtest.h>

#include "app/composition.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPdfWriter>
#include <QPushButton>
#include <QTimer>

#include "session/marking.h"
#include "session/ui/file_open_dialog.h"
#include "session/ui/main_window.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::MainWindow;

namespace {

const char* const DataMenus[] = {"mnuEdit", "mnuZijderveld", "mnuStereoPlot", "mnuEQPlot", "mnuLeastSquare", "mnuAll"};

class MainWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("section.mag");
  ScriptedDialogs dialogs;
  MainWindow* w = nullptr;

  void SetUp() override {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f),
                            Step("TT", 100, 320, 78, 340, 70, 0.02f, 0.1f),
                            Step("TT", 200, 322, 76, 338, 69, 0.01f, 0.1f)}},
                    {"S2", {Step("NRM", 0, 180, -60, 170, -55, 1e-3f, 0.2f)}, 0}};
    WriteMag(path, plan);
    w = app::NewMainWindow().release();
    w->SetDialogs(&dialogs);
  }
  void TearDown() override { delete w; }

  QListWidget* List(const char* name) { return w->findChild<QListWidget*>(name); }
  QStringList Lines(const char* name) {
    QStringList out;
    for (int i = 0; i < List(name)->count(); ++i) out << List(name)->item(i)->text();
    return out;
  }
  // A click selects the line and reports it.
  void Click(int row) {
    List("lstRecord")->setCurrentRow(row);
    emit List("lstRecord")->itemClicked(List("lstRecord")->item(row));
  }
  void Check(const char* list, int row) { List(list)->item(row)->setCheckState(Qt::Checked); }
  void Open() { w->GetOpenFileName(QString::fromStdString(path)); }

  void ExpectFileState(bool open) {
    EXPECT_EQ(w->Action("mnuFileOpen")->isEnabled(), !open);
    EXPECT_EQ(w->Action("mnuFileConvert")->isEnabled(), !open);
    EXPECT_EQ(w->Action("mnuFileClose")->isEnabled(), open);
    EXPECT_EQ(w->Menu("mnuFilePrint")->isEnabled(), open);
    for (const char* m : DataMenus) EXPECT_EQ(w->Menu(m)->menuAction()->isEnabled(), open) << m;
    for (const char* always : {"mnuFileExit", "mnuToolboxCoorConv", "mnuToolboxLatCal", "mnuToolboxKonoLatCalc",
                               "mnuToolboxPointProj", "mnuHelpMain", "mnuHelpAbout"})
      EXPECT_TRUE(w->Action(always)->isEnabled()) << always;
    EXPECT_TRUE(w->Menu("mnuToolbox")->menuAction()->isEnabled());
    EXPECT_TRUE(w->Menu("mnuHelp")->menuAction()->isEnabled());
    for (const char* c : {"lstRecord", "lstRecordData"}) EXPECT_EQ(List(c)->isEnabled(), open) << c;
    for (const char* b : {"cmdDeactivate", "cmdDeselectPoints", "cmdLSquarePoints"})
      EXPECT_EQ(w->findChild<QPushButton*>(b)->isEnabled(), open) << b;
  }
};

}  // namespace

TEST_F(MainWindowTest, MenuTreeHasCaptionsShortcutsAndNames) {
  EXPECT_EQ(w->objectName(), "frmMain");
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis Program");
  const std::pair<const char*, const char*> items[] = {
      {"mnuFileOpen", "&Open"},           {"mnuFileConvert", "Conver&t"},
      {"mnuFileClose", "&Close"},         {"mnuFilePrintMain", "&Main Data Window"},
      {"mnuFilePrintAllEQPlot", "&Equal Area Plot"}, {"mnuFileExit", "E&xit"},
      {"mnuEditCopy", "&Copy"},           {"mnuZijProjectionPlane", "&Projection Plane"},
      {"mnuZijModified", "&Modified Z-Plot"}, {"mnuEQPlotTilt", "&Tilt-Corrected"},
      {"mnuLSAnalysis", "&Least Square Analysis"}, {"mnuAllSPlotAT", "Arbitrary &Temperature"},
      {"mnuAllFisherAF", "Alternating &Field"}, {"mnuToolboxKonoLatCalc", "&Kono (1980) Latitude Calculator"},
      {"mnuHelpAbout", "&About Remanex Analysis Program"}};
  for (auto [name, caption] : items) {
    ASSERT_NE(w->Action(name), nullptr) << name;
    EXPECT_EQ(w->Action(name)->text(), caption) << name;
  }
  const std::pair<const char*, const char*> menus[] = {
      {"mnuFile", "&File"}, {"mnuFilePrint", "&Print"}, {"mnuFilePrintAll", "&All"}, {"mnuEdit", "&Edit"},
      {"mnuZijderveld", "&Zijderveld"}, {"mnuStereoPlot", "&StereoPlot"}, {"mnuEQPlot", "&EQAreaPlot"},
      {"mnuLeastSquare", "&LeastSquare"}, {"mnuAll", "&All"}, {"mnuAllSPlot", "Stereo P&lot All"},
      {"mnuAllFisherStat", "&Fisher statistics"}, {"mnuToolbox", "&Toolbox"}, {"mnuHelp", "&Help"}};
  for (auto [name, caption] : menus) {
    ASSERT_NE(w->Menu(name), nullptr) << name;
    EXPECT_EQ(w->Menu(name)->title(), caption) << name;
  }
  EXPECT_EQ(w->Action("mnuFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(w->Action("mnuFileConvert")->shortcut(), QKeySequence("Ctrl+T"));
  EXPECT_EQ(w->Action("mnuFileClose")->shortcut(), QKeySequence("Ctrl+W"));
  EXPECT_EQ(w->Action("mnuFileExit")->shortcut(), QKeySequence("Ctrl+Q"));
  EXPECT_EQ(w->Action("mnuEditCopy")->shortcut(), QKeySequence("Ctrl+C"));
  EXPECT_EQ(w->Action("mnuHelpMain")->shortcut(), QKeySequence("F1"));
  // The top-level menus in order.
  QStringList top;
  for (QAction* a : w->menuBar()->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"&File", "&Edit", "&Zijderveld", "&StereoPlot", "&EQAreaPlot", "&LeastSquare", "&All",
                              "&Toolbox", "&Help"}));
  EXPECT_EQ(w->findChild<QPushButton*>("cmdLSquarePoints")->text(), "Select/Remove Points for Least Square Anslysis");
  EXPECT_EQ(List("lstRecord")->accessibleName(), "Samples");
  EXPECT_EQ(List("lstRecordData")->accessibleDescription(), "lstRecordData");
}

TEST_F(MainWindowTest, MenuStatesBeforeOpenAfterOpenAndAfterClose) {
  ExpectFileState(false);
  Open();
  ExpectFileState(true);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis - " + QString::fromStdString(path));
  w->Action("mnuZijTilt")->setChecked(true);
  w->Action("mnuSPlotGeographic")->setChecked(true);
  w->Action("mnuFileClose")->trigger();
  ExpectFileState(false);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis Program");
  EXPECT_FALSE(w->Action("mnuZijTilt")->isChecked());
  EXPECT_FALSE(w->Action("mnuSPlotGeographic")->isChecked());
  EXPECT_EQ(List("lstRecordData")->count(), 0);
  Open();
  ExpectFileState(true);
}

TEST_F(MainWindowTest, AFileNamedOnTheCommandLineOpensByItsFullPath) {
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path())));
  w->OpenPath("section.mag");
  QDir::setCurrent(before);
  EXPECT_EQ(w->session().FileName(), path);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis - " + QString::fromStdString(path));
  // A click on the background reloads it from wherever the process now runs.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  EXPECT_TRUE(w->session().IsOpen());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, SampleListAndListingOfAClickedSample) {
  Open();
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "S1              Yes", "S2               No"}));
  EXPECT_EQ(List("lstRecord")->currentRow(), -1);
  Click(1);
  const QStringList data = Lines("lstRecordData");
  ASSERT_EQ(data.size(), 6);
  EXPECT_EQ(data[1], "NRM   0   318.0   80.8   344.8   75.0   2.71E-02   0.08     No    Yes");
  EXPECT_EQ(data[5], "      *************** Sample: S1               *************** ");
  // Clicking the heading changes nothing.
  Click(0);
  EXPECT_EQ(Lines("lstRecordData"), data);
  EXPECT_EQ(w->session().CurrentPosition(), 1);
}

TEST_F(MainWindowTest, EditCopyPutsCheckedLinesWithCrLf) {
  Open();
  Click(1);
  w->show();
  Check("lstRecordData", 1);
  Check("lstRecordData", 2);
  Check("lstRecordData", 4);
  List("lstRecordData")->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), List("lstRecordData"));
  w->Action("mnuEditCopy")->trigger();
  const QStringList data = Lines("lstRecordData");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), data[1] + "\r\n" + data[2] + "\r\n" + data[4] + "\r\n");
}

TEST_F(MainWindowTest, ARefusedFileLeavesTheNoFileState) {
  WriteBytes(path, std::string(64, '\x7F'));
  Open();
  ExpectFileState(false);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(path), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find("0 to 500"), std::string::npos);
  EXPECT_EQ(List("lstRecord")->count(), 0);
  // A missing file is refused the same way and never created.
  w->GetOpenFileName(QString::fromStdString(dir.File("gone.mag")));
  ExpectFileState(false);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(MainWindowTest, HandingOverAFileClosesTheOpenOne) {
  Open();
  Click(1);
  const std::string other = dir.File("other.mag");
  SectionPlan plan;
  plan.samples = {{"OTHER", {}}};
  WriteMag(other, plan);
  w->GetOpenFileName(QString::fromStdString(other));
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "OTHER           Yes"}));
  EXPECT_EQ(List("lstRecordData")->count(), 0);
  EXPECT_EQ(w->session().CurrentPosition(), 0);
}

TEST_F(MainWindowTest, MarkingButtonsWriteAndRelist) {
  Open();
  Click(1);
  Check("lstRecordData", 2);
  Check("lstRecordData", 5);  // the closing line is ignored
  w->findChild<QPushButton*>("cmdDeselectPoints")->click();
  EXPECT_TRUE(Lines("lstRecordData")[2].endsWith("     No     No"));
  EXPECT_EQ(List("lstRecordData")->item(2)->checkState(), Qt::Unchecked);
  Check("lstRecordData", 3);
  w->findChild<QPushButton*>("cmdLSquarePoints")->click();
  EXPECT_TRUE(Lines("lstRecordData")[3].endsWith("    Yes    Yes"));

  Check("lstRecord", 1);
  Check("lstRecord", 2);
  w->findChild<QPushButton*>("cmdDeactivate")->click();
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "S1               No", "S2              Yes"}));
  EXPECT_EQ(List("lstRecord")->item(1)->checkState(), Qt::Unchecked);
  // After the reload no sample is selected: the step buttons do nothing.
  const std::string before = ReadBytes(path);
  Check("lstRecordData", 1);
  w->findChild<QPushButton*>("cmdDeselectPoints")->click();
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(MainWindowTest, BackgroundClickRefreshesTheSampleList) {
  Open();
  Session other;
  other.GetOpenFileName(path);
  other.Load();
  ASSERT_EQ(DeactivateRecords(other, {1}, dialogs), Outcome::Kind::Done);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  EXPECT_EQ(Lines("lstRecord")[1], "S1               No");
}

TEST_F(MainWindowTest, PrintMainWindowDrawsOnePagePerCopy) {
  Open();
  const std::string pdf = dir.File("main.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));
  dialogs.printerCopies = {0};
  w->Action("mnuFilePrintMain")->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));  // cancelled: nothing printed
  dialogs.printerCopies = {2};
  w->Action("mnuFilePrintMain")->trigger();
  const std::string bytes = ReadBytes(pdf);
  size_t pages = 0;
  for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
  EXPECT_EQ(pages, 2u);
}

TEST_F(MainWindowTest, OpenDialogHandsOverTheChosenFile) {
  w->Action("mnuFileOpen")->trigger();
  auto* dlg = w->findChild<ui::FileOpenDialog*>("frmFileOpen");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->windowTitle(), "Open *.mag File");
  dlg->SetFolder(QString::fromStdString(dir.Path()));
  // Open with no file selected is refused with a message.
  dlg->OpenSelected();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(w->session().IsOpen());
  bool listed = false;
  for (int i = 0; i < 200 && !listed; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    listed = dlg->SelectFile("section.mag");
  }
  ASSERT_TRUE(listed);
  dlg->OpenSelected();
  EXPECT_TRUE(w->session().IsOpen());
  EXPECT_EQ(w->session().FileName(), path);
  EXPECT_FALSE(dlg->isVisible());
}

TEST(JoinPath, NoDoubledSeparatorAtTheRoot) {
  EXPECT_EQ(ui::JoinPath("/", "a.mag"), "/a.mag");
  EXPECT_EQ(ui::JoinPath("/data", "a.mag"), "/data/a.mag");
  EXPECT_EQ(ui::JoinPath("/data/", "a.mag"), "/data/a.mag");
}

// Renders the window to PNG files for a look by eye when REMANEX_SCREENSHOTS names a folder.
TEST_F(MainWindowTest, Screenshot) {
  const QByteArray folder = qgetenv("REMANEX_SCREENSHOTS");
  if (folder.isEmpty()) GTEST_SKIP() << "set REMANEX_SCREENSHOTS to a folder to save pictures";
  Open();
  Click(1);
  w->resize(1000, 560);
  w->show();
  QApplication::processEvents();
  EXPECT_TRUE(w->grab().save(QString::fromLocal8Bit(folder) + "/main_window.png"));
  // The plot window with a diagram and a net, and the two file dialogs.
  w->Action("mnuZijTilt")->trigger();
  w->Action("mnuEQPlotTilt")->trigger();
  QApplication::processEvents();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top != w && !top->objectName().isEmpty()) {
      EXPECT_TRUE(top->grab().save(QString::fromLocal8Bit(folder) + "/" + top->objectName() + ".png"));
    }
  }
  w->FileClose();
  w->Action("mnuFileOpen")->trigger();
  w->Action("mnuFileConvert")->trigger();
  QApplication::processEvents();
  for (const char* name : {"frmFileOpen", "frmFileConvert"}) {
    if (auto* dlg = w->findChild<QWidget*>(name)) {
      EXPECT_TRUE(dlg->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png"));
    }
  }
}

TEST_F(MainWindowTest, CloseBoxDoesFileExit) {
  Open();
  w->show();
  w->Action("mnuFileOpen")->setEnabled(true);
  w->Action("mnuFileOpen")->trigger();  // the open dialog is another window of the program
  auto* dlg = w->findChild<ui::FileOpenDialog*>("frmFileOpen");
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(dlg->isVisible());
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(w->session().IsOpen());  // the file's handle is closed
  EXPECT_FALSE(dlg->isVisible());       // and every other window with it
  EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindowTest, CtrlCInTheDataListCopiesTheCheckedLines) {
  Open();
  Click(1);
  w->show();
  w->activateWindow();
  Check("lstRecordData", 1);
  List("lstRecordData")->setCurrentRow(3);
  List("lstRecordData")->setFocus();
  QApplication::processEvents();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "c");
  QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier, "c");
  QApplication::sendEvent(List("lstRecordData"), &shortcut);
  if (!shortcut.isAccepted()) QApplication::sendEvent(List("lstRecordData"), &press);
  QApplication::processEvents();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Lines("lstRecordData")[1] + "\r\n");
}
