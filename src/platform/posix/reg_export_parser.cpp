// Reader of the registry editor's export files. "REGEDIT4" files are 8-bit CP932 and
// give string-type hex data as CP932 bytes; "Windows Registry Editor Version 5.00" files
// are UTF-16LE with a byte-order mark (also accepted as UTF-8, or as CP932 when the bytes
// are not UTF-8) and give string-type hex data as UTF-16LE.
//   [HKEY_CURRENT_USER\Software\Foo]   [-HKEY_CURRENT_USER\Software\Old]
//   "Name"="C:\\Mail\\"   @="default"   "Gone"=-   "N"=dword:00000001   "B"=hex:01,\ …
// Key names are not escaped; in CP932 text a trail byte 0x5C or 0x5D is never "\" or "]".
// Tested by tests/platform/posix/reg_file_parser_test.cpp.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/reg_file_parser.h"
#include "platform/posix/reg_file_text.h"

namespace lorvane {

using namespace regtext;

namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxDepth = 512;

struct TSource {
  std::string storage;  // the text converted from UTF-16, when it was
  std::string_view text;
  bool utf8 = false;
  bool version5 = false;
};

bool LooksUtf16Le(std::string_view bytes) {
  return bytes.size() >= 2 && (bytes[0] == 'R' || bytes[0] == 'W') && bytes[1] == '\0';
}

// Decodes the file and reads its first line; false when that is no known header.
bool OpenSource(std::string_view bytes, TSource* src) {
  bool unicode = false;
  if (bytes.substr(0, 2) == "\xFF\xFE" || LooksUtf16Le(bytes)) {
    if (bytes.substr(0, 2) == "\xFF\xFE") bytes.remove_prefix(2);
    src->storage = Utf16LeToUtf8Lossy(bytes);
    src->text = src->storage;
    unicode = true;
  } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    src->text = bytes.substr(3);
    unicode = true;
  } else {
    src->text = bytes;
  }
  TLineReader lines(src->text, false);
  std::string_view first;
  if (!lines.Next(&first)) return false;
  first = TrimRight(first);
  if (first == kVersion5) {
    src->version5 = true;
  } else if (first != kRegedit4) {
    return false;
  }
  src->utf8 = unicode || (src->version5 && IsValidUtf8(src->text));
  return true;
}

// Byte offset of the last `c` standing at a character start, npos when there is none.
size_t FindLastChar(std::string_view s, char c, bool cp932) {
  if (!cp932) return s.rfind(c);
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) {
    if (s[i] == c) found = i;
  }
  return found;
}

bool ParseKeyLine(std::string_view line, const TSource& src, TRegFileKey* key, bool* remove) {
  const bool cp932 = !src.utf8;
  const size_t close = FindLastChar(line, ']', cp932);
  if (close == std::string_view::npos) return false;
  std::string_view path = line.substr(1, close - 1);
  *remove = !path.empty() && path[0] == '-';
  if (*remove) path.remove_prefix(1);
  key->path.clear();
  key->root = std::nullopt;
  const std::vector<std::string_view> parts = SplitAtBackslash(path, cp932);
  key->root = RegRootFromName(parts[0]);
  if (!key->root || parts.size() > kMaxDepth + 1) return false;
  for (size_t i = 1; i < parts.size(); ++i) {
    if (!parts[i].empty()) key->path.push_back(KeyNameToCp932(parts[i], src.utf8));
  }
  return true;
}

// A quoted string from just after its opening quote, in the file's encoding; `*s` is
// left after the closing quote. nullopt when the quote is never closed.
std::optional<std::string> ParseQuoted(std::string_view* s, bool cp932) {
  std::string out;
  size_t i = 0;
  while (i < s->size()) {
    const char c = (*s)[i];
    if (cp932 && IsLeadByte(c) && i + 1 < s->size()) {
      out.append(s->substr(i, 2));
      i += 2;
      continue;
    }
    ++i;
    if (c == '"') {
      s->remove_prefix(i);
      return out;
    }
    if (c != '\\' || i == s->size()) {
      out.push_back(c);
      continue;
    }
    const char e = (*s)[i];
    if (e == '\\' || e == '"') {
      out.push_back(e), ++i;
    } else if (e == 'n') {
      out.push_back('\n'), ++i;
    } else if (e == 'r') {
      out.push_back('\r'), ++i;
    } else if (e == '0') {
      out.push_back('\0'), ++i;
    } else {
      out.push_back('\\');  // an unknown escape keeps its backslash, as the editor does
    }
  }
  return std::nullopt;
}

