// The line-ending rule, over a whole text and over a text that may go on.

#include "common/lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lorvane {
namespace {

using Lines = std::vector<std::string_view>;

TEST(LinesTest, SplitAtEveryKindOfLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(""), (Lines{}));
  EXPECT_EQ(SplitLines(std::string("ab\0cd\r\nef", 9)), (Lines{"ab"}));
  EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("表\r\nソ"), (Lines{"表", "ソ"}));  // both end in the byte of "\"
}

TEST(LinesTest, TextThatMayGoOnWaitsForTheLineEnd) {
  struct Case {
    const char* text;
    size_t pos;
    std::optional<std::pair<size_t, size_t>> incomplete;  // end, next
    std::pair<size_t, size_t> complete;
  };
  const Case cases[] = {
      {"ab\r\ncd", 0, {{2, 4}}, {2, 4}},
      {"ab\r\ncd", 4, std::nullopt, {6, 6}},  // no terminator yet
      {"ab\r", 0, std::nullopt, {2, 3}},      // the LF may follow
      {"ab\rc", 0, {{2, 3}}, {2, 3}},         // a lone CR
      {"ab\n", 0, {{2, 3}}, {2, 3}},
      {"\r\n", 0, {{0, 2}}, {0, 2}},
  };
  for (const Case& c : cases) {
    const std::optional<TLineEnd> open = FindLineEnd(c.text, c.pos, false);
    ASSERT_EQ(open.has_value(), c.incomplete.has_value()) << c.text;
    if (open) {
      EXPECT_EQ(std::make_pair(open->end, open->next), *c.incomplete) << c.text;
    }
    const std::optional<TLineEnd> closed = FindLineEnd(c.text, c.pos, true);
    ASSERT_TRUE(closed.has_value()) << c.text;
    EXPECT_EQ(std::make_pair(closed->end, closed->next), c.complete) << c.text;
  }
  EXPECT_EQ(TextBeforeNul(std::string_view("ab\0c", 4)), "ab");
  EXPECT_EQ(TextBeforeNul("abc"), "abc");
}

}  // namespace
}  // namespace lorvane
