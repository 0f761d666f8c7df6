// Windows path parts over CP932 text.
// Tested by tests/common/windows_path_test.cpp.

#include "common/windows_path.h"

#include "common/mbstring.h"

namespace lorvane {

namespace {

// Byte index just past the last "\" or ":" (0 when there is none), and of the last "."
// after it (npos when none).
struct TPathParts {
  size_t name_start = 0;
  size_t dot = std::string_view::npos;
};

TPathParts Scan(std::string_view path) {
  TPathParts parts;
  for (size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
    if (path[i] == '\\' || path[i] == ':') {
      parts.name_start = i + 1;
      parts.dot = std::string_view::npos;
    } else if (path[i] == '.') {
      parts.dot = i;
    }
  }
  return parts;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, Scan(path).name_start));
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(Scan(path).name_start));
}

std::string ExtractFileExt(std::string_view path) {
  const TPathParts parts = Scan(path);
  return parts.dot == std::string_view::npos ? std::string() : std::string(path.substr(parts.dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const TPathParts parts = Scan(path);
  const size_t end = parts.dot == std::string_view::npos ? path.size() : parts.dot;
  return std::string(path.substr(0, end)) + std::string(extension);
}

}  // namespace lorvane
