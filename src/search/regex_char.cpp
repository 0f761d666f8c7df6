// Character reading and escape decoding for the pattern scanner.
//   \b \r \n \t   control characters      \x41, \x82a0   1-4 hex digits
//   \101          up to 6 octal digits     \.  \あ        the character itself
// Tested by tests/search/regex_scanner_test.cpp.

#include "search/regex_char.h"

#include "common/mbstring.h"
#include "search/regex_error.h"

namespace lorvane {

namespace {

int HexValue(RECode c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsOctal(RECode c) {
  return c >= '0' && c <= '7';
}

}  // namespace

RECode GetChar(std::string_view text, int& pos) {
  if (pos < 1 || static_cast<size_t>(pos) > text.size()) return kReEnd;
  const auto b = static_cast<unsigned char>(text[pos - 1]);
  if (b == 0) return kReEnd;
  if (IsLeadByte(b)) {
    // A NUL after a lead byte ends the text like the end of the string does.
    if (static_cast<size_t>(pos) >= text.size() || text[pos] == '\0') {
      throw ERegExpParser(kReNoSecondByte, pos + 1);
    }
    const auto trail = static_cast<unsigned char>(text[pos]);
    pos += 2;
    return static_cast<RECode>(b * 256 + trail);
  }
  pos += 1;
  return b;
}

void UnGetChar(int& pos, RECode code) {
  if (code == kReEnd) return;
  pos -= IsLeadByte(static_cast<unsigned char>(code >> 8)) ? 2 : 1;
}

RECode ReadEscape(std::string_view text, int& pos) {
  const RECode c = GetChar(text, pos);
  switch (c) {
    case kReEnd:
      throw ERegExpParser(kReBadBackslash, pos + 1);
    case 'b':
      return 0x08;
    case 'r':
      return 0x0D;
    case 'n':
      return 0x0A;
    case 't':
      return 0x09;
    case 'x': {
      int value = 0;
      int digits = 0;
      for (;;) {
        const RECode d = GetChar(text, pos);
        if (digits < 4 && HexValue(d) >= 0) {
          value = value * 16 + HexValue(d);
          ++digits;
        } else {
          UnGetChar(pos, d);
          break;
        }
      }
      if (digits == 0) throw ERegExpParser(kReBadHex, pos);
      return static_cast<RECode>(value);
    }
    default:
      break;
  }
  if (IsOctal(c)) {
    UnGetChar(pos, c);
    long value = 0;
    for (int digits = 0; digits < 6; ++digits) {
      const RECode d = GetChar(text, pos);
      if (!IsOctal(d)) {
        UnGetChar(pos, d);
        break;
      }
      value = value * 8 + (d - '0');
      if (value > 0xFFFF) throw ERegExpParser(kReBadOctal, pos);
    }
    return static_cast<RECode>(value);
  }
  return c;
}

std::string CodeToText(RECode code) {
  const auto high = static_cast<unsigned char>(code >> 8);
  const auto low = static_cast<char>(code & 0xFF);
  if (IsLeadByte(high)) return std::string{static_cast<char>(high), low};
  return std::string(1, low);
}

}  // namespace lorvane
