// The settings file's text: value escaping, the line reader (XML form and the old
// "name=type:value" form) and the writer, and their file entry points. The reader
// trusts nothing: depth is capped, key bytes are budgeted, every cut is bounds-checked.
//
// A lead byte pairs only with a possible trail byte (0x40-0xFC but 0x7F). So "%", blanks,
// quotes, "=", ":" and control bytes never hide inside a double-byte character, a byte
// search for them finds only character starts, and a control byte after a stray lead byte
// is still escaped instead of breaking a line. "\" can be a trail byte and is found by
// walking characters.
// Tested by tests/persist/ini_file_test.cpp and tests/persist/ini_file_load_test.cpp.

#include <algorithm>

#include "common/mbstring.h"
#include "persist/ini_file.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version='1.0' encoding='Shift_JIS' ?>";
constexpr std::string_view kRootOpen = "<IniFile version='1.0'>";
constexpr std::string_view kRootClose = "</IniFile>";
constexpr std::string_view kTypeAttribute = " Type=\"";
constexpr std::string_view kLineEnd = "\r\n";

// Key paths a loaded file may create, in bytes: far above any real settings file, and
// enough to stop a long section name above many short lines multiplying into gigabytes.
constexpr size_t kMinKeyBudget = size_t{16} << 20;

bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

size_t CharWidth(std::string_view s, size_t i) {
  return IsLeadByte(s[i]) && i + 1 < s.size() && IsTrailByte(static_cast<unsigned char>(s[i + 1]))
             ? 2
             : 1;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Byte index of the first "\" that starts a character, or npos.
size_t FindSeparator(std::string_view s) {
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) {
    if (s[i] == '\\') return i;
  }
  return std::string_view::npos;
}

std::string_view TypeWord(const std::string& type) {
  switch (type.empty() ? 0 : type[0]) {
    case 'B':
      return "Boolean";
    case 'D':
      return "Date";
    case 'F':
      return "Float";
    case 'I':
      return "Integer";
    default:
      return "String";
  }
}

// Whether the last character is a lead byte without its trail byte: a "\" after it would
// be read as that trail byte, so nothing can nest below such a key.
bool EndsInLoneLeadByte(std::string_view s) {
  size_t last = 0;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) last = i;
  return last + 1 == s.size() && IsLeadByte(s[last]);
}

// Whether `text` ends in "</" + name + ">", the name in any ASCII case.
bool EndsWithClosingTag(std::string_view text, std::string_view name) {
  if (text.size() < name.size() + 3) return false;
  const std::string_view tail = text.substr(text.size() - name.size() - 3);
  return tail.starts_with("</") && tail.back() == '>' &&
         SameTextAscii(tail.substr(2, name.size()), name);
}

// Whether the reader would give this key back. Each part becomes "<part ...>" on a line
// of its own, so a part may not open like a closing line or hold the type marker.
bool FileCanHold(std::string_view key) {
  if (key.find('\n') != std::string_view::npos) return false;
  int depth = 0;
  std::string_view rest = key;
  while (true) {
    if (++depth > kMaxIniKeyDepth) return false;
    const size_t sep = FindSeparator(rest);
    const std::string_view part = rest.substr(0, sep);
    if (part.starts_with('/') || part.find(kTypeAttribute) != std::string_view::npos) {
      return false;
    }
    if (sep == std::string_view::npos) return true;
    rest.remove_prefix(sep + 1);
  }
}

// The open section names while reading: their joined path (each followed by "\") and
// where each level ends in it.
class PathStack {
 public:
  const std::string& Prefix() const { return prefix_; }
  void Resize(size_t depth) {
    if (ends_.size() > depth) {
      prefix_.resize(depth == 0 ? 0 : ends_[depth - 1]);
      ends_.resize(depth);
    }
    while (ends_.size() < depth) {
      prefix_ += '\\';
      ends_.push_back(prefix_.size());
    }
  }
  void Push(std::string_view name) {
    prefix_ += name;
    prefix_ += '\\';
    ends_.push_back(prefix_.size());
  }

 private:
  std::string prefix_;
  std::vector<size_t> ends_;
};

