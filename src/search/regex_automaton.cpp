// Running a compiled pattern over Shift_JIS text.
//
// The defining search tries every start position in turn (leftmost start), stops each
// attempt at its first accepting state (shortest match), skips white space once a
// character has been consumed, and ends at NUL. Done naively that is quadratic for
// patterns like "a.*z", so:
//   1. Find runs one unanchored DFA over the text: a new attempt joins at every
//      character, so "no match" (the common case in a search) costs one pass.
//   2. Match then tries start positions with the anchored DFA, skipping characters that
//      cannot begin a match, within a step budget proportional to the text.
//   3. If the budget runs out, a backward pass of the reversed pattern marks every start
//      position that has a match; the leftmost is taken and its shortest end found
//      forwards. Linear whatever the pattern.
// A lead byte at the very end, or followed by NUL, ends the text: nothing past the
// buffer is ever read.
// Tested by tests/search/regex_matcher_test.cpp (differential against a naive matcher).

#include "search/regex_automaton.h"

#include <vector>

#include "search/regex_error.h"
#include "search/regex_parser.h"

namespace lorvane {

namespace {

using Classes = TRECharClasses;

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

}  // namespace

TREAutomaton::TREAutomaton(const std::string& pattern, size_t dfa_budget)
    : dfa_budget_(dfa_budget) {
  if (pattern.size() > static_cast<size_t>(kMaxPatternBytes)) throw Exception(kReTooLong);
  TREParser parser(pattern);
  parser.Run();
  classes_ = std::make_unique<TRECharClasses>(parser.Tree());
  nfa_ = std::make_unique<TRE_NFA>(parser.Tree(), classes_->SymbolOfLeaf());
  anchored_ = std::make_unique<TRE_DFA>(*nfa_, classes_->SymbolCount(), false, dfa_budget_);
  unanchored_ = std::make_unique<TRE_DFA>(*nfa_, classes_->SymbolCount(), true, dfa_budget_);
  accepts_empty_ = TRE_DFA::Accepting(anchored_->Start());
}

TREAutomaton::~TREAutomaton() = default;

bool TREAutomaton::Find(std::string_view text) {
  if (accepts_empty_) return text.empty() || text[0] != '\0';
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  const Classes& classes = *classes_;
  TRE_DFA& dfa = *unanchored_;
  int32_t s = TRE_DFA::kEmptyHandle;
  while (p < end) {
    if (s == TRE_DFA::kEmptyHandle) {
      // Nothing in progress: skip characters that cannot begin a match.
      for (; p < end; ++p) {
        uint16_t e = classes.ByteEntry(*p);
        if (e == Classes::kLeadMark) {
          if (p + 1 >= end) break;
          e = classes.TrailEntry(p[0], p[1]);
          if (e == Classes::kSpaceMark || (e < Classes::kEndMark && !dfa.StartsOn(e))) {
            ++p;  // and the loop's increment passes the trail byte
            continue;
          }
          break;
        }
        if (e == Classes::kSpaceMark) continue;
        if (e == Classes::kEndMark || dfa.StartsOn(e)) break;
      }
      if (p >= end) break;
    }
    const uint16_t e = ReadSymbol(classes, p, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    s = dfa.Next(s, e);
    if (TRE_DFA::Accepting(s)) return true;
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

  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = begin + text.size();
  const Classes& classes = *classes_;
  TRE_DFA& dfa = *anchored_;
  long long budget =
      static_cast<long long>(attempt_steps_per_byte_) * static_cast<long long>(text.size()) + 4096;
  const auto* p = begin;
  while (p < end) {
    const auto* at = p;
    const uint16_t first = ReadSymbol(classes, p, end);
    if (first == Classes::kEndMark) break;
    if (first == Classes::kSpaceMark || !dfa.StartsOn(first)) continue;
    int32_t s = dfa.Next(dfa.Start(), first);
    const auto* q = p;
    while (!TRE_DFA::Accepting(s) && s != TRE_DFA::kEmptyHandle && q < end) {
      const uint16_t e = ReadSymbol(classes, q, end);
      if (e == Classes::kEndMark) break;
      if (e == Classes::kSpaceMark) continue;
      s = dfa.Next(s, e);
      if (--budget < 0) {
        return MatchByReverseScan(text, static_cast<size_t>(at - begin), start, length);
      }
    }
    if (TRE_DFA::Accepting(s)) {
      *start = static_cast<int>(at - begin) + 1;
      *length = static_cast<int>(q - at);
      return *start;
    }
  }
  return 0;
}

int TREAutomaton::MatchByReverseScan(std::string_view text, size_t from, int* start, int* length) {
  struct Cell {
    uint16_t symbol;
    uint32_t end;  // byte offset just after the character
  };
  std::vector<Cell> cells;
  std::vector<uint32_t> starts;
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = begin + text.size();
  for (const auto* p = begin + from; p < end;) {
    const auto* at = p;
    const uint16_t e = ReadSymbol(*classes_, p, end);
    if (e == Classes::kEndMark) break;
    if (e == Classes::kSpaceMark) continue;
    cells.push_back({e, static_cast<uint32_t>(p - begin)});
    starts.push_back(static_cast<uint32_t>(at - begin));
  }

  if (!reversed_) {
    reversed_nfa_ = std::make_unique<TRE_NFA>(nfa_->Reversed());
    reversed_ =
        std::make_unique<TRE_DFA>(*reversed_nfa_, classes_->SymbolCount(), true, dfa_budget_);
  }
  // Backwards: after reading cell i the state accepts iff cells i..j spell a match for
  // some j, i.e. an attempt at cell i succeeds. The last such i seen is the leftmost.
  size_t leftmost = cells.size();
  int32_t s = TRE_DFA::kEmptyHandle;
  for (size_t i = cells.size(); i-- > 0;) {
    s = reversed_->Next(s, cells[i].symbol);
    if (TRE_DFA::Accepting(s)) leftmost = i;
  }
  if (leftmost == cells.size()) return 0;

  TRE_DFA& dfa = *anchored_;
  s = dfa.Start();
  for (size_t j = leftmost; j < cells.size(); ++j) {
    s = dfa.Next(s, cells[j].symbol);
    if (TRE_DFA::Accepting(s)) {
      *start = static_cast<int>(starts[leftmost]) + 1;
      *length = static_cast<int>(cells[j].end - starts[leftmost]);
      return *start;
    }
  }
  return 0;  // not reached: the backward pass proved a match exists
}

}  // namespace lorvane
