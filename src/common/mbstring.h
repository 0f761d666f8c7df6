#pragma once
// Shift_JIS (code page 932) byte-string operations shared by every layer of the core.
// A double-byte character is a lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it;
// functions that count "characters" count such a pair as one. Positions are 1-based.

#include <string>
#include <string_view>

namespace lorvane {

// The platform's double-byte lead-byte test for code page 932.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsLeadByte(char b) {
  return IsLeadByte(static_cast<unsigned char>(b));
}

// Width in bytes of the character starting at byte index `i` (0-based): 2 for a lead byte
// followed by another byte, else 1. A lead byte that is the last byte counts as one byte.
inline size_t CharWidthAt(std::string_view s, size_t i) {
  return (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

// Number of characters in `s`.
int MBLength(std::string_view s);

// 1-based character position of the first occurrence of `sub` in `s` that begins at a
// character start; 0 when there is none or `sub` is empty.
int MBPos(std::string_view sub, std::string_view s);

// `count` characters from character position `index` (1-based), clamped like a byte copy.
std::string MBCopy(std::string_view s, int index, int count);

// The last character of `s` (one or two bytes); empty for an empty string.
std::string MBLastChar(std::string_view s);

// `count` bytes from 1-based byte position `pos`: a start below 1 is clamped to 1, the copy
// stops at the end, and a count of 0 or less gives the empty string.
std::string_view ByteCopy(std::string_view s, long long pos, long long count);

// Upper-casing as code page 932 does it for comparisons: ASCII a-z only, double-byte
// characters (whose trail byte may be a lower-case letter) left intact.
std::string UpperAscii(std::string_view s);

// Removal of bytes up to 0x20 (blanks and control characters) at one or both ends.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);

// Appends "\" unless the last character (whole double-byte characters) already is "\";
// an empty path becomes "\".
std::string EnsureTrailingSeparator(std::string_view path);

// The value of a hexadecimal digit, -1 for any other byte.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Case-insensitive (ASCII) equality, for keys and file names.
bool SameTextAscii(std::string_view a, std::string_view b);

// Whether `s` holds `upper_prefix` (ASCII, upper case) at byte index `at`, a-z counting as
// A-Z: a header name at a line start, without a copy.
bool StartsWithNoCase(std::string_view s, size_t at, std::string_view upper_prefix);

}  // namespace lorvane
