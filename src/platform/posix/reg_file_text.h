#pragma once
// Pieces shared by the hive and export readers: logical lines, hexadecimal data, and the
// shaping of string values into what the ANSI registry functions return.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace lorvane::regtext {

// Splits text into lines (LF or CR LF), joining a value line that ends in "\" with the
// lines that continue it (their leading blanks dropped). In CP932 text a trail byte 0x5C
// does not count as that "\".
class TLineReader {
 public:
  TLineReader(std::string_view text, bool cp932) : text_(text), cp932_(cp932) {}
  bool Next(std::string_view* line);
  size_t line_number() const { return line_number_; }  // 1-based, of the line's first part

 private:
  bool NextPhysical(std::string_view* line);
  bool EndsWithBackslash(std::string_view line) const;

  std::string_view text_;
  bool cp932_;
  size_t pos_ = 0;
  size_t physical_ = 0;
  size_t line_number_ = 0;
  std::string joined_;
};

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
std::string_view SkipBlanks(std::string_view s);
// Case-insensitive ASCII prefix test; on success removes the prefix from `*s`.
bool ConsumePrefix(std::string_view* s, std::string_view prefix);
// Nothing left but blanks and perhaps a ";" comment.
bool OnlyCommentLeft(std::string_view s);

// The parts of a key path between "\" separators (at least one, perhaps empty). In CP932
// text a trail byte 0x5C is not a separator.
std::vector<std::string_view> SplitAtBackslash(std::string_view path, bool cp932);

// "01,ab, 2f" (blanks allowed around each byte, a trailing comma tolerated); nullopt on
// anything else.
std::optional<std::string> ParseHexBytes(std::string_view s);
// Up to eight hexadecimal digits; on success removes them from `*s`.
std::optional<uint32_t> ParseHexNumber(std::string_view* s);

bool IsStringType(uint32_t type);
// A string-type value from its CP932 text: kRegSz and kRegExpandSz end at the first NUL,
// kRegMultiSz keeps each string followed by a NUL, up to the empty string that ends the
// list. Other types keep the bytes.
TRegValue MakeValue(uint32_t type, std::string data);
// Data given as bytes ("hex(2):…"): string types are converted from UTF-16LE when
// `utf16` (hives and version 5 exports), else taken as CP932 bytes.
TRegValue MakeValueFromBytes(uint32_t type, std::string bytes, bool utf16);
TRegValue MakeDword(uint32_t n);

// Text read from a file (UTF-8 or already CP932) as CP932.
std::string TextToCp932(std::string_view text, bool utf8);
// The same for one key name: a "\" that the conversion produced (from a character such as
// U+00A5) would read as a separator, so it becomes "?".
std::string KeyNameToCp932(std::string_view text, bool utf8);

}  // namespace lorvane::regtext
