#pragma once
// The desktop's applications on a POSIX host: finding a desktop file by its id in the
// XDG data directories and turning its Exec line into an argument vector (the
// freedesktop.org Desktop Entry format). All texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// $XDG_DATA_HOME (else ~/.local/share), then each of $XDG_DATA_DIRS (else /usr/local/share
// and /usr/share).
std::vector<std::string> DesktopDataDirectories();

// The first "<dir>/applications/<id>" that exists; a "-" in the id may also stand for a
// sub-directory ("kde-kate.desktop" in "applications/kde/kate.desktop"). Empty when none.
// An id holding "/" or ".." is refused.
std::string FindDesktopFile(std::string_view id, const std::vector<std::string>& data_dirs);

// The Exec value of the [Desktop Entry] group, its string escapes (\s \n \t \r \\)
// resolved; empty when there is none.
std::string DesktopExecValue(std::string_view desktop_file);

// The arguments of an Exec value that opens `file`: words split at blanks, double-quoted
// words unquoted (\" \` \$ \\ inside them), the field codes %f %F %u %U replaced by `file`
// (which is appended when the line has none of them), %% by "%", and every other field
// code dropped. Empty for a malformed line (an unclosed quote) or one without a program.
std::vector<std::string> ExecArguments(std::string_view exec, std::string_view file);

}  // namespace lorvane
