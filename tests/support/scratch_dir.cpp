// Temporary directories for file tests. Removal first gives back write and search
// permission that a test took away, so a test of a read-only directory cleans up too.

#include "support/scratch_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace lorvane {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/lorvane-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  chmod(path_.c_str(), 0700);
  for (auto it = fs::recursive_directory_iterator(path_, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) chmod(it->path().c_str(), 0700);
  }
  fs::remove_all(path_, ec);
}

std::string ScratchDir::Path(std::string_view relative) const {
  return relative.empty() ? path_ : path_ + "/" + std::string(relative);
}

void ScratchDir::MakeDirectory(std::string_view relative) const {
  std::error_code ec;
  fs::create_directories(Path(relative), ec);
  if (ec) throw std::runtime_error("cannot create " + Path(relative));
}

void ScratchDir::WriteFile(std::string_view relative, std::string_view contents) const {
  const fs::path path = Path(relative);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void ScratchDir::MakeSymlink(std::string_view relative, std::string_view target) const {
  const fs::path path = Path(relative);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (symlink(std::string(target).c_str(), path.c_str()) != 0) {
    throw std::runtime_error("cannot link " + path.string());
  }
}

std::string ScratchDir::ReadFile(std::string_view relative) const {
  std::ifstream in(Path(relative), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + Path(relative));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchDir::Exists(std::string_view relative) const {
  struct stat st;
  return lstat(Path(relative).c_str(), &st) == 0;
}

std::vector<std::string> ScratchDir::Names(std::string_view relative) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Path(relative))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lorvane
