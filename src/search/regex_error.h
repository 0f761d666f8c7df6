#pragma once
// Errors of the regular-expression engine. A syntax error carries the 1-based byte
// position in the text being scanned; its message is the error text followed by the
// position in parentheses, e.g. "正規表現の末尾が変です(4)".

#include <cstdint>
#include <string>

#include "common/exception.h"

namespace lorvane {

class ERegExpParser : public Exception {
 public:
  ERegExpParser(const std::string& text, int position);
  int Position() const { return position_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  int position_;
};

// The syntax error texts (CP932).
extern const char* const kReNoSecondByte;
extern const char* const kReBadBackslash;
extern const char* const kReBadHex;
extern const char* const kReBadOctal;
extern const char* const kReNeedRightBracket;
extern const char* const kReBadRange;
extern const char* const kReBadClass;
extern const char* const kReNeedRightParen;
extern const char* const kReNeedCharOrParen;
extern const char* const kReBadEnd;

// Internal and resource failures, raised as the general exception.
extern const char* const kReTreeFatal;
extern const char* const kReNfaImpossible;
extern const char* const kReTooLong;
extern const char* const kReTooComplex;

// Patterns are addressed with 16-bit positions; longer texts are refused outright.
constexpr int kMaxPatternBytes = 65535;

}  // namespace lorvane
