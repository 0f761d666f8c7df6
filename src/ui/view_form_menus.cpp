// The viewer's menu bar and the text area's context menu: every item with its designed
// name, caption and shortcut, the enabling rules each menu applies when it opens, and the
// position caption with the previous and next items placed on the bar itself.

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "persist/search_form_settings.h"
#include "ui/menu_items.h"
#include "ui/qt_text.h"
#include "ui/view_form.h"

namespace lorvane::ui {

void TViewForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = AddMenu(bar, "KFile", "ファイル(&File)");
  save_as_ = AddItem(file, "KFileSaveAs", "名前を付けて保存(Save &As)...");
  QAction* close_item = AddItem(file, "KFileClose", "閉じる(&Close)");
  connect(save_as_, &QAction::triggered, this, &TViewForm::SaveAs);
  connect(close_item, &QAction::triggered, this, &QWidget::close);
  connect(file, &QMenu::aboutToShow, this,
          [this] { save_as_->setEnabled(!memo_->document()->isEmpty()); });

  QMenu* edit = AddMenu(bar, "KEdit", "編集(&Edit)");
  QAction* cut = AddItem(edit, "KEditCut", "切り取り(Cu&t)");
  cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  QAction* copy = AddItem(edit, "KEditCopy", "コピー(&Copy)");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  QAction* paste = AddItem(edit, "KEditPaste", "貼り付け(&Paste)");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  QAction* del = AddItem(edit, "KEditDelete", "削除(&Delete)");
  edit->addSeparator();
  QAction* quoted_copy = AddItem(edit, "KEditQuotedCopy", "引用符付きコピー");
  QAction* quoted_paste = AddItem(edit, "KEditQuotedPaste", "引用符付き貼り付け");
  QAction* quotation_mark = AddItem(edit, "KEditQuotationMark", "引用符の設定");
  edit->addSeparator();
  QAction* select_all = AddItem(edit, "KEditSelectAll", "すべて選択(Select &All)");
  select_all->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  QAction* select_none = AddItem(edit, "KEditSelectNone", "すべて非選択(Select &None)");
  edit->addSeparator();
  read_only_ = AddItem(edit, "KEditReadOnly", "編集を禁止する(&Read Only)", true);
  connect(edit, &QMenu::aboutToShow, this, [=, this] {
    UpdateEditItems(cut, copy, paste, del, quoted_copy, quoted_paste);
    read_only_->setChecked(memo_->isReadOnly());
  });

  // The commands check their own rule too: a shortcut may come with the menu closed.
  connect(cut, &QAction::triggered, this, [this] {
    if (Writable()) memo_->cut();
  });
  connect(copy, &QAction::triggered, memo_, &QPlainTextEdit::copy);
  connect(paste, &QAction::triggered, this, [this] {
    if (Writable()) memo_->paste();
  });
  connect(del, &QAction::triggered, this, [this] {
    if (Writable()) memo_->textCursor().removeSelectedText();
  });
  connect(quoted_copy, &QAction::triggered, this, &TViewForm::QuotedCopy);
  connect(quoted_paste, &QAction::triggered, this, &TViewForm::QuotedPaste);
  connect(quotation_mark, &QAction::triggered, this, &TViewForm::SetQuotationMark);
  connect(select_all, &QAction::triggered, memo_, &QPlainTextEdit::selectAll);
  connect(select_none, &QAction::triggered, this, [this] {
    QTextCursor cursor = memo_->textCursor();
    cursor.setPosition(cursor.selectionStart());
    memo_->setTextCursor(cursor);
  });
  connect(read_only_, &QAction::triggered, this, &TViewForm::ToggleReadOnly);

  QMenu* search = AddMenu(bar, "KSearch", "検索(&Search)");
  QAction* find = AddItem(search, "KSearchFind", "検索条件設定(&Find)...");
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  QAction* replace = AddItem(search, "KSearchReplace", "置き換え条件設定(&Replace)...");
  replace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  search_previous_ = AddItem(search, "KSearchPrevious", "上へ検索／置き換え(&Previous)");
  search_previous_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  search_next_ = AddItem(search, "KSearchNext", "下へ検索／置き換え(&Next)");
  search_next_->setShortcut(QKeySequence(Qt::Key_F3));
  connect(find, &QAction::triggered, this, [this] { OpenSearchForm("検索"); });
  connect(replace, &QAction::triggered, this, [this] { OpenSearchForm("置き換え"); });
  connect(search_previous_, &QAction::triggered, this, [this] { RunSearch(false); });
  connect(search_next_, &QAction::triggered, this, [this] { RunSearch(true); });
  connect(search, &QMenu::aboutToShow, this, [this] { UpdateSearchItems(true); });
  connect(search, &QMenu::aboutToHide, this, [this] { UpdateSearchItems(false); });
  UpdateSearchItems(false);

