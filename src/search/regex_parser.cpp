// Pattern parser. The grammar is parsed with an explicit stack of open groups instead of
// recursion, so "((((...a...))))" nested a hundred thousand deep cannot overflow the call
// stack; tokens are consumed in the same order a recursive-descent parser would consume
// them, so the first error reported (and its position) is the same.
// Operators: "a+" is Concat(a, Closure(a)) sharing a; "a?" is Union(a, Empty).
// A negated class is the complement of its members within the codes "." matches.
// Tested by tests/search/regex_parser_test.cpp.

#include "search/regex_parser.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "search/regex_error.h"

namespace lorvane {

namespace {

// One open group (or the whole pattern): the union built so far and the current term.
struct Frame {
  TRENode* alternatives = nullptr;
  TRENode* term = nullptr;
};

}  // namespace

TREParser::TREParser(std::string pattern) : scanner_(std::move(pattern)) {}

void TREParser::Run() {
  tree_.Clear();
  scanner_.Rewind();
  std::vector<Frame> frames(1);

  auto append_factor = [&](TRENode* factor) {
    Frame& f = frames.back();
    f.term = f.term ? tree_.MakeNode(reop_Concat, f.term, factor) : factor;
  };
  auto close_term = [&] {
    Frame& f = frames.back();
    TRENode* term = f.term ? f.term : tree_.MakeNode(reop_Empty, nullptr, nullptr);
    f.alternatives = f.alternatives ? tree_.MakeNode(reop_Union, f.alternatives, term) : term;
    f.term = nullptr;
  };

  scanner_.GetToken();
  for (;;) {
    TRENode* primary = nullptr;
    switch (scanner_.Token()) {
      case retk_Union:
        close_term();
        scanner_.GetToken();
        continue;
      case retk_RPar:
      case retk_End: {
        close_term();
        if (frames.size() == 1) {
          if (scanner_.Token() != retk_End) {
            throw ERegExpParser(kReBadEnd, scanner_.Position() + 1);
          }
          tree_.set_root(frames.back().alternatives);
          tree_.SplitLeaves();
          return;
        }
        if (scanner_.Token() != retk_RPar) {
          throw ERegExpParser(kReNeedRightParen, scanner_.Position() + 1);
        }
        primary = frames.back().alternatives;
        frames.pop_back();
        break;
      }
      case retk_LPar:
        frames.emplace_back();
        scanner_.GetToken();
        continue;
      case retk_Char:
        primary = tree_.MakeLeaf(scanner_.Char(), scanner_.Char());
        break;
      case retk_LBra:
      case retk_LBraNeg:
        primary = ParseClass(scanner_.Token() == retk_LBraNeg);
        break;
      case retk_Dot:
        primary = tree_.AnyChar();
        break;
      default:
        throw ERegExpParser(kReNeedCharOrParen, scanner_.Position());
    }
    // The primary's last token is current; at most one postfix operator follows.
    switch (scanner_.GetToken()) {
      case retk_Star:
        primary = tree_.MakeNode(reop_Closure, primary, nullptr);
        scanner_.GetToken();
        break;
      case retk_Plus:
        primary =
            tree_.MakeNode(reop_Concat, primary, tree_.MakeNode(reop_Closure, primary, nullptr));
        scanner_.GetToken();
        break;
      case retk_QMark:
        primary = tree_.MakeNode(reop_Union, primary, tree_.MakeNode(reop_Empty, nullptr, nullptr));
        scanner_.GetToken();
        break;
      default:
        break;
    }
    append_factor(primary);
  }
}

// Called with "[" or "[^" current; returns with the closing "]" current.
TRENode* TREParser::ParseClass(bool negated) {
  std::vector<std::pair<RECode, RECode>> members;
  scanner_.GetToken();
  if (scanner_.Token() == retk_RBra) throw ERegExpParser(kReBadClass, scanner_.Position());
  while (scanner_.Token() == retk_Char || scanner_.Token() == retk_CharRange) {
    const RECode lo = scanner_.Char();
    const RECode hi = scanner_.Token() == retk_CharRange ? scanner_.UpperChar() : lo;
    members.emplace_back(lo, hi);
    scanner_.GetToken();
  }
  if (scanner_.Token() != retk_RBra) {
    throw ERegExpParser(kReNeedRightBracket, scanner_.Position() + 1);
  }

  if (!negated) {
    TRENode* acc = nullptr;
    for (auto [lo, hi] : members) {
      TRENode* leaf = tree_.MakeLeaf(lo, hi);
      acc = acc ? tree_.MakeNode(reop_Union, acc, leaf) : leaf;
    }
    return acc;
  }

  // Complement of the members within 0x01-0x09, 0x0B-0x0C, 0x0E-0xFCFC.
  std::sort(members.begin(), members.end());
  const std::pair<int, int> any[] = {{0x01, 0x09}, {0x0B, 0x0C}, {0x0E, 0xFCFC}};
  TRENode* acc = nullptr;
  auto add = [&](int lo, int hi) {
    if (TRENode* leaf = tree_.MakeLeafIfAny(lo, hi)) {
      acc = acc ? tree_.MakeNode(reop_Union, acc, leaf) : leaf;
    }
  };
  for (auto [any_lo, any_hi] : any) {
    int next = any_lo;  // lowest code of this range not yet excluded or emitted
    for (auto [lo, hi] : members) {
      if (hi < next) continue;
      if (lo > any_hi) break;
      add(next, std::min<int>(lo - 1, any_hi));
      next = std::max<int>(next, hi + 1);
      if (next > any_hi) break;
    }
    add(next, any_hi);
  }
  // Nothing left: the code 0 never occurs in a text, so this leaf matches nothing.
  return acc ? acc : tree_.MakeLeaf(0, 0);
}

}  // namespace lorvane
