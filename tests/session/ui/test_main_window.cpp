// frmMain and frmFileOpen driven through their object names.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

#include "session/marking.h"
#include "session/ui/file_open_dialog.h"
#include "support/ui/main_window_fixture.h"

using namespace rmx;
using namespace rmx::test;

namespace {

class MainWindowUi : public MainWindowTest {
 protected:
  void Open() {
    SectionPlan plan;
    plan.samples = {{"S1", {Step("NRM", 0, 318, 80.8f, 344.8f, 75, 0.0271f, 0.08f),
                            Step("TT", 100, 320, 78, 340, 70, 0.02f, 0.1f),
                            Step("TT", 200, 322, 76, 338, 69, 0.01f, 0.1f)}},
                    {"S2", {Step("NRM", 0, 180, -60, 170, -55, 1e-3f, 0.2f)}, 0}};
    MainWindowTest::Open(plan);
  }
  QListWidget* List(const char* name) { return Find<QListWidget>(name); }
  QStringList Lines(const char* name) {
    QStringList out;
    for (int i = 0; i < List(name)->count(); ++i) out << List(name)->item(i)->text();
    return out;
  }
  void Check(const char* list, std::initializer_list<int> rows) {
    for (int row : rows) List(list)->item(row)->setCheckState(Qt::Checked);
  }
  void Press(const char* button) { Find<QPushButton>(button)->click(); }
  void BackgroundClick() {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w.get(), &press);
  }
  void ExpectFileState(bool open) {
    for (const char* a : {"mnuFileOpen", "mnuFileConvert"}) EXPECT_EQ(Act(a)->isEnabled(), !open) << a;
    EXPECT_EQ(Act("mnuFileClose")->isEnabled(), open);
    for (const char* m : {"mnuFilePrint", "mnuEdit", "mnuZijderveld", "mnuStereoPlot", "mnuEQPlot", "mnuLeastSquare",
                          "mnuAll"})
      EXPECT_EQ(w->Menu(m)->menuAction()->isEnabled(), open) << m;
    for (const char* always : {"mnuFileExit", "mnuToolboxCoorConv", "mnuToolboxLatCal", "mnuToolboxKonoLatCalc",
                               "mnuToolboxPointProj", "mnuHelpMain", "mnuHelpAbout"})
      EXPECT_TRUE(Act(always)->isEnabled()) << always;
    for (const char* m : {"mnuToolbox", "mnuHelp"}) EXPECT_TRUE(w->Menu(m)->menuAction()->isEnabled()) << m;
    for (const char* c : {"lstRecord", "lstRecordData"}) EXPECT_EQ(List(c)->isEnabled(), open) << c;
    for (const char* b : {"cmdDeactivate", "cmdDeselectPoints", "cmdLSquarePoints"})
      EXPECT_EQ(Find<QPushButton>(b)->isEnabled(), open) << b;
  }
};

}  // namespace

TEST_F(MainWindowUi, MenuTreeHasCaptionsShortcutsAndNames) {
  EXPECT_EQ(w->objectName(), "frmMain");
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis Program");
  const struct { const char* name; const char* caption; const char* keys; } items[] = {
      {"mnuFileOpen", "&Open", "Ctrl+O"}, {"mnuFileConvert", "Conver&t", "Ctrl+T"},
      {"mnuFileClose", "&Close", "Ctrl+W"}, {"mnuFilePrintMain", "&Main Data Window", ""},
      {"mnuFilePrintAllEQPlot", "&Equal Area Plot", ""}, {"mnuFileExit", "E&xit", "Ctrl+Q"},
      {"mnuEditCopy", "&Copy", "Ctrl+C"}, {"mnuZijProjectionPlane", "&Projection Plane", ""},
      {"mnuZijModified", "&Modified Z-Plot", ""}, {"mnuEQPlotTilt", "&Tilt-Corrected", ""},
      {"mnuLSAnalysis", "&Least Square Analysis", ""}, {"mnuAllSPlotAT", "Arbitrary &Temperature", ""},
      {"mnuAllFisherAF", "Alternating &Field", ""}, {"mnuToolboxKonoLatCalc", "&Kono (1980) Latitude Calculator", ""},
      {"mnuHelpMain", nullptr, "F1"}, {"mnuHelpAbout", "&About Remanex Analysis Program", ""}};
  for (const auto& i : items) {
    ASSERT_NE(Act(i.name), nullptr) << i.name;
    if (i.caption) EXPECT_EQ(Act(i.name)->text(), i.caption) << i.name;
    if (*i.keys) EXPECT_EQ(Act(i.name)->shortcut(), QKeySequence(i.keys)) << i.name;
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
  QStringList top;
  for (QAction* a : w->menuBar()->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"&File", "&Edit", "&Zijderveld", "&StereoPlot", "&EQAreaPlot", "&LeastSquare", "&All",
                              "&Toolbox", "&Help"}));
  EXPECT_EQ(Find<QPushButton>("cmdLSquarePoints")->text(), "Select/Remove Points for Least Square Anslysis");
  EXPECT_EQ(List("lstRecord")->accessibleName(), "Samples");
  EXPECT_EQ(List("lstRecordData")->accessibleDescription(), "lstRecordData");
}

