// IFileSystem over the Win32 ANSI API: FindFirstFileA for wildcards and listings,
// CreateFileA (read-only, sharing with the mail programs) for reads, a read-only section
// for views of files from 64 KiB up, MoveFileExA for the atomic replacement of the
// program's own files. A mapped file cannot be shortened on Windows (SetEndOfFile fails
// with ERROR_USER_MAPPED_FILE), so views need no guard here, unlike on POSIX.
// Tested by tests/platform/win32/win32_file_system_test.cpp (under Wine in CI).

#include "platform/win32/win32_file_system.h"

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "common/mbstring.h"

namespace lorvane {

namespace {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE && h != nullptr) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};

std::string LastErrorText() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text ? std::string(Trim(text)) : "error " + std::to_string(code);
  LocalFree(text);
  return message;
}

void SetError(std::string* error, const std::string& path, const char* what) {
  if (error) *error = path + ": " + what + ": " + LastErrorText();
}

int64_t UnixTime(const FILETIME& ft) {
  const uint64_t ticks = (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
  return static_cast<int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

UniqueHandle OpenForReading(const std::string& path) {
  return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool IsMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
         code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH;
}

// Opens `path` for reading and takes its size; kNotFound or kError (with the reason) when
// either fails.
TReadStatus OpenWithSize(const std::string& path, UniqueHandle* h, uint64_t* size,
                         std::string* error) {
  *h = OpenForReading(path);
  if (h->get() == INVALID_HANDLE_VALUE) {
    const bool missing = IsMissing(GetLastError());
    SetError(error, path, "cannot open");
    return missing ? TReadStatus::kNotFound : TReadStatus::kError;
  }
  LARGE_INTEGER large;
  if (!GetFileSizeEx(h->get(), &large)) {
    SetError(error, path, "cannot examine");
    return TReadStatus::kError;
  }
  *size = static_cast<uint64_t>(large.QuadPart);
  return TReadStatus::kOk;
}

// Reads up to `count` bytes at `offset`; the bytes read, or false on an error.
bool ReadRange(HANDLE h, uint64_t offset, size_t count, std::string* out) {
  out->clear();
  out->resize(count);
  size_t got = 0;
  while (got < count) {
    OVERLAPPED at{};
    const uint64_t position = offset + got;
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(count - got, 1u << 30));
    DWORD n = 0;
    if (!::ReadFile(h, out->data() + got, want, &n, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return false;
    }
    if (n == 0) break;
    got += n;
  }
  out->resize(got);
  return true;
}

// Maps the first `size` bytes of the open file `h` read-only into `view`; false when it
// cannot, and the caller reads a copy. The view holds the section open by itself.
bool MapView(HANDLE h, uint64_t size, TFileView* view) {
  if (size > SIZE_MAX) return false;
  const UniqueHandle section(CreateFileMappingW(h, nullptr, PAGE_READONLY,
                                                static_cast<DWORD>(size >> 32),
                                                static_cast<DWORD>(size & 0xFFFFFFFF), nullptr));
  if (section.get() == nullptr) return false;
  void* address = MapViewOfFile(section.get(), FILE_MAP_READ, 0, 0, static_cast<size_t>(size));
  if (address == nullptr) return false;
  // Should the control block fail to allocate, shared_ptr unmaps the view itself.
  std::shared_ptr<const void> owner(address, [](const void* a) { UnmapViewOfFile(a); });
  *view = TFileView(std::string_view(static_cast<const char*>(address), static_cast<size_t>(size)),
                    std::move(owner));
  return true;
}

// Opens a file (not a directory) to be read whole, with its size.
TReadStatus OpenWhole(const std::string& path, UniqueHandle* h, uint64_t* file_size,
                      std::string* error) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    if (error) *error = path + ": is a directory";
    return TReadStatus::kError;
  }
  return OpenWithSize(path, h, file_size, error);
}

// Reads all `file_size` bytes of the open file into `out` (emptied on failure).
TReadStatus ReadWhole(const std::string& path, HANDLE h, uint64_t file_size, std::string* out,
                      std::string* error) {
  if (!ReadRange(h, 0, static_cast<size_t>(file_size), out)) {
    SetError(error, path, "cannot read");
    out->clear();
    return TReadStatus::kError;
  }
  return TReadStatus::kOk;
}

}  // namespace

std::string Win32ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::string long_path(32768, '\0');
  const DWORD n =
      GetLongPathNameA(path.c_str(), long_path.data(), static_cast<DWORD>(long_path.size()));
  if (n == 0 || n >= long_path.size()) return path;
  long_path.resize(n);
  return long_path;
}

