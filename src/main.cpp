#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <exception>
#include <memory>
#include <new>

#include "app/ui/composition.h"
#include "plot/ui/fonts.h"
#include "remanex_version.h"
#include "session/ui/main_window.h"
#include "session/ui/qt_dialogs.h"
#include "store/errors.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Remanex");
  QApplication::setApplicationVersion(rmx::ProgramVersion);
  // The desktop entry and the themed icon an installed Remanex is known by.
  QGuiApplication::setDesktopFileName("remanex");
  QApplication::setWindowIcon(QIcon::fromTheme("remanex"));
  rmx::ui::InstallFontSubstitutions();
  std::unique_ptr<rmx::ui::MainWindow> window;
  try {
    window = rmx::app::NewMainWindow();
    window->show();
    // A sample file named on the command line opens at once ("Open with").
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window->OpenPath(args.at(1));
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
