#pragma once
// The file system as the core sees it. Paths are Windows paths in CP932 ("C:\Mail\In.mbx");
// the POSIX backend maps them onto the host through a Wine prefix's drive letters.
// Mail stores are only ever read; the only writes are atomic replacements of files the
// program owns, and deletions of them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvane {

// File attributes as Windows reports them.
enum TFileAttribute : uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSystem = 0x04,
  faVolumeLabel = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
};

struct TDirEntry {
  std::string name;         // the entry's own name, CP932, no directory part
  uint32_t attributes = 0;  // TFileAttribute bits
  uint64_t size = 0;        // bytes; 0 for directories
  int64_t write_time = 0;   // seconds since 1970-01-01 UTC
};

enum class TReadStatus {
  kOk,        // all bytes asked for (or the whole file) were read
  kShort,     // ReadAt only: the file ended first; the bytes that exist were read
  kNotFound,  // no such file
  kError,     // exists but cannot be read (a directory, no permission, I/O error)
};

// A whole file's bytes, read-only: a mapping of the file where the backend maps it, else a
// copy in memory. The bytes live as long as the view (or a view moved from it).
class TFileView {
 public:
  TFileView() = default;
  explicit TFileView(std::string copy) : copy_(std::move(copy)) {}
  // `mapping` owns the mapped bytes and releases them when the last view of them goes.
  TFileView(std::string_view mapped, std::shared_ptr<const void> mapping)
      : mapped_(mapped), mapping_(std::move(mapping)) {}

  std::string_view Bytes() const { return mapping_ ? mapped_ : std::string_view(copy_); }
  bool IsMapping() const { return mapping_ != nullptr; }

 private:
  std::string copy_;
  std::string_view mapped_;
  std::shared_ptr<const void> mapping_;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Whether `pattern` names at least one file or directory. Its last component may hold
  // the wildcards "*" and "?", matched as Windows matches them ("*.*" matches every name).
  virtual bool Exists(const std::string& pattern) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;

  // The entries matching `pattern` (a directory path followed by "\" and a name that may
  // hold wildcards, e.g. "C:\Mail\*.mbx" or "C:\Mail\*"), never "." or "..", sorted by
  // upper-cased name as NTFS returns them. A missing directory gives an empty list.
  virtual std::vector<TDirEntry> List(const std::string& pattern) = 0;

  // The whole file. On anything but kOk, `contents` is empty and `error` (if given)
  // says why in words.
  virtual TReadStatus ReadFile(const std::string& path, std::string* contents,
                               std::string* error = nullptr) = 0;
  // Up to `count` bytes from byte `offset`: kShort, with the bytes that exist, when the
  // file ends first (an offset at or past the end gives none). Never reads past the end.
  virtual TReadStatus ReadAt(const std::string& path, uint64_t offset, size_t count,
                             std::string* out, std::string* error = nullptr) = 0;
  // The whole file as it is now, as ReadFile reads it but without copying where the
  // backend can map it. Bytes beyond the size the file had then are never seen; if the
  // file shrinks while viewed, the bytes it lost read as NULs (which end a text).
  virtual TReadStatus ViewFile(const std::string& path, TFileView* view,
                               std::string* error = nullptr) {
    std::string bytes;
    const TReadStatus status = ReadFile(path, &bytes, error);
    *view = TFileView(std::move(bytes));
    return status;
  }
  // Size in bytes, nullopt when the file does not exist or is not a file.
  virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;

  // Writes `contents` to a temporary file beside `path`, then renames it over `path`, so a
  // failure at any point leaves the old file as it was. False and `error` on failure.
  virtual bool ReplaceFile(const std::string& path, std::string_view contents,
                           std::string* error = nullptr) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;

  // The program's own path in its long form ("C:\Program Files\Lorvane\Lorvane.exe"):
  // the settings file, detection log and data files are named after it.
  virtual std::string ProgramPath() = 0;
  // The Windows directory, without a trailing separator ("C:\windows").
  virtual std::string WindowsDirectory() = 0;

  // The front ends' bridge to host paths (UTF-8 on POSIX): a path a user typed or picked
  // in a dialog, and back for showing or opening. nullopt when there is no mapping.
  virtual std::optional<std::string> FromHostPath(const std::string& host_path) = 0;
  virtual std::optional<std::string> ToHostPath(const std::string& windows_path) = 0;
};

// Whether `path` names an existing file: exactly that name (a "*" or "?" in it is no
// wildcard but a name no file can have), and not a directory.
inline bool IsExistingFile(IFileSystem& fs, const std::string& path) {
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
  return fs.Exists(path) && !fs.IsDirectory(path);
}

}  // namespace lorvane