Win32FileSystem::Win32FileSystem(std::string program_path)
    : program_path_(program_path.empty() ? Win32ExecutablePath() : std::move(program_path)) {}

std::vector<TDirEntry> Win32FileSystem::List(const std::string& pattern) {
  std::vector<TDirEntry> entries;
  WIN32_FIND_DATAA data;
  std::unique_ptr<void, FindCloser> find(FindFirstFileA(pattern.c_str(), &data));
  if (find.get() == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    TDirEntry e;
    e.name = name;
    e.attributes = data.dwFileAttributes &
                   (faReadOnly | faHidden | faSystem | faVolumeLabel | faDirectory | faArchive);
    e.size = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                 ? 0
                 : (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    e.write_time = UnixTime(data.ftLastWriteTime);
    entries.push_back(std::move(e));
  } while (FindNextFileA(find.get(), &data));
  // NTFS lists in this order already; other file systems do not.
  std::stable_sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return UpperAscii(a.name) < UpperAscii(b.name);
  });
  return entries;
}

bool Win32FileSystem::Exists(const std::string& pattern) {
  if (pattern.find_first_of("*?") == std::string::npos) {
    return GetFileAttributesA(pattern.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  return !List(pattern).empty();
}

bool Win32FileSystem::IsDirectory(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TReadStatus Win32FileSystem::ReadFile(const std::string& path, std::string* contents,
                                      std::string* error) {
  contents->clear();
  UniqueHandle h;
  uint64_t file_size = 0;
  if (const TReadStatus opened = OpenWhole(path, &h, &file_size, error);
      opened != TReadStatus::kOk) {
    return opened;
  }
  return ReadWhole(path, h.get(), file_size, contents, error);
}

TReadStatus Win32FileSystem::ReadAt(const std::string& path, uint64_t offset, size_t count,
                                    std::string* out, std::string* error) {
  out->clear();
  UniqueHandle h;
  uint64_t file_size = 0;
  if (const TReadStatus opened = OpenWithSize(path, &h, &file_size, error);
      opened != TReadStatus::kOk) {
    return opened;
  }
  if (offset >= file_size) return count == 0 ? TReadStatus::kOk : TReadStatus::kShort;
  const size_t available = static_cast<size_t>(std::min<uint64_t>(count, file_size - offset));
  if (!ReadRange(h.get(), offset, available, out)) {
    SetError(error, path, "cannot read");
    out->clear();
    return TReadStatus::kError;
  }
  return out->size() == count ? TReadStatus::kOk : TReadStatus::kShort;
}

TReadStatus Win32FileSystem::ViewFile(const std::string& path, TFileView* view,
                                      std::string* error) {
  // Below this a mapping costs more than a copy.
  constexpr uint64_t kMapFrom = 64 * 1024;
  *view = TFileView();
  UniqueHandle h;
  uint64_t file_size = 0;
  if (const TReadStatus opened = OpenWhole(path, &h, &file_size, error);
      opened != TReadStatus::kOk) {
    return opened;
  }
  if (file_size >= kMapFrom && MapView(h.get(), file_size, view)) return TReadStatus::kOk;
  std::string copy;
  const TReadStatus status = ReadWhole(path, h.get(), file_size, &copy, error);
  *view = TFileView(std::move(copy));
  return status;
}

std::optional<uint64_t> Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::ReplaceFile(const std::string& path, std::string_view contents,
                                  std::string* error) {
  const std::string temp = path + ".lorvane-tmp";
  {
    UniqueHandle h(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) {
      SetError(error, temp, "cannot create");
      return false;
    }
    size_t written = 0;
    while (written < contents.size()) {
      DWORD n = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(contents.size() - written, 1u << 30));
      if (!WriteFile(h.get(), contents.data() + written, want, &n, nullptr)) {
        SetError(error, temp, "cannot write");
        h.reset();
        DeleteFileA(temp.c_str());
        return false;
      }
      written += n;
    }
    if (!FlushFileBuffers(h.get())) {
      SetError(error, temp, "cannot write");
      h.reset();
      DeleteFileA(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExA(temp.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    SetError(error, path, "cannot replace");
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

std::string Win32FileSystem::WindowsDirectory() {
  char buffer[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return "C:\\WINDOWS";
  std::string dir(buffer, n);
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

std::optional<std::string> Win32FileSystem::FromHostPath(const std::string& host_path) {
  char buffer[32768];
  const DWORD n = GetFullPathNameA(host_path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return std::nullopt;
  return std::string(buffer, n);
}

std::optional<std::string> Win32FileSystem::ToHostPath(const std::string& windows_path) {
  return windows_path;
}

}  // namespace lorvane
