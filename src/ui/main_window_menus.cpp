// The main window's menu bar: every item with its designed name, caption, accelerator and
// shortcut, and the handlers of the View, Option and Help menus.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "common/messages.h"
#include "common/windows_path.h"
#include "mail/mailer_catalogue.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "search/search_settings.h"
#include "platform/platform.h"
#include "platform/system_platform.h"
#include "ui/keyword_check_view.h"
#include "ui/main_window.h"
#include "ui/menu_items.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/window_settings.h"

#ifndef LORVANE_VERSION
#define LORVANE_VERSION "0"
#endif

namespace lorvane::ui {

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = AddMenu(bar, "KFile", "ファイル(&File)");
  QAction* exit = AddItem(file, "KFileExit", "終了 (E&xit)");
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* view = AddMenu(bar, "KView", "表示(&View)");
  const struct {
    const char* name;
    const char* caption;
  } flags[] = {
      {"KViewKeywordCheck", "キーワードチェックの表示 (&Keyword Check)"},
      {"KViewProgressBar", "進捗状況の表示 (Progress &Bar)"},
      {"KViewFolderTree", "フォルダーツリーの表示 (Folder &Tree)"},
      {"KViewAlias", "フォルダ選択の設定のエイリアスの表示 (Folder Tree &Alias)"},
      {"KViewShowHint", "ヒントの表示 (Show &Hint)"},
      {"KViewProgressReport", "検索の途中経過を時々表示する (&Progress Report)"},
  };
  for (int f = vfKeywordCheck; f <= vfProgressReport; ++f) {
    if (f == vfShowHint) view->addSeparator();
    view_items_[f] = AddItem(view, flags[f].name, flags[f].caption, true);
    connect(view_items_[f], &QAction::triggered, this, [this, f] {
      view_.Toggle(static_cast<TViewFlag>(f));
      ApplyViewSettings();
      ResizeLayout();
    });
  }
  progress_report_now_ =
      AddItem(view, "KViewProgressReportNow", "検索の途中経過を今すぐ表示する (Progress Report &Now)");
  connect(progress_report_now_, &QAction::triggered, this, [this] { driver_.ProgressReportNow(); });
  view->addSeparator();
  QAction* font = AddItem(view, "KViewFont", "フォント (&Font)...");
  connect(font, &QAction::triggered, this, &MainWindow::OnFont);
  view->addSeparator();
  mailer_menu_ = view->addMenu(QString::fromUtf8("メールソフト (&Mailer)"));
  mailer_menu_->setObjectName("KViewMailer");
  mailer_menu_->menuAction()->setObjectName("KViewMailer");
  for (int kind = 1; kind < kMailerKinds; ++kind) {
    QAction* item = mailer_menu_->addAction(FromCore(MailerName(kind)));
    item->setObjectName(QStringLiteral("KViewMailer%1").arg(kind));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, kind, item](bool) {
      // The tick shows what the menu showed: a shown program is hidden, and the reverse.
      OnMailerItem(kind, !item->isChecked());
    });
  }
  connect(mailer_menu_, &QMenu::aboutToShow, this, [this] {
    for (QAction* item : mailer_menu_->actions()) {
      bool shown = false;
      for (int i = 0; i < stores_.Tree().MailerCount(); ++i) {
        shown = shown || FromCore(stores_.Tree().Mailer(i)->Caption()) == item->text();
      }
      item->setChecked(shown);
    }
  });
  directory_ = AddItem(view, "KViewDirectory", "ディレクトリ (&Directory)...");
  connect(directory_, &QAction::triggered, this, &MainWindow::OnDirectory);
  view->addSeparator();
  refresh_ = AddItem(view, "KViewRefresh", "ツリーを最新の情報に更新(&Refresh)");
  refresh_->setShortcut(QKeySequence(Qt::Key_F5));
  refresh_->setShortcutContext(Qt::WindowShortcut);
  connect(refresh_, &QAction::triggered, this, &MainWindow::RebuildTreeView);
  connect(view, &QMenu::aboutToShow, this,
          [this] { progress_report_now_->setEnabled(cancel_->isEnabled()); });

  window_menu_ = AddMenu(bar, "KWindow", "ウィンドウ(&Window)");

  QMenu* option = AddMenu(bar, "KOption", "オプション(&Option)");
  auto* methods = new QActionGroup(this);
  const char* method_names[] = {"KOptionAnd", "KOptionOr", "KOptionLogic"};
  const char* method_captions[] = {"すべてを満たすメール (&AND)", "どれかを満たすメール (&OR)",
                                   "論理結合 (&Logic Combination)"};
  for (int m = mtAND; m <= mtLogic; ++m) {
    method_items_[m] = AddItem(option, method_names[m], method_captions[m], true);
    methods->addAction(method_items_[m]);
    connect(method_items_[m], &QAction::triggered, this, [this, m] {
      ChangeSearchSettings([m](TSearchSettings& s) { s.method = static_cast<TMethod>(m); });
      driver_.SetMethod(static_cast<TMethod>(m));
    });
  }
  option->addSeparator();
  length_limit_ = AddItem(option, "KOptionLengthLimit", "１万文字以降は検索しない (&10000 chars)", true);
  connect(length_limit_, &QAction::triggered, this,
          [this](bool on) {
            ChangeSearchSettings([on](TSearchSettings& s) { s.length_limit = on; });
          });
  option->addSeparator();
  QMenu* double_click = option->addMenu(QString::fromUtf8("ダブルクリックの動作 (&Double Click)"));
  double_click->setObjectName("KOptionDoubleClick");
  double_click->menuAction()->setObjectName("KOptionDoubleClick");
  double_click_application_ =
      AddItem(double_click, "KOptionDoubleClickApplication", "アプリケーションで開く(&Application)", true);
  double_click_view_ = AddItem(double_click, "KOptionDoubleClickView", "内蔵ビューアで開く(&View)", true);
  for (QAction* item : {double_click_application_, double_click_view_}) {
    connect(item, &QAction::triggered, this, [this, item] {
      view_.SetDoubleClick(item->objectName() == QLatin1String("KOptionDoubleClickApplication")
                               ? dcApplication
                               : dcViewer);
      ApplyDoubleClick();
    });
  }
  limit_32kb_ = AddItem(option, "KOptionLimit32KB", "内蔵ビューアは３２ＫＢに限定する (Limit &32KB)", true);
  connect(limit_32kb_, &QAction::triggered, this, [this](bool on) { view_.SetLimit32KB(on); });

  QMenu* help = AddMenu(bar, "KHelp", "ヘルプ(&Help)");
  help_help_ = AddItem(help, "KHelpHelp", "ヘルプファイルを開く (&Help)");
  help_document_ = AddItem(help, "KHelpDocument", "ドキュメントファイルを開く (&Document)");
  help_separator_ = help->addSeparator();
  help_separator_->setObjectName("KHelpN1");
  QAction* version = AddItem(help, "KHelpVersion", "バージョン情報 (&Version)...");
  connect(help_help_, &QAction::triggered, this, [this] { OnHelpFile(false); });
  connect(help_document_, &QAction::triggered, this, [this] { OnHelpFile(true); });
  connect(version, &QAction::triggered, this, &MainWindow::OnAbout);
  connect(help, &QMenu::aboutToShow, this, [this] {
    const bool help_exists = platform_.fs.Exists(HelpFilePath(".hlp"));
    const bool document_exists = platform_.fs.Exists(HelpFilePath(".txt"));
    help_help_->setVisible(help_exists);
    help_document_->setVisible(document_exists);
    help_separator_->setVisible(help_exists || document_exists);
  });
}

