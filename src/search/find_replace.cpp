// Find and replace over a CP932 text. Upward "last match" is found as the dialog has
// always found it: each further search starts one character after the previous match's
// start, and the one that starts last wins.
// A continuous replacement must end even when the replacement holds a match ("a" by
// "aa") or the pattern matches the empty string: every pass starts strictly after the
// previous one (downward behind the replacement, upward before the match), so the text
// left to search shrinks with each pass.
// Tested by tests/search/find_replace_test.cpp.

#include "search/find_replace.h"

#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr std::string_view kIdeographicSpace = "　";
constexpr const char* kMessageCaption = "検索／置き換え";

// Byte offset of the character before `offset` (whole characters from the start).
size_t PreviousCharacter(std::string_view text, size_t offset) {
  size_t previous = 0;
  for (size_t i = 0; i < offset && i < text.size(); i += CharWidthAt(text, i)) previous = i;
  return previous;
}

// The selection clamped to the text and to character starts.
void ClampSelection(TTextSelection& state) {
  const std::string_view text = state.text;
  size_t start = 0;
  while (start < text.size() && start + CharWidthAt(text, start) <= state.start) {
    start += CharWidthAt(text, start);
  }
  state.start = std::min(start, text.size());
  state.length = std::min(state.length, text.size() - state.start);
}

}  // namespace

std::string FindPattern(std::string_view find, bool regexp) {
  std::string_view p = Trim(find);
  if (regexp) return std::string(p);
  std::string pattern;
  while (!p.empty()) {
    size_t blank = p.size();
    size_t width = 0;
    for (size_t i = 0; i < p.size(); i += CharWidthAt(p, i)) {
      if (p[i] == ' ' || p.substr(i, 2) == kIdeographicSpace) {
        blank = i;
        width = p[i] == ' ' ? 1 : 2;
        break;
      }
    }
    const std::string_view word = p.substr(0, blank);
    p = width == 0 ? std::string_view() : TrimLeft(p.substr(blank + width));
    // Two ideographic blanks in a row leave an empty word; as an alternative it would
    // match the empty string everywhere.
    if (word.empty()) continue;
    if (!pattern.empty()) pattern += '|';
    pattern += TAWKStr::Escape(word);
  }
  return pattern;
}

TTextMatch MatchInText(TAWKStr& matcher, std::string_view text, bool last) {
  int start = 0;
  int length = 0;
  matcher.Match(text, &start, &length);
  if (start == 0) return {};
  TTextMatch match{true, static_cast<size_t>(start - 1), static_cast<size_t>(length)};
  if (!last) return match;
  while (match.start < text.size()) {
    const size_t from = match.start + CharWidthAt(text, match.start);
    matcher.Match(text.substr(from), &start, &length);
    if (start == 0) break;
    match = {true, from + static_cast<size_t>(start - 1), static_cast<size_t>(length)};
  }
  return match;
}

TFindOutcome RunFind(TAWKStr& matcher, const TFindConditions& c, bool downward,
                     TTextSelection& state, IReplaceConfirmation* confirmation) {
  TFindOutcome outcome;
  if (c.find.empty()) return outcome;
  const auto not_found = [&] {
    if (!outcome.found && c.message) {
      outcome.message = "\"" + c.find + "\" は見つかりませんでした。";
      outcome.message_caption = kMessageCaption;
    }
    return outcome;
  };
  // Blanks alone make no pattern, and an empty pattern would "find" the empty string.
  const std::string pattern = FindPattern(c.find, c.regexp);
  if (pattern.empty()) return not_found();
  matcher.SetPlainText(false);
  if (matcher.UseFuzzyCharDic() != c.powerful) {
    // The old pattern need not compile in the new mode; it is replaced at once anyway.
    matcher.SetRegExp("");
    matcher.SetUseFuzzyCharDic(c.powerful);
  }
  matcher.SetRegExp(pattern);

  ClampSelection(state);
  // Downward: search from `from`, past `skip` bytes; upward: in the text before `end`.
  size_t from = state.start;
  size_t skip = state.length > 0 ? CharWidthAt(state.text, state.start) : 0;
  size_t end = state.start;
  const std::string question = "\"" + c.replace + "\" と置き換えますか？";
  bool shown_changed = false;  // the text differs from what the window last showed

  for (;;) {
    const std::string_view text = state.text;
    TTextMatch match;
    size_t base = 0;
    if (downward) {
      base = std::min(from + skip, text.size());
      match = MatchInText(matcher, text.substr(base), false);
    } else {
      match = MatchInText(matcher, text.substr(0, end), true);
    }
    if (!match.found) return not_found();
    outcome.found = true;
    const size_t pos = base + match.start;
    state.start = pos;
    state.length = match.length;
    if (!c.replace_mode) return outcome;

    TReplaceAnswer answer = raYes;
    if (c.confirm && confirmation != nullptr) {
      answer = confirmation->Confirm(state, shown_changed, question);
      shown_changed = false;
    }
    if (answer == raCancel) return outcome;
    if (answer == raYes) {
      state.text.replace(pos, match.length, c.replace);
      state.length = c.replace.size();
      outcome.text_changed = true;
      shown_changed = true;
      ++outcome.replacements;
    }
    if (!c.continuous) return outcome;

    const std::string_view now = state.text;
    if (downward) {
      from = answer == raYes ? pos + c.replace.size() : pos;
      // Behind a replacement the search goes on at once; after a match that stays, or an
      // empty one, it skips a character.
      skip =
          (answer == raYes && match.length > 0) || from >= now.size() ? 0 : CharWidthAt(now, from);
      if (from >= now.size() && (answer != raYes || match.length == 0)) return outcome;
    } else {
      if (pos < end) {
        end = pos;
      } else if (end == 0) {
        return outcome;  // an empty match at the very start: nothing before it is left
      } else {
        end = PreviousCharacter(now, end);
      }
    }
  }
}

}  // namespace lorvane
