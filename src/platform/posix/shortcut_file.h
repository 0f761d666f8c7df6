#pragma once
// Reading Windows shortcut (.lnk) files on a POSIX host.

#include <string>

#include "platform/shell.h"

namespace lorvane {

// The target path (the local base path joined with the common path suffix) and the
// argument text of the shortcut at `host_path`, in CP932. Both are empty for a missing,
// unreadable or malformed file; either is empty when the shortcut lacks it or it has no
// CP932 form (a target on a network share has no local path).
TShortcut ReadShortcutFile(const std::string& host_path);

}  // namespace lorvane
