// The keyword query: splitting, negation, logic expressions, matching and rendering.

#include "search/keyword_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

// The rendering in a compact form: blue text as is, black in [ ], red in < >.
std::string Rendered(const TPatternRuns& runs) {
  std::string out;
  for (const auto& r : runs.Runs()) {
    if (r.colour == rcBlue) {
      out += r.text;
    } else if (!r.text.empty()) {
      out += (r.colour == rcBlack ? "[" : "<") + r.text + (r.colour == rcBlack ? "]" : ">");
    }
  }
  return out;
}

struct Query {
  TPatternRuns runs;
  TRSearch search;
  explicit Query(TMethod method, const std::string& text, bool regexp = false,
                 bool powerful = false) {
    search.SetPatternRichEdit(&runs);
    search.SetMethod(method);
    search.SetCondition(text, regexp, powerful);
  }
  std::string View() const { return Rendered(runs); }
  bool Matches(const std::string& text) { return search.IsMatch(text); }
};

TEST(KeywordQueryTest, RenderingAndMatching) {
  const struct {
    TMethod method;
    const char* text;
    const char* view;  // nullptr: not looked at
    std::vector<std::string> matching;
    std::vector<std::string> other;
    bool regexp = false;
    bool powerful = false;
  } cases[] = {
      // Blanks of both widths split; a doubled full-width blank makes no empty keyword.
      {mtAND,
       "  メール　検索 ",
       "{[メール]} * {[検索]}",
       {"全文検索できるメールソフト"},
       {"メールソフト"}},
      {mtOR, "a　　b", nullptr, {"b"}, {"xyz"}},
      // Negation marks of both widths; a mark alone is an ordinary keyword.
      {mtAND, "foo !bar", "{[foo]} * !{[bar]}", {"foo baz"}, {"foo bar"}},
      {mtAND, "foo ！bar", nullptr, {"foo baz"}, {"foo bar"}},
      {mtAND, "foo !", "{[foo]} * {[!]}", {"foo!"}, {"foo"}},
      {mtAND, "！", nullptr, {"ね！"}, {"ね"}},
      {mtOR, "alpha !beta", "{[alpha]} + !{[beta]}", {"gamma", "alpha beta"}, {"beta"}},
      // Plain matching is byte-exact, without a character-boundary check: "\" is in "ソ".
      {mtAND, "Mail", nullptr, {"Mail"}, {"mail"}},
      {mtAND, "\\", nullptr, {"ソ"}, {}},
      // The powerful mode goes through the engine, which reads whole characters.
      {mtAND, "\\", nullptr, {"￥"}, {"ソ"}, false, true},
      {mtAND, "", "", {"anything", ""}, {}},
      {mtLogic, "", "", {"x"}, {}},
      {mtLogic, "   ", "<?>", {}, {"x"}},
      // Logic: "*" binds before "+", "!" before both.
      {mtLogic, "{a}+{b}*{c}", "{[a]} + {[b]} * {[c]}", {"a", "bc"}, {"b"}},
      {mtLogic, "({a}+{b})*{c}", "({[a]} + {[b]}) * {[c]}", {"ac", "bc"}, {"a"}},
      {mtLogic, "!{a}*{b}", nullptr, {"b"}, {"ab", "x"}},
      {mtLogic, "!(!{a}+!{b})", nullptr, {"ab"}, {"a"}},
      {mtLogic, "（｛a｝＋｛b｝）＊！｛c｝", nullptr, {"a"}, {"ac"}},
      // Errors are red; a query in error matches nothing.
      {mtLogic, "{a} {b}", "{[a]}{<b>}", {}, {"ab"}},
      {mtLogic, "{a}*", "{[a]} * <?>", {}, {"a"}},
      {mtLogic, "({a}", "({[a]}<?>", {}, {"a"}},
      {mtLogic, "{a})", "{[a]}<)>", {}, {"a"}},
      {mtLogic, "*{a}", "< * >{[a]}", {}, {"a"}},
      {mtLogic, "(){a}", "(<)>{[a]}", {}, {"a"}},
      // Unbraced keywords run to the next closing brace; "￥" escapes inside a keyword; a
      // "｝" outside a keyword starts an unbraced one.
      {mtLogic, "foo * bar", "{[foo * bar]}", {}, {"foo bar"}},
      {mtLogic, "foo}*bar", "{[foo]} * {[bar]}", {}, {}},
      {mtLogic, "{a￥}b}", "{[a\\}b]}", {}, {}},
      {mtLogic, "｝x", "{[｝x]}", {}, {}},
      // Logic keywords go through the engine even when plain: white space never matches.
      {mtLogic, "{a b}", nullptr, {}, {"a b"}},
      {mtLogic, "{a.b}", nullptr, {"a.b"}, {"axb"}},
      // A regular-expression error marks the byte after the faulty one, a whole character
      // when it is double-byte, and a missing piece as "?".
      {mtAND, "ok ab)c", "{[ok]} * {[ab)]<c>}", {}, {"ok ab)c"}, true},
      {mtAND, "(ab", "{[(ab]<?>}", {}, {}, true},
      {mtAND, "[ab", "{[[ab]<?>}", {}, {}, true},
      {mtAND, "[ん-あ]", "{[[ん-]<あ>[]]}", {}, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Query q(c.method, c.text, c.regexp, c.powerful);
    if (c.view != nullptr) {
      EXPECT_EQ(q.View(), c.view);
      EXPECT_EQ(q.search.PatternError(), std::string(c.view).find('<') != std::string::npos);
    }
    for (const auto& text : c.matching) EXPECT_TRUE(q.Matches(text)) << text;
    for (const auto& text : c.other) EXPECT_FALSE(q.Matches(text)) << text;
  }
}

TEST(KeywordQueryTest, CountsExpressionAndErrorPositions) {
  EXPECT_EQ(Query(mtAND, "  メール　検索 ").search.KeywordCount(), 2);
  EXPECT_EQ(Query(mtOR, "a　　b").search.KeywordCount(), 2);
  EXPECT_EQ(Query(mtLogic, "foo * bar").search.KeywordCount(), 1);
  EXPECT_EQ(Query(mtLogic, "{a￥}b}").search.KeywordCount(), 1);
  EXPECT_EQ(Query(mtLogic, "{a}+{b}*{c}").search.LogicExpression(), "A+B*C");
  EXPECT_EQ(Query(mtLogic, "（｛a｝＋｛b｝）＊！｛c｝").search.LogicExpression(), "(A+B)*!C");
  EXPECT_EQ(Query(mtLogic, "{a} {b}").search.LogicErrorPos(), 2);
  EXPECT_EQ(Query(mtLogic, "(){a}").search.LogicErrorPos(), 2);
  // The position is just after the ")" (current + 1) of the second keyword.
  Query q(mtAND, "ok ab)c", true);
  EXPECT_EQ(q.search.LogicErrorPos(), 2);
  // Switching regular expressions off clears the error.
  q.search.SetUseRegExp(false);
  EXPECT_FALSE(q.search.PatternError());
  EXPECT_EQ(q.View(), "{[ok]} * {[ab)c]}");
  EXPECT_TRUE(q.Matches("ok ab)c"));
  // A fuzzy scanner error keeps the later keywords.
  Query fuzzy(mtAND, "[ab cd", true, true);
  EXPECT_EQ(fuzzy.search.KeywordCount(), 2);
  EXPECT_TRUE(fuzzy.search.PatternError());
}

TEST(KeywordQueryTest, ThirtyOneKeywordsAtMost) {
  std::string text;
  for (int i = 0; i < 31; ++i) text += "k" + std::to_string(i) + " ";
  Query ok(mtAND, text);
  EXPECT_EQ(ok.search.KeywordCount(), 31);
  EXPECT_FALSE(ok.search.PatternError());
  Query over(mtAND, text + "extra more");
  EXPECT_TRUE(over.search.PatternError());
  EXPECT_EQ(over.search.LogicErrorPos(), 32);
  const std::string view = over.View();
  EXPECT_NE(view.find("{<extra>}"), std::string::npos) << view;
  EXPECT_EQ(view.find("more"), std::string::npos);
  EXPECT_FALSE(over.Matches(text + "extra more"));
}

TEST(KeywordQueryTest, PropertySettersRebuildOnlyOnChange) {
  TPatternRuns runs;
  TRSearch s;
  s.SetPatternRichEdit(&runs);
  s.SetSearchPattern("a b");
  EXPECT_EQ(Rendered(runs), "{[a]} * {[b]}");
  s.SetMethod(mtOR);
  EXPECT_EQ(Rendered(runs), "{[a]} + {[b]}");
  runs.Clear();
  s.SetMethod(mtOR);  // same value: nothing happens
  EXPECT_EQ(Rendered(runs), "");
  s.SetPowerful(true);
  EXPECT_TRUE(s.IsMatch("ａｂ"));
  s.SetPowerful(false);
  EXPECT_FALSE(s.IsMatch("ａｂ"));
}

TEST(KeywordQueryTest, ReusedSlotSurvivesAModeChangeItsOldPatternCannotCompile) {
  TRSearch s;
  s.SetCondition("(", true, false);  // slot 0 holds "(" and an error
  EXPECT_TRUE(s.PatternError());
  s.SetCondition("abc", true, true);  // the old "(" fails in fuzzy mode; "abc" must not
  EXPECT_FALSE(s.PatternError());
  EXPECT_TRUE(s.IsMatch("ＡＢＣ"));
}

}  // namespace
}  // namespace lorvane
