// IShell on a POSIX host: the parameter text is split by the Windows rules into an
// argument vector, which is handed to the launcher (posix_spawn, never /bin/sh), so no
// character in a file name or a mail subject can be taken for shell syntax. Which
// application opens a file type is the caller's business: the registry first, then the
// desktop's default application, which xdg-mime names and its .desktop file describes.
// Tested by tests/platform/posix/posix_shell_test.cpp.

#include "platform/posix/posix_shell.h"

#include <sys/stat.h>

#include <fstream>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/command_line.h"
#include "platform/posix/desktop_entry.h"
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

bool IsDirectory(const std::string& host_path) {
  struct stat st;
  return stat(host_path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// xdg-mime answers in a line or two; a desktop file is a few kilobytes.
constexpr size_t kMaxAnswer = 64 * 1024;
constexpr int kAnswerTimeoutMs = 5000;
constexpr std::streamsize kMaxDesktopFile = 1024 * 1024;

// The first line of an answer, up to a ";" (a list of desktop ids), without blanks.
std::string FirstAnswer(std::string_view output) {
  output = output.substr(0, output.find_first_of("\n;"));
  while (!output.empty() && static_cast<unsigned char>(output.back()) <= ' ') {
    output.remove_suffix(1);
  }
  while (!output.empty() && static_cast<unsigned char>(output.front()) <= ' ') {
    output.remove_prefix(1);
  }
  return std::string(output);
}

std::string ReadSmallFile(const std::string& host_path) {
  std::ifstream in(host_path, std::ios::binary);
  std::string text(static_cast<size_t>(kMaxDesktopFile), '\0');
  in.read(text.data(), kMaxDesktopFile);
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

}  // namespace

PosixShell::PosixShell(DriveMap drives)
    : PosixShell(std::move(drives),
                 [](const std::vector<std::string>& argv, const std::vector<std::string>& env) {
                   return StartDetached(argv, env) > 0;
                 }) {}

PosixShell::PosixShell(DriveMap drives, Launcher launcher)
    : PosixShell(std::move(drives), std::move(launcher),
                 [](const std::vector<std::string>& argv, std::string* output) {
                   return RunForOutput(argv, kMaxAnswer, kAnswerTimeoutMs, output);
                 }) {}

PosixShell::PosixShell(DriveMap drives, Launcher launcher, Runner runner)
    : drives_(std::move(drives)), launcher_(std::move(launcher)), runner_(std::move(runner)) {}

bool PosixShell::OpenFolder(const std::string& path) {
  const std::optional<std::string> host = drives_.ToHost(path);
  if (!host || !IsDirectory(*host)) return false;
  return launcher_({"xdg-open", *host}, {});
}

std::optional<TDesktopApplication> PosixShell::DesktopApplication(const std::string& path) {
  const std::optional<std::string> host = drives_.ToHost(path);
  if (!host || !Exists(*host)) return std::nullopt;
  std::string output;
  if (!runner_({"xdg-mime", "query", "filetype", *host}, &output)) return std::nullopt;
  const std::string type = FirstAnswer(output);
  if (type.empty() || !runner_({"xdg-mime", "query", "default", type}, &output)) {
    return std::nullopt;
  }
  const std::string desktop_file = FindDesktopFile(FirstAnswer(output), DesktopDataDirectories());
  if (desktop_file.empty()) return std::nullopt;
  const std::vector<std::string> args =
      ExecArguments(DesktopExecValue(ReadSmallFile(desktop_file)), *host);
  if (args.empty()) return std::nullopt;

  // Back to the core's CP932; StartProgram converts the words again for the host.
  TDesktopApplication application;
  std::string cp932;
  if (!TryUtf8ToCp932(args[0], &cp932)) return std::nullopt;
  application.program = cp932;
  for (size_t i = 1; i < args.size(); ++i) {
    if (!TryUtf8ToCp932(args[i], &cp932)) return std::nullopt;
    if (i > 1) application.parameters += ' ';
    application.parameters += QuoteCommandLineArgument(cp932);
  }
  return application;
}

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
