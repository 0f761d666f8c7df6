#pragma once
// Deterministic automaton over an NFA's state sets, built lazily: a state's transition on a
// symbol is computed the first time it is needed and then memoized. All states and rows
// are charged to a memory budget; when it runs out the cache is flushed and building goes
// on from the current state, so results equal those of the complete construction while
// the work per text character stays bounded by the NFA's size.
//
// States are handed out as handles: index * 2 + 1 when accepting, index * 2 otherwise.
// The empty set is always index 0 (handle 0); in the anchored flavour it is the dead state.
//
// Flavours:
//   anchored     start = closure({entry}); next(S, a) = closure(step(S, a))
//   unanchored   start = {} ;              next(S, a) = closure(step(S + start', a))
//                where start' = closure({entry}): a new attempt begins at every symbol.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/regex_nfa.h"

namespace lorvane {

class TRE_DFA {
 public:
  static constexpr size_t kDefaultBudget = size_t{8} << 20;

  TRE_DFA(const TRE_NFA& nfa, int symbol_count, bool unanchored,
          size_t budget_bytes = kDefaultBudget);
  ~TRE_DFA();
  TRE_DFA(const TRE_DFA&) = delete;
  TRE_DFA& operator=(const TRE_DFA&) = delete;

  static constexpr int32_t kEmptyHandle = 0;
  // Returned by Next instead of a state when building it would pass the work limit. It is
  // odd, so the scans' accepting test catches it at no cost on their fast path.
  static constexpr int32_t kOutOfWork = -1;
  static bool Accepting(int32_t handle) { return (handle & 1) != 0; }

  // Anchored: the closure of the entry; unanchored: the empty set.
  int32_t Start();
  int32_t Next(int32_t handle, int symbol) {
    const int32_t t = table_[static_cast<size_t>(handle >> 1) * symbols_ + symbol];
    return t >= 0 ? t : ComputeNext(handle, symbol);
  }
  // Whether some text can leave the start state on this symbol.
  bool StartsOn(int symbol) const { return starts_on_[symbol] != 0; }

  size_t StateCount() const { return sets_.size(); }
  size_t FlushCount() const { return flushes_; }
  // Construction work so far (NFA transitions examined and states closed over), the
  // measure of thrashing; past the limit Next returns kOutOfWork for a state not built yet.
  uint64_t Work() const { return build_work_; }
  void SetWorkLimit(uint64_t limit) { work_limit_ = limit; }

 private:
  using StateSet = std::vector<uint32_t>;  // sorted NFA state numbers
  struct SetHash {
    size_t operator()(const StateSet& s) const;
  };

  void Reset();
  void Closure(StateSet& set);
  int32_t Register(StateSet&& set);
  int32_t ComputeNext(int32_t handle, int symbol);

  const TRE_NFA& nfa_;
  const size_t symbols_;
  const bool unanchored_;
  const size_t budget_;
  StateSet entry_closure_;
  std::vector<uint8_t> starts_on_;
  std::vector<StateSet> sets_;
  std::vector<int32_t> table_;  // symbols_ entries per state; -1 = not computed yet
  std::unordered_map<StateSet, int32_t, SetHash> index_;
  size_t used_bytes_ = 0;
  size_t flushes_ = 0;
  uint64_t build_work_ = 0;
  uint64_t work_limit_ = UINT64_MAX;
  int32_t start_handle_ = 0;
  // Scratch for closures: a mark per NFA state.
  std::vector<uint32_t> mark_;
  uint32_t mark_generation_ = 0;
  std::vector<uint32_t> work_;
};

}  // namespace lorvane
