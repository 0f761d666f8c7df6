// Message reading. The layout comes from the file name; the raw bytes come from the text
// cache: a view of a whole line-range file, whose messages are found by counting lines
// from where the last one ended, or the bytes of one message of the other layouts. Then
// the header-only cut, binary-part removal, header-word decoding and JIS conversion
// (mail_text.h).
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
// How far apart the cursor leaves marks to go back to.
constexpr size_t kMarkDistance = size_t{1} << 20;

bool MarkBefore(int64_t line, const std::pair<int64_t, size_t>& mark) {
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

// The lines of one message read whole (the layouts other than line ranges).
void TMailReader::CacheWholeText(std::string bytes) {
  cache_ = TextCache();
  cache_.file = TFileView(std::move(bytes));
  cache_.text = TextBeforeNul(cache_.file.Bytes());
}

// Where the last message ended; a mark when the cursor is a mark's distance past the last.
void TMailReader::MoveCursor(int64_t line, size_t offset) {
  cache_.cursor_line = line;
  cache_.cursor_offset = offset;
  if (cache_.marks.empty() ||
      (line > cache_.marks.back().first && offset >= cache_.marks.back().second + kMarkDistance)) {
    cache_.marks.emplace_back(line, offset);
  }
}

std::optional<std::pair<size_t, size_t>> TMailReader::FetchMessage(const TMail& mail) {
  const std::string& file_name = mail.FileName;
  const int32_t first = mail.First;
  const int32_t last = mail.Last;
  const TMailLayout layout = LayoutOf(file_name);
  // A line-range file's view tells whether it exists; the other layouts ask first, as they
  // read parts of the file.
  if (layout != mlLineRange && !fs_.Exists(file_name)) return std::nullopt;
  switch (layout) {
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
      TFileView file;
      std::string error;
      const TReadStatus status = fs_.ViewFile(file_name, &file, &error);
      if (status == TReadStatus::kNotFound) return std::nullopt;
      cache_ = TextCache();
      ++cache_loads_;
      if (status != TReadStatus::kOk) throw EMailRead(NamedError(file_name, error));
      cache_.file = std::move(file);
      cache_.name = file_name;
      cache_.size = cache_.file.Bytes().size();
      cache_.text = cache_.file.Bytes();  // ends at a NUL, which the line counts stop at
      MoveCursor(0, 0);
      return CachedRange(mail);
    }
  }
  return std::pair<size_t, size_t>{0, cache_.text.size()};
}

std::pair<size_t, size_t> TMailReader::CachedRange(const TMail& mail) {
  const std::string& file_name = mail.FileName;
  const int32_t first = mail.First;
  const int32_t last = mail.Last;
  if (last != -1 && last < first) return {0, 0};  // an empty message between two separators
  const std::string_view text = cache_.text;
  if (first >= 0 && last >= first && mail.Begin <= mail.End && mail.End <= text.size()) {
    // Where the mailbox scan found it: no lines to count.
    MoveCursor(static_cast<int64_t>(last) + 1, static_cast<size_t>(mail.End));
    return {static_cast<size_t>(mail.Begin), static_cast<size_t>(mail.End)};
  }
  const auto lines_outside = [&](int64_t count) {
    const int64_t end = last == -1 ? count - 1 : last;
    return EMailRead(Format(msg::kLinesOutsideFile, {file_name, Num(first), Num(end), Num(count)}));
  };
  // A negative first line is an error whatever the file holds, but the message names the
  // file's line count.
  if (first < 0) throw lines_outside(static_cast<int64_t>(CountLines(text)));
  if (first < cache_.cursor_line) {
    // Before the cursor (the viewer going back, a narrowing in the result list's order):
    // from the last mark at or before the message.
    const auto mark = std::upper_bound(cache_.marks.begin(), cache_.marks.end(),
                                       static_cast<int64_t>(first), MarkBefore);
    if (mark == cache_.marks.begin() || std::prev(mark)->second == 0) ++cache_loads_;
    const auto [line, offset] =
        mark == cache_.marks.begin() ? std::pair<int64_t, size_t>(0, 0) : *std::prev(mark);
    cache_.cursor_line = line;
    cache_.cursor_offset = offset;
  }
  size_t passed = 0;
  const auto wanted = static_cast<size_t>(first - cache_.cursor_line);
  const size_t from = SkipLines(text, cache_.cursor_offset, wanted, &passed);
  if (passed < wanted) {
    // The file has fewer lines: nothing to read to its end, an error for a range.
    const int64_t count = cache_.cursor_line + static_cast<int64_t>(passed);
    if (last == -1) return {from, from};
    throw lines_outside(count);
  }
  if (last == -1) {
    // To the end, which is the first NUL: RemoveBinaryParts looks for it as it reads, so
    // that an attachment is not searched twice.
    MoveCursor(first, from);
    return {from, text.size()};
  }
  const auto length = static_cast<size_t>(last - first) + 1;
  const size_t to = SkipLines(text, from, length, &passed);
  if (passed < length) throw lines_outside(first + static_cast<int64_t>(passed));
  MoveCursor(static_cast<int64_t>(last) + 1, to);
  return {from, to};
}

std::string TMailReader::ReadMailText(const std::string& file_name, int32_t first, int32_t last,
                                      bool header_only) {
  return ReadMail({file_name, first, last}, header_only);
}

std::string TMailReader::ReadMail(const TMail& mail, bool header_only) {
  size_t from = 0;
  size_t to = 0;
  const std::string& file_name = mail.FileName;
  if (!cache_.name.empty() && file_name == cache_.name && fs_.FileSize(file_name) == cache_.size) {
    // The next message of the mailbox in the cache: one look at its size, no layout test.
    std::tie(from, to) = CachedRange(mail);
  } else {
    const std::optional<std::pair<size_t, size_t>> fetched = FetchMessage(mail);
    if (!fetched) return {};
    std::tie(from, to) = *fetched;
  }
  std::string_view message = cache_.text.substr(from, to - from);
  if (header_only) {
    for (size_t pos = 0; pos < message.size();) {
      const TLineEnd end = *FindLineEnd(message, pos, true);
      if (end.end == pos) {
        message = message.substr(0, pos);
        break;
      }
      pos = end.next;
    }
  }
  // Straight from the cache: binary parts are skipped, never copied, and where the scan
  // found the message, not even looked at.
  const bool scanned = from == mail.Begin && to == mail.End;
  std::string text =
      RemoveBinaryParts(message, length_limit_(), scanned ? &mail.ContentTypeLines : nullptr);

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
