// Header lines for the clipboard. Only the file's first header block is read: a prefix
// of the file, doubled until the block or the line is complete within it, so a large
// mailbox costs no more than its first message.
// Tested by tests/mail/header_clip_test.cpp.

#include "mail/header_clip.h"

#include <optional>
#include <string_view>

#include "common/mbstring.h"
#include "mail/mail_text.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr size_t kFirstRead = 64 * 1024;
constexpr size_t kMaxValue = 255;

// The value of the first `prefix` line of the header in `bytes`. nullopt when `bytes`
// (a prefix of the file, `whole` when it is all of it) ends before that is known.
std::optional<std::string> ScanHeader(std::string_view bytes, bool whole, std::string_view prefix) {
  std::optional<std::string> result;
  bool done = false;
  std::string_view last_line;
  ForEachLine(bytes, [&](std::string_view line) {
    if (done) return;
    last_line = line;
    if (line.empty()) {
      done = true;
      result = std::string();
    } else if (UpperAscii(line.substr(0, prefix.size())) == prefix) {
      done = true;
      std::string_view value = line.substr(prefix.size());
      size_t cut = 0;
      while (cut < value.size() && cut + CharWidthAt(value, cut) <= kMaxValue) {
        cut += CharWidthAt(value, cut);
      }
      result = std::string(Trim(value.substr(0, cut)));
    }
  });
  if (whole) return result ? result : std::string();
  // The prefix may have cut the deciding line short (or a NUL ended the text, which then
  // is all there is): only a line that ended before the prefix's end counts.
  if (result && last_line.data() + last_line.size() < bytes.data() + bytes.size()) return result;
  if (bytes.find('\0') != std::string_view::npos) return result ? result : std::string();
  return std::nullopt;
}

std::string HeaderValue(IFileSystem& fs, const std::string& file, std::string_view prefix) {
  const std::optional<uint64_t> size = fs.FileSize(file);
  if (!size) return {};
  for (uint64_t want = kFirstRead;; want *= 2) {
    const bool whole = want >= *size;
    std::string bytes;
    const TReadStatus status =
        fs.ReadAt(file, 0, static_cast<size_t>(whole ? *size : want), &bytes);
    if (status == TReadStatus::kNotFound || status == TReadStatus::kError) return {};
    // A file that shrank meanwhile has been read whole.
    if (std::optional<std::string> value =
            ScanHeader(bytes, whole || bytes.size() < want, prefix)) {
      return *value;
    }
  }
}

}  // namespace

std::string SenderClipText(IFileSystem& fs, const std::string& file) {
  return HeaderValue(fs, file, "FROM:");
}

std::string SubjectClipText(IFileSystem& fs, const std::string& file) {
  return HeaderValue(fs, file, "SUBJECT:");
}

}  // namespace lorvane
