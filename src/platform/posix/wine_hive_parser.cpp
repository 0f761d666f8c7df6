// Reader of Wine's hive files. They are ASCII: key and value names and strings escape
// every character past U+007F as "\x" and up to four hexadecimal digits of UTF-16 (so a
// character outside the BMP is two escapes), control characters as C or octal escapes.
//   [Software\\RimArts\\B2\\Settings] 1796546144      key, "\\" separating names
//   "\x8868\x793a"="C:\\Becky!\\"                     value name and string
//   "Multi"=str(7):"a\0b\0"   "Width"=dword:00000280   "Bin"=hex:01,00,\ (continued)
// Strings are decoded to UTF-8 and then converted to CP932. Where keys land is the sink's
// business. Tested by tests/platform/posix/reg_file_parser_test.cpp.

#include <optional>
#include <string>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/reg_file_parser.h"
#include "platform/posix/reg_file_text.h"

namespace lorvane {

using namespace regtext;

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";
constexpr std::string_view kRelativeTo = ";; All keys relative to ";
constexpr size_t kMaxDepth = 512;

// Collects UTF-16 code units as UTF-8, pairing surrogates; raw bytes pass through.
class TUtf8Builder {
 public:
  void Unit(char32_t u) {
    if (high_ != 0) {
      if (u >= 0xDC00 && u < 0xE000) {
        AppendUtf8(0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00), &out_);
        high_ = 0;
        return;
      }
      Flush();
    }
    if (u >= 0xD800 && u < 0xDC00) {
      high_ = u;
    } else {
      AppendUtf8(u, &out_);
    }
  }
  void Byte(char c) {
    Flush();
    out_.push_back(c);
  }
  std::string Take() {
    Flush();
    return std::move(out_);
  }

 private:
  void Flush() {
    if (high_ != 0) AppendUtf8(0xFFFD, &out_);
    high_ = 0;
  }
  std::string out_;
  char32_t high_ = 0;
};

// A Wine-escaped string from just after its opening delimiter up to the unescaped `end`,
// as UTF-8; `*s` is left after `end`. nullopt when `end` never comes.
std::optional<std::string> ParseWineString(std::string_view* s, char end) {
  TUtf8Builder out;
  size_t i = 0;
  while (i < s->size()) {
    char c = (*s)[i++];
    if (c == end) {
      s->remove_prefix(i);
      return out.Take();
    }
    if (c != '\\') {
      out.Byte(c);
      continue;
    }
    if (i == s->size()) break;
    c = (*s)[i++];
    switch (c) {
      case 'a':
        out.Unit(0x07);
        break;
      case 'b':
        out.Unit(0x08);
        break;
      case 'e':
        out.Unit(0x1B);
        break;
      case 'f':
        out.Unit(0x0C);
        break;
      case 'n':
        out.Unit(0x0A);
        break;
      case 'r':
        out.Unit(0x0D);
        break;
      case 't':
        out.Unit(0x09);
        break;
      case 'v':
        out.Unit(0x0B);
        break;
      case 'x': {
        char32_t u = 0;
        int digits = 0;
        while (digits < 4 && i < s->size() && HexDigitValue((*s)[i]) >= 0) {
          u = u * 16 + static_cast<char32_t>(HexDigitValue((*s)[i++]));
          ++digits;
        }
        if (digits == 0) {
          out.Byte('x');
        } else {
          out.Unit(u);
        }
        break;
      }
      default:
        if (c >= '0' && c <= '7') {
          char32_t u = static_cast<char32_t>(c - '0');
          for (int k = 0; k < 2 && i < s->size() && (*s)[i] >= '0' && (*s)[i] <= '7'; ++k) {
            u = u * 8 + static_cast<char32_t>((*s)[i++] - '0');
          }
          out.Unit(u);
        } else {
          out.Byte(c);
        }
    }
  }
  return std::nullopt;
}

bool ParseKeyLine(std::string_view line, TRegFileKey* key) {
  line.remove_prefix(1);  // "["
  std::optional<std::string> name = ParseWineString(&line, ']');
  if (!name) return false;
  key->root.reset();
  key->path.clear();
  std::string_view rest = *name;
  while (true) {
    const size_t sep = rest.find('\\');
    const std::string_view part = rest.substr(0, sep);
    if (part.empty() || key->path.size() == kMaxDepth) return false;
    key->path.push_back(KeyNameToCp932(part, true));
    if (sep == std::string_view::npos) return true;
    rest.remove_prefix(sep + 1);
  }
}

