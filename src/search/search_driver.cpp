// The search driver.
//   Search:  history, undo snapshot, counting pass over the selected folders, search pass
//            (per message: progress, pending events, cancel, read, cut to the scope, test,
//            record), then the finishing steps in every case.
//   Narrow:  the same test over the undo snapshot's rows, records kept as they were.
//   Undo:    the snapshot back.
//   Load:    a result file's hits, the current ones as the snapshot.
// Tested by tests/search/search_driver_test.cpp.

#include "search/search_driver.h"

#include <climits>
#include <cstdio>
#include <utility>

#include "common/exception.h"
#include "common/messages.h"
#include "common/mbstring.h"
#include "common/number_parse.h"
#include "common/windows_path.h"
#include "mail/header_fields.h"
#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "mail/mailer_catalogue.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

namespace {

std::string CounterText(int n) {
  return std::to_string(n) + " ";
}

// A message address kept as text in a result row; anything but a plain decimal number in
// the 32-bit range is an error (a damaged result file must not be read at some address).
int32_t AddressNumber(const std::string& text, const std::string& file) {
  // We write these as std::to_string does: no "+".
  const std::optional<int32_t> value =
      !text.empty() && text[0] == '+' ? std::nullopt : ParseDecimal32(text);
  if (!value) {
    throw Exception(Format(msg::kNotANumber, {file, text}));
  }
  return *value;
}

// Byte index of the first "\" that starts a character, npos when none.
size_t FirstSeparator(std::string_view s) {
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) {
    if (s[i] == '\\') return i;
  }
  return std::string_view::npos;
}

size_t LastSeparator(std::string_view s) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) {
    if (s[i] == '\\') last = i;
  }
  return last;
}

// The text after the first CR LF CR LF, or all of it when there is none.
std::string_view BodyOf(std::string_view text) {
  const size_t p = text.find("\r\n\r\n");
  return p == std::string_view::npos ? text : text.substr(p + 4);
}

std::string_view HeaderOf(std::string_view text) {
  const size_t p = text.find("\r\n\r\n");
  return p == std::string_view::npos ? text : text.substr(0, p);
}

}  // namespace

TSearchDriver::TSearchDriver(TMailStores& stores, TMailReader& reader, TIniFile& ini,
                             TResultList& results, TResultList& undo, ISearchObserver& observer)
    : stores_(stores),
      reader_(reader),
      ini_(ini),
      results_(results),
      undo_(undo),
      observer_(observer) {}

std::string TSearchDriver::PercentText(int done, int total) {
  const long long percent = total > 0 ? (static_cast<long long>(done) + 1) * 100 / total : 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%3lld%%  ", percent);
  return buf;
}

bool TSearchDriver::IsRefreshPoint(int done) {
  if (done < 10) return false;
  const std::string digits = std::to_string(done).substr(1);
  return digits.find_first_not_of('0') == std::string::npos;
}

void TSearchDriver::FolderFields(const std::string& path, std::string* soft, std::string* folder) {
  const size_t first = FirstSeparator(path);
  const size_t last = LastSeparator(path);
  const std::string last_part = last == std::string::npos ? path : path.substr(last + 1);
  *soft = first == std::string::npos ? std::string() : path.substr(0, first);
  const std::string rest = first == std::string::npos ? path : path.substr(first + 1);
  *folder = last_part == rest ? last_part : last_part + " (" + rest + ")";
}

std::string TSearchDriver::SortKey() const {
  return TSearchSettings::SortKey(ini_);
}

void TSearchDriver::SortNow() {
  SortResults(results_, SortKey());
}

bool TSearchDriver::ProgressBarWanted() const {
  return ini_.ReadBool(keys::kDisplay, keys::kProgressBar, true);
}

void TSearchDriver::Start(bool regexp, bool powerful) {
  history_.Load(ini_);
  query_.SetCondition(history_.Newest(), regexp, powerful);
  can_search_ = !history_.Entries().empty();
  can_narrow_ = false;
  can_undo_ = false;
  observer_.ButtonsChanged();
}

void TSearchDriver::SetScope(TSearchScope scope) {
  if (running_) {
    pending_scope_ = scope;
  } else {
    scope_ = scope;
  }
}

void TSearchDriver::SetMethod(TMethod method) {
  if (running_) {
    pending_method_ = method;
    return;
  }
  query_.SetMethod(method);
  KeywordChanged(query_.SearchPattern(), query_.UseRegExp(), query_.Powerful());
}

void TSearchDriver::ApplyPending() {
  if (pending_scope_) scope_ = *std::exchange(pending_scope_, std::nullopt);
  if (pending_method_) query_.SetMethod(*std::exchange(pending_method_, std::nullopt));
  if (pending_keyword_) {
    const TPendingKeyword k = *std::exchange(pending_keyword_, std::nullopt);
    query_.SetCondition(k.text, k.regexp, k.powerful);
  }
}

void TSearchDriver::KeywordChanged(const std::string& text, bool regexp, bool powerful) {
  if (running_) {
    pending_keyword_ = TPendingKeyword{text, regexp, powerful};
    return;
  }
  query_.SetCondition(text, regexp, powerful);
  can_search_ = !query_.PatternError();
  can_narrow_ = !query_.PatternError() && text != history_.Newest() && !results_.Empty();
  observer_.ButtonsChanged();
}

void TSearchDriver::SetCounters() {
  observer_.Counters(CounterText(results_.Count()), CounterText(done_));
}

