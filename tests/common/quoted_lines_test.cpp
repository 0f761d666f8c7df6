// Quoted copy and paste: the mark before every line, whatever ends the lines.

#include "common/quoted_lines.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(QuotedLinesTest, MarkBeforeEveryLine) {
  const struct {
    std::string text;
    std::string quoted;
  } kCases[] = {
      {"a\r\nb", "> a\r\n> b"},
      {"a\r\nb\r\n", "> a\r\n> b\r\n"},  // a final line end starts no marked empty line
      {"a\r\n\r\nb", "> a\r\n> \r\n> b"},
      {"a\nb\rc", "> a\n> b\r> c"},
      {"\r\n", "> \r\n"},
      {"", ""},
      {"ソ\r\n表ポ", "> ソ\r\n> 表ポ"},
      {std::string("a\0b\r\nc", 6), std::string("> a\0b\r\n> c", 10)},
  };
  for (const auto& c : kCases) EXPECT_EQ(QuoteLines(c.text, "> "), c.quoted) << c.text;
  EXPECT_EQ(QuoteLines("x\r\ny", "｜"), "｜x\r\n｜y");
  EXPECT_EQ(QuoteLines("x\r\ny", ""), "x\r\ny");
}

}  // namespace
}  // namespace lorvane
