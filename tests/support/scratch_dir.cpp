// Temporary directories for file tests. Removal first gives back write and search
// permission that a test took away, so a test of a read-only directory cleans up too.
// Host names are UTF-8 on POSIX and CP932 on Windows, as the platform layer has them.

#include "support/scratch_dir.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/win32/wide_text.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lorvane {

namespace fs = std::filesystem;

#ifdef _WIN32
fs::path HostFsPath(std::string_view host_path) {
  return fs::path(WidenText(host_path, 932));
}
std::string HostName(const fs::path& path) {
  return NarrowText(path.native(), 932);
}
#else
fs::path HostFsPath(std::string_view host_path) {
  return fs::path(host_path);
}
std::string HostName(const fs::path& path) {
  return path.string();
}
#endif

ScratchDir::ScratchDir() {
#ifdef _WIN32
  const fs::path base = fs::temp_directory_path();
  const std::string tag = std::to_string(GetCurrentProcessId());
#else
  const char* tmpdir = std::getenv("TMPDIR");
  const fs::path base = tmpdir && *tmpdir ? tmpdir : "/tmp";
  const std::string tag = std::to_string(getpid());
#endif
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const fs::path candidate = base / ("lorvane-test-" + tag + "-" + std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = HostName(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory in " + base.string());
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
#ifndef _WIN32
  chmod(path_.c_str(), 0700);
  for (auto it = fs::recursive_directory_iterator(path_, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) chmod(it->path().c_str(), 0700);
  }
#endif
  fs::remove_all(HostFsPath(path_), ec);
}

std::string ScratchDir::Path(std::string_view relative) const {
#ifdef _WIN32
  constexpr char kSeparator = '\\';
#else
  constexpr char kSeparator = '/';
#endif
  return relative.empty() ? path_ : path_ + kSeparator + std::string(relative);
}

void ScratchDir::MakeDirectory(std::string_view relative) const {
  std::error_code ec;
  fs::create_directories(HostFsPath(Path(relative)), ec);
  if (ec) throw std::runtime_error("cannot create " + Path(relative));
}

void ScratchDir::WriteFile(std::string_view relative, std::string_view contents) const {
  const fs::path path = HostFsPath(Path(relative));
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw std::runtime_error("cannot write " + Path(relative));
}

void ScratchDir::MakeSymlink(std::string_view relative, std::string_view target) const {
  const fs::path path = HostFsPath(Path(relative));
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  fs::create_symlink(HostFsPath(target), path, ec);
  if (ec) throw std::runtime_error("cannot link " + Path(relative));
}

std::string ScratchDir::ReadFile(std::string_view relative) const {
  std::ifstream in(HostFsPath(Path(relative)), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + Path(relative));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchDir::Exists(std::string_view relative) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(HostFsPath(Path(relative)), ec));
}

std::vector<std::string> ScratchDir::Names(std::string_view relative) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(HostFsPath(Path(relative)))) {
    names.push_back(HostName(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lorvane