// Steps common to the start of Search and Narrow.
void TSearchDriver::Begin() {
  running_ = true;
  can_search_ = can_narrow_ = can_undo_ = false;
  observer_.ButtonsChanged();
  undo_ = results_;
  history_.Add(query_.SearchPattern(), ini_);
  cancel_ = false;
  done_ = 0;
  last_reported_ = 0;
  observer_.Counters("0 ", "0 ");
  observer_.Progress(0, 0, PercentText(-1, 1));
  observer_.ShowProgressPanel(ProgressBarWanted());
  results_.Clear();
  observer_.ResultsChanged();
}

void TSearchDriver::Finish() {
  observer_.CurrentFile("");
  SortNow();
  observer_.ResultsChanged();
  observer_.ShowProgressPanel(false);
  running_ = false;
  ApplyPending();
  can_search_ = !query_.PatternError();
  can_narrow_ = false;
  can_undo_ = !undo_.Empty();
  observer_.ButtonsChanged();
}

void TSearchDriver::StepProgress(int done, int total, const std::string& file_name) {
  observer_.CurrentFile(file_name);
  observer_.Progress(done, total, PercentText(done, total));
  observer_.ShowProgressPanel(ProgressBarWanted());
  observer_.ProcessPendingEvents();
}

void TSearchDriver::AfterMessage(int& done) {
  ++done;
  done_ = done;
  SetCounters();
  if (progress_report_ && IsRefreshPoint(done)) PartialRefresh();
}

void TSearchDriver::PartialRefresh() {
  if (results_.Count() == last_reported_) return;
  last_reported_ = results_.Count();
  SortNow();
  observer_.ResultsChanged();
}

void TSearchDriver::SearchFolder(TFolder& folder, int& done, int total) {
  const std::string folder_path = folder.FullCaption();
  const bool names_without_blank = HeaderNamesWithoutBlank(folder.Kind());
  for (int i = 0; i < folder.MailCount(); ++i) {
    const TMail mail = *folder.Mail(i);
    StepProgress(done, total, mail.FileName);
    if (cancel_) return;
    const std::string text = reader_.ReadMail(mail, !scope_.body);
    const std::string_view current = scope_.header ? std::string_view(text) : BodyOf(text);
    if (query_.IsMatch(current)) {
      TMailRecord record;
      FolderFields(folder_path, &record[mfSoft], &record[mfFolder]);
      ScanHeaderFields(text, names_without_blank, &record[mfDate], &record[mfTime],
                       &record[mfSender], &record[mfSubject]);
      if (record[mfSubject].empty()) record[mfSubject] = ExtractFileName(mail.FileName);
      record[mfFileName] = mail.FileName;
      record[mfFirst] = std::to_string(mail.First);
      record[mfLast] = std::to_string(mail.Last);
      results_.Append(record);
    }
    AfterMessage(done);
  }
}

void TSearchDriver::Search() {
  if (running_) return;
  Begin();
  try {
    if (!Trim(query_.SearchPattern()).empty()) {
      const std::vector<TFolder*> folders =
          folders_.empty() ? stores_.Tree().SelectedFolders() : folders_;
      // The counting pass keeps each folder's addresses for the search pass, so a mailbox
      // is scanned once for its messages rather than twice.
      std::vector<std::vector<TMail>> addresses;
      int total = 0;
      for (TFolder* folder : folders) {
        stores_.EnumerateMails(*folder);
        total += folder->MailCount();
        addresses.push_back(folder->TakeMails());
        // Counting a large store takes a while too: the window stays live and Cancel works.
        observer_.ProcessPendingEvents();
        if (cancel_) break;
      }
      int done = 0;
      for (size_t i = 0; i < addresses.size() && total > 0 && !cancel_; ++i) {
        TFolder* folder = folders[i];
        struct ClearOnExit {
          TFolder* f;
          ~ClearOnExit() { f->ClearMails(); }
        } clear{folder};
        folder->SetMails(std::move(addresses[i]));
        if (folder->MailCount() == 0) observer_.CurrentFile("");
        SearchFolder(*folder, done, total);
        if (cancel_) break;
      }
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void TSearchDriver::Narrow() {
  if (running_) return;
  Begin();
  try {
    if (!Trim(query_.SearchPattern()).empty() && !undo_.Empty()) {
      const int total = undo_.Count();
      int done = 0;
      for (int row = 0; row < total; ++row) {
        const std::string& file = undo_.Field(row, mfFileName);
        StepProgress(done, total, file);
        if (cancel_) break;
        const int32_t first = AddressNumber(undo_.Field(row, mfFirst), file);
        const int32_t last = AddressNumber(undo_.Field(row, mfLast), file);
        const std::string text = reader_.ReadMailText(file, first, last, !scope_.body);
        std::string_view current = text;
        if (!scope_.body) {
          current = HeaderOf(text);
        } else if (!scope_.header) {
          current = BodyOf(text);
        }
        if (query_.IsMatch(current)) results_.Append(undo_.Row(row));
        AfterMessage(done);
      }
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void TSearchDriver::Undo() {
  if (running_) return;
  results_ = undo_;
  SortNow();
  observer_.ResultsChanged();
  can_narrow_ = !results_.Empty();
  observer_.Counters(CounterText(results_.Count()), "");
  can_undo_ = false;
  observer_.ButtonsChanged();
}

TResultFileStatus TSearchDriver::LoadResults(const std::string& path, std::string* error) {
  if (running_) {
    if (error != nullptr) error->clear();
    return TResultFileStatus::kUnreadable;
  }
  const TResultFileStatus status = LoadResultFile(stores_.Fs(), path, &results_, &undo_, error);
  if (status != TResultFileStatus::kLoaded) return status;
  SortNow();
  observer_.ResultsChanged();
  observer_.Counters(CounterText(results_.Count()), "");
  can_narrow_ = !results_.Empty();
  can_undo_ = !undo_.Empty();
  observer_.ButtonsChanged();
  return status;
}

}  // namespace lorvane
