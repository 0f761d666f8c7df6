// Why a message is a hit: the spans the query's own matchers mark in a text, negated
// keywords left out, the first span in the searched scope, and stepping between spans.

#include "search/highlight.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

using namespace std::string_literals;

// Each span as its text, for readable expectations.
std::vector<std::string> Marked(TMethod method, const std::string& pattern,
                                const std::string& text, bool powerful = false,
                                bool regexp = false) {
  TRSearch query;
  query.SetMethod(method);
  query.SetCondition(pattern, regexp, powerful);
  std::vector<std::string> marked;
  for (const TTextSpan& s : HighlightSpans(query, text)) {
    EXPECT_LE(s.offset + s.length, text.size());
    marked.push_back(text.substr(s.offset, s.length));
  }
  return marked;
}

using Marks = std::vector<std::string>;

TEST(HighlightTest, EveryMatchOfEveryKeywordThatIsNotNegated) {
  EXPECT_EQ(Marked(mtAND, "abc", "abc xabc ab"), (Marks{"abc", "abc"}));
  EXPECT_EQ(Marked(mtOR, "foo bar", "bar foo bar"), (Marks{"bar", "foo", "bar"}));
  EXPECT_EQ(Marked(mtAND, "foo !bar", "foo bar"), (Marks{"foo"}));
  // Logic mode: "!(A+!B)" negates A and, twice negated, keeps B.
  EXPECT_EQ(Marked(mtLogic, "!({foo}+!{bar})", "foo bar"), (Marks{"bar"}));
  EXPECT_EQ(Marked(mtLogic, "{foo}*（{bar}）", "bar foo"), (Marks{"bar", "foo"}));
  // Overlapping and adjacent matches of several keywords are joined only when they overlap.
  EXPECT_EQ(Marked(mtOR, "abc bcd", "abcd"), (Marks{"abcd"}));
  EXPECT_EQ(Marked(mtOR, "ab cd", "abcd"), (Marks{"ab", "cd"}));
  // Nothing for an empty query or one with an error.
  EXPECT_EQ(Marked(mtAND, "  ", "a b"), Marks{});
  EXPECT_EQ(Marked(mtAND, "(ab", "(ab", false, true), Marks{});
}

TEST(HighlightTest, DoubleByteTextPowerfulModeAndHostileText) {
  // Trail bytes 0x5C and 0x7C never start a match of "\" or "|".
  EXPECT_EQ(Marked(mtAND, "\\\\", "表ソポ\\", false, true), (Marks{"\\"}));
  EXPECT_EQ(Marked(mtAND, "\\|", "ポ|", false, true), (Marks{"|"}));
  EXPECT_EQ(Marked(mtAND, "表", "表ソ表"), (Marks{"表", "表"}));
  EXPECT_EQ(Marked(mtAND, "サーバ", "ｻｰﾊﾞとサーバ", true), (Marks{"ｻｰﾊﾞ", "サーバ"}));
  EXPECT_EQ(Marked(mtAND, "サーバ", "ｻｰﾊﾞ", false), Marks{});
  // A pattern that matches the empty string marks nothing and ends.
  EXPECT_EQ(Marked(mtAND, "x*", "abc", false, true), Marks{});
  // Text after a NUL is marked too; a lone lead byte at the end is no character.
  EXPECT_EQ(Marked(mtAND, "ab", "ab\0ab"s), (Marks{"ab", "ab"}));
  EXPECT_EQ(Marked(mtAND, "ab", "ab\x83"), (Marks{"ab"}));
}

TEST(HighlightTest, FirstSpanInTheSearchedScope) {
  const std::string text = "Subject: abc\r\n\r\nxx abc\r\n";
  TRSearch query;
  query.SetCondition("abc", false, false);
  const std::vector<TTextSpan> spans = HighlightSpans(query, text);
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(FirstSpanInScope(spans, text, {true, true}), spans[0]);
  EXPECT_EQ(FirstSpanInScope(spans, text, {true, false}), spans[0]);
  EXPECT_EQ(FirstSpanInScope(spans, text, {false, true}), spans[1]);
  EXPECT_EQ(FirstSpanInScope({spans[1]}, text, {true, false}), std::nullopt);
  // Without an empty line all of the text is header and body at once.
  EXPECT_EQ(FirstSpanInScope(spans, "abc", {false, true}), spans[0]);
  EXPECT_EQ(FirstSpanInScope({}, text, {true, true}), std::nullopt);
}

TEST(HighlightTest, NextAndPreviousSpan) {
  const std::vector<TTextSpan> spans = {{2, 3}, {10, 1}, {20, 4}};
  const struct {
    size_t offset;
    std::optional<TTextSpan> next;
    std::optional<TTextSpan> previous;
  } kCases[] = {
      {0, spans[0], std::nullopt},
      {2, spans[1], std::nullopt},  // the span at the caret is neither
      {3, spans[1], spans[0]},
      {10, spans[2], spans[0]},
      {25, std::nullopt, spans[2]},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(NextSpan(spans, c.offset), c.next) << c.offset;
    EXPECT_EQ(PreviousSpan(spans, c.offset), c.previous) << c.offset;
  }
  EXPECT_EQ(NextSpan({}, 0), std::nullopt);
}

}  // namespace
}  // namespace lorvane
