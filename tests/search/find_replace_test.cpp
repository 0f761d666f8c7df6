// Find and replace in the viewer's text: the pattern a find text makes, the first and last
// match, repeated F3 / Shift+F3 runs, replacement with the caller's answers, runs that
// must end, and selections that do not sit on character starts.

#include "search/find_replace.h"

#include <gtest/gtest.h>

#include <deque>

#include "search/regex_error.h"

namespace lorvane {
namespace {

// Answers in turn, remembering what it was asked and the text it was shown.
class TScriptedAnswers : public IReplaceConfirmation {
 public:
  explicit TScriptedAnswers(std::deque<TReplaceAnswer> answers) : answers_(std::move(answers)) {}
  TReplaceAnswer Confirm(const TTextSelection& state, bool, const std::string& question) override {
    questions.push_back(question);
    selected.push_back(state.text.substr(state.start, state.length));
    if (answers_.empty()) return raCancel;
    const TReplaceAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  std::vector<std::string> questions;
  std::vector<std::string> selected;

 private:
  std::deque<TReplaceAnswer> answers_;
};

TFindConditions Find(const std::string& text) {
  TFindConditions c;
  c.find = text;
  return c;
}

TFindConditions Replace(const std::string& find, const std::string& replace, bool confirm,
                        bool continuous) {
  TFindConditions c = Find(find);
  c.replace = replace;
  c.replace_mode = true;
  c.confirm = confirm;
  c.continuous = continuous;
  return c;
}

std::string Selected(const TTextSelection& s) { return s.text.substr(s.start, s.length); }

TEST(FindReplaceTest, PatternOfAFindText) {
  const struct {
    const char* find;
    bool regexp;
    const char* pattern;
  } kCases[] = {
      {"abc", false, "abc"},
      {" \tfoo bar\r\n", false, "foo|bar"},
      {"foo　bar", false, "foo|bar"},  // the ideographic blank splits too
      {"a.b  (c)", false, "a\\.b|\\(c\\)"},
      {"foo　　bar", false, "foo|bar"},  // no empty alternative between two blanks
      {"表 ソ|ポ", false, "表|ソ\\|ポ"},   // trail bytes 0x5C / 0x7C are no separators
      {"a.b c", true, "a.b c"},
      {"  ", false, ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FindPattern(c.find, c.regexp), c.pattern) << c.find;
  }
}

TEST(FindReplaceTest, FirstAndLastMatch) {
  TAWKStr m;
  m.SetUseFuzzyCharDic(false);
  m.SetRegExp("abc");
  EXPECT_EQ(MatchInText(m, "xx abc abc", false), (TTextMatch{true, 3, 3}));
  EXPECT_EQ(MatchInText(m, "xx abc abc", true), (TTextMatch{true, 7, 3}));
  EXPECT_EQ(MatchInText(m, "xx", true), TTextMatch{});
  // Overlapping matches: the last start wins; a double-byte character before the match
  // is stepped over whole, never at its trail byte.
  m.SetRegExp("aa");
  EXPECT_EQ(MatchInText(m, "aaa", true), (TTextMatch{true, 1, 2}));
  m.SetRegExp("\\\\");
  EXPECT_EQ(MatchInText(m, "表ソ\\", true), (TTextMatch{true, 4, 1}));
  EXPECT_EQ(MatchInText(m, "表ソ", false), TTextMatch{});
}

TEST(FindReplaceTest, DownwardSkipsTheSelectionsFirstCharacter) {
  TAWKStr m;
  TTextSelection s{"xx abc abc", 0, 0};
  TFindOutcome o = RunFind(m, Find("abc"), true, s, nullptr);
  EXPECT_TRUE(o.found);
  EXPECT_EQ(s.start, 3u);
  EXPECT_EQ(s.length, 3u);
  RunFind(m, Find("abc"), true, s, nullptr);
  EXPECT_EQ(s.start, 7u);
  o = RunFind(m, Find("abc"), true, s, nullptr);
  EXPECT_FALSE(o.found);
  EXPECT_EQ(o.message, "\"abc\" は見つかりませんでした。");
  EXPECT_EQ(o.message_caption, "検索／置き換え");
  EXPECT_EQ(s.start, 7u);  // the selection stays
  TFindConditions quiet = Find("abc");
  quiet.message = false;
  EXPECT_EQ(RunFind(m, quiet, true, s, nullptr).message, "");

  // A selection on a double-byte character skips both of its bytes.
  TTextSelection j{"表表", 0, 2};
  EXPECT_TRUE(RunFind(m, Find("表"), true, j, nullptr).found);
  EXPECT_EQ(j.start, 2u);
}

TEST(FindReplaceTest, UpwardTakesTheLastMatchBeforeTheCaret) {
  TAWKStr m;
  TTextSelection s{"abc abc", 7, 0};
  RunFind(m, Find("abc"), false, s, nullptr);
  EXPECT_EQ(s.start, 4u);
  EXPECT_EQ(s.length, 3u);
  RunFind(m, Find("abc"), false, s, nullptr);
  EXPECT_EQ(s.start, 0u);
  EXPECT_FALSE(RunFind(m, Find("abc"), false, s, nullptr).found);
}

TEST(FindReplaceTest, PowerfulAndPlainWords) {
  TAWKStr m;
  TTextSelection s{"かがみ", 0, 0};
  RunFind(m, Find("ｶﾞ"), true, s, nullptr);
  EXPECT_EQ(Selected(s), "が");
  TFindConditions exact = Find("ｶﾞ");
  exact.powerful = false;
  s = {"かがみ", 0, 0};
  EXPECT_FALSE(RunFind(m, exact, true, s, nullptr).found);
  for (const char* text : {"xx bar foo", "xx foo bar"}) {
    s = {text, 0, 0};
    RunFind(m, Find("foo bar"), true, s, nullptr);
    EXPECT_EQ(s.start, 3u) << text;
  }
  // A regular expression, and one that does not parse.
  TFindConditions re = Find("b.r");
  re.regexp = true;
  re.powerful = false;
  s = {"xx bar", 0, 0};
  RunFind(m, re, true, s, nullptr);
  EXPECT_EQ(Selected(s), "bar");
  re.find = "(ab";
  EXPECT_THROW(RunFind(m, re, true, s, nullptr), ERegExpParser);
  // Blanks alone find nothing; an empty find text does nothing at all.
  s = {"a b", 0, 0};
  EXPECT_FALSE(RunFind(m, Find("   "), true, s, nullptr).found);
  EXPECT_EQ(RunFind(m, Find(""), true, s, nullptr).message, "");
}

TEST(FindReplaceTest, ReplaceWithTheCallersAnswers) {
  TAWKStr m;
  // Confirm off, Continuous off: the next match only, the replacement selected.
  TTextSelection s{"a x a x", 0, 0};
  TFindOutcome o = RunFind(m, Replace("x", "表", false, false), true, s, nullptr);
  EXPECT_EQ(s.text, "a 表 a x");
  EXPECT_EQ(s.start, 2u);
  EXPECT_EQ(s.length, 2u);
  EXPECT_EQ(o.replacements, 1);

  // No on the first match leaves it and goes on; at the end no "not found" message.
  s = {"x1 x2 x3", 0, 0};
  TScriptedAnswers answers({raNo, raYes, raYes});
  o = RunFind(m, Replace("x", "yy", true, true), true, s, &answers);
  EXPECT_EQ(s.text, "x1 yy2 yy3");
  EXPECT_EQ(answers.questions,
            std::vector<std::string>(3, "\"yy\" と置き換えますか？"));
  EXPECT_EQ(answers.selected, std::vector<std::string>(3, "x"));
  EXPECT_EQ(o.replacements, 2);
  EXPECT_TRUE(o.text_changed);
  EXPECT_EQ(o.message, "");

  // Cancel stops with the match selected and the text unchanged.
  s = {"x x", 0, 0};
  TScriptedAnswers cancel({raCancel});
  o = RunFind(m, Replace("x", "y", true, true), true, s, &cancel);
  EXPECT_EQ(s.text, "x x");
  EXPECT_EQ(s.start, 0u);
  EXPECT_FALSE(o.text_changed);

  // Upward, continuous, without confirmation.
  s = {"ab ab ab", 8, 0};
  RunFind(m, Replace("ab", "ソ", false, true), false, s, nullptr);
  EXPECT_EQ(s.text, "ソ ソ ソ");
  EXPECT_EQ(s.start, 0u);
}

TEST(FindReplaceTest, ContinuousRunsEnd) {
  TAWKStr m;
  // The replacement holds the pattern: every "a" doubled once.
  TTextSelection s{"a b a", 0, 0};
  EXPECT_EQ(RunFind(m, Replace("a", "aa", false, true), true, s, nullptr).replacements, 2);
  EXPECT_EQ(s.text, "aa b aa");
  s = {"a b a", 5, 0};
  RunFind(m, Replace("a", "aa", false, true), false, s, nullptr);
  EXPECT_EQ(s.text, "aa b aa");
  // A pattern that matches the empty string, both ways, and always No.
  TFindConditions empty = Replace("x*", "-", false, true);
  empty.regexp = true;
  empty.powerful = false;
  s = {"ab", 0, 0};
  RunFind(m, empty, true, s, nullptr);
  EXPECT_LE(s.text.size(), 2u * 3u + 2u);
  s = {"ab", 2, 0};
  RunFind(m, empty, false, s, nullptr);
  EXPECT_LE(s.text.size(), 2u * 3u + 2u);
  s = {"aaa", 0, 0};
  TScriptedAnswers no({raNo, raNo, raNo, raNo, raNo});
  RunFind(m, Replace("a", "b", true, true), true, s, &no);
  EXPECT_EQ(no.questions.size(), 3u);
  EXPECT_EQ(s.text, "aaa");
}

TEST(FindReplaceTest, SelectionsOutsideTheTextOrInsideACharacter) {
  TAWKStr m;
  TTextSelection s{"表x", 1, 0};  // on the trail byte: the character's start counts
  RunFind(m, Find("x"), true, s, nullptr);
  EXPECT_EQ(s.start, 2u);
  s = {"abc", 99, 99};
  EXPECT_FALSE(RunFind(m, Find("abc"), true, s, nullptr).found);
  s = {"abc", 99, 99};
  RunFind(m, Find("abc"), false, s, nullptr);
  EXPECT_EQ(s.start, 0u);
  // A NUL in the text (pasted in) is no reason to read past its end.
  s = {std::string("xa\0a", 4), 0, 0};
  RunFind(m, Find("a"), true, s, nullptr);
  EXPECT_EQ(s.start, 1u);
  RunFind(m, Find("a"), true, s, nullptr);
  EXPECT_LE(s.start + s.length, 4u);
}

}  // namespace
}  // namespace lorvane
