// IFileSystem on a POSIX host. Windows paths go through DriveMap; listings convert each
// host name to CP932 and match it against the pattern as Windows would, leaving out names
// that have no Windows form. Reads open with O_NONBLOCK and refuse anything but regular
// files, so a FIFO or a device among mail files can neither hang nor flood a read.
// Views of files from 64 KiB up are mappings (mapped_file.h), smaller ones copies.
// Replacement writes a temporary file beside the target, fsyncs it and renames it over.
// Tested by tests/platform/posix/posix_file_system_test.cpp.

#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/mapped_file.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/windows_name.h"

namespace lorvane {

namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

std::string Failure(const std::string& windows_path, const char* what, int err) {
  return windows_path + ": " + what + ": " + ErrnoText(err);
}

// Whether the file is writable, judged by the permission bits that apply to us rather
// than by access(), which says yes to root for every file: root must see a file the
// mail program made read-only as read-only.
bool WritableByUs(const struct stat& st) {
  if (st.st_uid == geteuid()) return (st.st_mode & S_IWUSR) != 0;
  if (st.st_gid == getegid()) return (st.st_mode & S_IWGRP) != 0;
  return (st.st_mode & S_IWOTH) != 0;
}

TDirEntry MakeEntry(std::string name, const struct stat& st) {
  TDirEntry entry;
  entry.name = std::move(name);
  if (S_ISDIR(st.st_mode)) {
    entry.attributes = faDirectory;
  } else {
    entry.attributes = faArchive;
    if (!WritableByUs(st)) entry.attributes |= faReadOnly;
    entry.size = static_cast<uint64_t>(st.st_size);
  }
  if (entry.name[0] == '.') entry.attributes |= faHidden;
  entry.write_time = static_cast<int64_t>(st.st_mtime);
  return entry;
}

struct TOpened {
  UniqueFd fd;
  struct stat st {};
  TReadStatus status = TReadStatus::kOk;
};

// Opens a regular file for reading; anything else is kNotFound or kError with `error`.
TOpened OpenRegular(const std::string& windows_path, const std::optional<std::string>& host,
                    std::string* error) {
  TOpened opened;
  if (!host) {
    opened.status = TReadStatus::kNotFound;
    SetError(error, windows_path + ": no such file");
    return opened;
  }
  opened.fd.Reset(open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!opened.fd.ok()) {
    const int err = errno;
    opened.status =
        (err == ENOENT || err == ENOTDIR) ? TReadStatus::kNotFound : TReadStatus::kError;
    SetError(error, Failure(windows_path, "cannot open", err));
    return opened;
  }
  if (fstat(opened.fd.get(), &opened.st) != 0) {
    opened.status = TReadStatus::kError;
    SetError(error, Failure(windows_path, "cannot examine", errno));
  } else if (S_ISDIR(opened.st.st_mode)) {
    opened.status = TReadStatus::kError;
    SetError(error, windows_path + ": is a directory");
  } else if (!S_ISREG(opened.st.st_mode)) {
    opened.status = TReadStatus::kError;
    SetError(error, windows_path + ": is not a regular file");
  }
  return opened;
}

// Reads up to `size` bytes at `offset` into `buffer`; the count read, or -1 with errno.
long long ReadFully(int fd, char* buffer, size_t size, uint64_t offset) {
  size_t got = 0;
  while (got < size) {
    ssize_t n = pread(fd, buffer + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;  // the file shrank since fstat
    got += static_cast<size_t>(n);
  }
  return static_cast<long long>(got);
}

bool WriteFully(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Asks for huge pages for a large buffer before it is first touched. Reading a 200 MB
// mailbox into fresh memory is dominated by page faults: about 0.9 s with 4 KB pages,
// 0.05-0.5 s with 2 MB ones. Only advice: where the kernel declines, nothing changes.
void AdviseHugePages(std::string* buffer, size_t size) {
  constexpr size_t kLarge = size_t{8} << 20;
  if (size < kLarge) return;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<uintptr_t>(buffer->data());
  const uintptr_t first = (begin + page - 1) / page * page;
  const uintptr_t last = (begin + size) / page * page;
  if (last > first) (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

// Reads `size` bytes at `offset` into `out`, which is resized to what was read.
TReadStatus ReadInto(const std::string& windows_path, int fd, uint64_t offset, uint64_t size,
                     std::string* out, std::string* error) {
  try {
    out->reserve(static_cast<size_t>(size));
    AdviseHugePages(out, static_cast<size_t>(size));
    out->resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    SetError(error, windows_path + ": too large to read into memory");
    return TReadStatus::kError;
  } catch (const std::length_error&) {
    SetError(error, windows_path + ": too large to read into memory");
    return TReadStatus::kError;
  }
  const long long got = ReadFully(fd, out->data(), out->size(), offset);
  if (got < 0) {
    const int err = errno;
    out->clear();
    SetError(error, Failure(windows_path, "cannot read", err));
    return TReadStatus::kError;
  }
  out->resize(static_cast<size_t>(got));
  return TReadStatus::kOk;
}

std::string TemporaryName(const std::string& base) {
  static std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix;
  uint64_t bits = generator();
  for (int i = 0; i < 12; ++i, bits >>= 4) suffix += kDigits[bits & 15];
  // A long name plus the suffix could pass the 255-byte limit; the name only helps
  // someone who finds a leftover after a crash.
  return "." + (base.size() <= 200 ? base : std::string("lorvane")) + "." + suffix + ".tmp";
}

}  // namespace

PosixFileSystem::PosixFileSystem(DriveMap drives, const std::string& program_host_path)
    : drives_(std::move(drives)), program_path_(drives_.FromHost(program_host_path)) {}

template <typename Visit>
void PosixFileSystem::ForEachMatch(const std::string& pattern, Visit visit) {
  const TSplitPath split = SplitLastComponent(pattern);
  if (split.name.empty() || split.directory.empty()) return;
  const std::optional<std::string> directory = drives_.ToHost(split.directory);
  if (!directory) return;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory->c_str()), closedir);
  if (!dir) return;
  std::string name;
  const int dir_fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    std::string_view host_name(entry->d_name);
    if (host_name == "." || host_name == "..") continue;
    if (!IsValidWindowsName(host_name) || !TryUtf8ToCp932(host_name, &name)) continue;
    if (!MatchesWildcard(split.name, name)) continue;
    if (!visit(dir_fd, entry->d_name, name)) return;
  }
}

bool PosixFileSystem::Exists(const std::string& pattern) {
  const TSplitPath split = SplitLastComponent(pattern);
  if (!HasWildcards(split.name)) {
    struct stat st;
    bool exists = false;
    return drives_.ToHost(pattern, &st, &exists) && exists;
  }
  bool found = false;
  ForEachMatch(pattern, [&found](int dir_fd, const char* host_name, const std::string&) {
    struct stat st;
    found = fstatat(dir_fd, host_name, &st, 0) == 0;
    return !found;
  });
  return found;
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
  struct stat st;
  bool exists = false;
  return drives_.ToHost(path, &st, &exists) && exists && S_ISDIR(st.st_mode);
}

std::vector<TDirEntry> PosixFileSystem::List(const std::string& pattern) {
  std::vector<TDirEntry> entries;
  ForEachMatch(pattern, [&entries](int dir_fd, const char* host_name, const std::string& name) {
    struct stat st;
    // A dangling symbolic link names nothing Windows could open. Looked up relative to the
    // open directory, not by the whole path again for each of 50,000 entries.
    if (fstatat(dir_fd, host_name, &st, 0) == 0) entries.push_back(MakeEntry(name, st));
    return true;
  });
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(UpperAscii(entries[i].name), i);
  // Names equal but for case (possible on POSIX) keep a fixed order by their bytes.
  std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return entries[a.second].name < entries[b.second].name;
  });
  std::vector<TDirEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) sorted.push_back(std::move(entries[key.second]));
  return sorted;
}

