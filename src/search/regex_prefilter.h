#pragma once
// Literal prefilters of a compiled pattern, searched at memchr speed before the automaton
// reads a text character by character:
//   TRERequiredChars  a few characters one of which every match contains: a text with
//                     none of them cannot match and is not read at all;
//   TREStartChars     the characters that can begin a match, when they are few: while no
//                     attempt is in progress, the next place where one of them stands is
//                     found by byte search instead of by reading every character.
// Both work on single characters, never on longer literals: a match skips white space
// between its characters ("abc" matches "a b\r\nc"), so only a character's own bytes are
// sure to stand together in the text.

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "search/regex_char.h"
#include "search/regex_parse_tree.h"
#include "search/substring_finder.h"

namespace lorvane {

// Whether reading a text can yield `code` as a character fed to the automaton: not the
// end, not white space, not a lone lead byte, not a double-byte code whose first byte is
// no lead byte or whose second byte is NUL.
bool IsReadableCode(RECode code);

class TRERequiredChars {
 public:
  static constexpr size_t kMaxChars = 4;

  // The rarest small set that every match of the split tree must contain; null when the
  // pattern has none (it may match the empty string, or only through closures or large
  // classes). An empty set means that nothing can ever match.
  static std::unique_ptr<TRERequiredChars> FromTree(const TREParseTree& tree);

  const std::vector<RECode>& Codes() const { return codes_; }
  // False when none of the characters' bytes occur in `text`: then there is no match.
  bool MayOccurIn(std::string_view text) const;

 private:
  explicit TRERequiredChars(std::vector<RECode> codes);
  std::vector<RECode> codes_;
  std::vector<TSubstringFinder> finders_;
};

class TREStartChars {
 public:
  static constexpr size_t kMaxChars = 6;

  // `codes`: every readable code with which a match can begin (at most kMaxChars).
  explicit TREStartChars(const std::vector<RECode>& codes);
  // From the leaves a match can begin with; null when they hold more than kMaxChars
  // readable codes.
  static std::unique_ptr<TREStartChars> FromLeaves(const std::vector<const TRENode*>& leaves);
  const std::vector<RECode>& Codes() const { return codes_; }

  // One left-to-right pass over one text.
  class TScan {
   public:
    TScan(const TREStartChars& chars, const unsigned char* begin, const unsigned char* end);
    // The first character boundary at or after `from` (itself a boundary, and no NUL before
    // it) at which one of the characters begins, or `end` when there is none before the
    // end of the text or its first NUL.
    const unsigned char* Next(const unsigned char* from);
    // Candidates have come so thick that reading character by character is cheaper.
    bool Dense() const { return dense_; }

   private:
    const TREStartChars& chars_;
    const unsigned char* const begin_;
    const unsigned char* const end_;
    std::array<const unsigned char*, kMaxChars> next_{};  // null: not searched yet
    const unsigned char* nul_checked_;                     // no NUL before this
    size_t candidates_ = 0;
    bool dense_ = false;
  };

 private:
  std::vector<RECode> codes_;
  std::vector<TSubstringFinder> finders_;
};

}  // namespace lorvane
