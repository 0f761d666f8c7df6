// Line splitting, hexadecimal data and value shaping shared by the hive and export
// readers. Nothing here knows either file's grammar.
// Tested by tests/platform/posix/reg_file_parser_test.cpp.

#include "platform/posix/reg_file_text.h"

#include "common/codepage.h"
#include "common/mbstring.h"

namespace lorvane::regtext {

namespace {

bool IsValueLine(std::string_view line) {
  line = SkipBlanks(line);
  return !line.empty() && (line[0] == '"' || line[0] == '@');
}

bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool TLineReader::NextPhysical(std::string_view* line) {
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  std::string_view l = text_.substr(pos_, end - pos_);
  if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
  pos_ = end + 1;
  ++physical_;
  *line = l;
  return true;
}

bool TLineReader::EndsWithBackslash(std::string_view line) const {
  if (line.empty()) return false;
  if (!cp932_) return line.back() == '\\';
  size_t last = 0;
  for (size_t i = 0; i < line.size(); i += CharWidthAt(line, i)) last = i;
  return last == line.size() - 1 && line[last] == '\\';
}

bool TLineReader::Next(std::string_view* line) {
  std::string_view first;
  if (!NextPhysical(&first)) return false;
  line_number_ = physical_;
  if (!IsValueLine(first) || !EndsWithBackslash(first)) {
    *line = first;
    return true;
  }
  joined_.assign(first.substr(0, first.size() - 1));
  std::string_view more;
  while (true) {
    // A line that starts a key or a value is never a continuation: a stray "\" must not
    // swallow the next key.
    const size_t pos = pos_;
    const size_t physical = physical_;
    if (!NextPhysical(&more)) break;
    more = SkipBlanks(more);
    if (IsValueLine(more) || (!more.empty() && more[0] == '[')) {
      pos_ = pos;
      physical_ = physical;
      break;
    }
    if (!EndsWithBackslash(more)) {
      joined_.append(more);
      break;
    }
    joined_.append(more.substr(0, more.size() - 1));
  }
  *line = joined_;
  return true;
}

std::string_view SkipBlanks(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

bool ConsumePrefix(std::string_view* s, std::string_view prefix) {
  if (s->size() < prefix.size() || !SameTextAscii(s->substr(0, prefix.size()), prefix)) {
    return false;
  }
  s->remove_prefix(prefix.size());
  return true;
}

bool OnlyCommentLeft(std::string_view s) {
  s = SkipBlanks(s);
  return s.empty() || s[0] == ';';
}

std::vector<std::string_view> SplitAtBackslash(std::string_view path, bool cp932) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  size_t i = 0;
  while (i < path.size()) {
    if (path[i] == '\\') {
      parts.push_back(path.substr(start, i - start));
      start = ++i;
    } else {
      i += cp932 ? CharWidthAt(path, i) : 1;
    }
  }
  parts.push_back(path.substr(start));
  return parts;
}

std::optional<std::string> ParseHexBytes(std::string_view s) {
  std::string out;
  out.reserve(s.size() / 3 + 1);
  size_t i = 0;
  while (true) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size() || s[i] == ';') return out;
    int value = 0;
    int digits = 0;
    while (i < s.size() && digits < 3 && HexDigitValue(s[i]) >= 0) {
      value = value * 16 + HexDigitValue(s[i++]);
      ++digits;
    }
    if (digits == 0 || digits > 2) return std::nullopt;
    out.push_back(static_cast<char>(value));
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size() || s[i] == ';') return out;
    if (s[i] != ',') return std::nullopt;
    ++i;
  }
}

std::optional<uint32_t> ParseHexNumber(std::string_view* s) {
  uint32_t value = 0;
  size_t i = 0;
  while (i < s->size() && i < 9 && HexDigitValue((*s)[i]) >= 0) {
    value = value * 16 + static_cast<uint32_t>(HexDigitValue((*s)[i]));
    ++i;
  }
  if (i == 0 || i > 8) return std::nullopt;
  s->remove_prefix(i);
  return value;
}

bool IsStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

TRegValue MakeValue(uint32_t type, std::string data) {
  if (type == kRegSz || type == kRegExpandSz) {
    const size_t nul = data.find('\0');
    if (nul != std::string::npos) data.resize(nul);
  } else if (type == kRegMultiSz) {
    std::string list;
    size_t start = 0;
    while (start < data.size()) {
      size_t nul = data.find('\0', start);
      if (nul == std::string::npos) nul = data.size();
      if (nul == start) break;
      list.append(data, start, nul - start).push_back('\0');
      start = nul + 1;
    }
    data = std::move(list);
  }
  return TRegValue{type, std::move(data)};
}

TRegValue MakeValueFromBytes(uint32_t type, std::string bytes, bool utf16) {
  if (!IsStringType(type)) return TRegValue{type, std::move(bytes)};
  return MakeValue(type, utf16 ? Utf16LeToCp932Lossy(bytes) : std::move(bytes));
}

TRegValue MakeDword(uint32_t n) {
  std::string data(4, '\0');
  for (int k = 0; k < 4; ++k) data[k] = static_cast<char>(n >> (8 * k) & 0xFF);
  return TRegValue{kRegDword, std::move(data)};
}

std::string TextToCp932(std::string_view text, bool utf8) {
  if (!utf8 || IsAscii(text)) return std::string(text);
  return Utf8ToCp932Lossy(text);
}

std::string KeyNameToCp932(std::string_view text, bool utf8) {
  if (!utf8 || IsAscii(text)) return std::string(text);
  std::string name = Utf8ToCp932Lossy(text);
  for (size_t i = 0; i < name.size(); i += CharWidthAt(name, i)) {
    if (name[i] == '\\') name[i] = '?';
  }
  return name;
}

}  // namespace lorvane::regtext
