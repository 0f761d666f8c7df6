#pragma once
// An in-memory IFileSystem for tests: Windows paths, compared without regard to ASCII
// case, mapping to byte contents; directories exist implicitly above every file and can
// be added empty. Counts whole-file reads so tests can see the line cache at work.

#include <map>
#include <string>

#include "platform/file_system.h"

namespace lorvane::testing {

class MemoryFileSystem : public IFileSystem {
 public:
  void AddFile(const std::string& path, std::string contents);
  void AddDirectory(const std::string& path);
  void RemoveFile(const std::string& path);
  int ReadFileCount() const { return read_file_count_; }
  // Files whose reads fail with kError.
  void MakeUnreadable(const std::string& path);
  void FailReplace(bool fail) { fail_replace_ = fail; }
  const std::string* Contents(const std::string& path) const;

  bool Exists(const std::string& pattern) override;
  bool IsDirectory(const std::string& path) override;
  std::vector<TDirEntry> List(const std::string& pattern) override;
  TReadStatus ReadFile(const std::string& path, std::string* contents,
                       std::string* error = nullptr) override;
  TReadStatus ReadAt(const std::string& path, uint64_t offset, size_t count, std::string* out,
                     std::string* error = nullptr) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  bool ReplaceFile(const std::string& path, std::string_view contents,
                   std::string* error = nullptr) override;
  bool DeleteFile(const std::string& path) override;
  std::string ProgramPath() override { return program_path_; }
  std::string WindowsDirectory() override { return "C:\\windows"; }
  std::optional<std::string> FromHostPath(const std::string& host_path) override {
    return host_path;
  }
  std::optional<std::string> ToHostPath(const std::string& windows_path) override {
    return windows_path;
  }

  void SetProgramPath(std::string path) { program_path_ = std::move(path); }

 private:
  struct Node {
    std::string name;  // as added
    bool directory = false;
    bool unreadable = false;
    std::string contents;
  };
  static std::string Key(const std::string& path);
  static bool WildcardMatch(std::string_view pattern, std::string_view name);

  std::map<std::string, Node> nodes_;  // by upper-cased path
  int read_file_count_ = 0;
  bool fail_replace_ = false;
  std::string program_path_ = "C:\\Lorvane\\Lorvane.exe";
};

}  // namespace lorvane::testing
