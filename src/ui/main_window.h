#pragma once
// The main window. For now a frame titled "Lorvane"; the keyword box, folder tree and
// result list come with the search driver.

#include <QMainWindow>

namespace lorvane::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace lorvane::ui
