// The window tests' fixture: a composed main window answering through scripted
// dialogs, over a sample file in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QThread>
#include <memory>

#include "app/ui/composition.h"
#include "session/dialogs.h"
#include "session/ui/main_window.h"
#include "support/magbuilder.h"

namespace rmx::test {

// Processes events until `done` holds or two seconds have passed.
template <class Pred>
bool WaitFor(Pred done) {
  QDeadlineTimer deadline(2000);
  while (!done() && !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

class MainWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("section.mag");
  ScriptedDialogs dialogs;
  std::unique_ptr<ui::MainWindow> w = app::NewMainWindow();

  void SetUp() override { w->SetDialogs(&dialogs); }
  // Writes the section to `path` and opens it.
  void Open(const SectionPlan& plan) {
    WriteMag(path, plan);
    w->GetOpenFileName(QString::fromStdString(path));
  }
  QAction* Act(const char* name) { return w->Action(name); }
  template <class T = QWidget>
  T* Find(const char* name) {
    return w->findChild<T*>(name);
  }
  QListWidget* Samples() { return Find<QListWidget>("lstRecord"); }
  // A click on a line of the sample list: it becomes the current line and is listed.
  void Click(int row) {
    Samples()->setCurrentRow(row);
    emit Samples()->itemClicked(Samples()->item(row));
  }
};

}  // namespace rmx::test
