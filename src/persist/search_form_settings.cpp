// The "SearchForm" settings: histories, method and options, and what the search and the
// Search menu make of them.
// Tested by tests/persist/search_form_settings_test.cpp.

#include "persist/search_form_settings.h"

#include <algorithm>

#include "persist/settings_keys.h"

namespace lorvane {

namespace {

constexpr const char* kFind = "Find";
constexpr const char* kReplace = "Replace";
constexpr const char* kMethod = "Method";
constexpr const char* kMessage = "Message";
constexpr const char* kContinuous = "Continuous";
constexpr const char* kConfirm = "Confirm";
constexpr const char* kButtonWidth = "ButtonWidth";

std::vector<std::string> ReadHistory(const TIniFile& ini, const char* name) {
  std::vector<std::string> history;
  for (int i = 0; i < kSearchHistoryLength; ++i) {
    std::string item = ini.ReadString(keys::kSearchForm, name + std::to_string(i), "");
    if (item.empty()) break;
    history.push_back(std::move(item));
  }
  return history;
}

void WriteHistory(TIniFile& ini, const char* name, const std::vector<std::string>& history) {
  const size_t count = std::min(history.size(), static_cast<size_t>(kSearchHistoryLength));
  for (size_t i = 0; i < count; ++i) {
    if (!history[i].empty()) {
      ini.WriteString(keys::kSearchForm, name + std::to_string(i), history[i]);
    }
  }
}

}  // namespace

const char* const kMethodFind = kFind;
const char* const kMethodReplace = kReplace;

bool IsFindDialogTitle(std::string_view title) {
  return title == "検索" || title == "Search";
}

TSearchFormSettings ReadSearchFormSettings(const TIniFile& ini) {
  TSearchFormSettings s;
  s.find_history = ReadHistory(ini, kFind);
  s.replace_history = ReadHistory(ini, kReplace);
  s.method = ini.ReadString(keys::kSearchForm, kMethod, "");
  s.message = ini.ReadBool(keys::kSearchForm, kMessage, true);
  s.continuous = ini.ReadBool(keys::kSearchForm, kContinuous, true);
  s.confirm = ini.ReadBool(keys::kSearchForm, kConfirm, true);
  s.regexp = ini.ReadBool(keys::kSearchForm, keys::kRegExp, false);
  s.powerful = ini.ReadBool(keys::kSearchForm, keys::kPowerful, true);
  return s;
}

void PutFirstInHistory(std::vector<std::string>* history, const std::string& text) {
  // An empty text would take the top place but never be written, shifting the history
  // below an entry 0 that keeps its old value.
  if (text.empty()) return;
  const auto found = std::find(history->begin(), history->end(), text);
  if (found == history->end()) {
    history->insert(history->begin(), text);
  } else {
    std::rotate(history->begin(), found, found + 1);
  }
}

void WriteSearchFormSettings(TIniFile& ini, const TSearchFormSettings& s) {
  WriteHistory(ini, kFind, s.find_history);
  WriteHistory(ini, kReplace, s.replace_history);
  ini.WriteString(keys::kSearchForm, kMethod, s.method);
  ini.WriteBool(keys::kSearchForm, kMessage, s.message);
  ini.WriteBool(keys::kSearchForm, kContinuous, s.continuous);
  ini.WriteBool(keys::kSearchForm, kConfirm, s.confirm);
  ini.WriteBool(keys::kSearchForm, keys::kRegExp, s.regexp);
  ini.WriteBool(keys::kSearchForm, keys::kPowerful, s.powerful);
}

int ReadSearchButtonWidth(const TIniFile& ini, int designed_width) {
  return ini.ReadInteger(keys::kSearchForm, kButtonWidth, designed_width);
}

void WriteSearchButtonWidth(TIniFile& ini, int width) {
  ini.WriteInteger(keys::kSearchForm, kButtonWidth, width);
}

TFindConditions ReadFindConditions(const TIniFile& ini) {
  const TSearchFormSettings s = ReadSearchFormSettings(ini);
  TFindConditions c;
  c.find = ini.ReadString(keys::kSearchForm, kFind + std::string("0"), "");
  c.replace = ini.ReadString(keys::kSearchForm, kReplace + std::string("0"), "");
  c.replace_mode = ini.ReadString(keys::kSearchForm, kMethod, kFind) != kFind;
  c.message = s.message;
  c.continuous = s.continuous;
  c.confirm = s.confirm;
  c.regexp = s.regexp;
  c.powerful = s.powerful;
  return c;
}

TSearchMenuItems ReadSearchMenuItems(const TIniFile& ini) {
  TSearchMenuItems items;
  items.enabled = !ini.ReadString(keys::kSearchForm, kFind + std::string("0"), "").empty();
  const std::string method = ini.ReadString(keys::kSearchForm, kMethod, "");
  if (method == kFind) {
    items.previous_caption = "上へ検索(&Previous)";
    items.next_caption = "下へ検索(&Next)";
  } else if (method == kReplace) {
    items.previous_caption = "上へ置き換え(&Previous)";
    items.next_caption = "下へ置き換え(&Next)";
  } else {
    items.previous_caption = "上へ検索／置き換え(&Previous)";
    items.next_caption = "下へ検索／置き換え(&Next)";
  }
  return items;
}

}  // namespace lorvane
