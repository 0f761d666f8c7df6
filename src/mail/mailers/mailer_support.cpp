// Shared helpers of the mailer procedures.
// Tested through every kind's tests in tests/mail/mailers/.

#include "mail/mailers/mailer_support.h"

#include <algorithm>

#include "common/lines.h"
#include "common/mbstring.h"
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
  // A view, not a copy: a mailbox of hundreds of megabytes costs no fresh memory.
  TFileView file;
  if (fs.ViewFile(path, &file) != TReadStatus::kOk) return false;
  size_t index = 0;
  ForEachLine(file.Bytes(), [&](std::string_view line) { visit(index++, line); });
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
