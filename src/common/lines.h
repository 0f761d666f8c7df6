#pragma once
// The one line-ending rule of every text the program reads: a line ends at CR LF, a lone
// CR or a lone LF (the terminator is not part of it); a final line without terminator is
// a line; a NUL ends the text.

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace lorvane {

// `text` up to its first NUL.
std::string_view TextBeforeNul(std::string_view text);

struct TLineEnd {
  size_t end;   // index of the terminator (or of the text's end)
  size_t next;  // where the next line starts
};

// The end of the line that starts at `pos` (pos < text.size(); `text` holds no NUL). With
// `complete` false more text may follow, so a line without terminator, or one whose CR is
// the last byte (a LF may come next), has no end yet: nullopt.
std::optional<TLineEnd> FindLineEnd(std::string_view text, size_t pos, bool complete);

// `visit` is called with each line of `text`, in order.
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit);
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace lorvane
