// Running a compiled pattern over Shift_JIS text.
//
// The defining search tries every start position in turn (leftmost start), stops each
// attempt at its first accepting state (shortest match), skips white space once a
// character has been consumed, and ends at NUL. Done naively that is quadratic for
// patterns like "a.*z", so:
//   1. Find runs one unanchored automaton over the text: a new attempt joins at every
//      character, so "no match" (the common case in a search) costs one pass. A text
//      without any of the pattern's required characters is not read at all, and while
//      no attempt is in progress the next character that can begin one is found by byte
//      search (regex_prefilter.h).
//   2. Match then tries start positions with the anchored DFA, skipping characters that
//      cannot begin a match, within a step budget proportional to the text.
//   3. If the budget runs out, a backward pass of the reversed pattern marks every start
//      position that has a match; the leftmost is taken and its shortest end found
//      forwards. Linear whatever the pattern.
// The DFAs are lazy; a pattern such as "a" and 254 dots makes a new DFA state at nearly
// every byte. Each DFA's construction work is metered: once it passes kWorkPerByte per
// character read, the automaton switches for good to the bit-parallel simulation
// (regex_bit_nfa.h), which runs the same three steps with the same results. A search
// that switches in the middle of a text goes on from the last point where no attempt
// was in progress.
// A lead byte at the very end, or followed by NUL, ends the text: nothing past the
// buffer is ever read.
// Tested by tests/search/regex_matcher_test.cpp (differential against a naive matcher,
// over every engine path).

#include "search/regex_automaton.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "common/mbstring.h"
#include "search/regex_error.h"
#include "search/regex_parser.h"

namespace lorvane {

namespace {

using Classes = TRECharClasses;

// DFA construction work allowed per character read before the bit-parallel automaton
// takes over (a work unit is one NFA transition examined: a few nanoseconds, about what
// a bit-parallel step costs per word of its state), and the work between two checks.
constexpr uint64_t kWorkPerByte = 64;
constexpr uint64_t kWorkQuantum = uint64_t{1} << 16;

// Reads one character at p (p < end): its symbol, advancing p; kSpaceMark, advancing p;
// or kEndMark, leaving p where it is.
inline uint16_t ReadSymbol(const Classes& classes, const unsigned char*& p,
                           const unsigned char* end) {
  uint16_t e = classes.ByteEntry(*p);
  if (e != Classes::kLeadMark) {
    if (e != Classes::kEndMark) ++p;
    return e;
  }
  if (p + 1 >= end) return Classes::kEndMark;
  e = classes.TrailEntry(p[0], p[1]);
  if (e != Classes::kEndMark) p += 2;
  return e;
}

// Reads a text backwards, character by character, from where forward reading from
// `begin` (a boundary) would stop, down to `begin`, without decoding it forwards first.
// A byte that cannot be a lead byte ends a character, and lead bytes after it pair up,
// so one look at the bytes before a boundary tells where the character before it starts:
// the second of two bytes when the byte before the boundary is a lead byte; otherwise a
// single byte, unless an odd run of lead bytes stands before it. Each run of lead bytes
// is counted once, so a whole pass is linear.
class BackwardReader {
 public:
  BackwardReader(const Classes& classes, const unsigned char* begin, const unsigned char* end)
      : classes_(classes), begin_(begin) {
    const auto* nul = static_cast<const unsigned char*>(
        std::memchr(begin, 0, static_cast<size_t>(end - begin)));
    stop_ = nul != nullptr ? nul : end;
    // A lead byte that starts a character just before the stop has no second byte.
    if (LeadRun(stop_) % 2 != 0) --stop_;
  }

  const unsigned char* Stop() const { return stop_; }

  // The character before boundary p (> begin): moves p to its start, returns its symbol
  // (or kSpaceMark).
  uint16_t Previous(const unsigned char*& p) const {
    const unsigned char* start = p - 1;
    if (p - begin_ >= 2 && IsLeadByte(p[-2]) &&
        (IsLeadByte(p[-1]) || LeadRun(p - 1) % 2 != 0)) {
      start = p - 2;
    }
    const uint16_t e = start + 2 == p ? classes_.TrailEntry(start[0], start[1])
                                      : classes_.ByteEntry(start[0]);
    p = start;
    // Marks cannot occur before the stop; were one to, it is passed over like a blank.
    return e >= Classes::kEndMark ? Classes::kSpaceMark : e;
  }

 private:
  // The number of lead bytes just before `at`, back to begin.
  size_t LeadRun(const unsigned char* at) const {
    size_t n = 0;
    while (at > begin_ && IsLeadByte(at[-1])) {
      --at;
      ++n;
    }
    return n;
  }

