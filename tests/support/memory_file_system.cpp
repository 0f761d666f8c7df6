// In-memory file system for tests.

#include "support/memory_file_system.h"

#include <algorithm>

#include "common/mbstring.h"

namespace lorvane::testing {

namespace {

std::string Parent(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string MemoryFileSystem::Key(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  return UpperAscii(p);
}

bool MemoryFileSystem::WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  // Classic backtracking over characters; names in tests are short.
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t i = 0; i <= name.size(); ++i) {
      if (WildcardMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const size_t w = CharWidthAt(name, 0);
  if (pattern[0] == '?') return WildcardMatch(pattern.substr(1), name.substr(w));
  const size_t pw = CharWidthAt(pattern, 0);
  if (!SameTextAscii(pattern.substr(0, pw), name.substr(0, w))) return false;
  return WildcardMatch(pattern.substr(pw), name.substr(w));
}

void MemoryFileSystem::AddFile(const std::string& path, std::string contents) {
  Node node;
  node.name = path;
  node.contents = std::move(contents);
  nodes_[Key(path)] = std::move(node);
  for (std::string dir = Parent(path); dir.size() > 2; dir = Parent(dir)) AddDirectory(dir);
}

void MemoryFileSystem::AddDirectory(const std::string& path) {
  Node& node = nodes_[Key(path)];
  node.name = path;
  node.directory = true;
}

void MemoryFileSystem::RemoveFile(const std::string& path) {
  nodes_.erase(Key(path));
}

void MemoryFileSystem::MakeUnreadable(const std::string& path) {
  nodes_[Key(path)].unreadable = true;
}

const std::string* MemoryFileSystem::Contents(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() || it->second.directory ? nullptr : &it->second.contents;
}

bool MemoryFileSystem::Exists(const std::string& pattern) {
  if (pattern.find_first_of("*?") == std::string::npos) return nodes_.count(Key(pattern)) > 0;
  return !List(pattern).empty();
}

bool MemoryFileSystem::IsDirectory(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it != nodes_.end() && it->second.directory;
}

std::vector<TDirEntry> MemoryFileSystem::List(const std::string& pattern) {
  const std::string dir = Key(Parent(pattern));
  const std::string name_pattern = pattern.substr(pattern.rfind('\\') + 1);
  std::vector<TDirEntry> out;
  for (const auto& [key, node] : nodes_) {
    if (Key(Parent(node.name)) != dir) continue;
    const std::string name = node.name.substr(node.name.rfind('\\') + 1);
    if (!WildcardMatch(name_pattern, name)) continue;
    out.push_back({name, node.directory ? uint32_t{faDirectory} : uint32_t{faArchive},
                   node.contents.size(), 0});
  }
  std::sort(out.begin(), out.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return UpperAscii(a.name) < UpperAscii(b.name);
  });
  return out;
}

TReadStatus MemoryFileSystem::ReadFile(const std::string& path, std::string* contents,
                                       std::string* error) {
  contents->clear();
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end()) {
    if (error) *error = "not found";
    return TReadStatus::kNotFound;
  }
  if (it->second.directory || it->second.unreadable) {
    if (error) *error = "cannot read";
    return TReadStatus::kError;
  }
  ++read_file_count_;
  *contents = it->second.contents;
  return TReadStatus::kOk;
}

TReadStatus MemoryFileSystem::ReadAt(const std::string& path, uint64_t offset, size_t count,
                                     std::string* out, std::string* error) {
  out->clear();
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end()) return TReadStatus::kNotFound;
  if (it->second.directory || it->second.unreadable) {
    if (error) *error = "cannot read";
    return TReadStatus::kError;
  }
  const std::string& c = it->second.contents;
  if (offset >= c.size()) return count == 0 ? TReadStatus::kOk : TReadStatus::kShort;
  *out = c.substr(static_cast<size_t>(offset), count);
  return out->size() == count ? TReadStatus::kOk : TReadStatus::kShort;
}

std::optional<uint64_t> MemoryFileSystem::FileSize(const std::string& path) {
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end() || it->second.directory) return std::nullopt;
  return it->second.contents.size();
}

bool MemoryFileSystem::ReplaceFile(const std::string& path, std::string_view contents,
                                   std::string* error) {
  if (fail_replace_) {
    if (error) *error = "disk full";
    return false;
  }
  AddFile(path, std::string(contents));
  return true;
}

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  return nodes_.erase(Key(path)) > 0;
}

}  // namespace lorvane::testing
