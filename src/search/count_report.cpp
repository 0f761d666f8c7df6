// The count report. Groups keep their first-seen order, then an exchange sort puts them
// in order: for each i, every later j whose key is smaller is exchanged with i. Equal keys
// (senders differing only in letter case, once upper-cased) are never exchanged with each
// other directly; the order they end in is the exchange sort's, so it is reproduced as
// such, on integer ranks of the keys so that thousands of groups stay quick.
// Tested by tests/search/count_report_test.cpp.

#include "search/count_report.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "common/mbstring.h"

namespace lorvane {

namespace {

struct TGroup {
  std::string key;
  int count = 0;
};

std::vector<TGroup> Groups(const TResultList& results, TMailField a, const char* join, TMailField b,
                           bool two_fields) {
  std::vector<TGroup> groups;
  std::unordered_map<std::string, size_t> index;
  for (int row = 0; row < results.Count(); ++row) {
    std::string key = results.Field(row, a);
    if (two_fields) key += join + results.Field(row, b);
    auto [it, inserted] = index.try_emplace(key, groups.size());
    if (inserted) groups.push_back({key, 0});
    ++groups[it->second].count;
  }
  return groups;
}

void ExchangeSort(std::vector<TGroup>& groups, bool upper) {
  const size_t n = groups.size();
  std::vector<std::string> keys(n);
  for (size_t i = 0; i < n; ++i) keys[i] = upper ? UpperAscii(groups[i].key) : groups[i].key;
  std::vector<std::string> distinct = keys;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::vector<size_t> rank(n);
  for (size_t i = 0; i < n; ++i) {
    rank[i] = static_cast<size_t>(std::lower_bound(distinct.begin(), distinct.end(), keys[i]) -
                                  distinct.begin());
  }
  for (size_t i = 0; i + 1 < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (rank[i] > rank[j]) {
        std::swap(rank[i], rank[j]);
        std::swap(groups[i], groups[j]);
      }
    }
  }
}

void AppendGroups(std::vector<std::string>& lines, const std::vector<TGroup>& groups) {
  for (const auto& g : groups) {
    char count[24];
    std::snprintf(count, sizeof count, "%5d", g.count);
    lines.push_back(std::string(count) + " " + g.key);
  }
}

}  // namespace

std::vector<std::string> CountReportLines(const TResultList& results,
                                          const std::string& keyword_check) {
  std::vector<std::string> lines = {"キーワード：" + keyword_check, "", "フォルダー別", ""};
  std::vector<TGroup> folders = Groups(results, mfSoft, "\\", mfFolder, true);
  ExchangeSort(folders, true);
  AppendGroups(lines, folders);
  lines.insert(lines.end(), {"", "発信日別", ""});
  std::vector<TGroup> dates = Groups(results, mfDate, "", mfDate, false);
  ExchangeSort(dates, false);
  AppendGroups(lines, dates);
  lines.insert(lines.end(), {"", "発信者別", ""});
  std::vector<TGroup> senders = Groups(results, mfSender, "", mfSender, false);
  ExchangeSort(senders, true);
  AppendGroups(lines, senders);
  return lines;
}

}  // namespace lorvane