TEST_F(MainWindowUi, FileStatesThroughOpenCloseRefusalAndHandOver) {
  ExpectFileState(false);
  Open();
  ExpectFileState(true);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis - " + QString::fromStdString(path));
  Act("mnuZijTilt")->setChecked(true);
  Act("mnuSPlotGeographic")->setChecked(true);
  Act("mnuFileClose")->trigger();
  ExpectFileState(false);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis Program");
  EXPECT_FALSE(Act("mnuZijTilt")->isChecked());
  EXPECT_FALSE(Act("mnuSPlotGeographic")->isChecked());
  EXPECT_EQ(List("lstRecordData")->count(), 0);

  // A file named on the command line opens by its full path; a click on the
  // background reloads it from wherever the process now runs.
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path())));
  w->OpenPath("section.mag");
  QDir::setCurrent(cwd);
  ExpectFileState(true);
  EXPECT_EQ(w->session().FileName(), path);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis - " + QString::fromStdString(path));
  BackgroundClick();
  EXPECT_TRUE(w->session().IsOpen());

  // Handing over another file closes the open one.
  Click(1);
  SectionPlan other;
  other.samples = {{"OTHER", {}}};
  WriteMag(dir.File("other.mag"), other);
  w->GetOpenFileName(QString::fromStdString(dir.File("other.mag")));
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "OTHER           Yes"}));
  EXPECT_EQ(List("lstRecordData")->count(), 0);
  EXPECT_EQ(w->session().CurrentPosition(), 0);
  EXPECT_TRUE(dialogs.messages.empty());

  // A refused file and a missing one (never created) leave the no-file state.
  WriteBytes(path, std::string(64, '\x7F'));
  w->GetOpenFileName(QString::fromStdString(path));
  ExpectFileState(false);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(path), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find("0 to 500"), std::string::npos);
  EXPECT_EQ(List("lstRecord")->count(), 0);
  w->GetOpenFileName(QString::fromStdString(dir.File("gone.mag")));
  ExpectFileState(false);
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("gone.mag"))));
}

TEST_F(MainWindowUi, ListingClicksAndMarkingButtons) {
  Open();
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "S1              Yes", "S2               No"}));
  EXPECT_EQ(List("lstRecord")->currentRow(), -1);
  Click(1);
  const QStringList data = Lines("lstRecordData");
  ASSERT_EQ(data.size(), 6);
  EXPECT_EQ(data[1], "NRM   0   318.0   80.8   344.8   75.0   2.71E-02   0.08     No    Yes");
  EXPECT_EQ(data[5], "      *************** Sample: S1               *************** ");
  Click(0);  // the heading changes nothing
  EXPECT_EQ(Lines("lstRecordData"), data);
  EXPECT_EQ(w->session().CurrentPosition(), 1);

  Check("lstRecordData", {2, 5});  // the closing line is ignored
  Press("cmdDeselectPoints");
  EXPECT_TRUE(Lines("lstRecordData")[2].endsWith("     No     No"));
  EXPECT_EQ(List("lstRecordData")->item(2)->checkState(), Qt::Unchecked);
  Check("lstRecordData", {3});
  Press("cmdLSquarePoints");
  EXPECT_TRUE(Lines("lstRecordData")[3].endsWith("    Yes    Yes"));
  Check("lstRecord", {1, 2});
  Press("cmdDeactivate");
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "S1               No", "S2              Yes"}));
  EXPECT_EQ(List("lstRecord")->item(1)->checkState(), Qt::Unchecked);
  // After the reload no sample is selected: the step buttons do nothing.
  const std::string before = ReadBytes(path);
  Check("lstRecordData", {1});
  Press("cmdDeselectPoints");
  EXPECT_EQ(ReadBytes(path), before);

  // A click on the background shows what another command wrote.
  Session other;
  other.GetOpenFileName(path);
  other.Load();
  ASSERT_EQ(DeactivateRecords(other, {2}, dialogs), Outcome::Kind::Done);
  BackgroundClick();
  EXPECT_EQ(Lines("lstRecord")[2], "S2               No");
}

