// IShell on a POSIX host: the parameter text is split by the Windows rules into an
// argument vector, which is handed to the launcher (posix_spawn, never /bin/sh), so no
// character in a file name or a mail subject can be taken for shell syntax. Which
// application opens a file type is the caller's business (registry first, then here).
// Tested by tests/platform/posix/posix_shell_test.cpp.

#include "platform/posix/posix_shell.h"

#include <sys/stat.h>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/command_line.h"
#include "platform/posix/shortcut_file.h"
#include "platform/posix/spawn.h"
#include "platform/posix/windows_name.h"

namespace lorvane {

namespace {

bool IsWindowsExecutable(std::string_view program) {
  const std::string name = UpperAscii(SplitLastComponent(program).name);
  if (name.size() < 4) return false;
  const std::string_view extension = std::string_view(name).substr(name.size() - 4);
  return extension == ".EXE" || extension == ".COM" || extension == ".BAT" || extension == ".CMD";
}

bool Exists(const std::string& host_path) {
  struct stat st;
  return stat(host_path.c_str(), &st) == 0;
}

}  // namespace

PosixShell::PosixShell(DriveMap drives)
    : PosixShell(std::move(drives),
                 [](const std::vector<std::string>& argv, const std::vector<std::string>& env) {
                   return StartDetached(argv, env) > 0;
                 }) {}

PosixShell::PosixShell(DriveMap drives, Launcher launcher)
    : drives_(std::move(drives)), launcher_(std::move(launcher)) {}

bool PosixShell::OpenDocument(const std::string& path) {
  const std::optional<std::string> host = drives_.ToHost(path);
  if (!host || !Exists(*host)) return false;
  return launcher_({"xdg-open", *host}, {});
}

bool PosixShell::StartProgram(const std::string& program, const std::string& parameters) {
  if (program.empty()) return false;
  const std::vector<std::string> args = SplitCommandLine(parameters);
  const bool windows_path = DriveLetterOf(program) != 0;
  std::vector<std::string> argv;
  std::vector<std::string> environment;
  std::string utf8;

  if (!drives_.wine_prefix().empty() && IsWindowsExecutable(program)) {
    if (windows_path) {
      const std::optional<std::string> host = drives_.ToHost(program);
      if (!host || !Exists(*host)) return false;
    }
    if (!TryCp932ToUtf8(program, &utf8)) return false;
    argv = {"wine", utf8};
    for (const std::string& arg : args) {
      if (!TryCp932ToUtf8(arg, &utf8)) return false;
      argv.push_back(utf8);
    }
    environment.push_back("WINEPREFIX=" + drives_.wine_prefix());
    return launcher_(argv, environment);
  }

  if (windows_path) {
    const std::optional<std::string> host = drives_.ToHost(program);
    if (!host) return false;
    argv.push_back(*host);
  } else if (TryCp932ToUtf8(program, &utf8)) {
    argv.push_back(utf8);
  } else {
    return false;
  }
  for (const std::string& arg : args) {
    // A host program cannot open "C:\Mail\1.txt"; it gets the file's host path.
    std::optional<std::string> host;
    if (DriveLetterOf(arg) != 0) host = drives_.ToHost(arg);
    if (host) {
      argv.push_back(*host);
    } else if (TryCp932ToUtf8(arg, &utf8)) {
      argv.push_back(utf8);
    } else {
      return false;
    }
  }
  return launcher_(argv, environment);
}

TShortcut PosixShell::ResolveShortcut(const std::string& lnk_path) {
  const std::optional<std::string> host = drives_.ToHost(lnk_path);
  if (!host) return {};
  return ReadShortcutFile(*host);
}

}  // namespace lorvane
