// The count report's groups, sorts and line format.

#include "search/count_report.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TMailRecord Hit(const std::string& soft, const std::string& folder, const std::string& date,
                const std::string& sender) {
  return {soft, folder, date, "00:00:00", sender, "s", "f", "0", "-1"};
}

TEST(CountReportTest, GroupsSortedAndFormatted) {
  TResultList list;
  list.Append(Hit("Becky!", "Inbox", "2026-12-07", "taro"));
  list.Append(Hit("becky!", "inbox", "2006-12-05", "Taro"));
  list.Append(Hit("Becky!", "Inbox", "2026-12-07", "花子"));
  list.Append(Hit("AL-Mail", "受信", "2026-12-07", "taro"));
  EXPECT_EQ(
      CountReportLines(list, "{a} * {b}"),
      (std::vector<std::string>{"キーワード：{a} * {b}", "", "フォルダー別", "",
                                // Equal upper-cased keys are never exchanged with
                                // each other, but the exchange with AL-Mail moved
                                // the first one behind the second.
                                "    1 AL-Mail\\受信", "    1 becky!\\inbox", "    2 Becky!\\Inbox",
                                "", "発信日別", "", "    1 2006-12-05", "    3 2026-12-07", "",
                                "発信者別", "", "    2 taro", "    1 Taro", "    1 花子"}));
}

TEST(CountReportTest, ExchangeSortOrderOfEqualKeys) {
  // Keys c, B, b, A: i=0 takes B (swapping c to 1), then A (B to 3); i=1 ... the equal
  // "B" and "b" end in the order the exchanges leave them.
  TResultList list;
  for (const char* s : {"c", "B", "b", "A"}) list.Append(Hit("x", "y", "d", s));
  const std::vector<std::string> lines = CountReportLines(list, "");
  const std::vector<std::string> senders(lines.end() - 4, lines.end());
  EXPECT_EQ(senders, (std::vector<std::string>{"    1 A", "    1 b", "    1 B", "    1 c"}));
}

TEST(CountReportTest, CountsRightAlignedInFiveOrWider) {
  for (const auto& [count, line] : std::vector<std::pair<int, std::string>>{
           {7, "    7 S\\F"}, {12345, "12345 S\\F"}, {123456, "123456 S\\F"}}) {
    TResultList list;
    for (int i = 0; i < count; ++i) list.Append(Hit("S", "F", "D", "x"));
    EXPECT_EQ(CountReportLines(list, "")[4], line);
  }
}

}  // namespace
}  // namespace lorvane
