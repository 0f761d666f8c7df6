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

// The index of the first `byte` or NUL at or after `from`; text.size() when there is
// neither. One pass where a memchr for `byte` and one for the NUL would take two.
size_t FindByteOrNul(std::string_view text, size_t from, char byte);

struct TLineEnd {
  size_t end;   // index of the terminator (or of the text's end)
  size_t next;  // where the next line starts
};

// The end of the line that starts at `pos` (pos < text.size(); `text` holds no NUL). With
// `complete` false more text may follow, so a line without terminator, or one whose CR is
// the last byte (a LF may come next), has no end yet: nullopt.
std::optional<TLineEnd> FindLineEnd(std::string_view text, size_t pos, bool complete);

// How many lines end in text[from, to): one at each LF, and one at each CR that no LF
// follows (the byte after `to` decides for a CR at to - 1). A NUL ends the text: counting
// stops there, and `*nul` (if given) becomes its position; it is left alone without one.
// Looks at 64 bytes at a time, as do the two below.
size_t CountLineEnds(std::string_view text, size_t from, size_t to, size_t* nul = nullptr);

// The number of lines of a complete `text` up to its first NUL, from the line start
// `pos`: a final line without terminator counts.
size_t CountLinesFrom(std::string_view text, size_t pos);
size_t CountLines(std::string_view text);

// The start of the line `count` lines after the one that starts at `pos`, in a complete
// `text` that ends at its first NUL; that end when fewer lines follow, with `*passed` (if
// given) the number there were, a final line without terminator counted.
size_t SkipLines(std::string_view text, size_t pos, size_t count, size_t* passed = nullptr);

// Where a scan of a whole text got to.
struct TLineScan {
  size_t lines = 0;  // the lines counted (a final line without terminator counts)
  size_t end = 0;    // where the text ends: its first NUL, or its size
};

// Calls `visit(line, offset)` for each line of `text` (up to its first NUL) whose first
// byte is one of `first_bytes`, in order, with the line's number and where it starts. One
// pass, 64 bytes at a time: the lines of a mailbox are counted and the lines that matter
// to it (separators, header names) found together.
TLineScan ForEachLineStartingWith(std::string_view text, std::string_view first_bytes,
                                  const std::function<void(size_t, size_t)>& visit);

// Whether `pos` starts a line of `text` (a line start after a CR that a LF follows is
// the LF's place, so no line starts there).
bool IsLineStart(std::string_view text, size_t pos);

// `visit` is called with each line of `text`, in order.
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit);
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace lorvane
