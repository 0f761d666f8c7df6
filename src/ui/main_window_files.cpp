// The File menu: its items and their enabling, folder selections saved to and read from a
// file the user names, and result lists saved and loaded. The file formats are the core's
// (mail/folder_selection, search/result_file, TSearchDriver::LoadResults); the alias items
// are main_window_aliases.cpp's.
// Tested by tests/ui/alias_ui_test.cpp.

#include <QMenu>

#include "common/messages.h"
#include "mail/folder_selection.h"
#include "platform/platform.h"
#include "search/result_file.h"
#include "ui/data_file_dialog.h"
#include "ui/folder_tree_view.h"
#include "ui/main_window.h"
#include "ui/menu_items.h"
#include "ui/qt_user_dialogs.h"
#include "ui/wait_cursor.h"

namespace lorvane::ui {

void MainWindow::BuildFileMenu(QMenu* file) {
  QAction* save_with_alias =
      AddItem(file, "KFileSaveWithAlias", "フォルダ選択の設定にエイリアス名を付ける...");
  open_by_alias_ = AddItem(file, "KFileOpenByAlias", "フォルダ選択の設定をエイリアスで呼び出す...");
  delete_alias_ = AddItem(file, "KFileDeleteAlias", "エイリアス名を削除する...");
  QMenu* with_filename = file->addMenu(QString::fromUtf8("ファイル名での保存、読み込み (with &Filename)"));
  with_filename->setObjectName("KFileWithFilename");
  with_filename->menuAction()->setObjectName("KFileWithFilename");
  QAction* selection_save =
      AddItem(with_filename, "KFileWithFilenameSaveAs", "フォルダ選択の設定を保存する...");
  QAction* selection_open =
      AddItem(with_filename, "KFileWithFilenameOpen", "フォルダ選択の設定を読み込む...");
  save_results_ = AddItem(file, "KFileSaveAs", "検索結果をファイルに保存する (Save &As)...");
  QAction* open_results = AddItem(file, "KFileOpen", "検索結果をファイルから読み込む (&Open)....");
  file_items_ = {save_with_alias, open_by_alias_,  delete_alias_, with_filename->menuAction(),
                 selection_save,  selection_open, save_results_, open_results};

  connect(save_with_alias, &QAction::triggered, this, &MainWindow::SaveWithAlias);
  connect(open_by_alias_, &QAction::triggered, this, &MainWindow::OpenByAlias);
  connect(delete_alias_, &QAction::triggered, this, &MainWindow::DeleteAlias);
  connect(selection_save, &QAction::triggered, this, &MainWindow::SaveSelectionAs);
  connect(selection_open, &QAction::triggered, this, &MainWindow::OpenSelection);
  connect(save_results_, &QAction::triggered, this, &MainWindow::SaveResultsAs);
  connect(open_results, &QAction::triggered, this, &MainWindow::OpenResults);
  connect(file, &QMenu::aboutToShow, this, [this] {
    // Under a search the tree and the list are the search's: every item is off.
    for (QAction* item : file_items_) item->setEnabled(!Busy());
    const bool any_alias = aliases_.AnyAliasFile();
    open_by_alias_->setEnabled(!Busy() && any_alias);
    delete_alias_->setEnabled(!Busy() && any_alias);
    save_results_->setEnabled(!Busy() && results_.Count() > 0);
  });
}

void MainWindow::ShowAppliedSelection(TSelectionStatus status, const std::string& path,
                                      const std::string& error) {
  switch (status) {
    case TSelectionStatus::kApplied:
      tree_model_->StatesChanged();
      ExpandAsStored();
      return;
    case TSelectionStatus::kNotASelectionFile:
      ShowWarning(this, NotASelectionFileMessage(path), NotASelectionFileCaption());
      return;
    case TSelectionStatus::kUnreadable:
      ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
      return;
  }
}

void MainWindow::SaveSelectionAs() {
  if (Busy()) return;
  const std::optional<std::string> path = AskDataFile(this, platform_.fs, true);
  if (!path) return;
  std::string error;
  bool saved;
  {
    const TWaitCursor wait;
    saved = SaveFolderSelection(platform_.fs, *path, stores_.Tree(), "", &error);
  }
  if (!saved) ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
}

void MainWindow::OpenSelection() {
  if (Busy()) return;
  if (const std::optional<std::string> path = AskDataFile(this, platform_.fs, false)) {
    std::string error;
    TSelectionStatus status;
    {
      const TWaitCursor wait;
      status = LoadFolderSelection(platform_.fs, *path, stores_.Tree(), &error);
    }
    ShowAppliedSelection(status, *path, error);
  }
  // The tree no longer shows any alias, whatever came of it.
  ClearAliasSelection();
}

void MainWindow::SaveResultsAs() {
  if (Busy()) return;
  const std::optional<std::string> path = AskDataFile(this, platform_.fs, true);
  if (!path) return;
  std::string error;
  if (!SaveResultFile(platform_.fs, *path, results_, &error)) {
    ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
  }
}

void MainWindow::OpenResults() {
  if (Busy()) return;
  const std::optional<std::string> path = AskDataFile(this, platform_.fs, false);
  if (!path) return;
  std::string error;
  TResultFileStatus status;
  {
    const TWaitCursor wait;
    status = driver_.LoadResults(*path, &error);
  }
  if (status == TResultFileStatus::kNotAResultFile) {
    ShowWarning(this, NotAResultFileMessage(*path), "");
  } else if (status == TResultFileStatus::kUnreadable && !error.empty()) {
    ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
  }
  ApplyHints();  // the list's hint shows only while it holds hits
}

}  // namespace lorvane::ui