// The data after "=": a string, str(N):"…", dword:, hex: or hex(N):.
std::optional<TRegValue> ParseData(std::string_view s) {
  uint32_t type = kRegSz;
  if (ConsumePrefix(&s, "str(")) {
    const std::optional<uint32_t> t = ParseHexNumber(&s);
    if (!t || !ConsumePrefix(&s, "):")) return std::nullopt;
    type = *t;
  }
  if (!s.empty() && s[0] == '"') {
    s.remove_prefix(1);
    std::optional<std::string> text = ParseWineString(&s, '"');
    if (!text || !OnlyCommentLeft(s)) return std::nullopt;
    return MakeValue(type, TextToCp932(*text, true));
  }
  if (type != kRegSz) return std::nullopt;  // str(N): without a string
  if (ConsumePrefix(&s, "dword:")) {
    const std::optional<uint32_t> n = ParseHexNumber(&s);
    if (!n || !OnlyCommentLeft(s)) return std::nullopt;
    return MakeDword(*n);
  }
  type = kRegBinary;
  if (ConsumePrefix(&s, "hex(")) {
    const std::optional<uint32_t> t = ParseHexNumber(&s);
    if (!t || !ConsumePrefix(&s, ")")) return std::nullopt;
    type = *t;
  } else if (!ConsumePrefix(&s, "hex")) {
    return std::nullopt;
  }
  if (!ConsumePrefix(&s, ":")) return std::nullopt;
  std::optional<std::string> bytes = ParseHexBytes(s);
  if (!bytes) return std::nullopt;
  return MakeValueFromBytes(type, std::move(*bytes), true);
}

bool ParseValueLine(std::string_view line, IRegFileSink& sink) {
  std::string name;
  if (line[0] == '@') {
    line.remove_prefix(1);
  } else {
    line.remove_prefix(1);  // the opening quote
    std::optional<std::string> n = ParseWineString(&line, '"');
    if (!n) return false;
    name = TextToCp932(*n, true);
  }
  if (!ConsumePrefix(&line, "=")) return false;
  std::optional<TRegValue> value = ParseData(line);
  if (!value) return false;
  sink.SetValue(name, std::move(*value));
  return true;
}

}  // namespace

TWineHiveHeader ReadWineHiveHeader(std::string_view text) {
  TWineHiveHeader header;
  TLineReader lines(text, false);
  std::string_view line;
  if (!lines.Next(&line) || line.substr(0, kSignature.size()) != kSignature ||
      !OnlyCommentLeft(line.substr(kSignature.size()))) {
    return header;
  }
  header.valid = true;
  while (lines.Next(&line) && (line.empty() || line[0] != '[')) {
    if (line.substr(0, kRelativeTo.size()) == kRelativeTo) {
      std::string_view rest = line.substr(kRelativeTo.size());
      std::string path;
      for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '\\' && i + 1 < rest.size() && rest[i + 1] == '\\') ++i;
        path.push_back(rest[i]);
      }
      std::string_view p = path;
      while (!p.empty() && (p.back() == ' ' || p.back() == '\t')) p.remove_suffix(1);
      if (!p.empty() && p[0] == '\\') p.remove_prefix(1);
      ConsumePrefix(&p, "REGISTRY\\");
      header.relative_to = std::string(p);
    }
  }
  return header;
}

size_t ParseWineHive(std::string_view text, IRegFileSink& sink) {
  TLineReader lines(text, false);
  std::string_view line;
  size_t skipped = 0;
  bool have_key = false;
  TRegFileKey key;
  lines.Next(&line);  // the signature
  while (lines.Next(&line)) {
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      have_key = ParseKeyLine(line, &key) && sink.OpenKey(key);
      if (!have_key) ++skipped;
    } else if (line[0] == '#') {
      if (have_key && line == "#link") sink.MarkLink();
    } else if (line[0] == '"' || line[0] == '@') {
      if (!have_key || !ParseValueLine(line, sink)) ++skipped;
    } else if (!OnlyCommentLeft(line)) {
      ++skipped;
    }
  }
  return skipped;
}

}  // namespace lorvane
