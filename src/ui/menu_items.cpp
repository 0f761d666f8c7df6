// Named menus and items for every window's menu bar. Exercised by the window tests that
// find items by name (tests/ui/view_form_test.cpp).

#include "ui/menu_items.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace lorvane::ui {

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, bool checkable) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

}  // namespace lorvane::ui
