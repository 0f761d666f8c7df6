// Pattern scanner. Outside brackets only ( ) * + ? | . [ ] and \ are special; inside,
// "a-z" forms a range, "-" just before "]" or after a range is a member, and "]" ends the
// class. Double-byte characters are read whole, so a trail byte equal to "\" or "|"
// (as in "ソ", 0x83 0x5C) is never an operator.
// Tested by tests/search/regex_scanner_test.cpp.

#include "search/regex_scanner.h"

#include "search/regex_error.h"

namespace lorvane {

TREScanner::TREScanner(std::string pattern) {
  SetPattern(std::move(pattern));
}

void TREScanner::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  pos_ = 1;
  in_bracket_ = false;
}

TREToken TREScanner::GetToken() {
  if (in_bracket_) {
    token_ = ScanInBracket();
    if (token_ == retk_RBra) in_bracket_ = false;
  } else {
    token_ = ScanNormal();
    if (token_ == retk_LBra || token_ == retk_LBraNeg) in_bracket_ = true;
  }
  return token_;
}

TREToken TREScanner::ScanNormal() {
  const RECode c = GetChar(pattern_, pos_);
  char_ = c;
  switch (c) {
    case kReEnd:
      return retk_End;
    case '(':
      return retk_LPar;
    case ')':
      return retk_RPar;
    case '*':
      return retk_Star;
    case '+':
      return retk_Plus;
    case '?':
      return retk_QMark;
    case '|':
      return retk_Union;
    case '.':
      return retk_Dot;
    case ']':
      return retk_RBra;
    case '[': {
      const RECode next = GetChar(pattern_, pos_);
      if (next == kReEnd) throw ERegExpParser(kReNeedRightBracket, pos_ + 1);
      if (next == '^') return retk_LBraNeg;
      UnGetChar(pos_, next);
      return retk_LBra;
    }
    case '\\':
      char_ = ReadEscape(pattern_, pos_);
      return retk_Char;
    default:
      return retk_Char;
  }
}

TREToken TREScanner::ScanInBracket() {
  RECode x = GetChar(pattern_, pos_);
  if (x == kReEnd) throw ERegExpParser(kReNeedRightBracket, pos_ + 1);
  if (x == ']') {
    char_ = x;
    return retk_RBra;
  }
  if (x == '\\') x = ReadEscape(pattern_, pos_);
  char_ = x;
  const RECode y = GetChar(pattern_, pos_);
  if (y == kReEnd) throw ERegExpParser(kReNeedRightBracket, pos_ + 1);
  if (y != '-') {
    UnGetChar(pos_, y);
    return retk_Char;
  }
  RECode z = GetChar(pattern_, pos_);
  if (z == kReEnd) throw ERegExpParser(kReNeedRightBracket, pos_ + 1);
  if (z == ']') {
    UnGetChar(pos_, z);
    UnGetChar(pos_, y);
    return retk_Char;
  }
  if (z == '\\') z = ReadEscape(pattern_, pos_);
  if (z < x) throw ERegExpParser(kReBadRange, pos_);
  upper_ = z;
  return retk_CharRange;
}

}  // namespace lorvane
