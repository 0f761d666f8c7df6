#pragma once
// Parts of CP932 Windows paths, found character by character so that a trail byte 0x5C
// ("ソ", "表") is never taken for a separator.

#include <string>
#include <string_view>

namespace lorvane {

// The directory part including its final "\" ("C:\a\b.txt" -> "C:\a\"); "" when there is
// no "\" (a drive prefix "C:" without "\" counts as a directory too).
std::string ExtractFilePath(std::string_view path);
// The name after the last "\" or ":".
std::string ExtractFileName(std::string_view path);
// The extension with its dot (".txt"), "" when the name has none.
std::string ExtractFileExt(std::string_view path);
// The path with its extension replaced by `extension` (with its dot), or `extension`
// appended when the name has none.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

}  // namespace lorvane
