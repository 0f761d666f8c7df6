// The naive reference matcher.

#include "support/reference_matcher.h"

#include <set>
#include <vector>

#include "common/mbstring.h"
#include "search/regex_parser.h"

namespace lorvane::testing {

namespace {

struct Char {
  unsigned code;
  size_t begin;
  size_t end;
  bool space;
};

std::vector<Char> Decode(std::string_view text) {
  std::vector<Char> chars;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0) break;
    unsigned code = b;
    size_t w = 1;
    if (IsLeadByte(b)) {
      if (i + 1 >= text.size() || text[i + 1] == '\0') break;
      code = b * 256u + static_cast<unsigned char>(text[i + 1]);
      w = 2;
    }
    const bool space =
        code == 0x20 || code == 0x09 || code == 0x0A || code == 0x0D || code == 0x8140;
    chars.push_back({code, i, i + w, space});
    i += w;
  }
  return chars;
}

class Walker {
 public:
  explicit Walker(const std::vector<unsigned>& codes) : codes_(codes) {}

  std::set<size_t> Ends(const TRENode* n, size_t i) {
    switch (n->op) {
      case reop_Char:
        if (i < codes_.size() && codes_[i] >= n->lo && codes_[i] <= n->hi) return {i + 1};
        return {};
      case reop_Empty:
        return {i};
      case reop_Union: {
        auto a = Ends(n->left, i);
        auto b = Ends(n->right, i);
        a.insert(b.begin(), b.end());
        return a;
      }
      case reop_Concat: {
        std::set<size_t> out;
        for (size_t m : Ends(n->left, i)) {
          auto r = Ends(n->right, m);
          out.insert(r.begin(), r.end());
        }
        return out;
      }
      case reop_Closure: {
        std::set<size_t> reached = {i};
        std::vector<size_t> todo = {i};
        while (!todo.empty()) {
          const size_t m = todo.back();
          todo.pop_back();
          for (size_t e : Ends(n->left, m)) {
            if (reached.insert(e).second) todo.push_back(e);
          }
        }
        return reached;
      }
    }
    return {};
  }

 private:
  const std::vector<unsigned>& codes_;
};

}  // namespace

ReferenceMatch ReferenceMatchText(const std::string& pattern, std::string_view text) {
  TREParser parser(pattern);
  parser.Run();
  const TRENode* root = parser.Tree().root();

  const std::vector<Char> chars = Decode(text);
  std::vector<unsigned> codes;   // the non-blank characters, as the automaton sees them
  std::vector<size_t> index_of;  // chars index -> codes index
  std::vector<size_t> char_of;   // codes index -> chars index
  for (size_t c = 0; c < chars.size(); ++c) {
    index_of.push_back(codes.size());
    if (!chars[c].space) {
      codes.push_back(chars[c].code);
      char_of.push_back(c);
    }
  }
  Walker walker(codes);
  if (walker.Ends(root, 0).count(0) > 0) {  // accepts the empty string
    if (!text.empty() && text[0] == '\0') return {};
    return {1, 0};
  }
  for (size_t c = 0; c < chars.size(); ++c) {
    if (chars[c].space) continue;
    const std::set<size_t> ends = walker.Ends(root, index_of[c]);
    if (ends.empty()) continue;
    const size_t last = char_of[*ends.begin() - 1];
    return {static_cast<int>(chars[c].begin) + 1,
            static_cast<int>(chars[last].end - chars[c].begin)};
  }
  return {};
}

}  // namespace lorvane::testing
