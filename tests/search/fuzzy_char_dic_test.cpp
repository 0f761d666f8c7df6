// The dictionary, byte for byte against a listing of every item as CP932 hex.

#include "search/fuzzy_char_dic.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace lorvane {
namespace {

std::string Hex(const std::string& bytes) {
  static const char* kDigits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out.empty() ? "-" : out;
}

TEST(FuzzyCharDicTest, MatchesTheByteListing) {
  std::ifstream listing(std::string(LORVANE_TEST_DATA_DIR) + "/fuzzy-char-dic.tsv");
  ASSERT_TRUE(listing) << "missing test data";
  const auto& rows = FuzzyCharDic().Rows();
  ASSERT_EQ(rows.size(), 123u);
  std::string line;
  size_t items = 0;
  while (std::getline(listing, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    size_t row = 0;
    size_t item = 0;
    std::string hex;
    fields >> row >> item >> hex;
    ASSERT_LE(row, rows.size());
    ASSERT_LE(item, rows[row - 1].items.size()) << "row " << row;
    EXPECT_EQ(Hex(rows[row - 1].items[item - 1].text), hex) << "row " << row << " item " << item;
    ++items;
  }
  size_t total = 0;
  for (const auto& r : rows) total += r.items.size();
  EXPECT_EQ(items, total);
}

TEST(FuzzyCharDicTest, CandidatesKeepTableOrder) {
  const auto& dic = FuzzyCharDic();
  // "O" is in row 13 (round shapes) and row 29 (letters); row 13 comes first.
  const auto& o = dic.CandidatesFor('O');
  ASSERT_EQ(o.size(), 2u);
  EXPECT_EQ(o[0].row, 12);
  EXPECT_EQ(o[1].row, 28);
  EXPECT_TRUE(dic.CandidatesFor(0x8740 /* ① */).size() == 1);
  EXPECT_TRUE(dic.CandidatesFor('Q' + 0x100).empty());
  EXPECT_EQ(dic.Rows()[7].items.back().text, "");  // row 8 ends with empty items
}

}  // namespace
}  // namespace lorvane