// The file's lines: split at LF, a CR before the LF dropped; a final line end makes no
// empty line after it.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : body_(text) {
    if (body_.ends_with('\n')) body_.remove_suffix(1);
    const size_t last_lf = body_.rfind('\n');
    last_start_ = last_lf == std::string_view::npos ? 0 : last_lf + 1;
    done_ = text.empty();
  }
  bool Next(std::string_view* line) {
    if (done_) return false;
    const size_t lf = body_.find('\n', pos_);
    const size_t end = lf == std::string_view::npos ? body_.size() : lf;
    *line = body_.substr(pos_, end - pos_);
    if (line->ends_with('\r')) line->remove_suffix(1);
    is_last_ = pos_ == last_start_;
    done_ = lf == std::string_view::npos;
    pos_ = end + 1;
    return true;
  }
  bool IsLast() const { return is_last_; }

 private:
  std::string_view body_;
  size_t pos_ = 0;
  size_t last_start_ = 0;
  bool done_ = false;
  bool is_last_ = false;
};

}  // namespace

std::string EscapeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '%') {
      out += "%%";
    } else if (b < 0x20) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 >= text.size()) {
      out += text[i];
    } else if (text[i + 1] == '%') {
      out += '%';
      ++i;
    } else if (i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += '%';
    }
  }
  return out;
}

void TIniFile::LoadFromText(std::string_view text) {
  Clear();
  LineCursor lines(text);
  std::string_view line;
  if (!lines.Next(&line)) return;
  const bool xml = line.size() >= 5 && SameTextAscii(line.substr(0, 5), "<?xml");
  if (xml) {
    // The declaration, the root element's line and the last line are not looked at.
    if (!lines.Next(&line) || !lines.Next(&line)) return;
  }
  const size_t budget = std::max(kMinKeyBudget, 4 * text.size());
  size_t key_bytes = 0;
  PathStack stack;
  do {
    if (xml && lines.IsLast()) break;
    std::string_view t = TrimLeft(line);
    const size_t indent = line.size() - t.size();
    // A blank line carries nothing; taken as a section it would rename the open one.
    if (t.empty() || (xml && t.starts_with("</"))) continue;
    const size_t depth = xml && indent > 0 ? indent - 1 : indent;
    if (depth >= static_cast<size_t>(kMaxIniKeyDepth)) continue;
    stack.Resize(depth);

    std::string_view name;
    std::string_view type;
    std::string_view value;
    if (xml) {
      t.remove_prefix(CharWidth(t, 0));  // "<"
      const size_t p = t.find(kTypeAttribute);
      if (p == std::string_view::npos) {
        // A section line: its name without the closing ">".
        size_t last = 0;
        for (size_t i = 0; i < t.size(); i += CharWidth(t, i)) last = i;
        stack.Push(t.substr(0, last));
        continue;
      }
      name = t.substr(0, p);
      const std::string_view rest = t.substr(p + kTypeAttribute.size());
      const size_t quote = rest.find('"');
      type = rest.substr(0, quote);
      if (quote != std::string_view::npos) {
        value = rest.substr(quote + 1);
        if (!value.empty()) value.remove_prefix(CharWidth(value, 0));  // ">"
        if (EndsWithClosingTag(value, name)) value.remove_suffix(name.size() + 3);
      }
    } else {
      const size_t eq = t.find('=');
      if (eq == std::string_view::npos) {
        stack.Push(t);
        continue;
      }
      name = t.substr(0, eq);
      const std::string_view rest = t.substr(eq + 1);
      const size_t colon = rest.find(':');
      if (colon == std::string_view::npos) {
        value = rest;  // no type: read as a string
      } else {
        type = rest.substr(0, colon);
        value = rest.substr(colon + 1);
      }
    }
    const size_t key_size = stack.Prefix().size() + name.size();
    // A key that would pass the budget is dropped: no settings file comes near it.
    if (key_bytes + key_size > budget) continue;
    key_bytes += key_size;
    std::string key = stack.Prefix() + std::string(name);
    std::string upper_key = UpperAscii(key);
    Append(std::move(key), std::move(upper_key), xml ? UpperAscii(type) : std::string(type),
           std::string(value));
    stack.Push(name);
  } while (lines.Next(&line));
}

