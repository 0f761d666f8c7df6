// The main window frame.
// Tested by tests/ui/main_window_test.cpp.

#include "ui/main_window.h"

namespace lorvane::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("BaseForm");
  setWindowTitle(QStringLiteral("Lorvane"));
  resize(800, 560);
}

}  // namespace lorvane::ui
