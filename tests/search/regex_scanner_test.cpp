// Character reading, escapes and tokens of the pattern scanner.

#include "search/regex_scanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/mbstring.h"
#include "search/regex_error.h"

namespace lorvane {
namespace {

// A code as the token dump shows it: 'a', 'ソ', or \xHHHH when not printable.
std::string Code(RECode c) {
  const bool printable = (c > 0x20 && c < 0x7F) || IsLeadByte(static_cast<unsigned char>(c >> 8));
  if (printable) return "'" + CodeToText(c) + "'";
  char buf[16];
  std::snprintf(buf, sizeof buf, "\\x%04X", c);
  return buf;
}

// The tokens up to the end, separated by blanks: operators by their symbols, characters
// quoted, ranges as 'lo'-'hi'.
std::string Scan(const std::string& pattern) {
  static const char* const kSymbols[] = {"", "", "|", "(", ")", "*", "+", "?", "[", "[^", "]", "."};
  TREScanner s(pattern);
  std::string out;
  for (TREToken t = s.GetToken(); t != retk_End; t = s.GetToken()) {
    if (!out.empty()) out += ' ';
    if (t == retk_Char) {
      out += Code(s.Char());
    } else if (t == retk_CharRange) {
      out += Code(s.Char()) + "-" + Code(s.UpperChar());
    } else {
      out += kSymbols[t];
    }
  }
  return out;
}

// The message and position of the error `pattern` raises while scanning.
std::string ScanError(const std::string& pattern) {
  try {
    Scan(pattern);
  } catch (const ERegExpParser& e) {
    return e.what();
  }
  return "no error";
}

TEST(RegexCharTest, ReadsSingleAndDoubleByteCodes) {
  int pos = 1;
  const std::string text = "aあソ";
  EXPECT_EQ(GetChar(text, pos), 'a');
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(GetChar(text, pos), 0x82A0);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(GetChar(text, pos), 0x835C);
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(GetChar(text, pos), 0);  // the end: position unchanged
  EXPECT_EQ(pos, 6);
  UnGetChar(pos, 0);
  EXPECT_EQ(pos, 6);
  UnGetChar(pos, 0x835C);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(CodeToText(0x82A0), "あ");
  EXPECT_EQ(CodeToText('A'), "A");
  EXPECT_EQ(CodeToText(0x4142), "B");  // high byte not a lead byte: the low byte alone
  pos = 2;                             // a NUL ends the text
  EXPECT_EQ(GetChar(std::string("a\0b", 3), pos), 0);
  EXPECT_EQ(pos, 2);
}

TEST(RegexCharTest, LoneLeadByteIsAnErrorAfterIt) {
  int pos = 2;
  try {
    GetChar("a\x82", pos);
    FAIL();
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(e.Position(), 3);
    EXPECT_STREQ(e.what(), "２バイト文字コードの２バイト目がありません(3)");
  }
  pos = 1;  // a NUL after the lead byte is the end too
  EXPECT_THROW(GetChar(std::string("\x82\0x", 3), pos), ERegExpParser);
}

TEST(RegexScannerTest, Tokens) {
  const struct {
    const char* pattern;
    const char* tokens;
  } cases[] = {
      {"a(|)*+?.]", "'a' ( | ) * + ? . ]"},
      // Anchors, braces and "-" are ordinary characters.
      {"^{-}$", "'^' '{' '-' '}' '$'"},
      // Trail bytes are never operators: "ソ" = 83 5C (trail "\"), "ポ" = 83 7C (trail "|").
      {"ソポ", "'ソ' 'ポ'"},
      {"[ソ-ポ]", "[ 'ソ'-'ポ' ]"},
      {"\\ソ", "'ソ'"},
      // Escapes; case matters.
      {"\\b\\r\\n\\t\\B\\N\\X\\.\\\\", "\\x0008 \\x000D \\x000A \\x0009 'B' 'N' 'X' '.' '\\'"},
      {"\\x41\\x82a0\\x82A0\\101\\0\\177777", "'A' 'あ' 'あ' 'A' \\x0000 \\xFFFF"},
      // "\x4" then "g"; a fifth hex digit is the next character; octal stops at 6 digits.
      {"\\x4g", "\\x0004 'g'"},
      {"\\x41424", "\\x4142 '4'"},
      {"\\0000017", "\\x0001 '7'"},
      {"\\18", "\\x0001 '8'"},
      // "-" at the start, before "]" and after a range is a member; "^" only negates first.
      {"[a-]", "[ 'a' '-' ]"},
      {"[-a]", "[ '-' 'a' ]"},
      {"[a-c-e]", "[ 'a'-'c' '-' 'e' ]"},
      {"[^^]", "[^ '^' ]"},
      {"[\\]\\x41-\\x43]", "[ ']' 'A'-'C' ]"},
      {"[ぁ-ん]*", "[ 'ぁ'-'ん' ] *"},
      {"[(*]", "[ '(' '*' ]"},  // operators are members inside brackets
  };
  for (const auto& c : cases) EXPECT_EQ(Scan(c.pattern), c.tokens) << c.pattern;
}

TEST(RegexScannerTest, ErrorsAndPositions) {
  const struct {
    const char* pattern;
    const char* error;
  } cases[] = {
      {"\\", "\"\\\" の使い方が間違っています(3)"},  {"ab\\", "\"\\\" の使い方が間違っています(5)"},
      {"[\\", "\"\\\" の使い方が間違っています(4)"}, {"\\x", "１６進数の表記が変です(3)"},
      {"\\xg", "１６進数の表記が変です(3)"},         {"\\x あ", "１６進数の表記が変です(3)"},
      {"\\200000", "８進数の表記が変です(8)"},  // 0x10000 at the 6th digit
      {"\\7777777", "８進数の表記が変です(8)"},      {"[", "右ブラケット \"]\" が必要です(3)"},
      {"[^", "右ブラケット \"]\" が必要です(4)"},    {"[a", "右ブラケット \"]\" が必要です(4)"},
      {"[abc", "右ブラケット \"]\" が必要です(6)"},  {"[a-", "右ブラケット \"]\" が必要です(5)"},
      {"[z-a]", "キャラクタ範囲の指定が変です(5)"},  {"[ん-あ]", "キャラクタ範囲の指定が変です(7)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanError(c.pattern), c.error) << c.pattern;
}

}  // namespace
}  // namespace lorvane
