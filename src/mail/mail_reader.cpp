// Message reading. The layout comes from the file name; the raw lines come from the line
// cache (one buffer and the bounds of each line). For a line-range file the buffer is a
// window that slides forward over the file in chunks as the messages of a search advance,
// and its lines are indexed only as far as the message read needs; then the header-only
// cut, binary-part removal, header-word decoding and JIS conversion (mail_text.h).
// The cache is also checked against the file's size, so a mailbox that grew between two
// searches is read afresh instead of being cut with stale line numbers.
// Tested by tests/mail/mail_reader_test.cpp.

#include "mail/mail_reader.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <tuple>

#include "common/lines.h"
#include "common/messages.h"
#include "common/mbstring.h"
#include "common/number_parse.h"
#include "mail/mail_text.h"

namespace lorvane {

namespace {

constexpr uint64_t kBlockSize = 512;
constexpr int64_t kLastLine = std::numeric_limits<int64_t>::max();

bool MarkBefore(int64_t line, const std::pair<int64_t, uint64_t>& mark) {
  return line < mark.first;
}

// `name` with its last three characters replaced by `extension`.
std::string ReplaceLastThree(const std::string& name, const char* extension) {
  return MBCopy(name, 1, MBLength(name) - 3) + extension;
}

std::string LastChars(const std::string& name, int count) {
  return MBCopy(name, MBLength(name) - count + 1, count);
}

std::string Num(long long n) {
  return std::to_string(n);
}

// The file system's error text, with the file's name in front unless it names it already.
std::string NamedError(const std::string& path, const std::string& error) {
  return error.find(path) == std::string::npos ? path + ": " + error : error;
}

// Index just past the CR LF that ends the last line before the first empty line of
// `text` (lines each followed by CR LF), or npos when no line is empty.
size_t HeaderEnd(std::string_view text) {
  if (text.substr(0, 2) == "\r\n") return 0;
  const size_t blank = text.find("\r\n\r\n");
  return blank == std::string_view::npos ? std::string_view::npos : blank + 2;
}

void JoinLines(const std::vector<std::string>& lines, std::string* out) {
  for (const auto& line : lines) {
    out->append(line);
    out->append("\r\n");
  }
}

}  // namespace

int32_t ParseMailAddress(std::string_view text, int32_t fallback) {
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() ? value
                                                                                : fallback;
}

bool IsRecordFileName(const std::string& file_name) {
  return UpperAscii(LastChars(file_name, 16)) == ".MES\\MESSAGE.TXT";
}

TMailReader::TMailReader(IFileSystem& fs, std::function<bool()> length_limit,
                         size_t chunk_size)
    : fs_(fs), length_limit_(std::move(length_limit)), chunk_size_(std::max<size_t>(chunk_size, 1)) {}

TMailLayout TMailReader::LayoutOf(const std::string& file_name) {
  if (UpperAscii(LastChars(file_name, 4)) == ".BMF") return mlByteRange;
  if (fs_.Exists(ReplaceLastThree(file_name, "bmp"))) return mlBlock;
  if (IsRecordFileName(file_name)) return mlRecord;
  return mlLineRange;
}

std::string TMailReader::ReadRange(const std::string& path, uint64_t offset, uint64_t count) {
  if (count == 0) return {};
  // Never ask for more than the file holds: a length taken from a damaged index must not
  // become a huge allocation.
  const uint64_t size = fs_.FileSize(path).value_or(0);
  if (offset >= size) return {};
  count = std::min(count, size - offset);
  std::string bytes;
  std::string error;
  const TReadStatus status = fs_.ReadAt(path, offset, static_cast<size_t>(count), &bytes, &error);
  if (status == TReadStatus::kError) throw EMailRead(NamedError(path, error));
  return bytes;
}

std::string_view TMailReader::LineCache::Line(size_t i) const {
  const size_t start = starts[i];
  size_t end = starts[i + 1];
  // A CR LF pair is always one terminator, so the bytes before the next start tell.
  if (end > start && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r')) {
    --end;
    if (bytes[end] == '\n' && end > start && bytes[end - 1] == '\r') --end;
  }
  return std::string_view(bytes).substr(start, end - start);
}

// Empties the cache for a line-range file, or for a message's own lines (`name` empty).
// The buffers keep their memory.
void TMailReader::StartCache(std::string name, uint64_t size) {
  cache_.name = std::move(name);
  cache_.size = size;
  cache_.marks.clear();
  RestartCache(0, 0);
}

// Empties the window of the same file, to be filled again from a line start.
void TMailReader::RestartCache(int64_t line, uint64_t offset) {
  cache_.base = offset;
  cache_.first_line = line;
  cache_.text_ended = false;
  cache_.bytes.clear();
  cache_.starts.assign(1, 0);
}

// The lines of one message read whole (the layouts other than line ranges).
void TMailReader::CacheWholeText(std::string bytes) {
  StartCache("", 0);
  bytes.resize(TextBeforeNul(bytes).size());
  cache_.bytes = std::move(bytes);
  cache_.text_ended = true;
  IndexThrough(kLastLine, 0);
}

// Indexes lines until `line` (a line number of the file) is indexed or the text ends,
// reading more of the file as needed. Lines before `keep` may leave the window.
void TMailReader::IndexThrough(int64_t line, int64_t keep) {
  while (cache_.first_line + static_cast<int64_t>(cache_.LineCount()) <= line) {
    const size_t pos = cache_.starts.back();
    if (pos < cache_.bytes.size()) {
      // Until the text has ended, a line that reaches the window's end (or a CR there,
      // which a LF may follow) waits for the next chunk.
      if (const std::optional<TLineEnd> end =
              FindLineEnd(cache_.bytes, pos, cache_.text_ended)) {
        cache_.starts.push_back(end->next);
        continue;
      }
    } else if (cache_.text_ended) {
      return;
    }
    ReadMore(keep);
  }
}

// Drops the indexed lines before `keep` from the window, then appends the file's next
// chunk. Reads stop at the size the file had when reading began, and a file that shrank
// since only ends the text early: the window only ever holds bytes that were read.
void TMailReader::ReadMore(int64_t keep) {
  LineCache& c = cache_;
  const auto dropped_lines = static_cast<size_t>(std::clamp<int64_t>(
      keep - c.first_line, 0, static_cast<int64_t>(c.LineCount())));
  if (const size_t dropped = c.starts[dropped_lines]; dropped > 0) {
    c.bytes.erase(0, dropped);
    c.starts.erase(c.starts.begin(), c.starts.begin() + static_cast<ptrdiff_t>(dropped_lines));
    for (size_t& start : c.starts) start -= dropped;
    c.base += dropped;
    c.first_line += static_cast<int64_t>(dropped_lines);
    const auto next = std::upper_bound(c.marks.begin(), c.marks.end(), c.first_line, MarkBefore);
    if (next == c.marks.begin() || c.base >= std::prev(next)->second + chunk_size_) {
      c.marks.emplace(next, c.first_line, c.base);
    }
  }
  const uint64_t offset = c.base + c.bytes.size();
  const size_t wanted =
      offset < c.size ? static_cast<size_t>(std::min<uint64_t>(chunk_size_, c.size - offset)) : 0;
  // Asked even for no bytes: the first read of a file reports one that cannot be read.
  std::string error;
  const TReadStatus status = fs_.ReadAt(c.name, offset, wanted, &chunk_, &error);
  if (status == TReadStatus::kError || status == TReadStatus::kNotFound) {
    const std::string name = c.name;
    StartCache("", 0);
    throw EMailRead(NamedError(name, error));
  }
  if (chunk_.size() > wanted) chunk_.resize(wanted);
  const std::string_view text = TextBeforeNul(chunk_);
  c.bytes.append(text);
  if (text.size() < chunk_.size() || chunk_.size() < wanted || offset + wanted >= c.size) {
    c.text_ended = true;
  }
}

std::pair<size_t, size_t> TMailReader::FetchLines(const std::string& file_name, int32_t first,
                                                  int32_t last) {
  switch (LayoutOf(file_name)) {
    case mlByteRange: {
      if (first < 0) {
        throw EMailRead(Format(msg::kNegativeStartOffset, {file_name}));
      }
      const long long count = static_cast<long long>(last) - first + 1;
      CacheWholeText(count > 0 ? ReadRange(file_name, static_cast<uint64_t>(first),
                                           static_cast<uint64_t>(count))
                               : std::string());
      break;
    }
    case mlBlock: {
      if (first < 0 || last < 0) {
        throw EMailRead(Format(msg::kNegativeBlockNumber, {file_name}));
      }
      std::string bytes =
          ReadRange(ReplaceLastThree(file_name, "mbx"), static_cast<uint64_t>(first) * kBlockSize,
                    static_cast<uint64_t>(last) * kBlockSize);
      if (const size_t dot = bytes.find("\r\n.\r\n"); dot != std::string::npos) {
        bytes.resize(dot + 2);
      }
      CacheWholeText(std::move(bytes));
      break;
    }
    case mlRecord: {
      if (first < 0) {
        throw EMailRead(Format(msg::kNegativeStartOffset, {file_name}));
      }
      const std::string length_text = ReadRange(file_name, static_cast<uint64_t>(first) + 1, 8);
      const std::optional<uint32_t> n =
          length_text.size() == 8 ? ParseHex32(length_text) : std::nullopt;
      if (!n) {
        throw EMailRead(Format(msg::kRecordLengthNotHex, {file_name, length_text, Num(first)}));
      }
      CacheWholeText(ReadRange(file_name, static_cast<uint64_t>(first) + 11, *n));
      break;
    }
    case mlLineRange: {
      const std::optional<uint64_t> size = fs_.FileSize(file_name);
      if (file_name != cache_.name || !size || *size != cache_.size) {
        StartCache(file_name, size.value_or(0));
        ++cache_loads_;
        ReadMore(0);  // at once, so a file that cannot be read fails whatever is asked of it
      }
      return CachedRange(file_name, first, last);
    }
  }
  return {0, cache_.LineCount()};
}

std::pair<size_t, size_t> TMailReader::CachedRange(const std::string& file_name, int32_t first,
                                                   int32_t last) {
  if (last != -1 && last < first) return {0, 0};  // an empty message between two separators
  if (first >= 0 && first < cache_.first_line) {
    // Before the window (the viewer going back, a narrowing in the result list's order):
    // from the last mark at or before the message, else from the top.
    const auto mark = std::upper_bound(cache_.marks.begin(), cache_.marks.end(),
                                       static_cast<int64_t>(first), MarkBefore);
    if (mark == cache_.marks.begin()) {
      RestartCache(0, 0);
      ++cache_loads_;
    } else {
      RestartCache(std::prev(mark)->first, std::prev(mark)->second);
    }
  }
  // A negative first line is an error whatever the file holds, but the message names the
  // file's line count: count to the end without keeping the lines.
  IndexThrough(last == -1 || first < 0 ? kLastLine : last, first < 0 ? kLastLine : first);
  // Every line up to `last` is indexed, or the text has ended and `count` is all lines.
  const int64_t count = cache_.first_line + static_cast<int64_t>(cache_.LineCount());
  const int64_t end = last == -1 ? count - 1 : last;
  if (end < first) return {0, 0};
  if (first < 0 || end >= count) {
    throw EMailRead(
        Format(msg::kLinesOutsideFile, {file_name, Num(first), Num(end), Num(count)}));
  }
  return {static_cast<size_t>(first - cache_.first_line),
          static_cast<size_t>(end + 1 - cache_.first_line)};
}

std::string TMailReader::ReadMailText(const std::string& file_name, int32_t first, int32_t last,
                                      bool header_only) {
  size_t from = 0;
  size_t to = 0;
  if (!cache_.name.empty() && file_name == cache_.name && fs_.FileSize(file_name) == cache_.size) {
    // The next message of the mailbox in the cache: one look at its size, no layout test.
    std::tie(from, to) = CachedRange(file_name, first, last);
  } else {
    if (!fs_.Exists(file_name)) return {};
    std::tie(from, to) = FetchLines(file_name, first, last);
  }
  if (header_only) {
    for (size_t i = from; i < to; ++i) {
      if (cache_.Line(i).empty()) {
        to = i;
        break;
      }
    }
  }
  // Straight from the cache's lines: binary parts are skipped, never copied.
  std::string text = KeepTextParts(
      to - from, [this, from = from](size_t k) { return cache_.Line(from + k); }, length_limit_());

  // Encoded words live in the header: the lines up to the first empty one (or the last).
  const size_t header_end = HeaderEnd(text);
  const std::string_view header = std::string_view(text).substr(
      0, header_end == std::string::npos ? text.size() : header_end + 2);
  if (header.find("=?") != std::string_view::npos) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(header)) lines.emplace_back(line);
    DecodeHeaderWords(lines);
    std::string decoded;
    JoinLines(lines, &decoded);
    const size_t rest = header_end == std::string::npos ? text.size() : header_end + 2;
    decoded.append(text, rest, std::string::npos);
    text = std::move(decoded);
  }

  if (text.find('\x1B') != std::string::npos) {
    std::string converted;
    converted.reserve(text.size());
    for (std::string_view line : SplitLines(text)) {
      if (line.find('\x1B') != std::string_view::npos) {
        converted += JisToSjis(line);
      } else {
        converted += line;
      }
      converted += "\r\n";
    }
    text = std::move(converted);
  }
  return text;
}

}  // namespace lorvane
