// Fuzz target: shortcut (.lnk) files (ReadShortcutFile, through liblnk).
// Input: the shortcut file's bytes. The reader takes a host path, so each input is written
// to one scratch file per process first. Only our side is instrumented; a fault inside
// liblnk still shows as a crash.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/shortcut_file.h"
#include "support/fuzz_input.h"

namespace lorvane::fuzz {

void FuzzOne(std::string_view input) {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/lorvane-fuzz-" +
           std::to_string(getpid()) + ".lnk";
  }();
  static const bool removed_at_exit = [] {
    std::atexit([] { std::remove(path.c_str()); });
    return true;
  }();
  (void)removed_at_exit;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) Fail("cannot write the scratch file", path);
  if (!input.empty()) std::fwrite(input.data(), 1, input.size(), file);
  std::fclose(file);
  const TShortcut shortcut = ReadShortcutFile(path);
  (void)shortcut;
}

}  // namespace lorvane::fuzz