void MainWindow::OnFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, centralWidget()->font(), this, QString(),
                                            QFontDialog::DontUseNativeDialog);
  if (!ok) return;
  centralWidget()->setFont(chosen);
  ini_.WriteFont(kBaseFormSection, FromQFont(chosen));
  QCoreApplication::processEvents();
  ResizeLayout();
  update();
}

// The help and document files stand beside the program, named after it.
std::string MainWindow::HelpFilePath(const char* extension) const {
  const std::string executable = ExecutableDirectory() + HostPathSeparator() + "lorvane";
  const std::optional<std::string> path = platform_.fs.FromHostPath(executable);
  return ChangeFileExt(path ? *path : ChangeFileExt(platform_.fs.ProgramPath(), ""), extension);
}

void MainWindow::OnHelpFile(bool document) {
  const std::string path = HelpFilePath(document ? ".txt" : ".hlp");
  if (!platform_.fs.Exists(path)) {
    ShowWarning(this, Format(msg::kFileIsMissing, {path}), std::string(Text(msg::kErrorCaption)));
    return;
  }
  platform_.shell.OpenDocument(path);
}

void MainWindow::OnAbout() {
  QMessageBox box(this);
  box.setObjectName("AboutBox");
  box.setWindowTitle(QStringLiteral("  Lorvane"));
  box.setIconPixmap(windowIcon().pixmap(64, 64));
  box.setText(QStringLiteral("<b>Lorvane</b> %1").arg(QStringLiteral(LORVANE_VERSION)));
  box.setInformativeText(FromCore(Text(msg::kAboutText)));
  box.exec();
}

}  // namespace lorvane::ui
