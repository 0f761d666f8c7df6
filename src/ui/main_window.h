#pragma once
// TBaseForm, the main window: the keyword box and its reading, the option boxes, counters
// and the four command buttons, the progress panel, the folder tree panel and the result
// pane, with the View, Option and Help menus. It owns the core objects of one session (the
// mail stores and their tree, the result list and its undo snapshot, the search driver and
// its query) and shows what they report; the decisions are theirs.

#include <QMainWindow>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mail/mail_stores.h"
#include "persist/ini_font_placement.h"
#include "persist/view_settings.h"
#include "search/result_list.h"
#include "search/search_driver.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTreeView;
class QWidget;

namespace lorvane {
class TIniFile;
class TMailReader;
struct TPlatform;
struct TSearchSettings;
}  // namespace lorvane

namespace lorvane::ui {

class TFolderTreeModel;
class TFolderTreeView;
class TKeywordCheckView;
class TProgressBar;
class TQtUserDialogs;
class TResultHeader;
class TResultModel;
class TViewForm;

// How the program was asked to show its window (the start command's show state).
enum TStartShow { ssDefault, ssMinimized, ssMaximized };

struct TMainContext {
  TPlatform& platform;
  TIniFile& ini;
  TMailReader& reader;
};

class MainWindow : public QMainWindow, private ISearchObserver {
  Q_OBJECT

 public:
  explicit MainWindow(TMainContext context, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the window in the stored state, unless the start command asks for another.
  void ShowAsStarted(TStartShow show);

  // False when the settings file exists but could not be read: it must not be written over.
  bool SettingsLoaded() const { return settings_loaded_; }

  // For tests: the session's objects.
  TSearchDriver& Driver() { return driver_; }
  TMailStores& Stores() { return stores_; }
  const TResultList& Results() const { return results_; }
  // Replaces the directory dialog (a test cannot click through a modal dialog).
  // The open viewers, in the order they were opened.
  const std::vector<TViewForm*>& Viewers() const { return viewers_; }
  void SetDirectoryDialogRunner(std::function<bool()> run) { run_directory_dialog_ = std::move(run); }

  // The commands, as the buttons and menus run them.
  void RunSearch();
  void RunNarrow();
  void RunUndo();
  void RunCancel();
  void RebuildTreeView();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ISearchObserver
  void ShowProgressPanel(bool visible) override;
  void Progress(int done, int total, const std::string& percent) override;
  void CurrentFile(const std::string& file_name) override;
  void Counters(const std::string& found, const std::string& total) override;
  void ResultsChanged() override;
  void ButtonsChanged() override;
  void ProcessPendingEvents() override;

  void BuildLayout();
  void BuildMenus();
  void ApplyViewSettings();
  void ApplyDoubleClick();
  void ApplyHints();
  void ResizeLayout();
  void UpdateMinimumSize();
  void UpdateKeywordState();
  // Reads the stored search options, lets change() alter them and stores them again, so a
  // change never writes back a stale sort key or method.
  void ChangeSearchSettings(const std::function<void(TSearchSettings&)>& change);
  void ShowProgressNow();
  void RunCommand(void (TSearchDriver::*command)());
  bool Busy() const { return driver_.Running(); }

  // main_window_hits.cpp: acting on the selected hit.
  void BuildResultMenu();
  int SelectedRow() const;  // -1 when no row is selected
  void RunDefaultHitAction();
  void OpenHit();
  void ViewHit();
  void RebuildWindowMenu();
  void ClipHit(TMailField field);

  void OnHeaderClicked(int section);
  void OnStateIconClicked(const QModelIndex& index);
  void OnTreeContextMenu(const QModelIndex& index, const QPoint& global_position);
  void OnMailerItem(int kind, bool shown);
  void OnDirectory();
  void OnFont();
  void OnHelpFile(bool document);
  void OnAbout();
  std::string HelpFilePath(const char* extension) const;
  void ClearAliasSelection();
  void ExpandAsStored();

  TPlatform& platform_;
  TIniFile& ini_;
  TMailReader& reader_;
  std::unique_ptr<TQtUserDialogs> dialogs_;
  TMailStores stores_;
  TResultList results_;
  TResultList undo_;
  TSearchDriver driver_;
  TViewSettings view_;
  bool closing_ = false;
  bool close_pending_ = false;
  bool settings_loaded_ = true;
  TWindowState stored_state_ = wsNormal;
  bool expanding_ = false;  // the view is expanded from the stored states, not by the user
  std::function<bool()> run_directory_dialog_;
  QMenu* popup_ = nullptr;  // PopupMenu1
  QAction* popup_open_ = nullptr;
  QAction* popup_view_ = nullptr;
  QMenu* window_menu_ = nullptr;
  std::vector<TViewForm*> viewers_;

  // What the driver reported last, shown at most every few milliseconds.
  struct TShown {
    int done = 0;
    int total = 0;
    std::string percent = "  0%  ";
    std::string file;
    std::string found = "0 ";
    std::string messages = "0 ";
  } shown_;
  std::chrono::steady_clock::time_point last_pump_{};

  // Components, named as designed.
  QLabel* label1_ = nullptr;
  QComboBox* keyword_ = nullptr;
  QWidget* keyword_check_panel_ = nullptr;
  TKeywordCheckView* keyword_check_ = nullptr;
  QWidget* button_panel_ = nullptr;
  QWidget* panel4_ = nullptr;
  QWidget* panel3_ = nullptr;
  QWidget* count_panel_ = nullptr;
  QWidget* found_panel_ = nullptr;
  QWidget* total_panel_ = nullptr;
  QCheckBox* regexp_ = nullptr;
  QCheckBox* powerful_ = nullptr;
  QCheckBox* header_ = nullptr;
  QCheckBox* body_ = nullptr;
  QLabel* found_ = nullptr;
  QLabel* total_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* narrow_ = nullptr;
  QPushButton* undo_button_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QWidget* progress_panel_ = nullptr;
  TProgressBar* progress_bar_ = nullptr;
  QLabel* progress_label_ = nullptr;
  QLabel* status_label_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* tree_panel_ = nullptr;
  QComboBox* alias_ = nullptr;
  TFolderTreeView* tree_view_ = nullptr;
  TFolderTreeModel* tree_model_ = nullptr;
  QWidget* main_panel_ = nullptr;
  TResultHeader* header_control_ = nullptr;
  QTreeView* list_ = nullptr;
  TResultModel* result_model_ = nullptr;

  QAction* view_items_[6] = {};
  QAction* progress_report_now_ = nullptr;
  QAction* method_items_[3] = {};
  QAction* length_limit_ = nullptr;
  QAction* limit_32kb_ = nullptr;
  QAction* double_click_application_ = nullptr;
  QAction* double_click_view_ = nullptr;
  QAction* refresh_ = nullptr;
  QAction* directory_ = nullptr;
  QMenu* mailer_menu_ = nullptr;
  QAction* help_help_ = nullptr;
  QAction* help_document_ = nullptr;
  QAction* help_separator_ = nullptr;
};

}  // namespace lorvane::ui
