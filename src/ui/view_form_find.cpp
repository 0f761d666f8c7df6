// The viewer's find and replace: the dialog for the conditions, and F3 / Shift+F3 running
// the core's RunFind over the text area's text in CP932 bytes, with a message box for
// each replacement it asks about and for "not found". A pattern that does not parse ends
// the run with its message. Tested by tests/ui/view_form_test.cpp.

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "common/messages.h"
#include "common/text_positions.h"
#include "persist/ini_file.h"
#include "persist/search_form_settings.h"
#include "search/awk_str.h"
#include "search/find_replace.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/search_form.h"
#include "ui/view_form.h"

namespace lorvane::ui {

namespace {

// Shows each match to be replaced, with the text as replaced so far, and asks.
class TQtReplaceConfirmation : public IReplaceConfirmation {
 public:
  TQtReplaceConfirmation(QWidget* owner, std::function<void(const TTextSelection&)> show)
      : owner_(owner), show_(std::move(show)) {}

  TReplaceAnswer Confirm(const TTextSelection& state, bool, const std::string& question) override {
    show_(state);
    QApplication::restoreOverrideCursor();
    QMessageBox box(QMessageBox::Question, QString(), FromCore(question),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_);
    box.setObjectName("ConfirmReplace");
    const int answer = box.exec();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return answer == QMessageBox::Yes ? raYes : answer == QMessageBox::No ? raNo : raCancel;
  }

 private:
  QWidget* owner_;
  std::function<void(const TTextSelection&)> show_;
};

}  // namespace

void TViewForm::OpenSearchForm(const char* title) {
  TSearchForm form(ini_, QString::fromUtf8(title), this);
  const TSearchFormResult result = form.Run();
  if (result == sfDownward || result == sfUpward) RunSearch(result == sfDownward);
}

void TViewForm::ShowSearchState(const TTextSelection& state) {
  if (state.text != TextBytes()) SetText(state.text);
  SelectBytes(state.text, state.start, state.length);
}

void TViewForm::RunSearch(bool downward) {
  const TFindConditions conditions = ReadFindConditions(ini_);
  if (conditions.find.empty()) return;
  if (!matcher_) matcher_ = std::make_unique<TAWKStr>();

  TTextSelection state;
  state.text = TextBytes();
  {
    const TTextPositions positions(state.text);
    const QTextCursor cursor = memo_->textCursor();
    state.start = positions.ToByte(static_cast<size_t>(cursor.selectionStart()));
    state.length = positions.ToByte(static_cast<size_t>(cursor.selectionEnd())) - state.start;
  }
  TQtReplaceConfirmation confirmation(this,
                                      [this](const TTextSelection& s) { ShowSearchState(s); });
  TFindOutcome outcome;
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    outcome = RunFind(*matcher_, conditions, downward, state, &confirmation);
  } catch (const std::exception& e) {  // ERegExpParser, with its position
    error = e.what();
  }
  QApplication::restoreOverrideCursor();
  if (!error.empty()) {
    ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
    return;
  }
  if (outcome.found) ShowSearchState(state);
  if (!outcome.message.empty()) {
    QMessageBox box(QMessageBox::Information, FromCore(outcome.message_caption),
                    FromCore(outcome.message), QMessageBox::Ok, this);
    box.setObjectName("NotFound");
    box.exec();
  }
}

}  // namespace lorvane::ui
