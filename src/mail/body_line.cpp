// Body line of a hit, for the editor jump. Lines follow the message reader's rule (CR LF,
// lone CR or lone LF; a NUL ends the text), so the number matches what an editor shows
// for an ordinary file. Worked example: a message at lines 500..530 with a 12-line header
// has its empty line at 512 and its body at 513, so the editor opens at line 514.
// Tested by tests/mail/body_line_test.cpp.

#include "mail/body_line.h"

#include <algorithm>
#include <climits>

#include "common/mbstring.h"
#include "mail/mail_reader.h"
#include "mail/mail_text.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr size_t kRecordHeader = 11;  // a marker byte, 8 hex digits of length, a line end

// The index of the body's first line among `lines` taken from `begin` on (to `end`), or
// -1 when the message has no non-empty line after an empty one.
long long BodyIndex(std::string_view text, long long begin, long long end) {
  long long index = 0;
  long long found = -1;
  bool after_header = false;
  ForEachLine(text, [&](std::string_view line) {
    if (found >= 0 || index > end) return;
    if (index >= begin) {
      if (!after_header) {
        after_header = line.empty();
      } else if (!line.empty()) {
        found = index - begin;
      }
    }
    ++index;
  });
  return found;
}

long long LineCount(std::string_view text) {
  long long count = 0;
  ForEachLine(text, [&](std::string_view) { ++count; });
  return count;
}

// The record's own length, or 0 when its length field is not 8 hexadecimal digits.
uint64_t RecordLength(std::string_view bytes, uint64_t offset) {
  if (offset + kRecordHeader > bytes.size()) return 0;
  uint64_t n = 0;
  for (char c : bytes.substr(offset + 1, 8)) {
    const int v = HexDigitValue(c);
    if (v < 0) return 0;
    n = n * 16 + static_cast<uint64_t>(v);
  }
  return n + kRecordHeader;
}

int ClampLine(long long line) {
  return static_cast<int>(std::clamp<long long>(line, 1, INT_MAX));
}

}  // namespace

int BodyLineOfHit(IFileSystem& fs, const std::string& file, int32_t first, int32_t last) {
  std::string bytes;
  // A file that cannot be read has no lines to count: the message's own start is used.
  if (fs.ReadFile(file, &bytes) != TReadStatus::kOk) bytes.clear();
  const std::string_view text = bytes;

  if (IsRecordFileName(file)) {
    const uint64_t offset =
        std::min<uint64_t>(static_cast<uint64_t>(std::max(first, 0)), text.size());
    uint64_t length = 0;
    if (last == -1) {
      length = text.size() - offset;
    } else if (last >= 0) {
      length = static_cast<uint64_t>(last);
    } else {
      length = RecordLength(text, offset);
    }
    length = std::min<uint64_t>(length, text.size() - offset);
    const long long before = LineCount(text.substr(0, offset));
    const long long body = BodyIndex(text.substr(offset, length), 0, LLONG_MAX);
    return ClampLine(before + std::max(body, 0LL) + 1);
  }

  const long long begin = std::max(first, 0);
  const long long end = last < first ? LLONG_MAX : last;
  const long long body = BodyIndex(text, begin, end);
  return ClampLine(begin + std::max(body, 0LL) + 1);
}

}  // namespace lorvane
