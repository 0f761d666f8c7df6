#pragma once
// Reading characters out of a pattern: the 16-bit character code of the engine, escape
// decoding, and the way back from a code to its bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace lorvane {

// A single byte b reads as b; a lead byte and its trail as lead * 256 + trail.
using RECode = uint16_t;

// 0 is the end of the text; 0xFFFF marks an empty transition in the automaton.
constexpr RECode kReEnd = 0;
constexpr RECode kReEmptyMark = 0xFFFF;

// The code at 1-based `pos`, advancing it by the character's width. At the end of the
// text, or at a NUL byte, returns 0 and leaves `pos` alone. A lead byte without a trail
// byte raises the "second byte missing" error at its position + 1.
RECode GetChar(std::string_view text, int& pos);

// Steps back over the character `code` that GetChar just returned (nothing for the end).
void UnGetChar(int& pos, RECode code);

// Decodes the escape after a backslash that GetChar has just read.
RECode ReadEscape(std::string_view text, int& pos);

// Bytes of a code: two when its high byte is a lead byte, else the low byte alone.
std::string CodeToText(RECode code);

// Blank, tab, carriage return, line feed and the ideographic space: never fed to the
// automaton, skipped inside a match, never the start of one.
constexpr bool IsReWhiteSpace(RECode c) {
  return c == 0x20 || c == 0x09 || c == 0x0D || c == 0x0A || c == 0x8140;
}

}  // namespace lorvane
