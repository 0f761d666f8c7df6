// The result list's columns and its sort. Keys per sort key, fields joined without a
// separator, then upper-cased (ASCII, double-byte characters intact) and compared as
// unsigned bytes:
//   "Folder"  Folder Soft Date Time        "Date"     Date Time
//   "From"    Sender Date Time             "Subject"  Subject Date Time
//   "Soft"    Soft Folder Date Time (and any other key)
// Tested by tests/search/result_list_test.cpp.

#include "search/result_list.h"

#include <algorithm>
#include <numeric>

#include "common/mbstring.h"

namespace lorvane {

TMailRecord TResultList::Row(int row) const {
  TMailRecord record;
  for (int f = 0; f < kMailFields; ++f)
    record[static_cast<size_t>(f)] = columns_[f][static_cast<size_t>(row)];
  return record;
}

void TResultList::Append(const TMailRecord& record) {
  for (int f = 0; f < kMailFields; ++f) columns_[f].push_back(record[static_cast<size_t>(f)]);
}

void TResultList::Clear() {
  for (auto& c : columns_) c.clear();
}

void TResultList::Permute(const std::vector<int>& order) {
  for (auto& column : columns_) {
    std::vector<std::string> sorted;
    sorted.reserve(column.size());
    for (int i : order) sorted.push_back(std::move(column[static_cast<size_t>(i)]));
    column = std::move(sorted);
  }
}

void SortResults(TResultList& results, const std::string& sort_key) {
  std::vector<TMailField> parts;
  if (sort_key == "Folder") {
    parts = {mfFolder, mfSoft, mfDate, mfTime};
  } else if (sort_key == "Date") {
    parts = {mfDate, mfTime};
  } else if (sort_key == "From") {
    parts = {mfSender, mfDate, mfTime};
  } else if (sort_key == "Subject") {
    parts = {mfSubject, mfDate, mfTime};
  } else {
    parts = {mfSoft, mfFolder, mfDate, mfTime};
  }
  const int n = results.Count();
  std::vector<std::string> keys(static_cast<size_t>(n));
  for (int row = 0; row < n; ++row) {
    std::string key;
    for (TMailField f : parts) key += results.Field(row, f);
    keys[static_cast<size_t>(row)] = UpperAscii(key);
  }
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  // std::string compares char_traits<char>, which orders as unsigned bytes.
  std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
    return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
  });
  results.Permute(order);
}

}  // namespace lorvane