  QMenu* view = AddMenu(bar, "KView", "表示(&View)");
  view_prev_ = AddItem(view, "KViewPrev", "前のメール(&Prev)");
  view_prev_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  view_next_ = AddItem(view, "KViewNext", "次のメール(&Next)");
  view_next_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  view->addSeparator();
  prev_match_ = AddItem(view, "KViewPrevMatch", "前の一致箇所(&Up)");
  prev_match_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
  next_match_ = AddItem(view, "KViewNextMatch", "次の一致箇所(&Down)");
  next_match_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
  view->addSeparator();
  QAction* font = AddItem(view, "KViewFont", "フォント(&Font)...");
  QAction* background = AddItem(view, "KViewBackground", "背景色(&Background)...");
  connect(view_prev_, &QAction::triggered, this, [this] { Step(-1); });
  connect(view_next_, &QAction::triggered, this, [this] { Step(1); });
  connect(prev_match_, &QAction::triggered, this, [this] { MoveToMatch(false); });
  connect(next_match_, &QAction::triggered, this, [this] { MoveToMatch(true); });
  connect(font, &QAction::triggered, this, &TViewForm::ChooseFont);
  connect(background, &QAction::triggered, this, &TViewForm::ChooseBackground);
  connect(view, &QMenu::aboutToShow, this, [this] {
    view_prev_->setEnabled(prev_->isEnabled());
    view_next_->setEnabled(next_->isEnabled());
  });

  message_ = bar->addAction(QString());
  message_->setObjectName("KMessage");
  prev_ = bar->addAction(QString::fromUtf8("［前］"));
  prev_->setObjectName("KPrev");
  next_ = bar->addAction(QString::fromUtf8("［次］"));
  next_->setObjectName("KNext");
  connect(prev_, &QAction::triggered, this, [this] { Step(-1); });
  connect(next_, &QAction::triggered, this, [this] { Step(1); });
  for (QAction* item : {message_, prev_, next_}) item->setVisible(false);
}

void TViewForm::BuildPopupMenu() {
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  // The same commands as the Edit menu's items, found by their names.
  const auto same_as = [this](const char* name, const char* menu_item, const char* caption) {
    QAction* item = AddItem(popup_, name, caption);
    QAction* target = menuBar()->findChild<QAction*>(QString::fromLatin1(menu_item));
    connect(item, &QAction::triggered, target, &QAction::trigger);
    return item;
  };
  QAction* cut = same_as("PCut", "KEditCut", "切り取り");
  QAction* copy = same_as("PCopy", "KEditCopy", "コピー");
  QAction* paste = same_as("PPaste", "KEditPaste", "貼り付け");
  QAction* del = same_as("PDelete", "KEditDelete", "削除");
  popup_->addSeparator();
  QAction* quoted_copy = same_as("PQuotedCopy", "KEditQuotedCopy", "引用符付きコピー");
  QAction* quoted_paste = same_as("PQuotedPaste", "KEditQuotedPaste", "引用符付き貼り付け");
  popup_->addSeparator();
  same_as("PSelectAll", "KEditSelectAll", "すべて選択");
  same_as("PSelectNone", "KEditSelectNone", "すべて非選択");
  connect(memo_, &QWidget::customContextMenuRequested, this, [=, this](const QPoint& at) {
    UpdateEditItems(cut, copy, paste, del, quoted_copy, quoted_paste);
    popup_->popup(memo_->viewport()->mapToGlobal(at));
  });
}

void TViewForm::UpdateEditItems(QAction* cut, QAction* copy, QAction* paste, QAction* del,
                                QAction* quoted_copy, QAction* quoted_paste) {
  const bool selection = memo_->textCursor().hasSelection();
  const bool clipboard = !QApplication::clipboard()->text().isEmpty();
  cut->setEnabled(selection && Writable());
  del->setEnabled(selection && Writable());
  copy->setEnabled(selection);
  quoted_copy->setEnabled(selection);
  paste->setEnabled(clipboard && Writable());
  quoted_paste->setEnabled(clipboard && Writable());
}

// The captions follow the dialog that set the conditions last, in this viewer or another.
// Outside the open menu both items stay enabled, so F3 and Shift+F3 reach RunSearch,
// which does nothing without a find text.
void TViewForm::UpdateSearchItems(bool as_in_menu) {
  const TSearchMenuItems items = ReadSearchMenuItems(ini_);
  search_previous_->setText(FromCore(items.previous_caption));
  search_next_->setText(FromCore(items.next_caption));
  search_previous_->setEnabled(items.enabled || !as_in_menu);
  search_next_->setEnabled(items.enabled || !as_in_menu);
}

}  // namespace lorvane::ui
