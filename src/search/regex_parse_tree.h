#pragma once
// The parse tree of a pattern: interior nodes and leaves (character ranges), owned by the
// tree. Leaves are unique per range and shared by every place that uses the range, so the
// tree is a DAG; after SplitLeaves the leaves are pairwise disjoint and each is one input
// symbol of the automaton.

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "search/regex_char.h"

namespace lorvane {

enum TREOperation {
  reop_Char,     // a leaf: the range lo..hi
  reop_Concat,   // left then right
  reop_Union,    // left or right
  reop_Closure,  // zero or more of left
  reop_Empty,    // the empty string
};

struct TRENode {
  TREOperation op = reop_Empty;
  TRENode* left = nullptr;
  TRENode* right = nullptr;
  RECode lo = 0;  // leaves only
  RECode hi = 0;
};

class TREParseTree {
 public:
  TREParseTree() = default;
  TREParseTree(const TREParseTree&) = delete;
  TREParseTree& operator=(const TREParseTree&) = delete;

  void Clear();
  TRENode* MakeNode(TREOperation op, TRENode* left, TRENode* right);
  // The existing leaf with exactly this range, or a new one.
  TRENode* MakeLeaf(RECode lo, RECode hi);
  // As MakeLeaf, but no leaf at all when hi < lo.
  TRENode* MakeLeafIfAny(int lo, int hi);
  // The tree of ".": every code from 1 to 0xFCFC but line feed and carriage return.
  TRENode* AnyChar();
  // Makes the leaves pairwise disjoint; every former leaf becomes a union of new ones.
  void SplitLeaves();

  TRENode* root() const { return root_; }
  void set_root(TRENode* root) { root_ = root; }
  const std::vector<TRENode*>& nodes() const { return nodes_; }
  const std::vector<TRENode*>& leaves() const { return leaves_; }

 private:
  static uint32_t RangeKey(RECode lo, RECode hi) { return (uint32_t{lo} << 16) | hi; }
  TRENode* NewNode();

  TRENode* root_ = nullptr;
  std::vector<TRENode*> nodes_;
  std::vector<TRENode*> leaves_;
  std::deque<TRENode> storage_;  // stable addresses; owns every node and leaf
  std::unordered_map<uint32_t, TRENode*> leaf_by_range_;
};

}  // namespace lorvane