TEST_F(MainWindowUi, EditCopyAndCtrlCPutTheCheckedLinesWithCrLf) {
  Open();
  Click(1);
  w->show();
  w->activateWindow();
  Check("lstRecordData", {1, 2, 4});
  List("lstRecordData")->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), List("lstRecordData"));
  const QStringList data = Lines("lstRecordData");
  Act("mnuEditCopy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), data[1] + "\r\n" + data[2] + "\r\n" + data[4] + "\r\n");
  List("lstRecordData")->item(2)->setCheckState(Qt::Unchecked);
  List("lstRecordData")->setCurrentRow(3);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "c");
  QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier, "c");
  QApplication::sendEvent(List("lstRecordData"), &shortcut);
  if (!shortcut.isAccepted()) QApplication::sendEvent(List("lstRecordData"), &press);
  QApplication::processEvents();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), data[1] + "\r\n" + data[4] + "\r\n");
}

TEST_F(MainWindowUi, PrintMainWindowDrawsOnePagePerCopy) {
  Open();
  const std::string pdf = dir.File("main.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));
  dialogs.printerCopies = {0};
  Act("mnuFilePrintMain")->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));  // cancelled: nothing printed
  dialogs.printerCopies = {2};
  Act("mnuFilePrintMain")->trigger();
  const std::string bytes = ReadBytes(pdf);
  size_t pages = 0;
  for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
    pages += bytes.compare(at, 12, "/Type /Pages") != 0;
  EXPECT_EQ(pages, 2u);
}

// File > Open starts where a file was last opened while that folder exists, otherwise
// where the process runs; the close box ends every window of the program.
TEST_F(MainWindowUi, OpenDialogHandsOverTheFileAndRemembersItsFolder) {
  Open();
  Act("mnuFileClose")->trigger();
  const QString start = QDir::cleanPath(QDir::currentPath());
  auto answer = [this]() -> Dialogs& { return dialogs; };
  auto folder = std::make_unique<TempDir>();
  const QString used = QDir::cleanPath(QString::fromStdString(folder->Path()));
  WriteMag(folder->File("a.mag"), SectionPlan{});
  EXPECT_EQ(QDir::cleanPath(ui::FileOpenDialog(nullptr, answer).Folder()), start);

  w->show();
  Act("mnuFileOpen")->trigger();
  auto* dlg = Find<ui::FileOpenDialog>("frmFileOpen");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->windowTitle(), "Open *.mag File");
  dlg->SetFolder(used);
  EXPECT_EQ(QDir::cleanPath(ui::FileOpenDialog(nullptr, answer).Folder()), start);  // only a chosen file counts
  dlg->OpenSelected();  // nothing selected: refused with a message
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(w->session().IsOpen());
  ASSERT_TRUE(WaitFor([&] { return dlg->SelectFile("a.mag"); }));
  dlg->OpenSelected();
  EXPECT_TRUE(w->session().IsOpen());
  EXPECT_EQ(w->session().FileName(), folder->File("a.mag"));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ui::FileOpenDialog(nullptr, answer).Folder(), used);
  folder.reset();  // the folder is removed
  EXPECT_EQ(QDir::cleanPath(ui::FileOpenDialog(nullptr, answer).Folder()), start);

  Act("mnuFileOpen")->setEnabled(true);
  Act("mnuFileOpen")->trigger();
  ASSERT_TRUE(dlg->isVisible());
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(w->session().IsOpen());  // the file's handle is closed
  EXPECT_FALSE(dlg->isVisible());       // and every other window with it
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(JoinPath, NoDoubledSeparatorAtTheRoot) {
  for (const char* folder : {"/data", "/data/"}) EXPECT_EQ(ui::JoinPath(folder, "a.mag"), "/data/a.mag");
  EXPECT_EQ(ui::JoinPath("/", "a.mag"), "/a.mag");
}
