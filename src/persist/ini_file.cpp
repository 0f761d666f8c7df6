// The settings object in memory: four parallel lists with a hash index beside them, typed
// writes and reads, sub-section listing and sorting. The file's text form (reader,
// writer, escaping) is in ini_file_format.cpp, fonts and placements in
// ini_font_placement.cpp; showing a write failure is left to the front ends.
// Tested by tests/persist/ini_file_test.cpp.

#include "persist/ini_file.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <numeric>
#include <optional>
#include <unordered_set>

#include "common/messages.h"
#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr std::string_view kTrue = "True";
constexpr std::string_view kFalse = "False";

// Day counts of 0001/01/01 and of the day after 9999/12/31: the dates the text form holds.
constexpr double kFirstDay = -693593;
constexpr double kEndDay = 2958466;

std::string KeyPath(std::string_view section, std::string_view name) {
  std::string key;
  key.reserve(section.size() + 1 + name.size());
  if (!section.empty()) {
    key += section;
    key += '\\';
  }
  key += name;
  return key;
}

char TypeLetter(const std::string& type) {
  if (type.empty()) return 0;
  const char c = type[0];
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Numbers are read leniently about blanks around them and a leading "+", as a hand edit
// may leave them; the writer produces neither.
std::string_view NumberText(std::string_view text) {
  text = Trim(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

// int64_t or double, from the whole of the text.
template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
  text = NumberText(text);
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Locale-independent, so a GUI that sets the user's locale still writes "1.5".
std::string FormatFloat(double value) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, result.ptr);
}

std::optional<int> ToInt(int64_t value) {
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<bool> AsBool(const TIniValue& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return *i != 0;
  if (const double* d = std::get_if<double>(&v)) return *d != 0;
  if (const std::string* s = std::get_if<std::string>(&v)) {
    if (SameTextAscii(*s, kTrue)) return true;
    if (SameTextAscii(*s, kFalse)) return false;
    if (const auto i = ParseNumber<int64_t>(*s)) return *i != 0;
  }
  return std::nullopt;
}

std::optional<int> AsInteger(const TIniValue& v) {
  if (const int64_t* i = std::get_if<int64_t>(&v)) return ToInt(*i);
  if (const bool* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  if (const double* d = std::get_if<double>(&v)) {
    if (!(std::fabs(*d) < 4e9)) return std::nullopt;  // also refuses NaN
    return ToInt(std::llround(*d));
  }
  if (const std::string* s = std::get_if<std::string>(&v)) {
    if (const auto i = ParseNumber<int64_t>(*s)) return ToInt(*i);
  }
  return std::nullopt;
}

std::optional<double> AsFloat(const TIniValue& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  if (const bool* b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
  if (const TDateTime* t = std::get_if<TDateTime>(&v)) return t->value;
  if (const std::string* s = std::get_if<std::string>(&v)) return ParseNumber<double>(*s);
  return std::nullopt;
}

std::optional<std::string> AsString(const TIniValue& v) {
  if (const std::string* s = std::get_if<std::string>(&v)) return *s;
  if (const bool* b = std::get_if<bool>(&v)) return std::string(*b ? kTrue : kFalse);
  if (const int64_t* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
  if (const double* d = std::get_if<double>(&v)) return FormatFloat(*d);
  if (const TDateTime* t = std::get_if<TDateTime>(&v)) return FormatDateTime(*t);
  return std::nullopt;
}

std::optional<TDateTime> AsDateTime(const TIniValue& v) {
  if (const TDateTime* t = std::get_if<TDateTime>(&v)) return *t;
  if (const std::string* s = std::get_if<std::string>(&v)) return ParseDateTime(Trim(*s));
  std::optional<double> days;
  if (const int64_t* i = std::get_if<int64_t>(&v)) days = static_cast<double>(*i);
  if (const double* d = std::get_if<double>(&v)) days = *d;
  // Beyond the calendar a day count cannot be turned into a date.
  if (days && *days >= kFirstDay && *days < kEndDay) return TDateTime{*days};
  return std::nullopt;
}

}  // namespace

TIniFile::TIniFile(IFileSystem& fs, std::string file_name)
    : fs_(&fs), file_name_(std::move(file_name)) {}

void TIniFile::Clear() {
  keys_.clear();
  upper_keys_.clear();
  types_.clear();
  values_.clear();
  index_.clear();
}

long TIniFile::Find(const std::string& upper_key) const {
  const auto it = index_.find(upper_key);
  return it == index_.end() ? -1 : static_cast<long>(it->second);
}

void TIniFile::Append(std::string key, std::string upper_key, std::string type, std::string value) {
  index_.emplace(upper_key, keys_.size());  // an earlier equal key keeps the index
  keys_.push_back(std::move(key));
  upper_keys_.push_back(std::move(upper_key));
  types_.push_back(std::move(type));
  values_.push_back(std::move(value));
}

void TIniFile::Erase(size_t position) {
  const std::string removed = std::move(upper_keys_[position]);
  keys_.erase(keys_.begin() + static_cast<long>(position));
  upper_keys_.erase(upper_keys_.begin() + static_cast<long>(position));
  types_.erase(types_.begin() + static_cast<long>(position));
  values_.erase(values_.begin() + static_cast<long>(position));
  index_.erase(removed);
  // Entries behind the gap move up by one; a later key equal to the removed one (only a
  // hand-edited file has such) becomes the one a lookup finds.
  for (size_t j = position; j < upper_keys_.size(); ++j) {
    const auto it = index_.find(upper_keys_[j]);
    if (it == index_.end()) {
      index_.emplace(upper_keys_[j], j);
    } else if (it->second == j + 1) {
      it->second = j;
    }
  }
}

void TIniFile::RebuildIndex() {
  index_.clear();
  index_.reserve(upper_keys_.size());
  for (size_t i = 0; i < upper_keys_.size(); ++i) index_.emplace(upper_keys_[i], i);
}

void TIniFile::WriteValue(std::string_view section, std::string_view name, const TIniValue& value) {
  std::string key = KeyPath(section, name);
  std::string upper_key = UpperAscii(key);
  const long position = Find(upper_key);
  if (std::holds_alternative<std::monostate>(value)) {
    if (position >= 0) Erase(static_cast<size_t>(position));
    return;
  }
  std::string type;
  std::string text;
  if (const bool* b = std::get_if<bool>(&value)) {
    type = "B";
    text = *b ? kTrue : kFalse;
  } else if (const TDateTime* t = std::get_if<TDateTime>(&value)) {
    type = "D";
    text = FormatDateTime(*t);
  } else if (const double* d = std::get_if<double>(&value)) {
    type = "F";
    text = FormatFloat(*d);
  } else if (const int64_t* i = std::get_if<int64_t>(&value)) {
    type = "I";
    text = std::to_string(*i);
  } else {
    type = "S";
    text = EscapeValue(std::get<std::string>(value));
  }
  if (position < 0) {
    Append(std::move(key), std::move(upper_key), std::move(type), std::move(text));
    return;
  }
  const auto p = static_cast<size_t>(position);
  keys_[p] = std::move(key);
  types_[p] = std::move(type);
  values_[p] = std::move(text);
}

TIniValue TIniFile::ReadValue(std::string_view section, std::string_view name,
                              const TIniValue& default_value) const {
  const long position = Find(UpperAscii(KeyPath(section, name)));
  if (position < 0) return default_value;
  const std::string& text = values_[static_cast<size_t>(position)];
  switch (TypeLetter(types_[static_cast<size_t>(position)])) {
    case 'B':
      return text == kTrue;
    case 'D':
      if (const auto t = ParseDateTime(Trim(text))) return *t;
      return default_value;
    case 'F':
      if (const auto d = ParseNumber<double>(text)) return *d;
      return default_value;
    case 'I':
      if (const auto i = ParseNumber<int64_t>(text)) return *i;
      return default_value;
    default:
      return UnescapeValue(text);
  }
}

bool TIniFile::ValueExists(std::string_view section, std::string_view name) const {
  return Find(UpperAscii(KeyPath(section, name))) >= 0;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view name, bool default_value) const {
  return AsBool(ReadValue(section, name, {})).value_or(default_value);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view name,
                          int default_value) const {
  return AsInteger(ReadValue(section, name, {})).value_or(default_value);
}

double TIniFile::ReadFloat(std::string_view section, std::string_view name,
                           double default_value) const {
  return AsFloat(ReadValue(section, name, {})).value_or(default_value);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view name,
                                 std::string_view default_value) const {
  if (auto s = AsString(ReadValue(section, name, {}))) return std::move(*s);
  return std::string(default_value);
}

TDateTime TIniFile::ReadDateTime(std::string_view section, std::string_view name,
                                 TDateTime default_value) const {
  return AsDateTime(ReadValue(section, name, {})).value_or(default_value);
}

void TIniFile::WriteBool(std::string_view section, std::string_view name, bool value) {
  WriteValue(section, name, value);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view name, int64_t value) {
  WriteValue(section, name, value);
}

void TIniFile::WriteFloat(std::string_view section, std::string_view name, double value) {
  WriteValue(section, name, value);
}

void TIniFile::WriteString(std::string_view section, std::string_view name,
                           std::string_view value) {
  WriteValue(section, name, std::string(value));
}

void TIniFile::WriteDateTime(std::string_view section, std::string_view name, TDateTime value) {
  WriteValue(section, name, value);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view name) {
  WriteValue(section, name, std::monostate{});
}

std::vector<std::string> TIniFile::ReadSections(std::string_view section) const {
  const std::string prefix = section.empty() ? std::string() : UpperAscii(KeyPath(section, ""));
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (size_t i = 0; i < keys_.size(); ++i) {
    if (!upper_keys_[i].starts_with(prefix)) continue;
    const std::string_view rest = std::string_view(keys_[i]).substr(prefix.size());
    for (size_t j = 0; j < rest.size(); j += CharWidthAt(rest, j)) {
      if (rest[j] != '\\') continue;
      std::string name(rest.substr(0, j));
      if (seen.insert(UpperAscii(name)).second) names.push_back(std::move(name));
      break;
    }
  }
  return names;
}

void TIniFile::SortKeys() {
  const auto by_upper = [this](size_t a, size_t b) { return upper_keys_[a] < upper_keys_[b]; };
  std::vector<size_t> order(keys_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  if (std::is_sorted(order.begin(), order.end(), by_upper)) return;
  std::stable_sort(order.begin(), order.end(), by_upper);
  const auto permute = [&order](std::vector<std::string>& list) {
    std::vector<std::string> sorted;
    sorted.reserve(list.size());
    for (size_t i : order) sorted.push_back(std::move(list[i]));
    list = std::move(sorted);
  };
  permute(keys_);
  permute(upper_keys_);
  permute(types_);
  permute(values_);
  RebuildIndex();
}

std::string SettingsFileName(std::string_view program_path) {
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < program_path.size(); i += CharWidthAt(program_path, i)) {
    if (program_path[i] == '\\') dot = std::string_view::npos;
    if (program_path[i] == '.') dot = i;
  }
  if (dot == std::string_view::npos) return std::string(program_path) + ".ini";
  return std::string(program_path.substr(0, dot + 1)) + "ini";
}

TMessageText SettingsWriteFailureText(std::string_view file_name) {
  return {Format(msg::kSettingsNotSaved, {file_name}), std::string(Text(msg::kFileErrorCaption))};
}

}  // namespace lorvane
