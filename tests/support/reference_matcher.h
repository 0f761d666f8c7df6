#pragma once
// A deliberately naive matcher for differential tests: it walks the parse tree directly
// (sets of end positions, fixpoints for closures) at every start position, with none of
// the automata, symbol tables or scanning shortcuts of the real engine.

#include <string>
#include <string_view>

namespace lorvane::testing {

struct ReferenceMatch {
  int start = 0;  // 1-based, 0 for none
  int length = 0;
  bool operator==(const ReferenceMatch&) const = default;
};

// `pattern` must parse; the text is matched with the engine's rules (leftmost start,
// shortest at that start, white space skipped inside, NUL and a lone lead byte end it).
ReferenceMatch ReferenceMatchText(const std::string& pattern, std::string_view text);

}  // namespace lorvane::testing
