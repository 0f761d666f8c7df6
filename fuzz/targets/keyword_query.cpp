// Fuzz target: the keyword query (TRSearch: SetCondition, rendering, IsMatch).
// Input: one flag byte (bits 0-1 the method: 0 AND, 1 OR, 2 and 3 logic; bit 2 regular
// expressions; bit 3 powerful), the keyword text up to the first NUL, then the text to test.
// The condition is also rebuilt through the single setters. A pattern in error never
// matches; anything thrown is a crash.

#include <string>

#include "search/keyword_query.h"
#include "support/fuzz_input.h"

namespace lorvane::fuzz {

void FuzzOne(std::string_view input) {
  TFuzzInput in(input);
  const uint8_t flags = in.Byte();
  const std::string keywords(in.Until('\0'));
  const std::string_view text = in.Rest();
  const TMethod method = (flags & 3) == 0 ? mtAND : (flags & 3) == 1 ? mtOR : mtLogic;
  const bool regexp = (flags & 4) != 0;
  const bool powerful = (flags & 8) != 0;

  TPatternRuns runs;
  TRSearch search;
  search.SetPatternRichEdit(&runs);
  search.SetMethod(method);
  search.SetCondition(keywords, regexp, powerful);
  const bool error = search.PatternError();
  const bool match = search.IsMatch(text);
  Check(!(error && match), "a condition in error matched");
  Check(search.KeywordCount() >= 0 && search.KeywordCount() <= TRSearch::kMaxKeywords,
        "keyword count out of range");

  // The same condition reached one property at a time reads the same.
  TRSearch again;
  again.SetUseRegExp(regexp);
  again.SetPowerful(powerful);
  again.SetSearchPattern(keywords);
  again.SetMethod(method);
  Check(again.PatternError() == error, "setters disagree on the error");
  Check(again.IsMatch(text) == match, "setters disagree on the match");
}

}  // namespace lorvane::fuzz
