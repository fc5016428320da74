#include <QApplication>

#include "app/ui/fonts.h"
#include "app/ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Remanex");
  rmx::ui::InstallFontSubstitutions();
  rmx::ui::MainWindow& w = rmx::ui::MainWindow::Instance();
  w.show();
  // A sample file named on the command line opens at once ("Open with").
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) w.OpenPath(args.at(1));
  return QApplication::exec();
}
