// The result list's actions on a hit: its context menu, double-click and Enter, Open in the
// associated application or editor, the built-in viewers and the Window menu that lists
// them, the folder, the name and the clipboard items. What to start or show comes from the
// core (PlanOpen, FolderOfHit, the header clips); this file only shows or starts it.
// Tested by tests/ui/hit_actions_test.cpp; the core it calls by tests/mail and tests/search.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTreeView>

#include "mail/header_clip.h"
#include "mail/open_hit.h"
#include "persist/editor_table.h"
#include "platform/platform.h"
#include "search/result_viewer.h"
#include "ui/main_window.h"
#include "ui/menu_items.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/view_form.h"

namespace lorvane::ui {

void MainWindow::BuildResultMenu() {
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  popup_open_ = AddItem(popup_, "POpen", "開く(&Open)");
  popup_view_ = AddItem(popup_, "PView", "内蔵ビューアで見る(&View)");
  QAction* folder = AddItem(popup_, "POpenFolder", "フォルダを開く(Open &Folder)");
  QAction* name = AddItem(popup_, "PName", "ファイル名の表示(&Name)");
  popup_->addSeparator();
  QAction* name_clip = AddItem(popup_, "PNameClip", "ファイル名をクリップボードに入れる");
  QAction* sender_clip = AddItem(popup_, "PSenderClip", "発信者をクリップボードに入れる");
  QAction* subject_clip = AddItem(popup_, "PSubjectClip", "題名をクリップボードに入れる");
  connect(popup_open_, &QAction::triggered, this, &MainWindow::OpenHit);
  connect(popup_view_, &QAction::triggered, this, &MainWindow::ViewHit);
  connect(folder, &QAction::triggered, this, [this] {
    if (const int row = SelectedRow(); row >= 0) {
      platform_.shell.OpenFolder(FolderOfHit(results_.Field(row, mfFileName)));
    }
  });
  connect(name, &QAction::triggered, this, [this] {
    if (const int row = SelectedRow(); row >= 0) {
      dialogs_->ShowMessage(results_.Field(row, mfFileName), "");
    }
  });
  connect(name_clip, &QAction::triggered, this, [this] { ClipHit(mfFileName); });
  connect(sender_clip, &QAction::triggered, this, [this] { ClipHit(mfSender); });
  connect(subject_clip, &QAction::triggered, this, [this] { ClipHit(mfSubject); });
  connect(popup_, &QMenu::aboutToShow, this, [this] {
    // While a search runs the list is still growing: nothing acts on it.
    const bool on = SelectedRow() >= 0 && !Busy();
    for (QAction* item : popup_->actions()) item->setEnabled(on);
  });

  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    // A right-click selects the row under it; below the last row it selects none, so the
    // menu cannot act on a row the user did not point at.
    const QModelIndex index = list_->indexAt(at);
    if (index.isValid()) {
      list_->setCurrentIndex(index);
    } else {
      list_->selectionModel()->clear();
    }
    popup_->popup(list_->viewport()->mapToGlobal(at));
  });
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] { RunDefaultHitAction(); });
  list_->installEventFilter(this);
}

int MainWindow::SelectedRow() const {
  const QModelIndex index = list_->currentIndex();
  if (!index.isValid() || !list_->selectionModel()->isRowSelected(index.row(), QModelIndex())) {
    return -1;
  }
  return index.row() < results_.Count() ? index.row() : -1;
}

void MainWindow::RunDefaultHitAction() {
  if (Busy() || SelectedRow() < 0) return;
  if (popup_->defaultAction() == popup_open_) {
    OpenHit();
  } else {
    ViewHit();
  }
}

void MainWindow::OpenHit() {
  const int row = SelectedRow();
  if (row < 0 || Busy()) return;
  TEditorTable editors;
  // A table that cannot be read or written is no reason not to open the message.
  LoadEditorTable(platform_.fs, EditorTableFileName(platform_.fs.ProgramPath()), true, &editors);
  const TOpenPlan plan = PlanOpen(platform_, editors, results_.Field(row, mfFileName),
                                  results_.Field(row, mfFirst), results_.Field(row, mfLast));
  if (plan.start) {
    platform_.shell.StartProgram(plan.program, plan.parameters);
  } else {
    ShowWarning(this, plan.message, "");
  }
}

void MainWindow::ViewHit() {
  const int row = SelectedRow();
  if (row < 0 || Busy()) return;
  TRSearch& query = driver_.Query();
  const THighlightKeywords keywords{query.SearchPattern(), query.Method(), query.UseRegExp(),
                                    query.Powerful(), driver_.Scope()};
  auto* viewer = new TViewForm({platform_, ini_, reader_}, keywords, this);
  TViewerMessages entries;
  AddResultToViewer(results_, &entries);
  for (int i = 0; i < entries.Count(); ++i) {
    const TMail mail = entries.MailAt(i);
    viewer->AddMail(mail.FileName, mail.First, mail.Last);
  }
  viewer->ShowMail(row);
  viewer->show();
  viewer->on_mail_shown = [this](const std::string& file, int32_t first) {
    const int shown = RowOfViewedMail(results_, file, first);
    if (shown >= 0) list_->setCurrentIndex(list_->model()->index(shown, 0));
    RebuildWindowMenu();
  };
  viewer->on_viewer_close = [this](TViewForm* closed) {
    std::erase(viewers_, closed);
    RebuildWindowMenu();
  };
  viewers_.push_back(viewer);
  RebuildWindowMenu();
}

void MainWindow::RebuildWindowMenu() {
  window_menu_->clear();
  for (TViewForm* viewer : viewers_) {
    QAction* item = window_menu_->addAction(viewer->Title());
    connect(item, &QAction::triggered, viewer, [viewer] {
      viewer->showNormal();
      viewer->raise();
      viewer->activateWindow();
    });
  }
}

void MainWindow::ClipHit(TMailField field) {
  const int row = SelectedRow();
  if (row < 0) return;
  const std::string& file = results_.Field(row, mfFileName);
  std::string text = file;
  if (field == mfSender) text = SenderClipText(platform_.fs, file);
  if (field == mfSubject) text = SubjectClipText(platform_.fs, file);
  QApplication::clipboard()->setText(FromCore(text));
}

}  // namespace lorvane::ui
