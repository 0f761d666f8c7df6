// The result list's sort by each key.

#include "search/result_list.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TResultList Rows(const std::vector<TMailRecord>& records) {
  TResultList list;
  for (const auto& r : records) list.Append(r);
  return list;
}

std::vector<std::string> Files(const TResultList& list) {
  return list.Column(mfFileName);
}

const std::vector<TMailRecord> kRecords = {
    {"becky!", "Inbox", "2026-12-07", "10:00:00", "taro", "b", "1", "0", "-1"},
    {"Becky!", "Inbox", "2026-12-07", "09:00:00", "Taro", "A", "2", "0", "-1"},
    {"Becky!", "Archive", "2006-12-05", "12:34:56", "hanako", "c", "3", "0", "-1"},
    {"EUDORA", "In", "2026-12-07", "09:00:00", "ソフト", "表示", "4", "0", "-1"},
};

TEST(ResultListTest, SortKeys) {
  TResultList list = Rows(kRecords);
  SortResults(list, "Soft");
  EXPECT_EQ(Files(list), (std::vector<std::string>{"3", "2", "1", "4"}));
  SortResults(list, "Date");
  EXPECT_EQ(Files(list), (std::vector<std::string>{"3", "2", "4", "1"}));  // 2 before 4: stable
  SortResults(list, "From");
  EXPECT_EQ(Files(list), (std::vector<std::string>{"3", "2", "1", "4"}));  // taro = Taro
  SortResults(list, "Subject");
  EXPECT_EQ(Files(list), (std::vector<std::string>{"2", "1", "3", "4"}));
  SortResults(list, "Folder");  // "INBOXBECKY!..." comes before "INEUDORA..."
  EXPECT_EQ(Files(list), (std::vector<std::string>{"3", "2", "1", "4"}));
  SortResults(list, "Nonsense");  // like "Soft"
  EXPECT_EQ(Files(list), (std::vector<std::string>{"3", "2", "1", "4"}));
}

TEST(ResultListTest, EqualKeysKeepTheirOrderAndColumnsStayParallel) {
  TResultList list = Rows({{"A", "f", "d", "t", "x", "s", "first", "1", "2"},
                           {"a", "F", "d", "t", "y", "s", "second", "3", "4"}});
  SortResults(list, "Soft");
  EXPECT_EQ(Files(list), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(list.Row(1), (TMailRecord{"a", "F", "d", "t", "y", "s", "second", "3", "4"}));
}

}  // namespace
}  // namespace lorvane
