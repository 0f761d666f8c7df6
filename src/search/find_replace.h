#pragma once
// Find and replace in the viewer's text with the conditions of the find dialog
// (persist/search_form_settings.h). Everything is in CP932 bytes; the window maps the
// text widget's positions to bytes and back (common/text_positions.h), shows the
// confirmation the run asks for, and shows the "not found" message it returns.

#include <cstddef>
#include <string>
#include <string_view>

#include "persist/search_form_settings.h"
#include "search/awk_str.h"

namespace lorvane {

// The matcher's pattern for a find text, trimmed of blanks and control characters: the
// text itself as a regular expression, else its words (split at half-width and
// ideographic blanks) escaped and joined as alternatives, so "foo bar" finds foo or bar.
// Empty when the trimmed text is.
std::string FindPattern(std::string_view find, bool regexp);

struct TTextMatch {
  bool found = false;
  size_t start = 0;  // 0-based byte offset
  size_t length = 0;
  bool operator==(const TTextMatch&) const = default;
};

// The first match in `text`, or with `last` the one that starts last, of the matcher's
// current pattern.
TTextMatch MatchInText(TAWKStr& matcher, std::string_view text, bool last);

// The viewer's text and its selection, in bytes.
struct TTextSelection {
  std::string text;
  size_t start = 0;
  size_t length = 0;
};

enum TReplaceAnswer { raYes, raNo, raCancel };

// The window's side of a replacement run.
class IReplaceConfirmation {
 public:
  virtual ~IReplaceConfirmation() = default;
  // Shows `state` (the match to replace is selected; `text_changed` when the text differs
  // from what the window last showed) and asks `question` in a box with an empty title
  // and Yes, No and Cancel.
  virtual TReplaceAnswer Confirm(const TTextSelection& state, bool text_changed,
                                 const std::string& question) = 0;
};

struct TFindOutcome {
  bool found = false;         // at least one match was selected
  bool text_changed = false;  // at least one replacement was made
  int replacements = 0;
  // Non-empty when nothing was found and the conditions ask for a message: show it in a
  // box with `message_caption` and only an OK button.
  std::string message;
  std::string message_caption;
};

// One run of F3 (downward) or Shift+F3 (upward): finds from the selection, selects the
// match and, in replace mode, replaces it (asking first when "Confirm" is on), going on
// while "Continuous" is on. Downward the search starts at the selection, skipping its
// first character; upward it takes the last match before the selection. A run always
// ends: after a replacement it goes on behind the replacement, after an empty match one
// character further. Raises ERegExpParser for a regular expression that does not parse.
// `confirmation` may be null when no question can come (find mode, or "Confirm" off).
TFindOutcome RunFind(TAWKStr& matcher, const TFindConditions& conditions, bool downward,
                     TTextSelection& state, IReplaceConfirmation* confirmation);

}  // namespace lorvane
