// Error texts of the regular-expression engine, kept in one place so that the scanner,
// parser and compiler raise them byte for byte alike.
// Tested through tests/search/regex_parser_test.cpp.

#include "search/regex_error.h"

namespace lorvane {

ERegExpParser::ERegExpParser(const std::string& text, int position)
    : Exception(text + "(" + std::to_string(position) + ")"), text_(text), position_(position) {}

const char* const kReNoSecondByte = "２バイト文字コードの２バイト目がありません";
const char* const kReBadBackslash = "\"\\\" の使い方が間違っています";
const char* const kReBadHex = "１６進数の表記が変です";
const char* const kReBadOctal = "８進数の表記が変です";
const char* const kReNeedRightBracket = "右ブラケット \"]\" が必要です";
const char* const kReBadRange = "キャラクタ範囲の指定が変です";
const char* const kReBadClass = "キャラクタクラス指定が変です";
const char* const kReNeedRightParen = "右括弧 \")\" が必要です";
const char* const kReNeedCharOrParen = "文字か、左括弧 \"(\" が必要です";
const char* const kReBadEnd = "正規表現の末尾が変です";

const char* const kReTreeFatal = "TREParseTree : 致命的エラー";
const char* const kReNfaImpossible = "This cannot happen in TRE_NFA.GenerateStateList";
const char* const kReTooLong = "正規表現が長すぎます";
const char* const kReTooComplex = "正規表現が複雑すぎます";

}  // namespace lorvane
