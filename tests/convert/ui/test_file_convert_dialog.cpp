// frmFileConvert driven through its object names, alone and from the main window.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QListView>
#include <QPushButton>
#include <filesystem>
#include <set>

#include "convert/lab_writer.h"
#include "convert/ui/file_convert_dialog.h"
#include "support/ui/main_window_fixture.h"

using namespace rmx;
using namespace rmx::test;
using rmx::ui::FileConvertDialog;

namespace {

struct ConvertDialog : ::testing::Test {
  TempDir dir;
  ScriptedDialogs dialogs;
  FileConvertDialog dlg{dialogs};
  QStringList converted;
  int exits = 0;

  void SetUp() override {
    QObject::connect(&dlg, &FileConvertDialog::converted, [this](const QString& p) { converted << p; });
    QObject::connect(&dlg, &FileConvertDialog::exitRequested, [this] { ++exits; });
    WriteBytes(dir.File("CRA.app"), WriteLab(TwoSampleSection(), Layout::App));
    dlg.SetFolder(QString::fromStdString(dir.Path()));
    dlg.show();
  }
  QPushButton* Button(const char* name) { return dlg.findChild<QPushButton*>(name); }
  QListView* Files() { return dlg.findChild<QListView*>("filRmxConvert"); }
  std::set<QString> Listed() {
    std::set<QString> names;
    const QAbstractItemModel* m = Files()->model();
    for (int r = 0; r < m->rowCount(Files()->rootIndex()); ++r)
      names.insert(m->index(r, 0, Files()->rootIndex()).data().toString());
    return names;
  }
};

}  // namespace

TEST_F(ConvertDialog, NamesCaptionsAndTheFiveLayoutsInAnyCase) {
  EXPECT_EQ(dlg.objectName(), "frmFileConvert");
  EXPECT_EQ(dlg.windowTitle(), "Convert File (*.app, *.tab, *.nta, *.cma, or *.txt)");
  EXPECT_EQ(dlg.findChild<QGroupBox*>("fraFileSelection")->title(), "File Selection");
  for (auto [name, caption] : {std::pair{"cmdConvert", "Con&vert"}, {"cmdCancel", "&Cancel"}, {"cmdExit", "E&xit"}})
    EXPECT_EQ(Button(name)->text(), caption);
  for (const char* name : {"cmdConvert", "cmdCancel", "cmdExit", "filRmxConvert", "dirRmxConvert"}) {
    const QWidget* v = dlg.findChild<QWidget*>(name);  // each speaks its name
    EXPECT_TRUE(v && !v->accessibleName().isEmpty() && v->accessibleDescription() == name) << name;
  }
  for (const char* name : {"b.TAB", "c.cma", "d.Nta", "e.txt", "f.mag", "g.csv", "app"}) WriteBytes(dir.File(name), "x");
  std::filesystem::create_directory(dir.File("h.app"));
  const std::set<QString> expected = {"CRA.app", "b.TAB", "c.cma", "d.Nta", "e.txt"};
  EXPECT_TRUE(WaitFor([&] { return Listed() == expected; }));
  EXPECT_EQ(Listed(), expected);
}

TEST_F(ConvertDialog, StaysOpenUntilAFileIsConvertedAndClosesOnEveryButton) {
  Button("cmdConvert")->click();  // nothing selected
  EXPECT_EQ(dialogs.messages.size(), 1u);
  ASSERT_TRUE(dlg.SelectFile("CRA.app"));
  std::string bad = WriteLab(TwoSampleSection(), Layout::App);
  WriteBytes(dir.File("CRA.app"), bad.replace(bad.find("  12.3"), 6, "  1x.3"));  // line 4
  Button("cmdConvert")->click();
  ASSERT_EQ(dialogs.messages.size(), 2u);  // the conversion's own message
  EXPECT_NE(dialogs.messages[1].text.find("line #: 4"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("CRA.mag")));
  EXPECT_TRUE(converted.isEmpty());
  EXPECT_TRUE(dlg.isVisible());

  WriteBytes(dir.File("CRA.app"), WriteLab(TwoSampleSection(), Layout::App));
  emit Files()->doubleClicked(Files()->currentIndex());
  EXPECT_EQ(converted, QStringList{QString::fromStdString(dir.File("CRA.mag"))});
  EXPECT_EQ(ReadBytes(dir.File("CRA.mag")), Bytes(ExpectedSlots(TwoSampleSection())));
  EXPECT_FALSE(dlg.isVisible());
  for (const char* button : {"cmdCancel", "cmdExit"}) {
    dlg.show();
    Button(button)->click();
    EXPECT_FALSE(dlg.isVisible());
  }
  EXPECT_EQ(exits, 1);  // Exit only
  EXPECT_EQ(converted.size(), 1);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

// File > Convert in the main window: the new sample file opens at once.
TEST_F(MainWindowTest, TheConvertedFileOpensInTheMainWindow) {
  WriteBytes(dir.File("CRA.app"), WriteLab(TwoSampleSection(), Layout::App));
  Act("mnuFileConvert")->trigger();
  auto* dlg = Find<FileConvertDialog>("frmFileConvert");
  ASSERT_NE(dlg, nullptr);
  dlg->SetFolder(QString::fromStdString(dir.Path()));
  ASSERT_TRUE(WaitFor([&] { return dlg->SelectFile("CRA.app"); }));
  dlg->Convert();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(w->session().FileName(), dir.File("CRA.mag"));
  EXPECT_EQ(w->session().SampleCount(), 2);
  EXPECT_FALSE(Act("mnuFileConvert")->isEnabled());
}
