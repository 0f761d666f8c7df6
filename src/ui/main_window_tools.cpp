// The Tool menu: the mail count tool, enabled while the list holds hits. What the report
// holds, where it goes and what opens it are search/count_tool's; this file starts the
// program it names or shows why there is none.
// Tested by tests/ui/alias_ui_test.cpp.

#include <QMenu>
#include <QMenuBar>

#include "platform/platform.h"
#include "search/count_tool.h"
#include "ui/keyword_check_view.h"
#include "ui/main_window.h"
#include "ui/menu_items.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/wait_cursor.h"

namespace lorvane::ui {

void MainWindow::BuildToolMenu(QMenuBar* bar) {
  QMenu* tool = AddMenu(bar, "KTool", "ツール (&Tool)");
  count_ = AddItem(tool, "KToolCount", "メールを数える(&Count)");
  connect(count_, &QAction::triggered, this, &MainWindow::CountMails);
  connect(tool, &QMenu::aboutToShow, this,
          [this] { count_->setEnabled(!Busy() && results_.Count() > 0); });
}

void MainWindow::CountMails() {
  if (Busy() || results_.Empty()) return;
  TOpenPlan plan;
  {
    const TWaitCursor wait;
    plan = PlanCountReport(platform_, results_, ToCore(keyword_check_->toPlainText()));
  }
  if (plan.start) {
    // A program that fails to start is not reported, as with Open.
    platform_.shell.StartProgram(plan.program, plan.parameters);
  } else {
    ShowWarning(this, plan.message, "");
  }
}

}  // namespace lorvane::ui