TReadStatus PosixFileSystem::ReadFile(const std::string& path, std::string* contents,
                                      std::string* error) {
  contents->clear();
  TOpened file = OpenRegular(path, drives_.ToHost(path), error);
  if (file.status != TReadStatus::kOk) return file.status;
  return ReadInto(path, file.fd.get(), 0, static_cast<uint64_t>(file.st.st_size), contents, error);
}

TReadStatus PosixFileSystem::ReadAt(const std::string& path, uint64_t offset, size_t count,
                                    std::string* out, std::string* error) {
  out->clear();
  TOpened file = OpenRegular(path, drives_.ToHost(path), error);
  if (file.status != TReadStatus::kOk) return file.status;
  if (count == 0) return TReadStatus::kOk;
  const auto size = static_cast<uint64_t>(file.st.st_size);
  if (offset >= size) return TReadStatus::kShort;
  const uint64_t wanted = std::min<uint64_t>(count, size - offset);
  TReadStatus status = ReadInto(path, file.fd.get(), offset, wanted, out, error);
  if (status == TReadStatus::kOk && out->size() < count) status = TReadStatus::kShort;
  return status;
}

TReadStatus PosixFileSystem::ViewFile(const std::string& path, TFileView* view,
                                      std::string* error) {
  // Below this a mapping, with its page faults and table slot, costs more than a copy.
  constexpr uint64_t kMapFrom = 64 * 1024;
  *view = TFileView();
  TOpened file = OpenRegular(path, drives_.ToHost(path), error);
  if (file.status != TReadStatus::kOk) return file.status;
  const auto size = static_cast<uint64_t>(file.st.st_size);
  if (size >= kMapFrom && MapFileView(file.fd.get(), size, view)) return TReadStatus::kOk;
  std::string copy;
  const TReadStatus status = ReadInto(path, file.fd.get(), 0, size, &copy, error);
  *view = TFileView(std::move(copy));
  return status;
}

