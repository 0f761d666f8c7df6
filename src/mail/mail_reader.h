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
  // `length_limit` reports the "Length Limit" option; it is asked for every message.
  TMailReader(IFileSystem& fs, std::function<bool()> length_limit);

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

  // Hook for tests: how often a whole file was loaded into the line cache.
  int ForTestingCacheLoads() const { return cache_loads_; }

 private:
  // The lines of one file (line-range layout) or of the last message read (others): one
  // buffer and where each line starts, plus the end of the text, so a 200 MB mailbox
  // costs little more than itself. A line ends where the next starts, less its terminator.
  struct LineCache {
    std::string name;  // empty when the lines are not a whole file's
    uint64_t size = 0;
    std::string bytes;
    std::vector<size_t> starts;  // one per line, then the end of the text

    size_t LineCount() const { return starts.empty() ? 0 : starts.size() - 1; }
    std::string_view Line(size_t i) const;
  };

  // Puts the message's lines in the cache; returns their range [first, end).
  std::pair<size_t, size_t> FetchLines(const std::string& file_name, int32_t first, int32_t last);
  // The range of a line-range address in the cached file; raises EMailRead outside it.
  std::pair<size_t, size_t> CachedRange(const std::string& file_name, int32_t first,
                                        int32_t last) const;
  void FillCache(std::string name);
  std::string ReadRange(const std::string& path, uint64_t offset, uint64_t count);

  IFileSystem& fs_;
  std::function<bool()> length_limit_;
  LineCache cache_;
  int cache_loads_ = 0;
};

}  // namespace lorvane
