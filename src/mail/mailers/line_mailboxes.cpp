// Line-range mailboxes: the messages are found from a view of the file, never copying it.
// Separator and "." lines are found by searching for their bytes (an attachment's base64
// holds neither "." nor "?"), and the lines between are counted 64 bytes at a time, so a
// mailbox of hundreds of megabytes is listed at memory speed.
// Tested by tests/mail/mailers/line_mailboxes_test.cpp and through the kinds' tests.

#include "mail/mailers/line_mailboxes.h"

#include <limits>
#include <optional>
#include <string>

#include "common/lines.h"
#include "common/substring_finder.h"

namespace lorvane::mailers {

namespace {

// Line numbers beyond this cannot be addressed (TMail holds 32-bit line numbers).
constexpr size_t kMaxLine = static_cast<size_t>(std::numeric_limits<int32_t>::max());

// The lines of a viewed file that begin with `prefix` (or, with `whole`, are exactly
// `prefix`), found by searching for the prefix's bytes. `visit(line_number)` is called for
// each in order and returns false to stop. Returns the file's line count, or nullopt when
// the file cannot be read.
template <typename Visit>
std::optional<size_t> ForEachLineWith(IFileSystem& fs, const std::string& path,
                                      std::string_view prefix, bool whole, Visit visit) {
  TFileView file;
  if (fs.ViewFile(path, &file) != TReadStatus::kOk) return std::nullopt;
  const std::string_view text = TextBeforeNul(file.Bytes());
  const TSubstringFinder finder{std::string(prefix)};
  size_t line = 0;    // the number of the line that starts at `offset`
  size_t offset = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t found = finder.FindFirst(text.substr(at));
    if (found == std::string_view::npos) break;
    const size_t start = at + found;
    at = start + 1;
    if (!IsLineStart(text, start)) continue;
    const size_t after = start + prefix.size();
    if (whole && after < text.size() && text[after] != '\r' && text[after] != '\n') continue;
    line += CountLineEnds(text, offset, start);
    offset = start;
    if (!visit(line)) break;
  }
  const char last = text.empty() ? '\n' : text.back();
  return line + CountLineEnds(text, offset, text.size()) + (last == '\n' || last == '\r' ? 0 : 1);
}

}  // namespace

bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder) {
  size_t start = 0;
  return ForEachLineWith(fs, path, ".", true, [&](size_t i) {
    if (i > kMaxLine) return false;
    // A "." on line 0 closes an empty message whose range 0..-1 would read as the whole
    // file; it is left out.
    if (i > 0) {
      folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    }
    start = i + 1;
    return true;
  }).has_value();
}

bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder) {
  size_t start = 1;
  const std::optional<size_t> count = ForEachLineWith(fs, path, separator, false, [&](size_t i) {
    if (i > kMaxLine) return false;
    if (i == 0) return true;  // line 0 is the first separator whatever it holds
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    start = i + 1;
    return true;
  });
  if (count && *count > 0 && *count - 1 <= kMaxLine && start <= kMaxLine) {
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(*count - 1)});
  }
  return count.has_value();
}

bool ForEachDotMessage(IFileSystem& fs, const std::string& path, TDotLayout layout,
                       const std::function<void(size_t, int32_t, int32_t)>& message) {
  size_t start = layout.first;
  size_t number = 0;
  return ForEachLineWith(fs, path, ".", true, [&](size_t i) {
    // An address holds 32-bit line numbers; later lines cannot be addressed.
    if (i > kMaxLine) return false;
    if (i < start) return true;
    if (i > start) message(number, static_cast<int32_t>(start), static_cast<int32_t>(i - 1));
    ++number;
    start = i + 1 + layout.skipped_after_dot;
    return true;
  }).has_value();
}

}  // namespace lorvane::mailers