std::string TIniFile::ToText() {
  SortKeys();
  for (std::string& type : types_) {
    if (type.size() > 1) type.resize(1);
    type = UpperAscii(type);
  }

  std::vector<size_t> rows;
  rows.reserve(keys_.size());
  size_t size_estimate = 128;
  for (size_t i = 0; i < keys_.size(); ++i) {
    // Only the first of equal keys is ever read; a second would come back under another
    // path.
    if (i > 0 && upper_keys_[i] == upper_keys_[i - 1]) continue;
    if (!FileCanHold(keys_[i])) continue;
    rows.push_back(i);
    size_estimate += 2 * keys_[i].size() + values_[i].size() + 32;
  }

  std::string out;
  out.reserve(size_estimate);
  const auto begin_line = [&out](size_t depth) { out.append(depth + 1, ' '); };
  out.append(kXmlDeclaration).append(kLineEnd);
  out.append(kRootOpen).append(kLineEnd);

  // Open element names (views into keys_, which stays put while writing) and where each
  // level ends in the upper-cased path. After a key the open path is that key plus "\".
  std::vector<std::string_view> open;
  std::vector<size_t> ends;
  std::string_view previous;
  const auto close_down_to = [&](size_t level) {
    for (size_t l = open.size() - 1; l-- > level;) {
      begin_line(l);
      out.append("</").append(open[l]).append(">").append(kLineEnd);
    }
  };
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string& key = keys_[rows[r]];
    const std::string& upper = upper_keys_[rows[r]];
    // Levels still open above this key: compare it and the previous key, each with "\".
    const auto at = [](std::string_view s, size_t j) { return j < s.size() ? s[j] : '\\'; };
    size_t common = 0;
    const size_t limit = std::min(upper.size(), previous.size()) + 1;
    while (common < limit && at(upper, common) == at(previous, common)) ++common;
    size_t matched = 0;
    while (matched < ends.size() && ends[matched] <= common) ++matched;
    if (!open.empty()) close_down_to(matched);
    open.resize(matched);
    ends.resize(matched);

    size_t done = matched == 0 ? 0 : ends[matched - 1];
    std::string_view rest = std::string_view(key).substr(std::min(done, key.size()));
    for (size_t sep; (sep = FindSeparator(rest)) != std::string_view::npos;) {
      begin_line(open.size());
      out.append("<").append(rest.substr(0, sep)).append(">").append(kLineEnd);
      open.push_back(rest.substr(0, sep));
      done += sep + 1;
      ends.push_back(done);
      rest.remove_prefix(sep + 1);
    }

    const std::string& value = values_[rows[r]];
    const bool nestable = !EndsInLoneLeadByte(upper);
    bool has_children = false;
    if (nestable && r + 1 < rows.size()) {
      const std::string& next = upper_keys_[rows[r + 1]];
      has_children =
          next.size() > upper.size() && next.starts_with(upper) && next[upper.size()] == '\\';
    }
    begin_line(open.size());
    out.append("<").append(rest).append(kTypeAttribute).append(TypeWord(types_[rows[r]]));
    out.append("\">").append(value);
    // Left open, a value ending in its own closing tag would lose it to the reader;
    // closed, it reads the same, as the reader ignores closing tags.
    if (!has_children || EndsWithClosingTag(value, rest)) {
      out.append("</").append(rest).append(">");
    }
    out.append(kLineEnd);
    open.push_back(rest);
    ends.push_back(nestable ? done + rest.size() + 1 : std::string_view::npos);
    previous = upper;
  }
  if (!open.empty()) close_down_to(0);
  out.append(kRootClose).append(kLineEnd);
  return out;
}

bool TIniFile::Load(std::string* error) {
  Clear();
  if (fs_ == nullptr) {
    if (error) *error = "no settings file";
    return false;
  }
  std::string contents;
  switch (fs_->ReadFile(file_name_, &contents, error)) {
    case TReadStatus::kOk:
      LoadFromText(contents);
      return true;
    case TReadStatus::kNotFound:
      return true;
    default:
      return false;
  }
}

bool TIniFile::UpdateFile(std::string* error) {
  if (fs_ == nullptr) {
    if (error) *error = "no settings file";
    return false;
  }
  return fs_->ReplaceFile(file_name_, ToText(), error);
}

}  // namespace lorvane
