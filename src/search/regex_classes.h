#pragma once
// Maps text bytes to the automaton's input symbols. Every leaf of a split parse tree is
// one symbol (1..leaves); symbol 0 stands for every code no leaf covers. Three marks
// stand outside the symbols: a lead byte (look at the trail byte next), white space
// (skipped, never fed to the automaton) and the end of the text (NUL).

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "search/regex_parse_tree.h"

namespace lorvane {

class TRECharClasses {
 public:
  static constexpr uint16_t kEndMark = 0xFFFD;
  static constexpr uint16_t kSpaceMark = 0xFFFE;
  static constexpr uint16_t kLeadMark = 0xFFFF;
  static constexpr int kMaxSymbols = 0xFFF0;

  // Numbers the leaves of `tree` in list order; raises "too complex" beyond kMaxSymbols.
  explicit TRECharClasses(const TREParseTree& tree);

  int SymbolCount() const { return symbol_count_; }
  // A symbol, or kEndMark, kSpaceMark or kLeadMark.
  uint16_t ByteEntry(unsigned char b) const { return bytes_[b]; }
  // The symbol of lead and trail, or kSpaceMark (0x8140) or kEndMark (trail NUL).
  uint16_t TrailEntry(unsigned char lead, unsigned char trail) const {
    return rows_[size_t{lead_row_[lead]} * 256 + trail];
  }
  // The symbol of a whole code as GetChar reads it.
  uint16_t SymbolOfCode(RECode code) const;
  const std::unordered_map<const TRENode*, int32_t>& SymbolOfLeaf() const { return of_leaf_; }

 private:
  int symbol_count_ = 1;
  std::array<uint16_t, 256> bytes_{};
  std::array<uint8_t, 256> lead_row_{};
  std::vector<uint16_t> rows_;  // 256 entries per lead byte
  std::unordered_map<const TRENode*, int32_t> of_leaf_;
};

}  // namespace lorvane