std::optional<uint64_t> PosixFileSystem::FileSize(const std::string& path) {
  struct stat st;
  bool exists = false;
  if (!drives_.ToHost(path, &st, &exists) || !exists || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

bool PosixFileSystem::ReplaceFile(const std::string& path, std::string_view contents,
                                  std::string* error) {
  const std::optional<std::string> host = drives_.ToHost(path);
  if (!host || host->back() == '/') {
    SetError(error, path + ": not a file name on a mapped drive");
    return false;
  }
  const size_t slash = host->rfind('/');
  const std::string directory = slash == 0 ? "/" : host->substr(0, slash);
  const std::string base = host->substr(slash + 1);

  struct stat old_st;
  const bool had_old = stat(host->c_str(), &old_st) == 0;
  if (had_old && S_ISDIR(old_st.st_mode)) {
    SetError(error, path + ": is a directory");
    return false;
  }

  std::string temp;
  UniqueFd fd;
  for (int attempt = 0; attempt < 100 && !fd.ok(); ++attempt) {
    temp = directory + "/" + TemporaryName(base);
    fd.Reset(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!fd.ok() && errno != EEXIST) break;
  }
  if (!fd.ok()) {
    SetError(error, Failure(path, "cannot create a temporary file beside it", errno));
    return false;
  }

  const char* failed = nullptr;
  int err = 0;
  // The new file keeps the old one's permissions; a failure leaves the defaults, which
  // is no reason to give up the write.
  if (had_old) (void)fchmod(fd.get(), old_st.st_mode & 07777);
  if (!WriteFully(fd.get(), contents)) {
    failed = "cannot write the temporary file";
  } else if (fsync(fd.get()) != 0) {
    failed = "cannot flush the temporary file to disk";
  } else if (close(fd.Release()) != 0) {
    failed = "cannot write the temporary file";
  } else if (rename(temp.c_str(), host->c_str()) != 0) {
    failed = "cannot put the new file in place";
  }
  if (failed) {
    err = errno;
    fd.Reset();
    unlink(temp.c_str());
    SetError(error, Failure(path, failed, err));
    return false;
  }
  // Makes the rename itself durable. The new contents are already safe and in place, so
  // a directory that refuses fsync is no failure of the replacement.
  UniqueFd dir(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.ok()) (void)fsync(dir.get());
  return true;
}

bool PosixFileSystem::DeleteFile(const std::string& path) {
  const std::optional<std::string> host = drives_.ToHost(path);
  return host && unlink(host->c_str()) == 0;
}

std::string PosixFileSystem::ProgramPath() {
  return program_path_.value_or(std::string());
}

std::string PosixFileSystem::WindowsDirectory() {
  static constexpr char kDefault[] = "C:\\windows";
  const std::optional<std::string> host = drives_.ToHost(kDefault);
  struct stat st;
  if (host && stat(host->c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    if (std::optional<std::string> actual = drives_.FromHost(*host)) return *actual;
  }
  return kDefault;
}

std::optional<std::string> PosixFileSystem::FromHostPath(const std::string& host_path) {
  return drives_.FromHost(host_path);
}

std::optional<std::string> PosixFileSystem::ToHostPath(const std::string& windows_path) {
  return drives_.ToHost(windows_path);
}

}  // namespace lorvane
