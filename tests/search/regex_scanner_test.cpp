// Character reading, escapes and tokens of the pattern scanner.

#include "search/regex_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/regex_error.h"

namespace lorvane {
namespace {

struct Tok {
  TREToken kind;
  RECode code;
  RECode upper;
  bool operator==(const Tok&) const = default;
};

std::vector<Tok> Scan(const std::string& pattern) {
  TREScanner s(pattern);
  std::vector<Tok> out;
  for (;;) {
    const TREToken t = s.GetToken();
    out.push_back({t, t == retk_Char || t == retk_CharRange ? s.Char() : RECode{0},
                   t == retk_CharRange ? s.UpperChar() : RECode{0}});
    if (t == retk_End) return out;
  }
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
}

TEST(RegexCharTest, NulEndsTheText) {
  const std::string text("a\0b", 3);
  int pos = 2;
  EXPECT_EQ(GetChar(text, pos), 0);
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

TEST(RegexScannerTest, ClassifiesOperatorsOutsideBrackets) {
  EXPECT_EQ(Scan("a(|)*+?.]"), (std::vector<Tok>{{retk_Char, 'a', 0},
                                                 {retk_LPar, 0, 0},
                                                 {retk_Union, 0, 0},
                                                 {retk_RPar, 0, 0},
                                                 {retk_Star, 0, 0},
                                                 {retk_Plus, 0, 0},
                                                 {retk_QMark, 0, 0},
                                                 {retk_Dot, 0, 0},
                                                 {retk_RBra, 0, 0},
                                                 {retk_End, 0, 0}}));
  // Anchors, braces and "-" are ordinary characters.
  EXPECT_EQ(Scan("^{-}$"), (std::vector<Tok>{{retk_Char, '^', 0},
                                             {retk_Char, '{', 0},
                                             {retk_Char, '-', 0},
                                             {retk_Char, '}', 0},
                                             {retk_Char, '$', 0},
                                             {retk_End, 0, 0}}));
}

TEST(RegexScannerTest, TrailBytesAreNeverOperators) {
  // "ソ" = 83 5C (trail "\"), "ポ" = 83 7C (trail "|"), "ー" = 81 5B (trail "["),
  // "＼" = 81 5F, "（" = 81 69, "Ё" = 84 46.
  EXPECT_EQ(Scan("ソポ"),
            (std::vector<Tok>{{retk_Char, 0x835C, 0}, {retk_Char, 0x837C, 0}, {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[ソ-ポ]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                               {retk_CharRange, 0x835C, 0x837C},
                                               {retk_RBra, 0, 0},
                                               {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("\\ソ"), (std::vector<Tok>{{retk_Char, 0x835C, 0}, {retk_End, 0, 0}}));
}

TEST(RegexScannerTest, DecodesEscapes) {
  auto code = [](const std::string& p) { return Scan(p)[0].code; };
  EXPECT_EQ(code("\\b"), 0x08);
  EXPECT_EQ(code("\\r"), 0x0D);
  EXPECT_EQ(code("\\n"), 0x0A);
  EXPECT_EQ(code("\\t"), 0x09);
  EXPECT_EQ(code("\\B"), 'B');  // case matters
  EXPECT_EQ(code("\\N"), 'N');
  EXPECT_EQ(code("\\X"), 'X');
  EXPECT_EQ(code("\\."), '.');
  EXPECT_EQ(code("\\\\"), '\\');
  EXPECT_EQ(code("\\x41"), 'A');
  EXPECT_EQ(code("\\x82a0"), 0x82A0);
  EXPECT_EQ(code("\\x82A0"), 0x82A0);
  EXPECT_EQ(code("\\101"), 'A');
  EXPECT_EQ(code("\\0"), 0);
  EXPECT_EQ(code("\\177777"), 0xFFFF);
  // "\x4" then "g"; a fifth hex digit is the next character; octal stops at 6 digits.
  EXPECT_EQ(Scan("\\x4g"),
            (std::vector<Tok>{{retk_Char, 0x04, 0}, {retk_Char, 'g', 0}, {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("\\x41424"),
            (std::vector<Tok>{{retk_Char, 0x4142, 0}, {retk_Char, '4', 0}, {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("\\0000017"),
            (std::vector<Tok>{{retk_Char, 01, 0}, {retk_Char, '7', 0}, {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("\\18"),
            (std::vector<Tok>{{retk_Char, 01, 0}, {retk_Char, '8', 0}, {retk_End, 0, 0}}));
}

TEST(RegexScannerTest, EscapeErrorsAndPositions) {
  EXPECT_EQ(ScanError("\\"), "\"\\\" の使い方が間違っています(3)");
  EXPECT_EQ(ScanError("ab\\"), "\"\\\" の使い方が間違っています(5)");
  EXPECT_EQ(ScanError("\\x"), "１６進数の表記が変です(3)");
  EXPECT_EQ(ScanError("\\xg"), "１６進数の表記が変です(3)");
  EXPECT_EQ(ScanError("\\x あ"), "１６進数の表記が変です(3)");
  EXPECT_EQ(ScanError("\\200000"), "８進数の表記が変です(8)");  // 0x10000 at the 6th digit
  EXPECT_EQ(ScanError("\\7777777"), "８進数の表記が変です(8)");
  EXPECT_EQ(ScanError("[\\"), "\"\\\" の使い方が間違っています(4)");
}

TEST(RegexScannerTest, BracketMembersAndRanges) {
  // "-" at the start, before "]" and after a range is a member; "^" only negates first.
  EXPECT_EQ(Scan("[a-]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                            {retk_Char, 'a', 0},
                                            {retk_Char, '-', 0},
                                            {retk_RBra, 0, 0},
                                            {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[-a]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                            {retk_Char, '-', 0},
                                            {retk_Char, 'a', 0},
                                            {retk_RBra, 0, 0},
                                            {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[a-c-e]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                               {retk_CharRange, 'a', 'c'},
                                               {retk_Char, '-', 0},
                                               {retk_Char, 'e', 0},
                                               {retk_RBra, 0, 0},
                                               {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[^^]"),
            (std::vector<Tok>{
                {retk_LBraNeg, 0, 0}, {retk_Char, '^', 0}, {retk_RBra, 0, 0}, {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[\\]\\x41-\\x43]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                                        {retk_Char, ']', 0},
                                                        {retk_CharRange, 'A', 'C'},
                                                        {retk_RBra, 0, 0},
                                                        {retk_End, 0, 0}}));
  EXPECT_EQ(Scan("[ぁ-ん]*"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                                {retk_CharRange, 0x829F, 0x82F1},
                                                {retk_RBra, 0, 0},
                                                {retk_Star, 0, 0},
                                                {retk_End, 0, 0}}));
  // Operators are members inside brackets.
  EXPECT_EQ(Scan("[(*]"), (std::vector<Tok>{{retk_LBra, 0, 0},
                                            {retk_Char, '(', 0},
                                            {retk_Char, '*', 0},
                                            {retk_RBra, 0, 0},
                                            {retk_End, 0, 0}}));
}

TEST(RegexScannerTest, BracketErrorsAndPositions) {
  EXPECT_EQ(ScanError("["), "右ブラケット \"]\" が必要です(3)");
  EXPECT_EQ(ScanError("[^"), "右ブラケット \"]\" が必要です(4)");
  EXPECT_EQ(ScanError("[a"), "右ブラケット \"]\" が必要です(4)");
  EXPECT_EQ(ScanError("[abc"), "右ブラケット \"]\" が必要です(6)");
  EXPECT_EQ(ScanError("[a-"), "右ブラケット \"]\" が必要です(5)");
  EXPECT_EQ(ScanError("[z-a]"), "キャラクタ範囲の指定が変です(5)");
  EXPECT_EQ(ScanError("[ん-あ]"), "キャラクタ範囲の指定が変です(7)");
}

}  // namespace
}  // namespace lorvane
