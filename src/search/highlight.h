#pragma once
// Why a message is a hit: where the current keywords match in its text, found with the
// keyword query's own matchers (so powerful mode marks ｻｰﾊﾞ for サーバ, and a match that
// runs over white space covers it). Negated keywords, which a hit does not contain, mark
// nothing.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "search/keyword_query.h"
#include "search/search_driver.h"

namespace lorvane {

struct TTextSpan {
  size_t offset = 0;  // 0-based byte offset in the text
  size_t length = 0;
  bool operator==(const TTextSpan&) const = default;
};

// Every match of every keyword that is not negated, in text order; overlapping matches
// (of one keyword or several) are joined into one span. Nothing while the query is empty
// or has an error. A NUL does not end the search here: the text after it is shown too.
std::vector<TTextSpan> HighlightSpans(TRSearch& query, std::string_view text);

// The first span in the part of `text` that was searched: the header is the text before
// its first empty line ("\r\n\r\n"), the body the text after it (all of it when there is
// none), as the search cuts them.
std::optional<TTextSpan> FirstSpanInScope(const std::vector<TTextSpan>& spans,
                                          std::string_view text, TSearchScope scope);

// For moving between the marks: the first span that starts after `offset`, and the last
// one that starts before it; nullopt when there is none.
std::optional<TTextSpan> NextSpan(const std::vector<TTextSpan>& spans, size_t offset);
std::optional<TTextSpan> PreviousSpan(const std::vector<TTextSpan>& spans, size_t offset);

}  // namespace lorvane
