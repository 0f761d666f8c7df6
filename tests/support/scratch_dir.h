#pragma once
// A temporary directory for tests on real files, removed with everything in it when the
// object goes. Relative names are host names (UTF-8 on POSIX, CP932 on Windows); parents
// are created as needed.
// Failures throw std::runtime_error, which fails the test that caused them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// A host path as std::filesystem takes it, and back (the narrow forms of std::filesystem
// do not know CP932 on Windows).
std::filesystem::path HostFsPath(std::string_view host_path);
std::string HostName(const std::filesystem::path& path);

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // path(), the host separator and relative.
  std::string Path(std::string_view relative) const;

  void MakeDirectory(std::string_view relative) const;
  void WriteFile(std::string_view relative, std::string_view contents) const;
  void MakeSymlink(std::string_view relative, std::string_view target) const;
  std::string ReadFile(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // The names in a directory, sorted, without "." and "..".
  std::vector<std::string> Names(std::string_view relative = {}) const;

 private:
  std::string path_;
};

}  // namespace lorvane
