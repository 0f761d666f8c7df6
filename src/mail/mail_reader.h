#pragma once
// Message reading: a message address in one of four storage layouts -> the message's
// searchable text (binary parts dropped, header words decoded, JIS converted), lines
// ending in CR LF.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exception.h"
#include "platform/file_system.h"

namespace lorvane {

// A message address. What First and Last mean depends on the layout, which the file
// name decides (TMailReader::LayoutOf); a whole file is the line range 0 to -1.
struct TMail {
  static constexpr uint64_t kUnknown = ~uint64_t{0};

  std::string FileName;
  int32_t First = 0;
  int32_t Last = -1;
  // Where the mailbox scan found the message's bytes in a line-range file, [Begin, End),
  // so that reading it need not count the lines again. Not part of the address: a result
  // file does not keep it, and two addresses are equal without it.
  uint64_t Begin = kUnknown;
  uint64_t End = kUnknown;
  // Where the scan found the message's lines that begin "Content-Type:" (in any case), as
  // offsets from Begin, in order: the reader leaps from a binary part to the next of them
  // without looking at the part's bytes. Only with Begin and End.
  std::vector<uint64_t> ContentTypeLines;

  bool operator==(const TMail& other) const {
    return FileName == other.FileName && First == other.First && Last == other.Last;
  }
};

// A result row's First or Last text as a number; `fallback` for anything that is not a
// decimal integer of 32 bits (a damaged result file).
int32_t ParseMailAddress(std::string_view text, int32_t fallback);

enum TMailLayout {
  mlByteRange,  // ".BMF": First and Last are byte offsets, Last inclusive
  mlBlock,      // a "bmp" sibling exists: 512-byte blocks of the "mbx" sibling
  mlRecord,     // "...\.MES\MESSAGE.TXT": First is the offset of a length-prefixed record
  mlLineRange,  // First and Last are line indexes, Last -1 for the last line
};

// Whether the file's last 16 characters, upper-cased, are ".MES\MESSAGE.TXT": the record
// layout, unless the name makes it a byte-range or block one first.
bool IsRecordFileName(const std::string& file_name);

// A message that cannot be read as addressed (lines outside the file, a record length
// that is not hexadecimal, a file that exists but cannot be read).
class EMailRead : public Exception {
 public:
  using Exception::Exception;
};

class TMailReader {
 public:
  // `length_limit` reports the "Length Limit" option; it is asked for every message.
  TMailReader(IFileSystem& fs, std::function<bool()> length_limit);

  TMailLayout LayoutOf(const std::string& file_name);

  // The message's text; empty when the file does not exist. Raises EMailRead.
  std::string ReadMailText(const std::string& file_name, int32_t first, int32_t last,
                           bool header_only);
  // The same for an address the mailbox scan made, using where it found the bytes.
  std::string ReadMail(const TMail& mail, bool header_only);
  std::string GetText(const TMail& mail) { return ReadMail(mail, false); }
  std::string GetHeader(const TMail& mail) { return ReadMail(mail, true); }

  // Hook for tests: how often reading a line-range file started from its first byte (a
  // file other than the last one, a changed size, or a message before the first mark).
  int ForTestingCacheLoads() const { return cache_loads_; }

 private:
  // The text of one line-range file (a view of the whole file, without copying it where
  // the file system maps files) or of the last message read (the other layouts). A search
  // reads a mailbox's messages in order, so a cursor remembers where the last message
  // ended, and the next is found by counting lines from there, never from the top. Marks
  // left a megabyte or more apart let a message before the cursor be found from the
  // nearest one.
  struct TextCache {
    std::string name;  // empty when the text is not a line-range file's
    uint64_t size = 0;  // the file's size when it was viewed
    TFileView file;
    std::string_view text;  // ends at its first NUL, if it holds one
    int64_t cursor_line = 0;
    size_t cursor_offset = 0;
    std::vector<std::pair<int64_t, size_t>> marks;  // (line, offset), in order
  };

  // Puts the file (line-range) or the message in the cache; returns the message's bytes
  // [from, to) in its text, nullopt when the file does not exist.
  std::optional<std::pair<size_t, size_t>> FetchMessage(const TMail& mail);
  // The bytes of a line-range address in the cached file; raises EMailRead outside it.
  std::pair<size_t, size_t> CachedRange(const TMail& mail);
  void CacheWholeText(std::string bytes);
  void MoveCursor(int64_t line, size_t offset);
  std::string ReadRange(const std::string& path, uint64_t offset, uint64_t count);

  IFileSystem& fs_;
  std::function<bool()> length_limit_;
  TextCache cache_;
  int cache_loads_ = 0;
};

}  // namespace lorvane
