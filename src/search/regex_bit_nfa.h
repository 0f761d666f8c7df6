#pragma once
// Bit-parallel simulation of an NFA, the engine's fallback when the lazy DFA thrashes.
// The NFA's character transitions become positions of an automaton without empty
// transitions (Glushkov's construction, with transitions between the same two states
// merged into one position that reads a set of symbols). A set of positions is a row of
// 64-bit words, and one text character costs a few passes over that row, however many
// positions are active: where the DFA would have to build a new state per character,
// this stays at tens to hundreds of MB/s.
//
// Positions are numbered in pattern order, so most follow edges go from a position to
// the next one; edges with a common distance are applied as one shift of the whole row,
// many-to-many edges (a closure over an alternation) as a test of a source set and an
// OR of a target set, and the few others one by one from the active sources.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "search/regex_nfa.h"

namespace lorvane {

class TREBitNFA {
 public:
  // Beyond this many positions (or when the structure would need too much memory) Build
  // gives up and the DFA stays in charge.
  static constexpr size_t kMaxPositions = 16384;

  static std::unique_ptr<TREBitNFA> Build(const TRE_NFA& nfa, int symbol_count);

  enum : int { kAlive = 1, kAccepting = 2 };

  // The state becomes the empty set.
  void Clear();
  // Reads one symbol: state := (follow(state) | (restart ? first : {})) & reach(symbol).
  // Returns kAlive when the new state is not empty, plus kAccepting when it holds a
  // position after which the pattern may end.
  int Step(int symbol, bool restart);

  size_t PositionCount() const { return positions_; }
  // Rough cost of one Step in word operations, for choosing between engines.
  size_t CostPerStep() const { return cost_; }

 private:
  struct Shift {
    int word_shift;       // distance = 64 * word_shift + bit_shift
    unsigned bit_shift;   // 0..63
    uint32_t first_word;  // the sources lie in words first_word..last_word
    uint32_t last_word;
    uint32_t masks;       // offset of last_word - first_word + 1 words in masks_
  };
  struct Bits {
    uint32_t word;
    uint64_t bits;
  };
  struct Group {  // if the state meets sources, every target follows
    uint32_t sources_begin, sources_end;  // in bits_
    uint32_t targets_begin, targets_end;
  };

  TREBitNFA() = default;
  void AddBits(const std::vector<uint32_t>& sorted_positions);

  size_t positions_ = 0;
  size_t words_ = 0;
  size_t cost_ = 0;
  std::vector<uint32_t> reach_of_symbol_;  // symbol -> offset of its row in reach_
  std::vector<uint64_t> reach_;
  std::vector<uint64_t> first_;
  std::vector<uint64_t> last_;
  std::vector<Shift> shifts_;
  std::vector<uint64_t> masks_;
  std::vector<Group> groups_;
  std::vector<Bits> bits_;
  std::vector<uint64_t> exception_mask_;
  std::vector<uint32_t> exception_begin_;  // per position + 1: its targets in bits_
  uint32_t exception_first_word_ = 0;
  uint32_t exception_last_word_ = 0;
  bool has_exceptions_ = false;
  // The current and the next state, each with two zero words of padding on either side
  // so that shifted words never need a bounds test.
  std::vector<uint64_t> current_;
  std::vector<uint64_t> next_;
  bool empty_ = true;
};

}  // namespace lorvane
