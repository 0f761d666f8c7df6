// Line-range mailboxes: the messages are found from a view of the file, never copying it,
// in one pass that counts lines 64 bytes at a time and looks closer only at lines that
// start with the separator's first byte, so a mailbox of hundreds of megabytes is listed
// at memory speed. Each message keeps where its bytes are, for the reader.
// Tested by tests/mail/mailers/line_mailboxes_test.cpp and through the kinds' tests.

#include "mail/mailers/line_mailboxes.h"

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "common/lines.h"
#include "common/mbstring.h"

namespace lorvane::mailers {

namespace {

// Line numbers beyond this cannot be addressed (TMail holds 32-bit line numbers).
constexpr size_t kMaxLine = static_cast<size_t>(std::numeric_limits<int32_t>::max());

// The lines of a viewed file that begin with `prefix` (or, with `whole`, are exactly
// `prefix`): `visit(line_number, offset)` is called for each in order; the offsets of the
// lines that begin "Content-Type:" go to `type_lines`. nullopt when the file cannot be
// read.
std::optional<TLineScan> ForEachLineWith(IFileSystem& fs, const std::string& path,
                                         std::string_view prefix, bool whole, TFileView& file,
                                         std::vector<uint64_t>& type_lines,
                                         const std::function<void(size_t, size_t)>& visit) {
  if (fs.ViewFile(path, &file) != TReadStatus::kOk) return std::nullopt;
  const std::string_view text = file.Bytes();
  const std::string first_bytes = std::string(1, prefix[0]) + "Cc";
  return ForEachLineStartingWith(text, first_bytes, [&](size_t line, size_t start) {
    if (StartsWithNoCase(text, start, "CONTENT-TYPE:")) type_lines.push_back(start);
    if (text.compare(start, prefix.size(), prefix) != 0) return;
    const size_t after = start + prefix.size();
    if (whole && after < text.size() && text[after] != '\r' && text[after] != '\n' &&
        text[after] != '\0') {
      return;
    }
    visit(line, start);
  });
}

// A message of `path` in the lines [first, last], found at the bytes [begin, end), with
// the Content-Type lines among `type_lines` (which it empties) that lie in it.
TMail Located(const std::string& path, size_t first, size_t last, size_t begin, size_t end,
              std::vector<uint64_t>& type_lines) {
  TMail mail{path, static_cast<int32_t>(first), static_cast<int32_t>(last), begin, end, {}};
  for (const uint64_t at : type_lines) {
    if (at >= begin && at < end) mail.ContentTypeLines.push_back(at - begin);
  }
  type_lines.clear();
  return mail;
}

}  // namespace

bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder) {
  TFileView file;
  size_t start = 0;
  size_t begin = 0;  // where line `start` begins
  std::vector<uint64_t> type_lines;
  return ForEachLineWith(fs, path, ".", true, file, type_lines, [&](size_t i, size_t offset) {
    if (i > kMaxLine) return;
    // A "." on line 0 closes an empty message whose range 0..-1 would read as the whole
    // file; it is left out.
    if (i > 0) folder.AddMail(Located(path, start, i - 1, begin, offset, type_lines));
    start = i + 1;
    begin = SkipLines(file.Bytes(), offset, 1);
  }).has_value();
}

bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder) {
  TFileView file;
  size_t start = 1;
  size_t begin = TMail::kUnknown;  // where line `start` begins
  std::vector<uint64_t> type_lines;
  // Line 0 is the first separator whatever it holds.
  const auto after_line_zero = [&file, &begin] {
    if (begin == TMail::kUnknown) begin = SkipLines(file.Bytes(), 0, 1);
  };
  const std::optional<TLineScan> scanned =
      ForEachLineWith(fs, path, separator, false, file, type_lines, [&](size_t i, size_t offset) {
        if (i > kMaxLine) return;
        after_line_zero();
        if (i > 0) folder.AddMail(Located(path, start, i - 1, begin, offset, type_lines));
        start = i + 1;
        begin = SkipLines(file.Bytes(), offset, 1);
      });
  if (!scanned) return false;
  after_line_zero();
  const size_t count = scanned->lines;
  if (count > 0 && count - 1 <= kMaxLine && start <= kMaxLine) {
    folder.AddMail(Located(path, start, count - 1, begin, scanned->end, type_lines));
  }
  return true;
}

bool ForEachDotMessage(IFileSystem& fs, const std::string& path, TDotLayout layout,
                       const std::function<void(size_t, int32_t, int32_t)>& message) {
  size_t start = layout.first;
  size_t number = 0;
  TFileView file;
  std::vector<uint64_t> type_lines;  // not kept: these messages are read by line numbers
  return ForEachLineWith(fs, path, ".", true, file, type_lines, [&](size_t i, size_t) {
    type_lines.clear();
    // An address holds 32-bit line numbers; later lines cannot be addressed.
    if (i > kMaxLine) return;
    if (i < start) return;
    if (i > start) message(number, static_cast<int32_t>(start), static_cast<int32_t>(i - 1));
    ++number;
    start = i + 1 + layout.skipped_after_dot;
  }).has_value();
}

}  // namespace lorvane::mailers
