// The matcher facade: fuzzy matching, plain text, error handling and the compile cache.

#include "search/awk_str.h"

#include <gtest/gtest.h>

#include "search/regex_error.h"

namespace lorvane {
namespace {

int MatchStart(TAWKStr& m, const std::string& text, int* length = nullptr) {
  int start = 0;
  int len = 0;
  m.Match(text, &start, &len);
  if (length) *length = len;
  return start;
}

TEST(AWKStrTest, FuzzyMatchingOfVariantForms) {
  TAWKStr m;
  m.SetUseFuzzyCharDic(true);
  m.SetRegExp("ｶﾞ");
  for (const char* text : {"が", "ガ", "か゛", "カ゛", "ｶﾞ"}) {
    EXPECT_EQ(MatchStart(m, text), 1) << text;
  }
  EXPECT_EQ(MatchStart(m, "か"), 0);
  m.SetRegExp("a");
  for (const char* text : {"Ａ", "ａ", "A", "＠", "Å"}) EXPECT_EQ(MatchStart(m, text), 1) << text;
  m.SetRegExp("サーバ");
  for (const char* text : {"サーバ", "サバ", "サ-バ", "ｻｰﾊﾞ", "さーば"}) {
    EXPECT_EQ(MatchStart(m, text), 1) << text;
  }
  m.SetRegExp("O");
  for (const char* text : {"0", "○"}) EXPECT_EQ(MatchStart(m, text), 1) << text;
  m.SetRegExp("[a]");  // brackets are not expanded
  EXPECT_EQ(MatchStart(m, "Ａ"), 0);
  EXPECT_EQ(MatchStart(m, "a"), 1);
  m.SetRegExp("メール");
  int length = 0;
  EXPECT_EQ(MatchStart(m, "新着ﾒｰﾙです", &length), 5);
  EXPECT_EQ(length, 3);  // three half-width katakana
}

TEST(AWKStrTest, FuzzyScannerErrorDoesNotRaise) {
  TAWKStr m;
  m.SetUseFuzzyCharDic(true);
  EXPECT_NO_THROW(m.SetRegExp("[abc"));
  EXPECT_EQ(m.ErrorPos(), 6);
  EXPECT_EQ(m.RegExp(), "[abc");
  int length = 99;
  EXPECT_EQ(MatchStart(m, "zzz", &length), 1);  // the empty pattern is in force
  EXPECT_EQ(length, 0);
}

TEST(AWKStrTest, SyntaxErrorsRaiseAndLeaveTheEmptyPattern) {
  TAWKStr m;
  m.SetRegExp("abc");
  try {
    m.SetRegExp("[abc");
    FAIL();
  } catch (const ERegExpParser& e) {
    EXPECT_STREQ(e.what(), "右ブラケット \"]\" が必要です(6)");
  }
  EXPECT_EQ(m.ErrorPos(), 6);
  EXPECT_EQ(m.RegExp(), "[abc");
  EXPECT_EQ(m.ForTestingCurrentEntry(), 0);
  EXPECT_EQ(MatchStart(m, "abc"), 1);
  m.SetRegExp("abc");
  EXPECT_EQ(m.ErrorPos(), 0);

  // With fuzzy expansion a grammar error is found in the expanded text.
  m.SetUseFuzzyCharDic(true);
  EXPECT_THROW(m.SetRegExp("a("), ERegExpParser);
  EXPECT_EQ(m.ErrorPos(), static_cast<int>(std::string("(Ａ|ａ|A|a|@|＠|Å)(").size()) + 2);
}

TEST(AWKStrTest, FailedPatternIsNeverServedFromTheCache) {
  TAWKStr m;
  EXPECT_THROW(m.SetRegExp("(a"), ERegExpParser);
  EXPECT_THROW(m.SetRegExp("(a"), ERegExpParser);
  EXPECT_EQ(m.ForTestingCacheSize(), 1);
}

TEST(AWKStrTest, PlainTextTakesThePatternLiterally) {
  TAWKStr m;
  m.SetPlainText(true);
  m.SetRegExp("a.b");
  EXPECT_EQ(MatchStart(m, "axb a.b"), 5);
  m.SetRegExp("(");
  EXPECT_EQ(m.ErrorPos(), 0);
  EXPECT_EQ(MatchStart(m, "x(y"), 2);
  m.SetUseFuzzyCharDic(true);
  m.SetRegExp("a.b");
  EXPECT_EQ(MatchStart(m, "Ａ。Ｂ"), 1);
  EXPECT_EQ(MatchStart(m, "axb"), 0);
}

TEST(AWKStrTest, EscapeMarksTheTenMetacharactersOnly) {
  EXPECT_EQ(TAWKStr::Escape("(|)+*?.[]\\"), "\\(\\|\\)\\+\\*\\?\\.\\[\\]\\\\");
  EXPECT_EQ(TAWKStr::Escape("^$-{}a"), "^$-{}a");
  EXPECT_EQ(TAWKStr::Escape("ソポ表"), "ソポ表");  // trail bytes "\" and "|" untouched
  EXPECT_EQ(TAWKStr::Escape("ソ\\"), "ソ\\\\");
}

TEST(AWKStrTest, CacheKeepsFiveNewestFirstAndEntryZero) {
  TAWKStr m;
  EXPECT_EQ(m.ForTestingCompileCount(), 0);
  m.SetRegExp("abc");
  m.SetRegExp("abc");
  EXPECT_EQ(m.ForTestingCompileCount(), 1);
  m.SetUseFuzzyCharDic(true);   // "abc" in mode 1
  m.SetUseFuzzyCharDic(false);  // back to mode 0: cached
  EXPECT_EQ(m.ForTestingCompileCount(), 2);
  EXPECT_EQ(m.ForTestingCompiledText(), "abc");
  for (const char* p : {"p1", "p2", "p3", "p4"}) m.SetRegExp(p);
  EXPECT_EQ(m.ForTestingCacheSize(), 5);
  EXPECT_EQ(m.ForTestingCompileCount(), 6);
  m.SetRegExp("p1");  // still cached at the end; found entries do not move
  EXPECT_EQ(m.ForTestingCompileCount(), 6);
  EXPECT_EQ(m.ForTestingCurrentEntry(), 4);
  m.SetRegExp("abc");  // evicted by now
  EXPECT_EQ(m.ForTestingCompileCount(), 7);
  m.SetRegExp("");  // entry 0
  EXPECT_EQ(m.ForTestingCurrentEntry(), 0);
  EXPECT_EQ(m.ForTestingCompileCount(), 7);
}

TEST(AWKStrTest, TooLongPatternsAreRefusedClearly) {
  TAWKStr m;
  m.SetPlainText(true);
  try {
    m.SetRegExp(std::string(40000, '.'));  // 80,000 bytes once escaped
    FAIL();
  } catch (const ERegExpParser&) {
    FAIL() << "not a syntax error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "正規表現が長すぎます");
  }
  EXPECT_EQ(m.ErrorPos(), 0);
  EXPECT_EQ(m.ForTestingCurrentEntry(), 0);
}

}  // namespace
}  // namespace lorvane
