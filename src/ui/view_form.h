#pragma once
// TViewForm, the built-in viewer: one found message at a time in a plain text area, the
// result's other hits a key away (P and N while the text is read-only), where the
// keywords matched highlighted, quoted copy and paste, Save As, and find and replace.
// Non-modal; several may be open. The message list, loading and the find rules are the
// core's; this window shows them.

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mail/viewer_messages.h"
#include "search/keyword_query.h"
#include "search/search_settings.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace lorvane {
class TAWKStr;
class TIniFile;
class TMailReader;
struct TPlatform;
struct TTextSelection;
}  // namespace lorvane

namespace lorvane::ui {

struct TViewerContext {
  TPlatform& platform;
  TIniFile& ini;
  TMailReader& reader;
};

// What the viewer highlights: the keywords of the search that produced the result.
struct THighlightKeywords {
  std::string pattern;  // CP932
  TMethod method = mtAND;
  bool regexp = false;
  bool powerful = true;
  TSearchScope scope;
};

class TViewForm : public QMainWindow {
  Q_OBJECT

 public:
  TViewForm(const TViewerContext& context, const THighlightKeywords& keywords, QWidget* owner);
  ~TViewForm() override;

  void AddMail(const std::string& file, int32_t first, int32_t last);
  void ShowMail(int index);  // out of range: nothing
  QString Title() const;     // the window title (for the Window menu)

  // After a message was shown and whenever the window is activated: the message's file
  // (the saved file after Save As) and first line.
  std::function<void(const std::string& file, int32_t first)> on_mail_shown;
  // When the window closes; it is deleted afterwards.
  std::function<void(TViewForm*)> on_viewer_close;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // view_form_menus.cpp
  void BuildMenus();
  void BuildPopupMenu();
  void UpdateEditItems(QAction* cut, QAction* copy, QAction* paste, QAction* del,
                       QAction* quoted_copy, QAction* quoted_paste);
  void UpdateSearchItems(bool as_in_menu);

  // view_form.cpp
  void LoadCurrent();
  void Step(int delta);
  void NotifyShown();
  void ApplyReadOnly(bool read_only);
  void ApplyBackground(int windows_colour);
  void ApplyScroll();
  void Highlight(const std::string& text);
  void MoveToMatch(bool next);
  void SelectBytes(const std::string& text, size_t start, size_t length);
  void SetText(const std::string& text);
  std::string TextBytes() const;       // the text area's text, lines ended by CR LF
  std::string SelectionBytes() const;  // the same for the selection
  bool Writable() const;

  // The commands.
  void QuotedCopy();
  void QuotedPaste();
  void SetQuotationMark();
  void ToggleReadOnly();
  void ChooseFont();
  void ChooseBackground();
  void SaveAs();

  // view_form_find.cpp
  void OpenSearchForm(const char* title);
  void RunSearch(bool downward);
  void ShowSearchState(const TTextSelection& state);

  TPlatform& platform_;
  TIniFile& ini_;
  TMailReader& reader_;
  TRSearch query_;  // the viewer's own: a search may be running in the same event loop
  TSearchScope scope_;
  TViewerMessages messages_;
  std::string file_name_;
  std::unique_ptr<TAWKStr> matcher_;

  // Where a loaded message is scrolled to once the window has its size: the body line,
  // or the first highlight in the searched scope when the body's first screen lacks it.
  int body_line_ = -1;
  int body_position_ = 0;
  int match_position_ = -1;
  bool scroll_pending_ = false;

  QPlainTextEdit* memo_ = nullptr;
  QMenu* popup_ = nullptr;
  QAction* message_ = nullptr;
  QAction* prev_ = nullptr;
  QAction* next_ = nullptr;
  QAction* view_prev_ = nullptr;
  QAction* view_next_ = nullptr;
  QAction* next_match_ = nullptr;
  QAction* prev_match_ = nullptr;
  QAction* save_as_ = nullptr;
  QAction* read_only_ = nullptr;
  QAction* search_previous_ = nullptr;
  QAction* search_next_ = nullptr;
};

}  // namespace lorvane::ui
