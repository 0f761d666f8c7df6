#pragma once
// The search driver: Search, Narrow and Undo over the folder tree and the result list,
// with the keyword history, progress and cancel. One thread: the front end's observer
// processes its pending events once per message, and that is where Cancel and "progress
// report now" reach the driver.
//
//   TSearchDriver driver(stores, reader, ini, results, undo, observer);
//   driver.KeywordChanged("メール 検索", false, true);   // on every change of the box
//   if (driver.CanSearch()) driver.Search();             // may raise after finishing

#include <optional>
#include <string>
#include <vector>

#include "search/keyword_history.h"
#include "search/keyword_query.h"
#include "search/result_file.h"
#include "search/result_list.h"
#include "search/search_settings.h"

namespace lorvane {

class TFolder;
class TIniFile;
class TMailReader;
class TMailStores;

// What a search shows while it runs. The front end implements it; tests record it.
class ISearchObserver {
 public:
  virtual ~ISearchObserver() = default;
  virtual void ShowProgressPanel(bool visible) = 0;
  // The bar is done / total of the panel's width; `percent` is the label's text.
  virtual void Progress(int done, int total, const std::string& percent) = 0;
  // The file being read ("" when none).
  virtual void CurrentFile(const std::string& file_name) = 0;
  // The texts of the hit and message counters ("12 ").
  virtual void Counters(const std::string& found, const std::string& total) = 0;
  // The result list changed: show it again from its FileName column.
  virtual void ResultsChanged() = 0;
  // The enabled state of the buttons changed (read CanSearch() and so on).
  virtual void ButtonsChanged() = 0;
  // Handle pending user input once (may call Cancel or ProgressReportNow).
  virtual void ProcessPendingEvents() = 0;
};

class TSearchDriver {
 public:
  TSearchDriver(TMailStores& stores, TMailReader& reader, TIniFile& ini, TResultList& results,
                TResultList& undo, ISearchObserver& observer);

  TRSearch& Query() { return query_; }
  TKeywordHistory& History() { return history_; }

  // Options given while a command runs take effect when it has finished, so that one search
  // never mixes two conditions or two scopes.
  void SetScope(TSearchScope scope);
  void SetMethod(TMethod method);
  // Search exactly these folders instead of those ticked in the tree (empty: the tree's).
  void SetFolders(std::vector<TFolder*> folders) { folders_ = std::move(folders); }
  TSearchScope Scope() const { return scope_; }
  // The "progress report" menu item: partial refreshes at 10, 20, ... 100, 200 ...
  void SetProgressReport(bool on) { progress_report_ = on; }

  // At start: the history from the settings, its newest entry as the keyword text (with
  // these options); Search is enabled exactly when there is a history.
  void Start(bool regexp, bool powerful);
  // The keyword box, or the regexp/powerful options, changed.
  void KeywordChanged(const std::string& text, bool regexp, bool powerful);

  // The commands, over the keyword text last given to KeywordChanged (or Start). Each runs
  // its finishing steps whatever happens, then re-raises an error that ended it (the hits
  // so far stay, sorted). A command asked for while one runs (from the pending events the
  // observer processes) is refused.
  void Search();
  void Narrow();
  void Undo();
  // A saved result list in place of the hits, which become the undo snapshot: sorted,
  // counters and buttons set. Anything but kLoaded changes nothing (refused while a command
  // runs, as kUnreadable with an empty `error`).
  TResultFileStatus LoadResults(const std::string& path, std::string* error);
  void Cancel() { cancel_ = true; }
  void ProgressReportNow() { PartialRefresh(); }

  bool CanSearch() const { return can_search_; }
  bool CanNarrow() const { return can_narrow_; }
  bool CanUndo() const { return can_undo_; }
  bool CanCancel() const { return running_; }
  bool Running() const { return running_; }

  // The sort key ("Display"/"Sort"), applied after every search and on load.
  std::string SortKey() const;
  void SortNow();

  // The label text of the percentage: (done + 1) * 100 / total, right-aligned in three
  // characters, then "%  ".
  static std::string PercentText(int done, int total);
  // Whether the done-counter is one of 10, 20, ..., 90, 100, 200, ..., 1000, ...
  static bool IsRefreshPoint(int done);

  // The Mail record fields taken from the folder path (the header's are
  // ScanHeaderFields's).
  static void FolderFields(const std::string& folder_path, std::string* soft, std::string* folder);

 private:
  void Begin();
  void Finish();
  void StepProgress(int done, int total, const std::string& file_name);
  void AfterMessage(int& done);
  void PartialRefresh();
  void SetCounters();
  bool ProgressBarWanted() const;
  void SearchFolder(TFolder& folder, int& done, int total);
  void ApplyPending();

  TMailStores& stores_;
  TMailReader& reader_;
  TIniFile& ini_;
  TResultList& results_;
  TResultList& undo_;
  ISearchObserver& observer_;
  TRSearch query_;
  TKeywordHistory history_;
  TSearchScope scope_;
  std::vector<TFolder*> folders_;
  bool progress_report_ = true;

  bool cancel_ = false;
  bool running_ = false;
  bool can_search_ = false;
  bool can_narrow_ = false;
  bool can_undo_ = false;
  int last_reported_ = 0;
  int done_ = 0;

  // Asked for while a command ran.
  struct TPendingKeyword {
    std::string text;
    bool regexp;
    bool powerful;
  };
  std::optional<TPendingKeyword> pending_keyword_;
  std::optional<TSearchScope> pending_scope_;
  std::optional<TMethod> pending_method_;
};

}  // namespace lorvane
