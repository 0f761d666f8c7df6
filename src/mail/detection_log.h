#pragma once
// The detection log: what detection tried, one entry a line, kept beside the program
// (its base name + ".log"), cut to its last 100 lines after every detection.

#include <string>
#include <vector>

namespace lorvane {

class IFileSystem;

class TDetectionLog {
 public:
  static constexpr size_t kMaxLines = 100;

  TDetectionLog(IFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  // Reads the file if it exists (else starts empty).
  void Load();
  void Append(std::string line) { lines_.push_back(std::move(line)); }
  // Drops all but the last 100 lines.
  void Cut();
  // Cuts and writes the file; a failure is ignored (detection goes on without its log).
  void Save();
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  IFileSystem& fs_;
  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace lorvane
