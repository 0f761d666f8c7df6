// Thompson construction over the parse tree, with an explicit work stack (the tree comes
// from user input and may be deep). Shared sub-trees are generated once per use, so
// "((a+)+)+..." doubles with each "+"; the state and transition budgets turn that into
// a "too complex" error instead of an exhausted machine.
//   Char     from --leaf--> to
//   Concat   from --left--> m --right--> to
//   Union    from --left--> to, from --right--> to
//   Closure  from -e-> s1 --left--> s2 -e-> s1 -e-> to
//   Empty    from -e-> to
// Tested by tests/search/regex_matcher_test.cpp (differentially, through the DFA).

#include "search/regex_nfa.h"

#include "common/exception.h"
#include "search/regex_error.h"

namespace lorvane {

uint32_t TRE_NFA::NewState() {
  if (states_.size() >= kMaxStates) throw Exception(kReTooComplex);
  states_.emplace_back();
  return static_cast<uint32_t>(states_.size() - 1);
}

void TRE_NFA::AddTransition(uint32_t from, int32_t symbol, uint32_t to) {
  if (++transition_count_ > kMaxTransitions) throw Exception(kReTooComplex);
  states_[from].push_back({symbol, to});
  if (symbol != kEpsilon) char_sources_.push_back(from);
}

TRE_NFA::TRE_NFA(const TREParseTree& tree,
                 const std::unordered_map<const TRENode*, int32_t>& symbol_of_leaf) {
  entry_ = NewState();
  exit_ = NewState();
  struct Work {
    const TRENode* node;
    uint32_t from;
    uint32_t to;
  };
  std::vector<Work> stack;
  if (tree.root()) stack.push_back({tree.root(), entry_, exit_});
  while (!stack.empty()) {
    const Work w = stack.back();
    stack.pop_back();
    switch (w.node->op) {
      case reop_Char: {
        auto it = symbol_of_leaf.find(w.node);
        if (it == symbol_of_leaf.end()) throw Exception(kReTreeFatal);
        AddTransition(w.from, it->second, w.to);
        break;
      }
      case reop_Concat: {
        const uint32_t m = NewState();
        stack.push_back({w.node->right, m, w.to});  // popped after the left side is done
        stack.push_back({w.node->left, w.from, m});
        break;
      }
      case reop_Union:
        stack.push_back({w.node->right, w.from, w.to});
        stack.push_back({w.node->left, w.from, w.to});
        break;
      case reop_Closure: {
        const uint32_t s1 = NewState();
        const uint32_t s2 = NewState();
        AddTransition(w.from, kEpsilon, s1);
        AddTransition(s2, kEpsilon, s1);
        AddTransition(s1, kEpsilon, w.to);
        stack.push_back({w.node->left, s1, s2});
        break;
      }
      case reop_Empty:
        AddTransition(w.from, kEpsilon, w.to);
        break;
      default:
        throw Exception(kReNfaImpossible);
    }
  }
}

TRE_NFA TRE_NFA::Reversed() const {
  TRE_NFA r;
  r.states_.resize(states_.size());
  r.transition_count_ = transition_count_;
  // Character transitions in their original order, so the reversed automaton numbers its
  // positions the same way.
  r.char_sources_.reserve(char_sources_.size());
  ForEachCharTransition([&r](uint32_t from, int32_t symbol, uint32_t to) {
    r.states_[to].push_back({symbol, from});
    r.char_sources_.push_back(to);
  });
  for (uint32_t from = 0; from < states_.size(); ++from) {
    for (const Transition& t : states_[from]) {
      if (t.symbol == kEpsilon) r.states_[t.target].push_back({t.symbol, from});
    }
  }
  r.entry_ = exit_;
  r.exit_ = entry_;
  return r;
}

}  // namespace lorvane
