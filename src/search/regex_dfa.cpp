// Lazy subset construction with a memory budget (see regex_dfa.h).
// Example: "ab*" has NFA states {0 entry, 1 exit, ...}; the anchored start is the closure
// of {0}; on "a" it moves to a set containing the exit (accepting, handle odd); from there
// "b" loops, and any other symbol leads to the empty set, handle 0, where the attempt ends.
// Tested by tests/search/regex_matcher_test.cpp, also with a tiny budget that forces
// flushes on every few states.

#include "search/regex_dfa.h"

#include <algorithm>

namespace lorvane {

namespace {
constexpr size_t kStateOverhead = 96;  // vector, hash node and bookkeeping per state
}  // namespace

size_t TRE_DFA::SetHash::operator()(const StateSet& s) const {
  size_t h = s.size();
  for (uint32_t v : s) h = (h ^ v) * 0x100000001B3ull;
  return h;
}

TRE_DFA::TRE_DFA(const TRE_NFA& nfa, int symbol_count, bool unanchored, size_t budget_bytes)
    : nfa_(nfa),
      symbols_(static_cast<size_t>(symbol_count)),
      unanchored_(unanchored),
      // Room for a few states whatever the budget, so building always progresses.
      budget_(std::max(budget_bytes, 4 * (symbols_ * sizeof(int32_t) + kStateOverhead))),
      mark_(nfa.StateCount(), 0) {
  entry_closure_.push_back(nfa_.Entry());
  Closure(entry_closure_);
  starts_on_.assign(symbols_, 0);
  for (uint32_t q : entry_closure_) {
    for (const auto& t : nfa_.Transitions(q)) {
      if (t.symbol != TRE_NFA::kEpsilon) starts_on_[static_cast<size_t>(t.symbol)] = 1;
    }
  }
  Reset();
}

TRE_DFA::~TRE_DFA() = default;

void TRE_DFA::Reset() {
  sets_.clear();
  table_.clear();
  index_.clear();
  used_bytes_ = 0;
  Register(StateSet{});  // index 0: the empty set
  start_handle_ = unanchored_ ? kEmptyHandle : Register(StateSet(entry_closure_));
}

int32_t TRE_DFA::Start() {
  return start_handle_;
}

void TRE_DFA::Closure(StateSet& set) {
  if (++mark_generation_ == 0) {  // wrapped: clear the marks once
    std::fill(mark_.begin(), mark_.end(), 0);
    mark_generation_ = 1;
  }
  work_.clear();
  for (uint32_t q : set) {
    if (mark_[q] != mark_generation_) {
      mark_[q] = mark_generation_;
      work_.push_back(q);
    }
  }
  set.clear();
  while (!work_.empty()) {
    const uint32_t q = work_.back();
    work_.pop_back();
    set.push_back(q);
    for (const auto& t : nfa_.Transitions(q)) {
      if (t.symbol == TRE_NFA::kEpsilon && mark_[t.target] != mark_generation_) {
        mark_[t.target] = mark_generation_;
        work_.push_back(t.target);
      }
    }
  }
  std::sort(set.begin(), set.end());
}

int32_t TRE_DFA::Register(StateSet&& set) {
  auto found = index_.find(set);
  if (found != index_.end()) return found->second;
  const bool accepting = std::binary_search(set.begin(), set.end(), nfa_.Exit());
  const auto handle = static_cast<int32_t>(sets_.size() * 2 + (accepting ? 1 : 0));
  used_bytes_ += kStateOverhead + 2 * set.size() * sizeof(uint32_t) + symbols_ * sizeof(int32_t);
  table_.resize(table_.size() + symbols_, -1);
  index_.emplace(set, handle);
  sets_.push_back(std::move(set));
  return handle;
}

int32_t TRE_DFA::ComputeNext(int32_t handle, int symbol) {
  if (build_work_ >= work_limit_) return kOutOfWork;
  const size_t from = static_cast<size_t>(handle >> 1);
  StateSet next;
  auto step = [&](const StateSet& set) {
    for (uint32_t q : set) {
      const auto& transitions = nfa_.Transitions(q);
      build_work_ += transitions.size();
      for (const auto& t : transitions) {
        if (t.symbol == symbol) next.push_back(t.target);
      }
    }
  };
  step(sets_[from]);
  if (unanchored_) step(entry_closure_);
  std::sort(next.begin(), next.end());
  next.erase(std::unique(next.begin(), next.end()), next.end());
  Closure(next);
  build_work_ += next.size();

  if (used_bytes_ > budget_) {
    // Out of budget: start over with only the start state(s) and the target.
    ++flushes_;
    Reset();
    return Register(std::move(next));
  }
  const int32_t target = Register(std::move(next));
  table_[from * symbols_ + static_cast<size_t>(symbol)] = target;
  return target;
}

}  // namespace lorvane