bool ParseValueLine(std::string_view line, const TSource& src, IRegFileSink& sink) {
  const bool cp932 = !src.utf8;
  std::string name;
  if (line[0] == '@') {
    line.remove_prefix(1);
  } else {
    line.remove_prefix(1);
    std::optional<std::string> n = ParseQuoted(&line, cp932);
    if (!n) return false;
    name = TextToCp932(*n, src.utf8);
  }
  line = SkipBlanks(line);
  if (!ConsumePrefix(&line, "=")) return false;
  line = SkipBlanks(line);
  if (!line.empty() && line[0] == '-') {
    if (!OnlyCommentLeft(line.substr(1))) return false;
    sink.DeleteValue(name);
    return true;
  }
  if (!line.empty() && line[0] == '"') {
    line.remove_prefix(1);
    std::optional<std::string> text = ParseQuoted(&line, cp932);
    if (!text || !OnlyCommentLeft(line)) return false;
    sink.SetValue(name, MakeValue(kRegSz, TextToCp932(*text, src.utf8)));
    return true;
  }
  if (ConsumePrefix(&line, "dword:")) {
    const std::optional<uint32_t> n = ParseHexNumber(&line);
    if (!n || !OnlyCommentLeft(line)) return false;
    sink.SetValue(name, MakeDword(*n));
    return true;
  }
  uint32_t type = kRegBinary;
  if (ConsumePrefix(&line, "hex(")) {
    const std::optional<uint32_t> t = ParseHexNumber(&line);
    if (!t || !ConsumePrefix(&line, ")")) return false;
    type = *t;
  } else if (!ConsumePrefix(&line, "hex")) {
    return false;
  }
  if (!ConsumePrefix(&line, ":")) return false;
  std::optional<std::string> bytes = ParseHexBytes(line);
  if (!bytes) return false;
  sink.SetValue(name, MakeValueFromBytes(type, std::move(*bytes), src.version5));
  return true;
}

}  // namespace

std::optional<TRegRoot> RegRootFromName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, TRegRoot>, 12> kRoots = {{
      {"HKEY_CLASSES_ROOT", TRegRoot::kClassesRoot},
      {"HKCR", TRegRoot::kClassesRoot},
      {"HKEY_CURRENT_USER", TRegRoot::kCurrentUser},
      {"HKCU", TRegRoot::kCurrentUser},
      {"HKEY_LOCAL_MACHINE", TRegRoot::kLocalMachine},
      {"HKLM", TRegRoot::kLocalMachine},
      {"HKEY_USERS", TRegRoot::kUsers},
      {"HKU", TRegRoot::kUsers},
      {"HKEY_CURRENT_CONFIG", TRegRoot::kCurrentConfig},
      {"HKCC", TRegRoot::kCurrentConfig},
      {"HKEY_DYN_DATA", TRegRoot::kDynData},
      {"HKDD", TRegRoot::kDynData},
  }};
  for (const auto& [root_name, root] : kRoots) {
    if (SameTextAscii(name, root_name)) return root;
  }
  return std::nullopt;
}

bool ParseRegExport(std::string_view bytes, IRegFileSink& sink, size_t* skipped,
                    std::string* error) {
  *skipped = 0;
  TSource src;
  if (!OpenSource(bytes, &src)) {
    *error = "not a registry export: the first line is neither \"REGEDIT4\" nor \"" +
             std::string(kVersion5) + "\"";
    return false;
  }
  TLineReader lines(src.text, !src.utf8);
  std::string_view line;
  lines.Next(&line);  // the header
  bool have_key = false;
  TRegFileKey key;
  while (lines.Next(&line)) {
    line = SkipBlanks(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      bool remove = false;
      have_key = false;
      if (!ParseKeyLine(line, src, &key, &remove)) {
        ++*skipped;
      } else if (remove) {
        sink.DeleteKey(key);
      } else {
        have_key = sink.OpenKey(key);
        if (!have_key) ++*skipped;
      }
    } else if (line[0] == '"' || line[0] == '@') {
      if (!have_key || !ParseValueLine(line, src, sink)) ++*skipped;
    } else {
      ++*skipped;
    }
  }
  return true;
}

}  // namespace lorvane
