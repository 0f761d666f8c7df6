#pragma once
// The preprocessor of the powerful mode: replaces every character of a pattern that
// belongs to a dictionary group by an alternation of the whole group, outside brackets.

#include <string>
#include <vector>

#include "search/fuzzy_char_dic.h"
#include "search/regex_scanner.h"

namespace lorvane {

class TREPreProcessor {
 public:
  struct Token {
    TREToken kind;
    RECode code;
    RECode upper;
    int start;  // 1-based byte positions before and after the token
    int end;
  };

  TREPreProcessor() = default;

  void AddDictionary(const TFuzzyCharDic* dic) { dictionaries_.push_back(dic); }
  bool UseFuzzyCharDic() const { return use_fuzzy_; }
  void SetUseFuzzyCharDic(bool on) { use_fuzzy_ = on; }

  // Sets Output(); raises ERegExpParser for a scanner error (Output() is then empty).
  void Run(const std::string& input);
  const std::string& Output() const { return output_; }

 private:
  void ExpandRun(size_t first, size_t last);
  void CopySource(const Token& t);

  TREScanner scanner_;
  std::string output_;
  std::vector<const TFuzzyCharDic*> dictionaries_;
  std::vector<Token> tokens_;
  bool use_fuzzy_ = false;
};

}  // namespace lorvane
