#pragma once
// The matcher object used by the keyword query and the viewer's find and replace.

#include <string>
#include <string_view>

#include "search/regular_expression.h"

namespace lorvane {

enum TMatchCORE_LineSeparator { mcls_CRLF, mcls_LF };

class TMatchCORE : public TRegularExpression {
 public:
  // Kept for the users of the matcher; matching does not depend on it.
  TMatchCORE_LineSeparator LineSeparator() const { return line_separator_; }
  void SetLineSeparator(TMatchCORE_LineSeparator s) { line_separator_ = s; }

 private:
  TMatchCORE_LineSeparator line_separator_ = mcls_CRLF;
};

class TAWKStr : public TMatchCORE {
 public:
  TAWKStr();

  // Stored for the keyword query (an inverted keyword); the engine never reads it.
  bool Negative() const { return negative_; }
  void SetNegative(bool on) { negative_ = on; }

  bool UseFuzzyCharDic() const;
  // Re-applies the current pattern at once in the new mode (and may raise as SetRegExp).
  void SetUseFuzzyCharDic(bool on);

  // Backslash before each of ( | ) + * ? . [ ] \ ; double-byte characters copied whole.
  static std::string Escape(std::string_view text);

 private:
  bool negative_ = false;
};

}  // namespace lorvane
