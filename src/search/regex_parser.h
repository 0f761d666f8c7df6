#pragma once
// Pattern parser: text -> parse tree with disjoint leaves.
//   regex   := term { "|" term }
//   term    := empty | factor { factor }
//   factor  := primary [ "*" | "+" | "?" ]
//   primary := char | "(" regex ")" | "[" class "]" | "[^" class "]" | "."

#include <string>

#include "search/regex_parse_tree.h"
#include "search/regex_scanner.h"

namespace lorvane {

class TREParser {
 public:
  explicit TREParser(std::string pattern);

  // Parses the whole pattern; raises ERegExpParser on the first syntax error.
  void Run();

  TREParseTree& Tree() { return tree_; }
  const TREParseTree& Tree() const { return tree_; }

 private:
  TRENode* ParseClass(bool negated);

  TREParseTree tree_;
  TREScanner scanner_;
};

}  // namespace lorvane
