// The settings-backed search options: their keys, defaults and value names. What the
// options do is the search driver's and the keyword query's.
// Tested by tests/search/search_settings_test.cpp.

#include "search/search_settings.h"

#include <algorithm>
#include <iterator>

#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

namespace {

constexpr std::string_view kSortKeys[] = {"Soft", "Folder", "Date", "From", "Subject"};

}  // namespace

TSearchSettings TSearchSettings::Load(const TIniFile& ini) {
  TSearchSettings s;
  s.method = MethodOfName(ini.ReadString(keys::kKeyword, keys::kMethod, MethodName(s.method)));
  s.regexp = ini.ReadBool(keys::kOption, keys::kRegExp, s.regexp);
  s.powerful = ini.ReadBool(keys::kOption, keys::kPowerful, s.powerful);
  s.scope.header = ini.ReadBool(keys::kOption, keys::kCheckHeader, true);
  s.scope.body = ini.ReadBool(keys::kOption, keys::kCheckBody, true);
  if (!s.scope.header && !s.scope.body) s.scope = {true, true};
  s.length_limit = LengthLimit(ini);
  s.sort_key = SortKey(ini);
  return s;
}

void TSearchSettings::Save(TIniFile& ini) const {
  ini.WriteString(keys::kKeyword, keys::kMethod, MethodName(method));
  ini.WriteBool(keys::kOption, keys::kRegExp, regexp);
  ini.WriteBool(keys::kOption, keys::kPowerful, powerful);
  ini.WriteBool(keys::kOption, keys::kCheckHeader, scope.header);
  ini.WriteBool(keys::kOption, keys::kCheckBody, scope.body);
  ini.WriteBool(keys::kOption, keys::kLengthLimit, length_limit);
  SaveSortKey(ini, sort_key);
}

bool TSearchSettings::LengthLimit(const TIniFile& ini) {
  return ini.ReadBool(keys::kOption, keys::kLengthLimit, true);
}

std::string TSearchSettings::SortKey(const TIniFile& ini) {
  return ini.ReadString(keys::kDisplay, keys::kSort, "Soft");
}

void TSearchSettings::SaveSortKey(TIniFile& ini, std::string_view sort_key) {
  ini.WriteString(keys::kDisplay, keys::kSort, sort_key);
}

bool IsSortKey(std::string_view key) {
  return std::find(std::begin(kSortKeys), std::end(kSortKeys), key) != std::end(kSortKeys);
}

TMethod MethodOfName(std::string_view name) {
  if (name == "OR") return mtOR;
  if (name == "Logic") return mtLogic;
  return mtAND;
}

std::string_view MethodName(TMethod method) {
  switch (method) {
    case mtOR:
      return "OR";
    case mtLogic:
      return "Logic";
    case mtAND:
      break;
  }
  return "AND";
}

}  // namespace lorvane