  const Classes& classes_;
  const unsigned char* begin_;
  const unsigned char* stop_;
};

}  // namespace

TREAutomaton::TREAutomaton(const std::string& pattern, size_t dfa_budget)
    : dfa_budget_(dfa_budget), work_quantum_(kWorkQuantum), work_per_byte_(kWorkPerByte) {
  if (pattern.size() > static_cast<size_t>(kMaxPatternBytes)) throw Exception(kReTooLong);
  TREParser parser(pattern);
  parser.Run();
  classes_ = std::make_unique<TRECharClasses>(parser.Tree());
  nfa_ = std::make_unique<TRE_NFA>(parser.Tree(), classes_->SymbolOfLeaf());
  anchored_ = std::make_unique<TRE_DFA>(*nfa_, classes_->SymbolCount(), false, dfa_budget_);
  unanchored_ = std::make_unique<TRE_DFA>(*nfa_, classes_->SymbolCount(), true, dfa_budget_);
  anchored_->SetWorkLimit(kWorkQuantum);
  unanchored_->SetWorkLimit(kWorkQuantum);
  accepts_empty_ = TRE_DFA::Accepting(anchored_->Start());
  if (accepts_empty_) return;

  std::vector<const TRENode*> start_leaves;
  for (const TRENode* leaf : parser.Tree().leaves()) {
    if (anchored_->StartsOn(classes_->SymbolOfLeaf().at(leaf))) start_leaves.push_back(leaf);
  }
  start_chars_ = TREStartChars::FromLeaves(start_leaves);
  required_ = TRERequiredChars::FromTree(parser.Tree());
  // Looking for the start characters already tells whether any of them occurs.
  if (required_ && start_chars_ && required_->Codes() == start_chars_->Codes()) required_.reset();
}

TREAutomaton::~TREAutomaton() = default;

bool TREAutomaton::SwitchToBitParallel() {
  if (!forward_bits_ && !bits_unavailable_) {
    forward_bits_ = TREBitNFA::Build(*nfa_, classes_->SymbolCount());
    bits_unavailable_ = !forward_bits_;
  }
  if (forward_bits_) engine_ = reeng_BitParallel;
  return forward_bits_ != nullptr;
}

void TREAutomaton::ForTestingSetSwitchRule(uint64_t quantum, uint64_t per_byte) {
  work_quantum_ = std::max<uint64_t>(quantum, 1);  // a check must let some work through
  work_per_byte_ = per_byte;
  for (TRE_DFA* dfa : {anchored_.get(), unanchored_.get(), reversed_.get()}) {
    if (dfa != nullptr) dfa->SetWorkLimit(dfa->Work() + work_quantum_);
  }
}

bool TREAutomaton::DfaKeepsUp(TRE_DFA& dfa, uint64_t bytes_in_call) {
  const uint64_t work =
      anchored_->Work() + unanchored_->Work() + (reversed_ ? reversed_->Work() : 0);
  const uint64_t bytes = dfa_bytes_ + bytes_in_call;
  if (engine_ == reeng_LazyDFA && work > work_per_byte_ * bytes && SwitchToBitParallel()) return false;
  // Either the DFA pays, or it is all there is (the bit-parallel automaton was refused).
  dfa.SetWorkLimit(bits_unavailable_ ? UINT64_MAX : dfa.Work() + work_quantum_);
  return true;
}

const unsigned char* TREAutomaton::SkipIdle(const Byte* p, const Byte* end,
                                            TREStartChars::TScan* scan) const {
  if (scan != nullptr && !scan->Dense()) return scan->Next(p);
  const Classes& classes = *classes_;
  const TRE_DFA& starts = *anchored_;
  for (; p < end; ++p) {
    uint16_t e = classes.ByteEntry(*p);
    if (e == Classes::kLeadMark) {
      if (p + 1 >= end) break;
      e = classes.TrailEntry(p[0], p[1]);
      if (e == Classes::kSpaceMark || (e < Classes::kEndMark && !starts.StartsOn(e))) {
        ++p;  // and the loop's increment passes the trail byte
        continue;
      }
      break;
    }
    if (e == Classes::kSpaceMark) continue;
    if (e == Classes::kEndMark || starts.StartsOn(e)) break;
  }
  return p;
}

bool TREAutomaton::Find(std::string_view text) {
  if (accepts_empty_) return text.empty() || text[0] != '\0';
  if (prefilters_ && required_ && !required_->MayOccurIn(text)) return false;
  const auto* begin = reinterpret_cast<const Byte*>(text.data());
  const auto* end = begin + text.size();
  if (engine_ == reeng_BitParallel) return FindBitParallel(begin, begin, end);
  return FindByDfa(begin, end);
}

bool TREAutomaton::FindByDfa(const Byte* begin, const Byte* end) {
  const Classes& classes = *classes_;
  TRE_DFA& dfa = *unanchored_;
  std::optional<TREStartChars::TScan> scan;
  if (prefilters_ && start_chars_) scan.emplace(*start_chars_, begin, end);
  const Byte* p = begin;
  const Byte* idle = begin;  // no attempt was in progress here
  uint64_t fed = 0;          // characters read before `idle`
  int32_t s = TRE_DFA::kEmptyHandle;
  bool found = false;
  while (p < end) {
    if (s == TRE_DFA::kEmptyHandle) {
      fed += static_cast<uint64_t>(p - idle);
      p = SkipIdle(p, end, scan ? &*scan : nullptr);
      idle = p;
      if (p >= end) break;
    }
    const int32_t from = s;
    const uint16_t e = ReadSymbol(classes, p, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    s = dfa.Next(from, e);
    if (TRE_DFA::Accepting(s)) {
      if (s == TRE_DFA::kOutOfWork) {
        if (!DfaKeepsUp(dfa, fed + static_cast<uint64_t>(p - idle))) {
          dfa_bytes_ += fed + static_cast<uint64_t>(p - idle);
          return FindBitParallel(begin, idle, end);
        }
        s = dfa.Next(from, e);
        if (!TRE_DFA::Accepting(s)) continue;
      }
      found = true;
      break;
    }
  }
  dfa_bytes_ += fed + static_cast<uint64_t>(p - idle);
  return found;
}

bool TREAutomaton::FindBitParallel(const Byte* begin, const Byte* from, const Byte* end) {
  const Classes& classes = *classes_;
  TREBitNFA& bits = *forward_bits_;
  std::optional<TREStartChars::TScan> scan;
  if (prefilters_ && start_chars_) scan.emplace(*start_chars_, begin, end);
  bits.Clear();
  const Byte* p = from;
  bool idle = true;
  while (p < end) {
    if (idle) {
      p = SkipIdle(p, end, scan ? &*scan : nullptr);
      if (p >= end) break;
    }
    const uint16_t e = ReadSymbol(classes, p, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    const int flags = bits.Step(e, true);
    if ((flags & TREBitNFA::kAccepting) != 0) return true;
    idle = (flags & TREBitNFA::kAlive) == 0;
  }
  return false;
}

int TREAutomaton::Match(std::string_view text, int* start, int* length) {
  *start = 0;
  *length = 0;
  if (accepts_empty_) {
    if (!text.empty() && text[0] == '\0') return 0;
    *start = 1;
    return 1;
  }
  if (!Find(text)) return 0;
  if (engine_ == reeng_BitParallel) return MatchBitParallel(text, 0, start, length);
  return MatchByDfa(text, start, length);
}

int TREAutomaton::MatchByDfa(std::string_view text, int* start, int* length) {
  const auto* begin = reinterpret_cast<const Byte*>(text.data());
  const auto* end = begin + text.size();
  const Classes& classes = *classes_;
  TRE_DFA& dfa = *anchored_;
  uint64_t fed = 0;
  bool gave_up = false;
  auto next = [&](int32_t s, uint16_t e) {
    ++fed;
    int32_t t = dfa.Next(s, e);
    if (t == TRE_DFA::kOutOfWork) {
      if (!DfaKeepsUp(dfa, fed)) {
        gave_up = true;
        return TRE_DFA::kEmptyHandle;
      }
      t = dfa.Next(s, e);
    }
    return t;
  };
  long long budget =
      static_cast<long long>(attempt_steps_per_byte_) * static_cast<long long>(text.size()) + 4096;
  const auto* p = begin;
  while (p < end) {
    const auto* at = p;
    const uint16_t first = ReadSymbol(classes, p, end);
    if (first == Classes::kEndMark) break;
    if (first == Classes::kSpaceMark || !dfa.StartsOn(first)) continue;
    int32_t s = next(dfa.Start(), first);
    const auto* q = p;
    while (!gave_up && !TRE_DFA::Accepting(s) && s != TRE_DFA::kEmptyHandle && q < end) {
      const uint16_t e = ReadSymbol(classes, q, end);
      if (e == Classes::kEndMark) break;
      if (e == Classes::kSpaceMark) continue;
      s = next(s, e);
      if (--budget < 0) {
        dfa_bytes_ += fed;
        return MatchByReverseScan(text, static_cast<size_t>(at - begin), start, length);
      }
    }
    if (gave_up) {
      dfa_bytes_ += fed;
      return MatchBitParallel(text, static_cast<size_t>(at - begin), start, length);
    }
    if (TRE_DFA::Accepting(s)) {
      dfa_bytes_ += fed;
      *start = static_cast<int>(at - begin) + 1;
      *length = static_cast<int>(q - at);
      return *start;
    }
  }
  dfa_bytes_ += fed;
  return 0;
}

void TREAutomaton::EnsureReversed() {
  if (reversed_nfa_) return;
  reversed_nfa_ = std::make_unique<TRE_NFA>(nfa_->Reversed());
  reversed_ =
      std::make_unique<TRE_DFA>(*reversed_nfa_, classes_->SymbolCount(), true, dfa_budget_);
  reversed_->SetWorkLimit(engine_ == reeng_LazyDFA ? work_quantum_ : UINT64_MAX);
}

int TREAutomaton::MatchByReverseScan(std::string_view text, size_t from, int* start,
                                     int* length) {
  const auto* begin = reinterpret_cast<const Byte*>(text.data());
  const BackwardReader reader(*classes_, begin + from, begin + text.size());
  EnsureReversed();
  // Backwards: after reading the character at c the state accepts iff the characters
  // from c on spell a match, i.e. an attempt at c succeeds. The last such c is the
  // leftmost.
  TRE_DFA& reversed = *reversed_;
  const Byte* leftmost = nullptr;
  uint64_t fed = 0;
  int32_t s = TRE_DFA::kEmptyHandle;
  for (const Byte* p = reader.Stop(); p > begin + from;) {
    const uint16_t e = reader.Previous(p);
    if (e == Classes::kSpaceMark) continue;
    ++fed;
    int32_t t = reversed.Next(s, e);
    if (t == TRE_DFA::kOutOfWork) {
      if (!DfaKeepsUp(reversed, fed)) {
        dfa_bytes_ += fed;
        return MatchBitParallel(text, from, start, length);
      }
      t = reversed.Next(s, e);
    }
    s = t;
    if (TRE_DFA::Accepting(s)) leftmost = p;
  }
  dfa_bytes_ += fed;
  if (leftmost == nullptr) return 0;

  TRE_DFA& dfa = *anchored_;
  const Byte* end = reader.Stop();
  s = dfa.Start();
  for (const Byte* q = leftmost; q < end;) {
    const uint16_t e = ReadSymbol(*classes_, q, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    int32_t t = dfa.Next(s, e);
    if (t == TRE_DFA::kOutOfWork) {
      if (!DfaKeepsUp(dfa, 1)) return MatchBitParallel(text, from, start, length);
      t = dfa.Next(s, e);
    }
    s = t;
    if (TRE_DFA::Accepting(s)) {
      *start = static_cast<int>(leftmost - begin) + 1;
      *length = static_cast<int>(q - leftmost);
      return *start;
    }
  }
  return 0;  // not reached: the backward pass proved a match exists
}

int TREAutomaton::MatchBitParallel(std::string_view text, size_t from, int* start,
                                   int* length) {
  if (!reversed_bits_) {
    EnsureReversed();
    reversed_bits_ = TREBitNFA::Build(*reversed_nfa_, classes_->SymbolCount());
    // Refused (its closures can be larger than the forward ones): the reversed DFA does
    // the backward pass, without switching again.
    if (!reversed_bits_) {
      reversed_->SetWorkLimit(UINT64_MAX);
      anchored_->SetWorkLimit(UINT64_MAX);
      return MatchByReverseScan(text, from, start, length);
    }
  }
  const auto* begin = reinterpret_cast<const Byte*>(text.data());
  const BackwardReader reader(*classes_, begin + from, begin + text.size());
  TREBitNFA& reversed = *reversed_bits_;
  reversed.Clear();
  const Byte* leftmost = nullptr;
  for (const Byte* p = reader.Stop(); p > begin + from;) {
    const uint16_t e = reader.Previous(p);
    if (e == Classes::kSpaceMark) continue;
    if ((reversed.Step(e, true) & TREBitNFA::kAccepting) != 0) leftmost = p;
  }
  if (leftmost == nullptr) return 0;

  TREBitNFA& forward = *forward_bits_;
  forward.Clear();
  const Byte* end = reader.Stop();
  bool first = true;
  for (const Byte* q = leftmost; q < end;) {
    const uint16_t e = ReadSymbol(*classes_, q, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    const int flags = forward.Step(e, first);
    first = false;
    if ((flags & TREBitNFA::kAccepting) != 0) {
      *start = static_cast<int>(leftmost - begin) + 1;
      *length = static_cast<int>(q - leftmost);
      return *start;
    }
    if ((flags & TREBitNFA::kAlive) == 0) break;
  }
  return 0;  // not reached: the backward pass proved a match exists
}

}  // namespace lorvane
