#pragma once
// The file system through the Win32 ANSI API (code page 932 paths, as the core keeps them).

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace lorvane {

class Win32FileSystem : public IFileSystem {
 public:
  // `program_path` is where the program counts as living; empty: the running executable.
  explicit Win32FileSystem(std::string program_path);

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
  std::string ProgramPath() override { return program_path_; }
  std::string WindowsDirectory() override;
  std::optional<std::string> FromHostPath(const std::string& host_path) override;
  std::optional<std::string> ToHostPath(const std::string& windows_path) override;

 private:
  std::string program_path_;
};

// The running executable's path in its long form.
std::string Win32ExecutablePath();

}  // namespace lorvane
