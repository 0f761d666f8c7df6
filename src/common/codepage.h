#pragma once
// CP932 <-> UTF-8 at the edges of the core: host file names on POSIX, the GUI, the
// terminal. Bytes that do not convert are an error, never silently dropped or truncated.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/exception.h"

namespace lorvane {

class ECodePage : public Exception {
 public:
  ECodePage(const std::string& message, size_t offset) : Exception(message), offset_(offset) {}
  // 0-based byte offset in the input of the first byte that did not convert.
  size_t offset() const { return offset_; }

 private:
  size_t offset_;
};

// Throw ECodePage on input that is not valid in the source encoding or has no
// representation in the target one.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// Non-throwing forms: false and the offset of the first bad byte on failure.
bool TryCp932ToUtf8(std::string_view cp932, std::string* out, size_t* bad_offset = nullptr);
bool TryUtf8ToCp932(std::string_view utf8, std::string* out, size_t* bad_offset = nullptr);

// Lossy forms for Unicode text that must reach the core whatever it holds (registry data):
// like Windows' own conversion, a character CP932 lacks becomes "?", and so does every
// malformed sequence (an invalid UTF-8 byte, a lone surrogate). UTF-16 input is
// little-endian bytes; an odd last byte is dropped.
std::string Utf8ToCp932Lossy(std::string_view utf8);
std::string Utf16LeToCp932Lossy(std::string_view utf16le);
// A lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8Lossy(std::string_view utf16le);
// For showing text that may be damaged (a message in a text widget): every character
// (CharWidthAt: a lead byte and the byte after it, or one byte) becomes one character, the
// ones without a Unicode form U+FFFD, so positions in the result count as
// TTextPositions counts them.
std::string Cp932ToUtf8Lossy(std::string_view cp932);

// CP932 for a text widget and back. Every character as CharWidthAt counts it (a lead byte
// and the byte after it, or one byte) becomes exactly one UTF-16 unit, since CP932 lies in
// the Basic Multilingual Plane, so positions map one to one; a character CP932 does not
// define becomes U+FFFD. Back, a character CP932 lacks (a lone surrogate too) becomes "?".
std::u16string Cp932ToUtf16Lossy(std::string_view cp932);
std::string Utf16ToCp932Lossy(std::u16string_view utf16);

// Well-formed UTF-8: no overlong forms, no encoded surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);
// Appends the UTF-8 form of `code_point`; surrogates and values past U+10FFFF give U+FFFD.
void AppendUtf8(char32_t code_point, std::string* out);

}  // namespace lorvane
