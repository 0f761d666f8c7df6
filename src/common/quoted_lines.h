#pragma once
// Quoted copy and quoted paste of the viewer: a quotation mark put before every line of a
// CP932 text.

#include <string>
#include <string_view>

namespace lorvane {

// `text` with `mark` before each of its lines. A line ends at CR LF, a lone CR or a lone
// LF, and keeps its own line end; a line end at the very end starts no further line, so
// "a\r\nb\r\n" gives "> a\r\n> b\r\n". An empty text stays empty.
std::string QuoteLines(std::string_view text, std::string_view mark);

}  // namespace lorvane
