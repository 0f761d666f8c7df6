// Shared helpers of the mailer procedures.
// Tested through every kind's tests in tests/mail/mailers/.

#include "mail/mailers/mailer_support.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/mbstring.h"
#include "mail/mail_text.h"
#include "persist/reg_path.h"

namespace lorvane::mailers {

bool ReadLines(IFileSystem& fs, const std::string& path, std::vector<std::string>* lines) {
  lines->clear();
  std::string bytes;
  if (fs.ReadFile(path, &bytes) != TReadStatus::kOk) return false;
  ForEachLine(bytes, [lines](std::string_view line) { lines->emplace_back(line); });
  return true;
}

bool ForEachFileLine(IFileSystem& fs, const std::string& path,
                     const std::function<void(size_t, std::string_view)>& visit) {
  // Read in chunks into one buffer that is reused, so a mailbox of hundreds of megabytes
  // costs a megabyte of memory and no fresh pages. A line that runs over a chunk's end is
  // kept for the next round; a CR at a chunk's end waits to see whether a LF follows.
  constexpr size_t kChunk = size_t{1} << 20;
  const std::optional<uint64_t> size = fs.FileSize(path);
  if (!size) return false;
  std::string buffer;
  std::string chunk;
  uint64_t offset = 0;
  size_t index = 0;
  bool end = false;
  while (!end) {
    const TReadStatus status = fs.ReadAt(path, offset, kChunk, &chunk);
    if (status == TReadStatus::kError || status == TReadStatus::kNotFound) return offset > 0;
    offset += chunk.size();
    end = chunk.empty() || offset >= *size || status == TReadStatus::kShort;
    if (const void* nul = std::memchr(chunk.data(), '\0', chunk.size())) {
      chunk.resize(static_cast<size_t>(static_cast<const char*>(nul) - chunk.data()));
      end = true;  // a NUL ends the text
    }
    buffer.append(chunk);
    const char* const base = buffer.data();
    const size_t n = buffer.size();
    size_t pos = 0;
    while (pos < n) {
      const auto* lf = static_cast<const char*>(std::memchr(base + pos, '\n', n - pos));
      const size_t lf_at = lf ? static_cast<size_t>(lf - base) : n;
      const auto* cr = static_cast<const char*>(std::memchr(base + pos, '\r', lf_at - pos));
      size_t line_end;
      size_t next;
      if (cr != nullptr) {
        line_end = static_cast<size_t>(cr - base);
        if (line_end + 1 == n && !end) break;  // the LF may come with the next chunk
        next = line_end + 1 == lf_at ? lf_at + 1 : line_end + 1;
      } else if (lf != nullptr) {
        line_end = lf_at;
        next = lf_at + 1;
      } else if (end) {
        line_end = n;  // a last line without terminator
        next = n;
      } else {
        break;  // the line goes on in the next chunk
      }
      visit(index++, std::string_view(base + pos, line_end - pos));
      pos = next;
    }
    buffer.erase(0, pos);
  }
  return true;
}

bool StartsWithUpper(std::string_view line, std::string_view upper_prefix) {
  if (line.size() < upper_prefix.size()) return false;
  return UpperAscii(line.substr(0, upper_prefix.size())) == upper_prefix;
}

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool FileExists(IFileSystem& fs, const std::string& pattern) {
  if (pattern.find_first_of("*?") == std::string::npos) {
    return fs.Exists(pattern) && !fs.IsDirectory(pattern);
  }
  const std::vector<TDirEntry> entries = fs.List(pattern);
  return !entries.empty() && (entries[0].attributes & faDirectory) == 0;
}

std::vector<std::string> SubDirectories(IFileSystem& fs, const std::string& pattern) {
  std::vector<std::string> names;
  for (const TDirEntry& e : fs.List(pattern)) {
    if ((e.attributes & faDirectory) != 0 && !e.name.empty() && e.name[0] != '.') {
      names.push_back(e.name);
    }
  }
  return names;
}

std::vector<std::string> Files(IFileSystem& fs, const std::string& pattern) {
  std::vector<std::string> names;
  for (const TDirEntry& e : fs.List(pattern)) {
    if ((e.attributes & (faDirectory | faVolumeLabel)) == 0) names.push_back(e.name);
  }
  return names;
}

void SortByUpperName(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return UpperAscii(a) < UpperAscii(b);
  });
}

std::string RegString(TMailStores& stores, const std::string& key, const std::string& name) {
  return ReadRegString(stores.Registry(), "\\" + key, name);
}

int RegInteger(TMailStores& stores, const std::string& key, const std::string& name) {
  return ReadRegInteger(stores.Registry(), "\\" + key, name);
}

bool RegSubKeys(TMailStores& stores, const std::string& key, std::vector<std::string>* names) {
  return ListRegKeys(stores.Registry(), "\\" + key, names);
}

std::string WindowsDirectory(TMailStores& stores) {
  return EnsureTrailingSeparator(stores.Fs().WindowsDirectory());
}

std::string Num(long long n) {
  return std::to_string(n);
}

}  // namespace lorvane::mailers
