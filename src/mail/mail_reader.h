#pragma once
// Message reading: a message address in one of four storage layouts -> the message's
// searchable text (binary parts dropped, header words decoded, JIS converted), lines
// ending in CR LF.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exception.h"
#include "platform/file_system.h"

namespace lorvane {

// A message address. What First and Last mean depends on the layout, which the file
// name decides (TMailReader::LayoutOf); a whole file is the line range 0 to -1.
struct TMail {
  std::string FileName;
  int32_t First = 0;
  int32_t Last = -1;
  bool operator==(const TMail&) const = default;
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
  // Bytes read at a time from a line-range file: large enough that a read costs little per
  // byte, small enough to stay in the processor's cache while the lines are indexed.
  static constexpr size_t kChunkSize = size_t{1} << 20;

  // `length_limit` reports the "Length Limit" option; it is asked for every message.
  // `chunk_size` is kChunkSize but in tests, which put chunk boundaries anywhere.
  TMailReader(IFileSystem& fs, std::function<bool()> length_limit,
              size_t chunk_size = kChunkSize);

  TMailLayout LayoutOf(const std::string& file_name);

  // The message's text; empty when the file does not exist. Raises EMailRead.
  std::string ReadMailText(const std::string& file_name, int32_t first, int32_t last,
                           bool header_only);
  std::string GetText(const TMail& mail) {
    return ReadMailText(mail.FileName, mail.First, mail.Last, false);
  }
  std::string GetHeader(const TMail& mail) {
    return ReadMailText(mail.FileName, mail.First, mail.Last, true);
  }

  // Hook for tests: how often reading a line-range file started from its first byte (a
  // file other than the last one, a changed size, or a message before the first mark).
  int ForTestingCacheLoads() const { return cache_loads_; }

 private:
  // The lines of a window of one file (line-range layout) or of the last message read
  // (others): one buffer and where each line in it starts. A search reads a mailbox's
  // messages in order, so the window slides forward over the file in chunks, dropping the
  // lines before the message being read; it grows only for a message larger than itself.
  // Lines are indexed only as far as a message needs. A message before the window is read
  // again from the nearest mark the window left behind. A line ends where the next starts,
  // less its terminator.
  struct LineCache {
    std::string name;  // empty when the lines are not a line-range file's
    uint64_t size = 0;       // the file's size when reading began; nothing past it is read
    uint64_t base = 0;       // the file offset of bytes[0]
    int64_t first_line = 0;  // the number of the line that starts at bytes[0]
    bool text_ended = false;  // bytes reach the file's end or a NUL
    std::string bytes;
    std::vector<size_t> starts;  // one per indexed line, then where the next line starts
    // Line starts the window has passed, (line, file offset), a chunk or more apart.
    std::vector<std::pair<int64_t, uint64_t>> marks;

    size_t LineCount() const { return starts.empty() ? 0 : starts.size() - 1; }
    std::string_view Line(size_t i) const;
  };

  // Puts the message's lines in the cache; returns their range [first, end) in it.
  std::pair<size_t, size_t> FetchLines(const std::string& file_name, int32_t first, int32_t last);
  // The range of a line-range address in the cached file; raises EMailRead outside it.
  std::pair<size_t, size_t> CachedRange(const std::string& file_name, int32_t first,
                                        int32_t last);
  void StartCache(std::string name, uint64_t size);
  void RestartCache(int64_t line, uint64_t offset);
  void CacheWholeText(std::string bytes);
  void IndexThrough(int64_t line, int64_t keep);
  void ReadMore(int64_t keep);
  std::string ReadRange(const std::string& path, uint64_t offset, uint64_t count);

  IFileSystem& fs_;
  std::function<bool()> length_limit_;
  LineCache cache_;
  size_t chunk_size_;
  std::string chunk_;  // reused for every chunk read into the window
  int cache_loads_ = 0;
};

}  // namespace lorvane
