// The pick-one-from-a-list dialog the alias commands use to choose an alias. Button
// captions come from the message table, as the input dialog's do.
// Tested by tests/ui/alias_ui_test.cpp.

#include "ui/list_pick_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/messages.h"
#include "ui/qt_text.h"

namespace lorvane::ui {

TListPickDialog::TListPickDialog(QWidget* owner, const QString& prompt, const QStringList& items,
                                 int selected)
    : QDialog(owner) {
  setObjectName("ListPickDialog");
  setWindowTitle(prompt);
  list_ = new QListWidget(this);
  list_->setObjectName("ListBox1");
  list_->setAccessibleName(prompt);
  list_->addItems(items);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(FromCore(Text(msg::kOk)), QDialogButtonBox::AcceptRole);
  ok_->setObjectName("OKButton");
  ok_->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(FromCore(Text(msg::kCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName("CancelButton");
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (Selected() >= 0) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemSelectionChanged, this,
          [this] { ok_->setEnabled(Selected() >= 0); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (Selected() >= 0) accept();
  });

  if (selected >= 0 && selected < items.size()) list_->setCurrentRow(selected);
  ok_->setEnabled(Selected() >= 0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  setMinimumWidth(320);
}

int TListPickDialog::Selected() const {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

bool PickFromList(QWidget* owner, const QString& prompt, const QStringList& items, int selected,
                  int* chosen) {
  TListPickDialog dialog(owner, prompt, items, selected);
  if (dialog.exec() != QDialog::Accepted) return false;
  *chosen = dialog.Selected();
  return true;
}

}  // namespace lorvane::ui
