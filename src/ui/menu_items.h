#pragma once
// Menus and menu items named after their designed components, so tests and accessibility
// tools find them by name.

class QAction;
class QMenu;
class QMenuBar;

namespace lorvane::ui {

// Captions are UTF-8 literals of the design, accelerators included.
QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption);
QAction* AddItem(QMenu* menu, const char* name, const char* caption, bool checkable = false);

}  // namespace lorvane::ui
