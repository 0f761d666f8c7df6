#pragma once
// Pattern scanner: splits a pattern into tokens, with a separate mode between "[" and "]".

#include <string>

#include "search/regex_char.h"

namespace lorvane {

enum TREToken {
  retk_Char,       // a character; its code is in Char()
  retk_CharRange,  // inside brackets only: Char()..UpperChar()
  retk_Union,      // |
  retk_LPar,       // (
  retk_RPar,       // )
  retk_Star,       // *
  retk_Plus,       // +
  retk_QMark,      // ?
  retk_LBra,       // [
  retk_LBraNeg,    // [^
  retk_RBra,       // ]
  retk_Dot,        // .
  retk_End,        // end of pattern
};

class TREScanner {
 public:
  explicit TREScanner(std::string pattern = {});

  // Sets the text, position 1, and leaves bracket mode.
  void SetPattern(std::string pattern);
  void ResetBracket() { in_bracket_ = false; }
  // Back to the first byte of the same text.
  void Rewind() {
    pos_ = 1;
    in_bracket_ = false;
  }

  // Reads the next token; raises ERegExpParser on a syntax error.
  TREToken GetToken();

  TREToken Token() const { return token_; }
  RECode Char() const { return char_; }
  RECode UpperChar() const { return upper_; }
  // 1-based index of the next byte to read; length + 1 after the last byte.
  int Position() const { return pos_; }
  bool InBracket() const { return in_bracket_; }
  const std::string& Pattern() const { return pattern_; }

 private:
  TREToken ScanNormal();
  TREToken ScanInBracket();

  std::string pattern_;
  int pos_ = 1;
  TREToken token_ = retk_End;
  RECode char_ = 0;
  RECode upper_ = 0;
  bool in_bracket_ = false;
};

}  // namespace lorvane
