#pragma once
// The file system of a POSIX host seen through Windows drive letters (see DriveMap).

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/posix/drive_map.h"

namespace lorvane {

class PosixFileSystem : public IFileSystem {
 public:
  // `program_host_path` is where the program counts as living (the settings file and the
  // detection log are named after it); it need not exist, but a drive must cover it, or
  // ProgramPath() is empty. A relative path is taken from the current directory now.
  PosixFileSystem(DriveMap drives, const std::string& program_host_path);

  bool Exists(const std::string& pattern) override;
  bool IsDirectory(const std::string& path) override;
  std::vector<TDirEntry> List(const std::string& pattern) override;
  TReadStatus ReadFile(const std::string& path, std::string* contents,
                       std::string* error = nullptr) override;
  TReadStatus ReadAt(const std::string& path, uint64_t offset, size_t count, std::string* out,
                     std::string* error = nullptr) override;
  TReadStatus ViewFile(const std::string& path, TFileView* view,
                       std::string* error = nullptr) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  bool ReplaceFile(const std::string& path, std::string_view contents,
                   std::string* error = nullptr) override;
  bool DeleteFile(const std::string& path) override;
  std::string ProgramPath() override;
  std::string WindowsDirectory() override;
  std::optional<std::string> FromHostPath(const std::string& host_path) override;
  std::optional<std::string> ToHostPath(const std::string& windows_path) override;

  const DriveMap& drives() const { return drives_; }

 private:
  // Calls `visit(directory_fd, host_name, windows_name)` with each entry of the directory
  // of `pattern` whose Windows name matches the pattern's last component; stops when it
  // returns false.
  template <typename Visit>
  void ForEachMatch(const std::string& pattern, Visit visit);

  DriveMap drives_;
  std::optional<std::string> program_path_;
};

}  // namespace lorvane
