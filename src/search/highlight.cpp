// Highlighting: each keyword's matcher is run over the text again and again, from the
// end of its last match (one character on after an empty one), so each keyword costs
// about one pass; the spans of all keywords are then sorted and joined.
// Negation: in AND/OR mode a keyword is negated by its own "!"; in logic mode by the
// "!"s around it, "!(A+!B)" negating A but not B.
// Tested by tests/search/highlight_test.cpp; timed by bench/highlight_bench.cpp.

#include "search/highlight.h"

#include <algorithm>

#include "common/mbstring.h"

namespace lorvane {

namespace {

// Which keywords of a checked logic expression are negated ('A' + k names keyword k).
std::vector<bool> LogicNegation(std::string_view logic, int keywords) {
  std::vector<bool> negated(static_cast<size_t>(keywords), false);
  std::vector<bool> groups;  // the negation of each open parenthesis's contents
  bool group = false;
  bool pending = false;  // a "!" waiting for its operand
  for (const char c : logic) {
    if (c == '!') {
      pending = !pending;
    } else if (c == '(') {
      groups.push_back(group);
      group = group != pending;
      pending = false;
    } else if (c == ')') {
      if (!groups.empty()) {
        group = groups.back();
        groups.pop_back();
      }
    } else if (c >= 'A' && c - 'A' < keywords) {
      negated[static_cast<size_t>(c - 'A')] = group != pending;
      pending = false;
    }
  }
  return negated;
}

void AddMatches(TAWKStr& matcher, std::string_view text, std::vector<TTextSpan>* spans) {
  size_t from = 0;
  while (from < text.size()) {
    int start = 0;
    int length = 0;
    matcher.Match(text.substr(from), &start, &length);
    if (start == 0) {
      // The matcher stops at a NUL; what follows it is text the window shows.
      const size_t nul = text.find('\0', from);
      if (nul == std::string_view::npos) return;
      from = nul + 1;
      continue;
    }
    const size_t at = from + static_cast<size_t>(start - 1);
    if (length == 0) {
      // A pattern that matches the empty string marks nothing; step over a character.
      if (at >= text.size()) return;
      from = at + CharWidthAt(text, at);
      continue;
    }
    spans->push_back({at, static_cast<size_t>(length)});
    from = at + static_cast<size_t>(length);
  }
}

}  // namespace

std::vector<TTextSpan> HighlightSpans(TRSearch& query, std::string_view text) {
  std::vector<TTextSpan> spans;
  if (Trim(query.SearchPattern()).empty() || query.PatternError()) return spans;
  const int keywords = query.KeywordCount();
  std::vector<bool> negated(static_cast<size_t>(keywords), false);
  if (query.Method() == mtLogic) {
    negated = LogicNegation(query.LogicExpression(), keywords);
  } else {
    for (int k = 0; k < keywords; ++k)
      negated[static_cast<size_t>(k)] = query.Matcher(k).Negative();
  }
  for (int k = 0; k < keywords; ++k) {
    if (!negated[static_cast<size_t>(k)]) AddMatches(query.Matcher(k), text, &spans);
  }

  std::sort(spans.begin(), spans.end(), [](const TTextSpan& a, const TTextSpan& b) {
    return a.offset < b.offset || (a.offset == b.offset && a.length > b.length);
  });
  std::vector<TTextSpan> joined;
  for (const TTextSpan& span : spans) {
    if (!joined.empty() && span.offset < joined.back().offset + joined.back().length) {
      TTextSpan& last = joined.back();
      last.length = std::max(last.offset + last.length, span.offset + span.length) - last.offset;
    } else {
      joined.push_back(span);
    }
  }
  return joined;
}

std::optional<TTextSpan> FirstSpanInScope(const std::vector<TTextSpan>& spans,
                                          std::string_view text, TSearchScope scope) {
  const size_t blank = text.find("\r\n\r\n");
  const size_t header_end = blank == std::string_view::npos ? text.size() : blank;
  const size_t body_start = blank == std::string_view::npos ? 0 : blank + 4;
  for (const TTextSpan& span : spans) {
    if (scope.header && (span.offset < header_end || scope.body)) return span;
    if (!scope.header && span.offset >= body_start) return span;
  }
  return std::nullopt;
}

std::optional<TTextSpan> NextSpan(const std::vector<TTextSpan>& spans, size_t offset) {
  const auto it = std::upper_bound(spans.begin(), spans.end(), offset,
                                   [](size_t o, const TTextSpan& s) { return o < s.offset; });
  if (it == spans.end()) return std::nullopt;
  return *it;
}

std::optional<TTextSpan> PreviousSpan(const std::vector<TTextSpan>& spans, size_t offset) {
  const auto it = std::lower_bound(spans.begin(), spans.end(), offset,
                                   [](const TTextSpan& s, size_t o) { return s.offset < o; });
  if (it == spans.begin()) return std::nullopt;
  return *(it - 1);
}

}  // namespace lorvane
