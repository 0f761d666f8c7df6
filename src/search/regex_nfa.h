#pragma once
// Nondeterministic automaton built from a parse tree (Thompson construction). State 0 is
// the entry, state 1 the exit. A transition's symbol is the index of a leaf of the tree
// (1-based, as numbered by TRECharClasses), or kEpsilon for an empty transition.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "search/regex_parse_tree.h"

namespace lorvane {

class TRE_NFA {
 public:
  static constexpr int32_t kEpsilon = -1;
  // An automaton this large is refused as too complex (its state sets would not fit the
  // 32 KB bit sets the engine has always used).
  static constexpr size_t kMaxStates = 262144;
  static constexpr size_t kMaxTransitions = size_t{1} << 22;

  struct Transition {
    int32_t symbol;
    uint32_t target;
  };

  // `symbol_of_leaf` numbers the leaves; raises the general exception for a tree too big.
  TRE_NFA(const TREParseTree& tree,
          const std::unordered_map<const TRENode*, int32_t>& symbol_of_leaf);

  // The same language read backwards: every transition turned round, entry and exit
  // exchanged.
  TRE_NFA Reversed() const;

  size_t StateCount() const { return states_.size(); }
  uint32_t Entry() const { return entry_; }
  uint32_t Exit() const { return exit_; }
  const std::vector<Transition>& Transitions(uint32_t state) const { return states_[state]; }

  // Calls visit(from, symbol, to) for every non-empty transition in the order they were
  // made, which is the pattern's order from left to right.
  template <class Visit>
  void ForEachCharTransition(Visit visit) const {
    std::vector<uint32_t> cursor(states_.size(), 0);
    for (const uint32_t from : char_sources_) {
      const std::vector<Transition>& list = states_[from];
      uint32_t& k = cursor[from];
      while (list[k].symbol == kEpsilon) ++k;
      visit(from, list[k].symbol, list[k].target);
      ++k;
    }
  }

 private:
  TRE_NFA() = default;
  uint32_t NewState();
  void AddTransition(uint32_t from, int32_t symbol, uint32_t to);

  std::vector<std::vector<Transition>> states_;
  uint32_t entry_ = 0;
  uint32_t exit_ = 1;
  size_t transition_count_ = 0;
  std::vector<uint32_t> char_sources_;  // the source of each non-empty transition, in order
};

}  // namespace lorvane
