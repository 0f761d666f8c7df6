// Parse tree storage and the step that makes all leaves disjoint.
//
// SplitLeaves cuts the code space at every leaf's lower bound and every upper bound + 1
// and turns each leaf that spans more than one piece, in place, into a left-nested union
// of its pieces, so every user of the old leaf sees the union:
//   leaves a-z and m-q  ->  pieces a-l, m-q, r-z;  a-z becomes (a-l | m-q) | r-z.
// Cutting at all bounds at once gives the same pieces as splitting overlapping pairs one
// by one, without the quadratic rescans. A budget on the pieces keeps hostile patterns
// (thousands of nested ranges) from exhausting memory.
// Tested by tests/search/regex_parser_test.cpp.

#include "search/regex_parse_tree.h"

#include <algorithm>

#include "common/exception.h"
#include "search/regex_error.h"

namespace lorvane {

namespace {
constexpr size_t kMaxLeafPieces = size_t{1} << 20;
}  // namespace

void TREParseTree::Clear() {
  root_ = nullptr;
  nodes_.clear();
  leaves_.clear();
  storage_.clear();
  leaf_by_range_.clear();
}

TRENode* TREParseTree::NewNode() {
  return &storage_.emplace_back();
}

TRENode* TREParseTree::MakeNode(TREOperation op, TRENode* left, TRENode* right) {
  TRENode* n = NewNode();
  n->op = op;
  n->left = left;
  n->right = right;
  nodes_.push_back(n);
  return n;
}

TRENode* TREParseTree::MakeLeaf(RECode lo, RECode hi) {
  auto [it, inserted] = leaf_by_range_.try_emplace(RangeKey(lo, hi), nullptr);
  if (!inserted) return it->second;
  TRENode* n = NewNode();
  n->op = reop_Char;
  n->lo = lo;
  n->hi = hi;
  leaves_.push_back(n);
  it->second = n;
  return n;
}

TRENode* TREParseTree::MakeLeafIfAny(int lo, int hi) {
  if (hi < lo) return nullptr;
  return MakeLeaf(static_cast<RECode>(lo), static_cast<RECode>(hi));
}

TRENode* TREParseTree::AnyChar() {
  TRENode* low = MakeNode(reop_Union, MakeLeaf(0x01, 0x09), MakeLeaf(0x0B, 0x0C));
  return MakeNode(reop_Union, low, MakeLeaf(0x0E, 0xFCFC));
}

void TREParseTree::SplitLeaves() {
  std::vector<uint32_t> bounds;
  bounds.reserve(leaves_.size() * 2);
  for (const TRENode* leaf : leaves_) {
    bounds.push_back(leaf->lo);
    bounds.push_back(uint32_t{leaf->hi} + 1);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

  const std::vector<TRENode*> original = leaves_;
  std::vector<TRENode*> converted;
  size_t pieces_made = 0;
  for (TRENode* leaf : original) {
    auto first = std::lower_bound(bounds.begin(), bounds.end(), uint32_t{leaf->lo});
    const uint32_t end = uint32_t{leaf->hi} + 1;
    if (first + 1 != bounds.end() && first[1] == end) continue;  // already one piece
    std::vector<TRENode*> pieces;
    for (auto b = first; b + 1 != bounds.end() && *b < end; ++b) {
      pieces.push_back(MakeLeaf(static_cast<RECode>(*b), static_cast<RECode>(b[1] - 1)));
    }
    pieces_made += pieces.size();
    if (pieces_made > kMaxLeafPieces) throw Exception(kReTooComplex);
    if (pieces.size() < 2) throw Exception(kReTreeFatal);
    TRENode* acc = pieces[0];
    for (size_t i = 1; i + 1 < pieces.size(); ++i) acc = MakeNode(reop_Union, acc, pieces[i]);
    // The leaf record itself becomes the outermost union.
    leaf_by_range_.erase(RangeKey(leaf->lo, leaf->hi));
    leaf->op = reop_Union;
    leaf->left = acc;
    leaf->right = pieces.back();
    converted.push_back(leaf);
  }
  if (converted.empty()) return;
  std::erase_if(leaves_, [](const TRENode* n) { return n->op != reop_Char; });
  nodes_.insert(nodes_.end(), converted.begin(), converted.end());
}

}  // namespace lorvane
