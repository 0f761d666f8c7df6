// Message reading. The layout comes from the file name; the raw lines come from the line
// cache (one buffer and the bounds of each line), which a line-range read fills with the
// whole file and reuses for the next message of the same file; then the header-only cut,
// binary-part removal, header-word decoding and JIS conversion (mail_text.h).
// The cache is also checked against the file's size, so a mailbox that grew between two
// searches is read afresh instead of being cut with stale line numbers.
// Tested by tests/mail/mail_reader_test.cpp.

#include "mail/mail_reader.h"

#include <charconv>

#include <cstring>
#include <tuple>

#include "common/messages.h"
#include "common/mbstring.h"
#include "common/number_parse.h"
#include "mail/mail_text.h"

namespace lorvane {

namespace {

constexpr uint64_t kBlockSize = 512;

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

TMailReader::TMailReader(IFileSystem& fs, std::function<bool()> length_limit)
    : fs_(fs), length_limit_(std::move(length_limit)) {}

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

// Splits cache_.bytes into lines and names them after `name` (empty: not a whole file).
void TMailReader::FillCache(std::string name) {
  cache_.name = std::move(name);
  cache_.starts.clear();
  size_t line_feeds = 0;
  for (const char *p = cache_.bytes.data(), *end = p + cache_.bytes.size();
       (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))); ++p) {
    ++line_feeds;
  }
  cache_.starts.reserve(line_feeds + 2);
  size_t text_end = 0;
  ForEachLine(cache_.bytes, [this, &text_end](std::string_view line) {
    cache_.starts.push_back(static_cast<size_t>(line.data() - cache_.bytes.data()));
    text_end = cache_.starts.back() + line.size();
  });
  if (!cache_.starts.empty()) {
    // Past the last line's terminator, if it has one (a NUL may have ended the text).
    const std::string_view rest = std::string_view(cache_.bytes).substr(text_end);
    text_end += rest.substr(0, 2) == "\r\n"                               ? 2
                : (!rest.empty() && (rest[0] == '\r' || rest[0] == '\n')) ? 1
                                                                          : 0;
    cache_.starts.push_back(text_end);
  }
}

std::pair<size_t, size_t> TMailReader::FetchLines(const std::string& file_name, int32_t first,
                                                  int32_t last) {
  size_t from = 0;
  size_t to = 0;  // exclusive
  switch (LayoutOf(file_name)) {
    case mlByteRange: {
      if (first < 0) {
        throw EMailRead(Format(msg::kNegativeStartOffset, {file_name}));
      }
      const long long count = static_cast<long long>(last) - first + 1;
      cache_.bytes = count > 0 ? ReadRange(file_name, static_cast<uint64_t>(first),
                                           static_cast<uint64_t>(count))
                               : std::string();
      FillCache("");
      to = cache_.LineCount();
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
      cache_.bytes = std::move(bytes);
      FillCache("");
      to = cache_.LineCount();
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
      cache_.bytes = ReadRange(file_name, static_cast<uint64_t>(first) + 11, *n);
      FillCache("");
      to = cache_.LineCount();
      break;
    }
    case mlLineRange: {
      const std::optional<uint64_t> size = fs_.FileSize(file_name);
      if (file_name != cache_.name || !size || *size != cache_.size) {
        // Read straight into the cache's buffer: its memory is reused from file to file.
        cache_.name.clear();
        std::string error;
        if (fs_.ReadFile(file_name, &cache_.bytes, &error) != TReadStatus::kOk) {
          cache_.bytes.clear();
          FillCache("");
          throw EMailRead(NamedError(file_name, error));
        }
        cache_.size = cache_.bytes.size();
        FillCache(file_name);
        ++cache_loads_;
      }
      return CachedRange(file_name, first, last);
    }
  }
  return {from, to};
}

std::pair<size_t, size_t> TMailReader::CachedRange(const std::string& file_name, int32_t first,
                                                   int32_t last) const {
  const long long count = static_cast<long long>(cache_.LineCount());
  const long long end = last == -1 ? count - 1 : last;
  if (end < first) return {0, 0};  // an empty message between two separators
  if (first < 0 || end >= count) {
    throw EMailRead(
        Format(msg::kLinesOutsideFile, {file_name, Num(first), Num(end), Num(count)}));
  }
  return {static_cast<size_t>(first), static_cast<size_t>(end) + 1};
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
