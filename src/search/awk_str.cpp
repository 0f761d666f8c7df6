// TAWKStr: the engine's published matcher, wired to the program-wide fuzzy dictionary.
// Tested by tests/search/awk_str_test.cpp.

#include "search/awk_str.h"

#include "common/mbstring.h"
#include "search/fuzzy_char_dic.h"

namespace lorvane {

TAWKStr::TAWKStr() {
  PreProcessor().AddDictionary(&FuzzyCharDic());
}

bool TAWKStr::UseFuzzyCharDic() const {
  return PreProcessor().UseFuzzyCharDic();
}

void TAWKStr::SetUseFuzzyCharDic(bool on) {
  PreProcessor().SetUseFuzzyCharDic(on);
  const std::string pattern = RegExp();
  SetRegExp(pattern);
}

std::string TAWKStr::Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (size_t i = 0; i < text.size();) {
    const size_t w = CharWidthAt(text, i);
    if (w == 1) {
      switch (text[i]) {
        case '(':
        case '|':
        case ')':
        case '+':
        case '*':
        case '?':
        case '.':
        case '[':
        case ']':
        case '\\':
          out += '\\';
          break;
        default:
          break;
      }
    }
    out.append(text, i, w);
    i += w;
  }
  return out;
}

}  // namespace lorvane
