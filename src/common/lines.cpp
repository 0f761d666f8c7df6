// The line-ending rule, for a whole text and for a text read in chunks (the mailbox scan
// of mail/mailers/mailer_support.cpp feeds it one chunk after another).
// Tested by tests/common/lines_test.cpp and tests/mail/mailers/mailer_support_test.cpp.

#include "common/lines.h"

#include <cstring>

namespace lorvane {

std::string_view TextBeforeNul(std::string_view text) {
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    return text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
  }
  return text;
}

std::optional<TLineEnd> FindLineEnd(std::string_view text, size_t pos, bool complete) {
  const char* const base = text.data();
  const size_t n = text.size();
  // Find the next LF, then any CR before it: lone CRs are rare, so two memchr calls per
  // line beat looking at every byte.
  const auto* lf = static_cast<const char*>(std::memchr(base + pos, '\n', n - pos));
  const size_t lf_at = lf ? static_cast<size_t>(lf - base) : n;
  if (const auto* cr = static_cast<const char*>(std::memchr(base + pos, '\r', lf_at - pos))) {
    const auto cr_at = static_cast<size_t>(cr - base);
    if (cr_at + 1 == n && !complete) return std::nullopt;  // the LF may come with more text
    return TLineEnd{cr_at, lf != nullptr && cr_at + 1 == lf_at ? lf_at + 1 : cr_at + 1};
  }
  if (lf != nullptr) return TLineEnd{lf_at, lf_at + 1};
  if (!complete) return std::nullopt;  // the line goes on in the text still to come
  return TLineEnd{n, n};
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& visit) {
  text = TextBeforeNul(text);
  for (size_t pos = 0; pos < text.size();) {
    const TLineEnd line = *FindLineEnd(text, pos, true);
    visit(text.substr(pos, line.end - pos));
    pos = line.next;
  }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace lorvane
