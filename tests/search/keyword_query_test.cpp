// The keyword query: splitting, negation, logic expressions, matching and rendering.

#include "search/keyword_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

// The rendering in a compact form: blue text as is, black in {{ }}, red in <>.
std::string Rendered(const TPatternRuns& runs) {
  std::string out;
  for (const auto& r : runs.Runs()) {
    switch (r.colour) {
      case rcBlue:
        out += r.text;
        break;
      case rcBlack:
        if (!r.text.empty()) out += "[" + r.text + "]";
        break;
      case rcRed:
        if (!r.text.empty()) out += "<" + r.text + ">";
        break;
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

TEST(KeywordQueryTest, AndSplitsAtBlanksOfBothWidths) {
  Query q(mtAND, "  メール　検索 ");
  EXPECT_EQ(q.search.KeywordCount(), 2);
  EXPECT_EQ(q.View(), "{[メール]} * {[検索]}");
  EXPECT_TRUE(q.Matches("全文検索できるメールソフト"));
  EXPECT_FALSE(q.Matches("メールソフト"));
  EXPECT_FALSE(q.search.PatternError());
}

TEST(KeywordQueryTest, NegationMarks) {
  Query q(mtAND, "foo !bar");
  EXPECT_EQ(q.View(), "{[foo]} * !{[bar]}");
  EXPECT_TRUE(q.Matches("foo baz"));
  EXPECT_FALSE(q.Matches("foo bar"));
  Query full(mtAND, "foo ！bar");
  EXPECT_FALSE(full.Matches("foo bar"));
  // A mark alone is an ordinary keyword that must be present.
  Query lone(mtAND, "foo !");
  EXPECT_EQ(lone.View(), "{[foo]} * {[!]}");
  EXPECT_TRUE(lone.Matches("foo!"));
  EXPECT_FALSE(lone.Matches("foo"));
  Query lone_full(mtAND, "！");
  EXPECT_TRUE(lone_full.Matches("ね！"));
  EXPECT_FALSE(lone_full.Matches("ね"));
}

TEST(KeywordQueryTest, OrWithANegatedKeyword) {
  Query q(mtOR, "alpha !beta");
  EXPECT_EQ(q.View(), "{[alpha]} + !{[beta]}");
  EXPECT_TRUE(q.Matches("gamma"));
  EXPECT_TRUE(q.Matches("alpha beta"));
  EXPECT_FALSE(q.Matches("beta"));
}

TEST(KeywordQueryTest, PlainMatchingIsByteExact) {
  Query q(mtAND, "Mail");
  EXPECT_FALSE(q.Matches("mail"));
  // No character-boundary check on the fast path: "\" is found in "ソ".
  Query backslash(mtAND, "\\");
  EXPECT_TRUE(backslash.Matches("ソ"));
  // The powerful mode goes through the engine, which reads whole characters.
  Query powerful(mtAND, "\\", false, true);
  EXPECT_FALSE(powerful.Matches("ソ"));
  EXPECT_TRUE(powerful.Matches("￥"));
}

TEST(KeywordQueryTest, DoubleFullWidthBlankMakesNoEmptyKeyword) {
  Query q(mtOR, "a　　b");
  EXPECT_EQ(q.search.KeywordCount(), 2);
  EXPECT_FALSE(q.Matches("xyz"));
}

TEST(KeywordQueryTest, EmptyTextMatchesEverything) {
  Query q(mtAND, "");
  EXPECT_TRUE(q.Matches("anything"));
  EXPECT_TRUE(q.Matches(""));
  EXPECT_FALSE(q.search.PatternError());
  EXPECT_EQ(q.View(), "");
  Query logic(mtLogic, "");
  EXPECT_FALSE(logic.search.PatternError());
  EXPECT_TRUE(logic.Matches("x"));
  Query blanks(mtLogic, "   ");
  EXPECT_TRUE(blanks.search.PatternError());
  EXPECT_EQ(blanks.View(), "<?>");
}

TEST(KeywordQueryTest, LogicPrecedence) {
  Query q(mtLogic, "{a}+{b}*{c}");
  EXPECT_EQ(q.search.LogicExpression(), "A+B*C");
  EXPECT_EQ(q.View(), "{[a]} + {[b]} * {[c]}");
  EXPECT_TRUE(q.Matches("a"));
  EXPECT_FALSE(q.Matches("b"));
  EXPECT_TRUE(q.Matches("bc"));

  Query grouped(mtLogic, "({a}+{b})*{c}");
  EXPECT_EQ(grouped.View(), "({[a]} + {[b]}) * {[c]}");
  EXPECT_FALSE(grouped.Matches("a"));
  EXPECT_TRUE(grouped.Matches("ac"));
  EXPECT_TRUE(grouped.Matches("bc"));

  Query negated(mtLogic, "!{a}*{b}");
  EXPECT_TRUE(negated.Matches("b"));
  EXPECT_FALSE(negated.Matches("ab"));
  EXPECT_FALSE(negated.Matches("x"));

  Query nested(mtLogic, "!(!{a}+!{b})");  // a AND b
  EXPECT_TRUE(nested.Matches("ab"));
  EXPECT_FALSE(nested.Matches("a"));
}

TEST(KeywordQueryTest, LogicErrorsAreRenderedInRed) {
  Query missing_op(mtLogic, "{a} {b}");
  EXPECT_TRUE(missing_op.search.PatternError());
  EXPECT_EQ(missing_op.search.LogicErrorPos(), 2);
  EXPECT_EQ(missing_op.View(), "{[a]}{<b>}");
  EXPECT_FALSE(missing_op.Matches("ab"));

  Query trailing(mtLogic, "{a}*");
  EXPECT_EQ(trailing.View(), "{[a]} * <?>");
  Query open(mtLogic, "({a}");
  EXPECT_EQ(open.View(), "({[a]}<?>");
  Query extra(mtLogic, "{a})");
  EXPECT_EQ(extra.View(), "{[a]}<)>");
  Query leading(mtLogic, "*{a}");
  EXPECT_EQ(leading.View(), "< * >{[a]}");
  Query empty_group(mtLogic, "(){a}");
  EXPECT_EQ(empty_group.search.LogicErrorPos(), 2);
  EXPECT_EQ(empty_group.View(), "(<)>{[a]}");
}

TEST(KeywordQueryTest, UnbracedKeywordsRunToTheNextClosingBrace) {
  Query q(mtLogic, "foo * bar");
  EXPECT_EQ(q.search.KeywordCount(), 1);
  EXPECT_EQ(q.View(), "{[foo * bar]}");
  EXPECT_FALSE(q.search.PatternError());
  Query two(mtLogic, "foo}*bar");
  EXPECT_EQ(two.View(), "{[foo]} * {[bar]}");
}

TEST(KeywordQueryTest, FullWidthOperatorsAndEscapes) {
  Query q(mtLogic, "（｛a｝＋｛b｝）＊！｛c｝");
  EXPECT_EQ(q.search.LogicExpression(), "(A+B)*!C");
  EXPECT_TRUE(q.Matches("a"));
  EXPECT_FALSE(q.Matches("ac"));
  // "￥" inside a keyword is a backslash and takes the next character literally.
  Query escaped(mtLogic, "{a￥}b}");
  EXPECT_EQ(escaped.View(), "{[a\\}b]}");
  EXPECT_EQ(escaped.search.KeywordCount(), 1);
  // A "｝" outside a keyword starts an unbraced keyword.
  Query stray(mtLogic, "｝x");
  EXPECT_EQ(stray.View(), "{[｝x]}");
}

TEST(KeywordQueryTest, LogicKeywordsUseTheEngineEvenWhenPlain) {
  // Plain text through the matcher: white space in a keyword never matches.
  Query q(mtLogic, "{a b}");
  EXPECT_FALSE(q.Matches("a b"));
  Query dot(mtLogic, "{a.b}");
  EXPECT_TRUE(dot.Matches("a.b"));
  EXPECT_FALSE(dot.Matches("axb"));
}

TEST(KeywordQueryTest, RegexpErrorsMarkTheFaultyByte) {
  Query q(mtAND, "ok ab)c", true);
  EXPECT_TRUE(q.search.PatternError());
  // The position is just after the ")" (current + 1), so the byte after it is red.
  EXPECT_EQ(q.View(), "{[ok]} * {[ab)]<c>}");
  EXPECT_EQ(q.search.LogicErrorPos(), 2);
  // Switching regular expressions off clears the error.
  q.search.SetUseRegExp(false);
  EXPECT_FALSE(q.search.PatternError());
  EXPECT_EQ(q.View(), "{[ok]} * {[ab)c]}");
  EXPECT_TRUE(q.Matches("ok ab)c"));
}

TEST(KeywordQueryTest, MissingPiecesShowARedQuestionMark) {
  Query q(mtAND, "(ab", true);
  EXPECT_EQ(q.View(), "{[(ab]<?>}");
  Query bracket(mtAND, "[ab", true);
  EXPECT_EQ(bracket.View(), "{[[ab]<?>}");
}

TEST(KeywordQueryTest, RedPieceIsAWholeCharacter) {
  // The range error points just after "あ"; its lead byte is not split from the trail.
  Query q(mtAND, "[ん-あ]", true);
  EXPECT_EQ(q.View(), "{[[ん-]<あ>[]]}");
}

TEST(KeywordQueryTest, FuzzyScannerErrorKeepsLaterKeywords) {
  Query q(mtAND, "[ab cd", true, true);
  EXPECT_EQ(q.search.KeywordCount(), 2);
  EXPECT_TRUE(q.search.PatternError());
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
