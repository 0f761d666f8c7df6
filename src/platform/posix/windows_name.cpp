// Windows path syntax for the POSIX backend: separators are found by walking whole
// characters, so the trail byte of "ソ" (0x83 0x5C) never splits a name, and wildcard
// patterns are matched character by character with one backtracking point per "*"
// (no recursion, O(pattern x name) at worst). Mapping to host paths is drive_map's.
// Tested by tests/platform/posix/windows_name_test.cpp.

#include "platform/posix/windows_name.h"

#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

constexpr bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool SameChar(std::string_view a, size_t i, size_t a_width, std::string_view b, size_t j,
              size_t b_width) {
  if (a_width != b_width) return false;
  if (a_width == 1) return Upper(a[i]) == Upper(b[j]);
  return a.substr(i, 2) == b.substr(j, 2);
}

bool MatchesPlain(std::string_view pattern, std::string_view name) {
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t p = 0;
  size_t n = 0;
  size_t star_p = kNone;  // pattern position just after the last "*"
  size_t star_n = 0;      // name position that "*" is currently taken to end at
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star_p = ++p;
      star_n = n;
      continue;
    }
    if (p < pattern.size()) {
      const size_t nw = CharWidthAt(name, n);
      if (pattern[p] == '?') {
        ++p;
        n += nw;
        continue;
      }
      const size_t pw = CharWidthAt(pattern, p);
      if (SameChar(pattern, p, pw, name, n, nw)) {
        p += pw;
        n += nw;
        continue;
      }
    }
    if (star_p == kNone) return false;
    star_n += CharWidthAt(name, star_n);
    n = star_n;
    p = star_p;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

char DriveLetterOf(std::string_view path) {
  if (path.size() < 2 || !IsAsciiLetter(path[0]) || path[1] != ':') return 0;
  if (path.size() > 2 && !IsSeparator(path[2])) return 0;
  return Upper(path[0]);
}

std::vector<std::string_view> PathComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size();) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = ++i;
    } else {
      i += CharWidthAt(path, i);
    }
  }
  return parts;
}

TSplitPath SplitLastComponent(std::string_view path) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
    if (IsSeparator(path[i])) last = i;
  }
  if (last == std::string_view::npos) return {{}, path};
  const bool drive_root = last == 2 && DriveLetterOf(path) != 0;
  return {path.substr(0, drive_root ? last + 1 : last), path.substr(last + 1)};
}

bool HasWildcards(std::string_view name) {
  // Neither "*" nor "?" can be a trail byte (those start at 0x40).
  return name.find_first_of("*?") != std::string_view::npos;
}

bool IsValidWindowsName(std::string_view utf8_name) {
  if (utf8_name.empty()) return false;
  for (char c : utf8_name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    switch (c) {
      case '\\':
      case '/':
      case ':':
      case '*':
      case '?':
      case '"':
      case '<':
      case '>':
      case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (MatchesPlain(pattern, name)) return true;
  // A final ".*" stands for "any extension, or none", which is what makes "*.*" list
  // names without a dot.
  return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
         MatchesPlain(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace lorvane
