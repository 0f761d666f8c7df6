#pragma once
// Everything compiled from one pattern: the parse tree's symbols, the NFA, the lazy DFAs
// and the bit-parallel automaton that run it, its literal prefilters, and the two ways of
// running them over a text:
//   Find   - is there a match anywhere? (one pass, no restarts)
//   Match  - the leftmost match, shortest at its start, white space skipped inside it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "search/regex_bit_nfa.h"
#include "search/regex_classes.h"
#include "search/regex_dfa.h"
#include "search/regex_nfa.h"
#include "search/regex_prefilter.h"

namespace lorvane {

// Which automaton runs the pattern: the lazy DFA until its construction costs more per
// byte than a bit-parallel step would, then (for good) the bit-parallel simulation.
enum TREEngine { reeng_LazyDFA, reeng_BitParallel };

class TREAutomaton {
 public:
  // Parses and compiles; raises ERegExpParser for syntax errors and the general exception
  // when the pattern is too long or too complex.
  explicit TREAutomaton(const std::string& pattern, size_t dfa_budget = TRE_DFA::kDefaultBudget);
  ~TREAutomaton();

  bool Find(std::string_view text);
  // 1-based start and length in bytes; 0 and 0 when there is none. Returns start.
  int Match(std::string_view text, int* start, int* length);

  TREEngine Engine() const { return engine_; }

  // The attempt-by-attempt search gives way to a linear backward scan once it has spent
  // this many steps per byte of text; tests lower it to exercise the linear path.
  void ForTestingSetAttemptStepsPerByte(int steps) { attempt_steps_per_byte_ = steps; }
  // Runs the bit-parallel automaton from the start (false if it cannot be built for this
  // pattern), or switches the literal prefilters off.
  bool ForTestingUseBitParallel() { return SwitchToBitParallel(); }
  void ForTestingSetPrefilters(bool on) { prefilters_ = on; }
  // Checks the DFAs' construction work every `quantum` units and switches when it exceeds
  // `per_byte` units per character read (0: at the first check).
  void ForTestingSetSwitchRule(uint64_t quantum, uint64_t per_byte);
  const TRERequiredChars* RequiredChars() const { return required_.get(); }
  const TREStartChars* StartChars() const { return start_chars_.get(); }

 private:
  using Byte = unsigned char;

  const Byte* SkipIdle(const Byte* p, const Byte* end, TREStartChars::TScan* scan) const;
  bool FindByDfa(const Byte* begin, const Byte* end);
  bool FindBitParallel(const Byte* begin, const Byte* from, const Byte* end);
  int MatchByDfa(std::string_view text, int* start, int* length);
  int MatchByReverseScan(std::string_view text, size_t from, int* start, int* length);
  int MatchBitParallel(std::string_view text, size_t from, int* start, int* length);
  // Called when `dfa` has used up its work allowance: true to go on with it (the
  // allowance is raised), false when the engine has switched to the bit-parallel one.
  bool DfaKeepsUp(TRE_DFA& dfa, uint64_t bytes_in_call);
  void EnsureReversed();
  // Builds the bit-parallel automaton if need be and runs it from now on; false when the
  // pattern is beyond it (the DFAs then go on).
  bool SwitchToBitParallel();

  std::unique_ptr<TRECharClasses> classes_;
  std::unique_ptr<TRE_NFA> nfa_;
  bool accepts_empty_ = false;
  size_t dfa_budget_;
  std::unique_ptr<TRE_DFA> anchored_;
  std::unique_ptr<TRE_DFA> unanchored_;
  std::unique_ptr<TRE_NFA> reversed_nfa_;  // built on first need
  std::unique_ptr<TRE_DFA> reversed_;
  std::unique_ptr<TREBitNFA> forward_bits_;   // built on first need
  std::unique_ptr<TREBitNFA> reversed_bits_;  // built on first need
  bool bits_unavailable_ = false;             // Build refused the pattern
  TREEngine engine_ = reeng_LazyDFA;
  uint64_t dfa_bytes_ = 0;  // characters fed to the DFAs so far, over all calls
  std::unique_ptr<TRERequiredChars> required_;
  std::unique_ptr<TREStartChars> start_chars_;
  bool prefilters_ = true;
  uint64_t work_quantum_;
  uint64_t work_per_byte_;
  int attempt_steps_per_byte_ = 4;
};

}  // namespace lorvane
