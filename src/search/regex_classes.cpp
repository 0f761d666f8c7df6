// Symbol tables for the automaton: one 256-entry table for single bytes and one row of
// 256 per lead byte (60 rows for code page 932), so reading a character costs one or two
// table lookups. Leaves are disjoint, so filling the tables touches each entry once.
// Tested by tests/search/regex_matcher_test.cpp.

#include "search/regex_classes.h"

#include <algorithm>

#include "common/exception.h"
#include "common/mbstring.h"
#include "search/regex_char.h"
#include "search/regex_error.h"

namespace lorvane {

TRECharClasses::TRECharClasses(const TREParseTree& tree) {
  const auto& leaves = tree.leaves();
  if (leaves.size() + 1 > static_cast<size_t>(kMaxSymbols)) throw Exception(kReTooComplex);
  symbol_count_ = static_cast<int>(leaves.size()) + 1;

  int rows = 0;
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) lead_row_[b] = static_cast<uint8_t>(rows++);
  }
  rows_.assign(static_cast<size_t>(rows) * 256, 0);

  for (size_t i = 0; i < leaves.size(); ++i) {
    const TRENode* leaf = leaves[i];
    const auto symbol = static_cast<uint16_t>(i + 1);
    of_leaf_[leaf] = symbol;
    for (int c = leaf->lo; c <= std::min<int>(leaf->hi, 0xFF); ++c) bytes_[c] = symbol;
    for (int lead = std::max(leaf->lo >> 8, 1); lead <= (leaf->hi >> 8); ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      const int first = std::max<int>(leaf->lo, lead * 256);
      const int last = std::min<int>(leaf->hi, lead * 256 + 255);
      uint16_t* row = &rows_[size_t{lead_row_[lead]} * 256];
      std::fill(row + (first & 0xFF), row + (last & 0xFF) + 1, symbol);
    }
  }

  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      bytes_[b] = kLeadMark;
      rows_[size_t{lead_row_[b]} * 256 + 0] = kEndMark;
    }
  }
  bytes_[0] = kEndMark;
  for (unsigned char ws : {0x20, 0x09, 0x0A, 0x0D}) bytes_[ws] = kSpaceMark;
  rows_[size_t{lead_row_[0x81]} * 256 + 0x40] = kSpaceMark;
}

uint16_t TRECharClasses::SymbolOfCode(RECode code) const {
  const auto high = static_cast<unsigned char>(code >> 8);
  if (high == 0) return bytes_[code];
  if (!IsLeadByte(high)) return 0;
  return TrailEntry(high, static_cast<unsigned char>(code & 0xFF));
}

}  // namespace lorvane
