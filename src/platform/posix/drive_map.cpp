// Drive letters of a Wine prefix and the translation between Windows and host paths.
// Reading the prefix happens once, at construction; ToHost looks at the disk for every
// call (a case-insensitive lookup lists the directory), because mail programs create and
// rename files while we run. Opening, reading and listing are the file system's.
// Tested by tests/platform/posix/drive_map_test.cpp.

#include "platform/posix/drive_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <unordered_map>

#include "common/codepage.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/windows_name.h"

namespace lorvane {

namespace {

constexpr char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string JoinHost(const std::string& directory, std::string_view name) {
  std::string out = directory;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

bool Covers(const std::string& root, const std::string& path) {
  if (root == "/") return true;
  return path.size() >= root.size() && path.compare(0, root.size(), root) == 0 &&
         (path.size() == root.size() || path[root.size()] == '/');
}

std::string AsciiUpper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return upper;
}

}  // namespace

// Directories' entries by upper-cased name, for names that are not found as written.
// Searching a directory of 50,000 messages for every missing sibling name would make a
// search quadratic, so listings are kept (a few dozen directories) and taken again when
// the directory's modification time changes.
class DriveMap::TCaseIndexCache {
 public:
  // The entry of `directory` equal to `name` without regard to ASCII case; the smallest
  // in byte order when several are ("Inbox" and "INBOX" may both exist on a POSIX disk).
  std::optional<std::string> Find(const std::string& directory, std::string_view name) {
    struct stat st {};
    if (stat(directory.c_str(), &st) != 0) return std::nullopt;
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const TEntry& e) { return e.directory == directory; });
    if (it == entries_.end() || it->mtime_sec != st.st_mtim.tv_sec ||
        it->mtime_nsec != st.st_mtim.tv_nsec || it->inode != st.st_ino) {
      if (it != entries_.end()) entries_.erase(it);
      if (entries_.size() >= kCapacity) entries_.pop_back();
      entries_.insert(entries_.begin(), Load(directory, st));
      it = entries_.begin();
    }
    auto found = it->names.find(AsciiUpper(name));
    if (found == it->names.end()) return std::nullopt;
    return found->second;
  }

 private:
  static constexpr size_t kCapacity = 32;
  struct TEntry {
    std::string directory;
    time_t mtime_sec;
    long mtime_nsec;
    ino_t inode;
    std::unordered_map<std::string, std::string> names;  // upper-cased -> smallest name
  };

  static TEntry Load(const std::string& directory, const struct stat& st) {
    TEntry entry{directory, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_ino, {}};
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.c_str()), closedir);
    if (!dir) return entry;
    while (const dirent* e = readdir(dir.get())) {
      const std::string name(e->d_name);
      auto [slot, inserted] = entry.names.try_emplace(AsciiUpper(name), name);
      if (!inserted && name < slot->second) slot->second = name;
    }
    return entry;
  }

  std::vector<TEntry> entries_;  // most recently used first
};

