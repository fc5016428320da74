#pragma once
#include <QMainWindow>
namespace rmx::ui {
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static MainWindow& Instance();
  void OpenPath(const QString& path);
};
}
