#pragma once
// Windows paths (CP932) taken apart the way the POSIX backend needs them: the drive
// letter, the components between separators, and wildcard patterns matched the way
// FindFirstFile matches a name.

#include <string_view>
#include <vector>

namespace lorvane {

// The upper-cased drive letter of "X:", "X:\..." or "X:/..."; 0 for anything else
// (relative paths, "\dir", UNC paths "\\server\share" and device paths "\\?\", "\\.\").
char DriveLetterOf(std::string_view path);

// The components of `path` between "\" or "/" separators that start a character (a trail
// byte 0x5C is part of its character); empty components are dropped.
std::vector<std::string_view> PathComponents(std::string_view path);

// `path` cut at its last separator: "C:\Mail\*.mbx" gives "C:\Mail" and "*.mbx";
// "C:\*" gives "C:\" (a drive root keeps its separator) and "*".
struct TSplitPath {
  std::string_view directory;
  std::string_view name;
};
TSplitPath SplitLastComponent(std::string_view path);

bool HasWildcards(std::string_view name);

// Whether a UTF-8 host name can stand as a Windows file name: not empty, no control
// character and none of \ / : * ? " < > |.
bool IsValidWindowsName(std::string_view utf8_name);

// Case-insensitive (ASCII) match of a CP932 name against a pattern: "*" is any run of
// characters, "?" exactly one character (a double-byte character is one), and a
// pattern ending in ".*" also matches with that tail left off, so "*.*" matches every
// name and "Account*.*" matches "Account1".
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace lorvane
