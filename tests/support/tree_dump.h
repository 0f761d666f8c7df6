#pragma once
// Compact text forms of parse trees for table-driven tests:
//   a          the leaf "a"          a-z       a range
//   cat(x,y)   concatenation         alt(x,y)  union
//   star(x)    closure               empty     the empty string
// Codes that are not printable single bytes or double-byte characters are \xHHHH.

#include <string>

#include "search/regex_parse_tree.h"

namespace lorvane::testing {

std::string DumpTree(const TRENode* node);
// The leaves' ranges, sorted by lower bound, separated by blanks.
std::string DumpLeaves(const TREParseTree& tree);

}  // namespace lorvane::testing
