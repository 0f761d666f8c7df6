#pragma once
// The fuzzy character dictionary: 123 groups of characters that count as the same
// character in the powerful mode (widths, cases, kana forms, voicing, look-alikes).
// Built once, immutable, shared by every matcher.

#include <string>
#include <unordered_map>
#include <vector>

#include "search/regex_char.h"

namespace lorvane {

class TFuzzyCharDic {
 public:
  struct Item {
    std::string text;           // CP932 bytes as written in the table
    std::vector<RECode> codes;  // the same, read character by character
  };
  struct Row {
    std::vector<Item> items;
    std::string alternation;  // "(" item1 "|" item2 ... ")", each item escaped
  };
  struct Candidate {
    int row;
    int item;
  };

  TFuzzyCharDic();

  const std::vector<Row>& Rows() const { return rows_; }
  // Items whose first code is `code`, in table order (row, then item).
  const std::vector<Candidate>& CandidatesFor(RECode code) const;

 private:
  std::vector<Row> rows_;
  std::unordered_map<RECode, std::vector<Candidate>> by_first_code_;
};

// The program-wide dictionary.
const TFuzzyCharDic& FuzzyCharDic();

}  // namespace lorvane
