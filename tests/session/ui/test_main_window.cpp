// frmMain and frmFileOpen driven through their object names.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
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
  // What needs a file is enabled only with one; File > Open only without; Exit, the
  // toolbox and help always.
  void ExpectFileState(bool open) {
    EXPECT_EQ(Act("mnuFileOpen")->isEnabled(), !open);
    EXPECT_EQ(Act("mnuFileClose")->isEnabled(), open);
    for (const char* m : {"mnuFilePrint", "mnuEdit", "mnuZijderveld", "mnuLeastSquare", "mnuAll"})
      EXPECT_EQ(w->Menu(m)->menuAction()->isEnabled(), open) << m;
    for (const char* a : {"mnuFileExit", "mnuToolboxCoorConv", "mnuHelpMain"}) EXPECT_TRUE(Act(a)->isEnabled()) << a;
    EXPECT_EQ(List("lstRecord")->isEnabled(), open);
    EXPECT_EQ(Find<QPushButton>("cmdLSquarePoints")->isEnabled(), open);
  }
};

}  // namespace

TEST_F(MainWindowUi, OpenListMarkCopyPrintAndClose) {
  EXPECT_EQ(w->objectName(), "frmMain");
  EXPECT_EQ(Act("mnuEditCopy")->shortcut(), QKeySequence("Ctrl+C"));
  ExpectFileState(false);
  Open();
  ExpectFileState(true);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis - " + QString::fromStdString(path));
  EXPECT_EQ(Lines("lstRecord"), QStringList({"  Sample     Active", "S1              Yes", "S2               No"}));
  Click(1);
  const QStringList data = Lines("lstRecordData");
  ASSERT_EQ(data.size(), 6);
  Click(0);  // the heading changes nothing
  EXPECT_EQ(Lines("lstRecordData"), data);
  EXPECT_EQ(w->session().CurrentPosition(), 1);

  // Edit > Copy and Ctrl+C in the list copy the checked lines, not the current one.
  w->show();
  w->activateWindow();
  Check("lstRecordData", {1, 2, 4});
  List("lstRecordData")->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), List("lstRecordData"));
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
  for (int row : {1, 4}) List("lstRecordData")->item(row)->setCheckState(Qt::Unchecked);

  // The buttons mark the checked lines (the closing line is ignored) and list again.
  Check("lstRecordData", {2, 5});
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
  // A click on the background shows what another command wrote.
  Session other = OpenSession(path);
  ASSERT_EQ(DeactivateRecords(other, {2}, dialogs), Outcome::Kind::Done);
  BackgroundClick();
  EXPECT_EQ(Lines("lstRecord")[2], "S2               No");

  // Print > Main Data Window: nothing when cancelled, one page per copy.
  const std::string pdf = dir.File("main.pdf");
  w->Printer().setOutputFormat(QPrinter::PdfFormat);
  w->Printer().setOutputFileName(QString::fromStdString(pdf));
  dialogs.printerCopies = {0, 2};
  Act("mnuFilePrintMain")->trigger();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  Act("mnuFilePrintMain")->trigger();
  const QString bytes = QString::fromLatin1(ReadBytes(pdf));
  EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);

  Act("mnuZijTilt")->setChecked(true);
  Act("mnuFileClose")->trigger();
  ExpectFileState(false);
  EXPECT_EQ(w->windowTitle(), "Remanex Analysis Program");
  EXPECT_FALSE(Act("mnuZijTilt")->isChecked());
  EXPECT_EQ(List("lstRecordData")->count(), 0);
}

TEST_F(MainWindowUi, OpenByPathHandOverAndRefusedFiles) {
  // A file named on the command line opens by its full path; a click on the
  // background reloads it from wherever the process now runs.
  Open();
  Act("mnuFileClose")->trigger();
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path())));
  w->OpenPath("section.mag");
  QDir::setCurrent(cwd);
  EXPECT_EQ(w->session().FileName(), path);
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
  // A refused file leaves the no-file state, said with the file's name.
  WriteBytes(path, std::string(64, '\x7F'));
  w->GetOpenFileName(QString::fromStdString(path));
  ExpectFileState(false);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(path + ": "), std::string::npos);
  EXPECT_EQ(List("lstRecord")->count(), 0);
}

// File > Open starts where a file was last chosen while that folder exists, otherwise
// where the process runs; the close box ends every window of the program.
TEST_F(MainWindowUi, OpenDialogHandsOverTheFileAndRemembersItsFolder) {
  Open();  // a file handed over is not a chosen one
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
  dlg->SetFolder(used);
  EXPECT_EQ(QDir::cleanPath(ui::FileOpenDialog(nullptr, answer).Folder()), start);  // only a chosen file counts
  dlg->OpenSelected();  // nothing selected: refused with a message
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(w->session().IsOpen());
  ASSERT_TRUE(WaitFor([&] { return dlg->SelectFile("a.mag"); }));
  dlg->OpenSelected();
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