namespace {

std::optional<std::string> ReadLink(const std::string& path) {
  std::string buffer(256, '\0');
  for (;;) {
    ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return std::nullopt;
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      return buffer;
    }
    if (buffer.size() >= 1 << 20) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentDirectory() {
  std::string buffer(PATH_MAX, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    // A current directory that was removed has no name; "/" is as good a base as any.
    if (errno != ERANGE || buffer.size() >= (1 << 20)) return "/";
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

}  // namespace

std::string NormaliseHostPath(std::string_view absolute_path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= absolute_path.size(); ++i) {
    if (i < absolute_path.size() && absolute_path[i] != '/') continue;
    std::string_view part = absolute_path.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (std::string_view part : parts) {
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

std::string AbsoluteHostPath(std::string_view path) {
  if (!path.empty() && path[0] == '/') return NormaliseHostPath(path);
  return NormaliseHostPath(CurrentDirectory() + "/" + std::string(path));
}

DriveMap::DriveMap() : case_cache_(std::make_shared<TCaseIndexCache>()) {}

DriveMap DriveMap::HostRootOnly() {
  DriveMap map;
  map.MapDrive('Z', "/");
  return map;
}

DriveMap DriveMap::ForDrives(const std::vector<std::pair<char, std::string>>& drives) {
  DriveMap map;
  for (const auto& [letter, directory] : drives) map.MapDrive(letter, directory);
  return map;
}

DriveMap DriveMap::ForWinePrefix(const std::string& prefix) {
  if (prefix.empty()) return HostRootOnly();
  DriveMap map;
  map.wine_prefix_ = AbsoluteHostPath(prefix);
  const std::string dosdevices = map.wine_prefix_ + "/dosdevices";
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    for (char form : {letter, static_cast<char>(letter - 32)}) {
      const std::string entry = dosdevices + "/" + form + ":";
      struct stat st;
      if (lstat(entry.c_str(), &st) != 0) continue;
      if (S_ISLNK(st.st_mode)) {
        std::optional<std::string> target = ReadLink(entry);
        if (!target || target->empty()) continue;
        map.MapDrive(letter, (*target)[0] == '/' ? *target : dosdevices + "/" + *target);
      } else if (S_ISDIR(st.st_mode)) {
        map.MapDrive(letter, entry);
      } else {
        continue;
      }
      break;
    }
  }
  return map;
}

void DriveMap::MapDrive(char letter, const std::string& host_directory) {
  if (DriveLetterOf(std::string(1, letter) + ":") == 0) return;
  const int index = Lower(letter) - 'a';
  const std::string root = AbsoluteHostPath(host_directory);
  if (!roots_[index].empty()) {
    std::erase_if(host_forms_,
                  [letter](const auto& form) { return Lower(form.second) == Lower(letter); });
  }
  roots_[index] = root;
  const char upper = static_cast<char>('A' + index);
  host_forms_.emplace_back(root, upper);
  std::unique_ptr<char, void (*)(void*)> real(realpath(root.c_str(), nullptr), free);
  if (real && root != real.get()) host_forms_.emplace_back(real.get(), upper);
}

std::optional<std::string> DriveMap::DriveRoot(char letter) const {
  if (DriveLetterOf(std::string(1, letter) + ":") == 0) return std::nullopt;
  const std::string& root = roots_[Lower(letter) - 'a'];
  if (root.empty()) return std::nullopt;
  return root;
}

std::optional<std::string> DriveMap::ToHost(std::string_view windows_path) const {
  return ToHost(windows_path, nullptr, nullptr);
}

std::optional<std::string> DriveMap::ToHost(std::string_view windows_path, struct stat* found_st,
                                            bool* found) const {
  // Only when asked: whether the host path names something, and its stat().
  struct stat whole_st;
  const auto settle = [&](const std::string& host_path, bool known_missing) {
    if (found == nullptr) return;
    *found = !known_missing && stat(host_path.c_str(), found_st) == 0;
  };
  if (found != nullptr) *found = false;
  const char letter = DriveLetterOf(windows_path);
  if (letter == 0) return std::nullopt;
  std::optional<std::string> root = DriveRoot(letter);
  if (!root) return std::nullopt;

  std::vector<std::string> names;
  for (std::string_view part : PathComponents(windows_path.substr(2))) {
    if (part == ".") continue;
    if (part == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    std::string name;
    if (!TryCp932ToUtf8(part, &name) || !IsValidWindowsName(name)) return std::nullopt;
    names.push_back(std::move(name));
  }

  std::string host = *root;
  // Mostly the path exists as written; one look settles it then.
  std::string whole = host;
  for (const std::string& name : names) whole = JoinHost(whole, name);
  if (lstat(whole.c_str(), &whole_st) == 0) {
    if (found != nullptr && !S_ISLNK(whole_st.st_mode)) {
      *found = true;
      *found_st = whole_st;
    } else {
      settle(whole, false);
    }
    return whole;
  }
  // Next most often only the last name is missing or differs in case (a sibling file looked
  // for): when the directory exists as written, the walk below would end the same way.
  if (!names.empty()) {
    std::string parent = host;
    for (size_t i = 0; i + 1 < names.size(); ++i) parent = JoinHost(parent, names[i]);
    struct stat parent_st;
    if (names.size() == 1 || lstat(parent.c_str(), &parent_st) == 0) {
      const std::optional<std::string> entry = case_cache_->Find(parent, names.back());
      std::string host_path = JoinHost(parent, entry ? *entry : names.back());
      settle(host_path, !entry);
      return host_path;
    }
  }

  bool exists = true;  // once a component is missing, nothing below it can be listed
  for (const std::string& name : names) {
    std::string exact = JoinHost(host, name);
    struct stat st;
    if (exists && lstat(exact.c_str(), &st) != 0) {
      if (std::optional<std::string> entry = case_cache_->Find(host, name)) {
        exact = JoinHost(host, *entry);
      } else {
        exists = false;
      }
    }
    host = std::move(exact);
  }
  settle(host, !exists);
  return host;
}

std::optional<std::string> DriveMap::FromHost(std::string_view host_path) const {
  if (host_path.empty()) return std::nullopt;
  const std::string path = AbsoluteHostPath(host_path);
  const std::pair<std::string, char>* best = nullptr;
  for (const auto& form : host_forms_) {
    if (Covers(form.first, path) && (!best || form.first.size() > best->first.size())) {
      best = &form;
    }
  }
  if (!best) return std::nullopt;

  std::string out{best->second, ':', '\\'};
  std::string_view rest(path);
  rest.remove_prefix(best->first == "/" ? 1 : best->first.size());
  bool first = true;
  size_t start = 0;
  for (size_t i = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && rest[i] != '/') continue;
    std::string_view part = rest.substr(start, i - start);
    start = i + 1;
    if (part.empty()) continue;
    std::string name;
    if (!IsValidWindowsName(part) || !TryUtf8ToCp932(part, &name)) return std::nullopt;
    if (!first) out += '\\';
    out += name;
    first = false;
  }
  return out;
}

}  // namespace lorvane
