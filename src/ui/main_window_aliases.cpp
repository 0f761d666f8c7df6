// The aliases in the window: AliasCombo showing the alias table (the one used last on top
// and selected), the alias read at start, and the File menu's save, open and delete by
// alias. The table and its files are mail/alias_table's; this file asks the user and
// shows the result.
// Tested by tests/ui/alias_ui_test.cpp.

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>

#include "common/messages.h"
#include "ui/input_query_dialog.h"
#include "ui/list_pick_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/wait_cursor.h"

namespace lorvane::ui {

namespace {

QStringList NamesOf(const TAliasTable& aliases) {
  QStringList names;
  for (const std::string& name : aliases.Names()) names << FromCore(name);
  return names;
}

}  // namespace

void MainWindow::LoadAliases() {
  aliases_.Load();
  TSelectionStatus status = TSelectionStatus::kApplied;
  std::string error;
  if (!aliases_.OpenLast(ini_, stores_.Tree(), &status, &error)) {
    ShowAliases(-1);
    return;
  }
  ShowAliases(0);
  if (status == TSelectionStatus::kApplied) {
    ShowAppliedSelection(status, aliases_.File(0), error);
  } else {
    // The window is still being made: the message waits for the event loop.
    const std::string file = aliases_.File(0);
    QTimer::singleShot(0, this, [this, status, file, error] { ShowAppliedSelection(status, file, error); });
  }
}

void MainWindow::ShowAliases(int selected) {
  const QSignalBlocker block(alias_);
  alias_->clear();
  alias_->addItems(NamesOf(aliases_));
  alias_->setCurrentIndex(selected < alias_->count() ? selected : -1);
}

void MainWindow::OnAliasPicked(int index) {
  if (Busy() || index < 0 || index >= aliases_.Count()) return;
  std::string error;
  const std::string file = aliases_.File(index);
  TSelectionStatus status;
  {
    const TWaitCursor wait;
    status = aliases_.Open(index, stores_.Tree(), &error);
  }
  ShowAliases(0);
  ShowAppliedSelection(status, file, error);
}

void MainWindow::SaveWithAlias() {
  if (Busy()) return;
  QString name;
  if (!InputQuery(this, QString(), QString::fromUtf8("エイリアス名を決めて下さい"), &name)) return;
  std::string error;
  bool saved;
  {
    const TWaitCursor wait;
    saved = aliases_.Save(stores_.Tree(), ToCore(name), &error);
  }
  if (!saved) {
    ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
    return;
  }
  ShowAliases(0);
}

void MainWindow::OpenByAlias() {
  if (Busy()) return;
  if (aliases_.Empty()) {
    ShowWarning(this, NoAliasMessage(), "");
    return;
  }
  int chosen = -1;
  if (!PickFromList(this, QString::fromUtf8("エイリアスを選んで下さい"), NamesOf(aliases_),
                    alias_->currentIndex(), &chosen)) {
    return;
  }
  OnAliasPicked(chosen);
}

void MainWindow::DeleteAlias() {
  if (Busy()) return;
  if (aliases_.Empty()) {
    ShowWarning(this, NoAliasMessage(), "");
    return;
  }
  int chosen = -1;
  if (!PickFromList(this, QString::fromUtf8("削除するエイリアスを選んで下さい"), NamesOf(aliases_),
                    alias_->currentIndex(), &chosen)) {
    return;
  }
  std::string message;
  if (!aliases_.Delete(chosen, &message)) {
    ShowWarning(this, message, "");
    return;
  }
  // The selection stays on the alias it was on, if that one is left.
  const int selected = alias_->currentIndex();
  ShowAliases(selected == chosen ? -1 : selected > chosen ? selected - 1 : selected);
}

}  // namespace lorvane::ui
