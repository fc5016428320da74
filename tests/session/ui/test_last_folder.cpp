#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "session/ui/file_open_dialog.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

bool SelectWhenListed(ui::FilePickDialog& dlg, const QString& name) {
  for (int i = 0; i < 200; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (dlg.SelectFile(name)) return true;
  }
  return false;
}

}  // namespace

// File > Open starts in the folder a file was last opened from, while that folder
// exists, and otherwise where the process runs.
TEST(LastFolder, OpenDialogStartsWhereAFileWasLastOpened) {
  ScriptedDialogs dialogs;
  auto answer = [&dialogs]() -> Dialogs& { return dialogs; };
  const QString start = QDir::cleanPath(QDir::currentPath());
  auto folder = std::make_unique<TempDir>();
  const QString used = QString::fromStdString(folder->Path());
  WriteMag(folder->File("a.mag"), SectionPlan{});
  {
    ui::FileOpenDialog dlg(nullptr, answer);
    dlg.SetFolder(used);
    ui::FileOpenDialog other(nullptr, answer);  // only a chosen file counts as use
    EXPECT_EQ(QDir::cleanPath(other.Folder()), start);
    ASSERT_TRUE(SelectWhenListed(dlg, "a.mag"));
    dlg.OpenSelected();
  }
  EXPECT_EQ(ui::FileOpenDialog(nullptr, answer).Folder(), QDir::cleanPath(used));
  folder.reset();  // the folder is removed
  EXPECT_EQ(QDir::cleanPath(ui::FileOpenDialog(nullptr, answer).Folder()), start);
  EXPECT_TRUE(dialogs.messages.empty());
}
