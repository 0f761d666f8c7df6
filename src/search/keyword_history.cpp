// Keyword history and its settings.
// Tested by tests/search/search_driver_test.cpp.

#include "search/keyword_history.h"

#include "common/mbstring.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

namespace {
std::string HistoryName(size_t i) {
  return "History[" + std::to_string(i) + "]";
}
}  // namespace

void TKeywordHistory::Add(const std::string& text, TIniFile& ini) {
  const std::string_view trimmed = Trim(text);
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (Trim(entries_[i]) == trimmed) {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  entries_.insert(entries_.begin(), text);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
  for (size_t i = 0; i < entries_.size(); ++i) {
    ini.WriteString(keys::kKeyword, HistoryName(i), entries_[i]);
  }
}

void TKeywordHistory::Load(const TIniFile& ini) {
  entries_.clear();
  for (size_t i = 0; i < kMaxEntries; ++i) {
    std::string entry = ini.ReadString(keys::kKeyword, HistoryName(i), "");
    if (!entry.empty()) entries_.push_back(std::move(entry));
  }
}

}  // namespace lorvane
