#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <new>

#include "app/dialogs.h"
#include "app/ui/fonts.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Remanex");
  rmx::ui::InstallFontSubstitutions();
  try {
    rmx::ui::MainWindow& w = rmx::ui::MainWindow::Instance();
    w.show();
    // A sample file named on the command line opens at once ("Open with").
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) w.OpenPath(args.at(1));
  } catch (const std::bad_alloc&) {
    QMessageBox::information(nullptr, "Remanex", rmx::ui::ToQt(rmx::ErrorFrame(7, "Out of memory")));
    return 1;
  } catch (const std::exception& e) {
    // Start-up errors are reported in the classic frame and end the program.
    QMessageBox::information(nullptr, "Remanex",
                             rmx::ui::ToQt(rmx::ErrorFrame(rmx::ErrorNumber::InvalidCall, e.what())));
    return 1;
  }
  return QApplication::exec();
}
