#pragma once
// Everything compiled from one pattern: the parse tree's symbols, the NFA and the lazy
// DFAs that run it, and the two ways of running them over a text:
//   Find   - is there a match anywhere? (one pass, no restarts)
//   Match  - the leftmost match, shortest at its start, white space skipped inside it.

#include <memory>
#include <string>
#include <string_view>

#include "search/regex_classes.h"
#include "search/regex_dfa.h"
#include "search/regex_nfa.h"

namespace lorvane {

class TREAutomaton {
 public:
  // Parses and compiles; raises ERegExpParser for syntax errors and the general exception
  // when the pattern is too long or too complex.
  explicit TREAutomaton(const std::string& pattern, size_t dfa_budget = TRE_DFA::kDefaultBudget);
  ~TREAutomaton();

  bool Find(std::string_view text);
  // 1-based start and length in bytes; 0 and 0 when there is none. Returns start.
  int Match(std::string_view text, int* start, int* length);

  // The attempt-by-attempt search gives way to a linear backward scan once it has spent
  // this many steps per byte of text; tests lower it to exercise the linear path.
  void ForTestingSetAttemptStepsPerByte(int steps) { attempt_steps_per_byte_ = steps; }

 private:
  int MatchByReverseScan(std::string_view text, size_t from, int* start, int* length);

  std::unique_ptr<TRECharClasses> classes_;
  std::unique_ptr<TRE_NFA> nfa_;
  bool accepts_empty_ = false;
  size_t dfa_budget_;
  std::unique_ptr<TRE_DFA> anchored_;
  std::unique_ptr<TRE_DFA> unanchored_;
  std::unique_ptr<TRE_NFA> reversed_nfa_;  // built on first need
  std::unique_ptr<TRE_DFA> reversed_;
  int attempt_steps_per_byte_ = 4;
};

}  // namespace lorvane
