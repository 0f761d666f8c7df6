// Fuzzy expansion of a pattern. The pattern is tokenized with the ordinary scanner; each
// maximal run of plain characters outside brackets is matched against the dictionaries
// item by item, and a matching item is replaced by its row's alternation:
//   "a*"    -> "(Ａ|ａ|A|a|@|＠|Å)*"
//   "ｶﾞ"    -> "(が|ガ|ｶﾞ|か゛|カ゛)"      (a two-character item)
//   "[a]"   -> "[a]"                        (inside brackets: copied)
// Operators, brackets and unmatched characters are copied as their source bytes.
// Tested by tests/search/regex_preprocessor_test.cpp.

#include "search/regex_preprocessor.h"

namespace lorvane {

void TREPreProcessor::Run(const std::string& input) {
  output_ = input;
  if (!use_fuzzy_) return;
  output_.clear();
  tokens_.clear();
  scanner_.SetPattern(input);
  scanner_.ResetBracket();
  for (;;) {
    const int start = scanner_.Position();
    const TREToken kind = scanner_.GetToken();  // may raise; the output stays empty
    tokens_.push_back({kind, scanner_.Char(), scanner_.UpperChar(), start, scanner_.Position()});
    if (kind == retk_End) break;
  }

  bool in_brackets = false;
  for (size_t i = 0; i < tokens_.size();) {
    const Token& t = tokens_[i];
    if (t.kind == retk_LBra || t.kind == retk_LBraNeg) in_brackets = true;
    if (t.kind == retk_RBra) in_brackets = false;
    if (t.kind != retk_Char || in_brackets) {
      CopySource(t);
      ++i;
      continue;
    }
    size_t j = i;
    while (j < tokens_.size() && tokens_[j].kind == retk_Char) ++j;
    ExpandRun(i, j);
    i = j;
  }
}

void TREPreProcessor::CopySource(const Token& t) {
  output_.append(scanner_.Pattern(), static_cast<size_t>(t.start - 1),
                 static_cast<size_t>(t.end - t.start));
}

// Tokens first..last-1 are plain characters outside brackets.
void TREPreProcessor::ExpandRun(size_t first, size_t last) {
  for (size_t k = first; k < last;) {
    const std::string* replacement = nullptr;
    size_t width = 1;
    for (const TFuzzyCharDic* dic : dictionaries_) {
      for (const auto& candidate : dic->CandidatesFor(tokens_[k].code)) {
        const auto& row = dic->Rows()[static_cast<size_t>(candidate.row)];
        const auto& codes = row.items[static_cast<size_t>(candidate.item)].codes;
        if (k + codes.size() > last) continue;
        bool equal = true;
        for (size_t n = 1; n < codes.size() && equal; ++n) {
          equal = tokens_[k + n].code == codes[n];
        }
        if (equal) {
          replacement = &row.alternation;
          width = codes.size();
          break;
        }
      }
      if (replacement) break;
    }
    if (replacement) {
      output_ += *replacement;
      k += width;
    } else {
      CopySource(tokens_[k]);
      ++k;
    }
  }
}

}  // namespace lorvane
