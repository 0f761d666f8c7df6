// Parse tree dumps for tests (recursion is fine here: test patterns are small).

#include "support/tree_dump.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/mbstring.h"

namespace lorvane::testing {

namespace {

std::string CodeText(RECode c) {
  const bool printable_single = c > 0x20 && c < 0x7F;
  // Leads from 0xF0 on (user-defined and extension areas) are shown in hex.
  const bool double_byte =
      IsLeadByte(static_cast<unsigned char>(c >> 8)) && (c >> 8) < 0xF0 && (c & 0xFF) >= 0x40;
  if (printable_single || double_byte) return CodeToText(c);
  char buf[16];
  std::snprintf(buf, sizeof buf, "\\x%04X", c);
  return buf;
}

std::string RangeText(const TRENode* leaf) {
  if (leaf->lo == leaf->hi) return CodeText(leaf->lo);
  return CodeText(leaf->lo) + "-" + CodeText(leaf->hi);
}

}  // namespace

std::string DumpTree(const TRENode* node) {
  if (node == nullptr) return "null";
  switch (node->op) {
    case reop_Char:
      return RangeText(node);
    case reop_Concat:
      return "cat(" + DumpTree(node->left) + "," + DumpTree(node->right) + ")";
    case reop_Union:
      return "alt(" + DumpTree(node->left) + "," + DumpTree(node->right) + ")";
    case reop_Closure:
      return "star(" + DumpTree(node->left) + ")";
    case reop_Empty:
      return "empty";
  }
  return "?";
}

std::string DumpLeaves(const TREParseTree& tree) {
  std::vector<const TRENode*> leaves(tree.leaves().begin(), tree.leaves().end());
  std::sort(leaves.begin(), leaves.end(),
            [](const TRENode* a, const TRENode* b) { return a->lo < b->lo; });
  std::string out;
  for (const TRENode* leaf : leaves) {
    if (!out.empty()) out += ' ';
    out += RangeText(leaf);
  }
  return out;
}

}  // namespace lorvane::testing
