// The quotation mark before every line. CR and LF are never trail bytes of a double-byte
// character, so finding line ends byte by byte cannot split one.
// Tested by tests/common/quoted_lines_test.cpp.

#include "common/quoted_lines.h"

namespace lorvane {

std::string QuoteLines(std::string_view text, std::string_view mark) {
  std::string out;
  out.reserve(text.size() + mark.size() * (text.size() / 16 + 1));
  size_t i = 0;
  while (i < text.size()) {
    out += mark;
    size_t end = i;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    if (end < text.size())
      end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    out.append(text, i, end - i);
    i = end;
  }
  return out;
}

}  // namespace lorvane
