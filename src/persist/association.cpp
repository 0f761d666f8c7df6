// The association lookup. The registry's command is split three ways:
//   "C:\Program Files\Ed\ed.exe" "%1"   quoted: the program is the quoted text
//   C:\Program Files\Ed\ed.exe %1       ":\PROGRAM FILES\" at character 2: up to ".EXE"
//   notepad.exe %1                      otherwise: up to the first blank
// Quotes, blanks and "%" are below 0x40 and so never a trail byte: the splits work on
// bytes. Starting the program is the shell's business.
// Tested by tests/persist/association_test.cpp.

#include "persist/association.h"

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "persist/reg_path.h"

namespace lorvane {

namespace {

constexpr std::string_view kClassesRoot = "\\HKEY_CLASSES_ROOT\\";
constexpr std::string_view kSystemRootPlaceholder = "%SYSTEMROOT%";
constexpr const char* kCurrentVersionKey =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// GetEnvironmentVariable into a buffer of this size.
constexpr size_t kPathVariableLimit = 255;

struct TCommand {
  std::string program;
  std::string parameters;
};

std::string ClassCommand(IRegistry& registry, const std::string& extension) {
  const std::string file_class = ReadRegString(registry, std::string(kClassesRoot) + extension, "");
  if (file_class.empty()) return {};
  const std::string base = std::string(kClassesRoot) + file_class + "\\shell";
  std::string verb = ReadRegString(registry, base, "");
  if (verb.empty()) verb = "open";
  return ReadRegString(registry, base + "\\" + verb + "\\command", "");
}

// Every "%SystemRoot%", in any letter case, replaced by the system's SystemRoot value.
std::string ExpandSystemRoot(IRegistry& registry, std::string command) {
  size_t at = UpperAscii(command).find(kSystemRootPlaceholder);
  if (at == std::string::npos) return command;
  const std::string root = ReadRegString(registry, kCurrentVersionKey, "SystemRoot");
  while (at != std::string::npos) {
    command.replace(at, kSystemRootPlaceholder.size(), root);
    at = UpperAscii(command).find(kSystemRootPlaceholder, at + root.size());
  }
  return command;
}

TCommand SplitCommand(std::string_view command) {
  TCommand result;
  if (!command.empty() && command[0] == '"') {
    command.remove_prefix(1);
    const size_t quote = command.find('"');
    if (quote == std::string_view::npos) {
      result.program = command;
    } else {
      result.program = command.substr(0, quote);
      result.parameters = Trim(command.substr(quote + 1));
    }
    return result;
  }
  if (UpperAscii(ByteCopy(command, 2, 16)) == ":\\PROGRAM FILES\\") {
    const size_t exe = UpperAscii(command).find(".EXE");
    if (exe == std::string::npos) {
      result.program = command;
    } else {
      result.program = command.substr(0, exe + 4);
      result.parameters = Trim(command.substr(exe + 4));
    }
    return result;
  }
  const size_t blank = command.find(' ');
  if (blank == std::string_view::npos) {
    result.program = command;
  } else {
    result.program = command.substr(0, blank);
    result.parameters = Trim(command.substr(blank + 1));
  }
  return result;
}

// The first "Path" directory, else the program's own directory, that holds `name`.
std::string SearchProgram(TPlatform& platform, const std::string& name) {
  const std::string path = platform.environment.GetVariable("Path");
  // As much of the value as the fixed buffer held, without half a character.
  size_t limit = 0;
  while (limit < path.size()) {
    const size_t next = limit + CharWidthAt(path, limit);
    if (next > kPathVariableLimit) break;
    limit = next;
  }
  std::string_view rest = std::string_view(path).substr(0, limit);
  while (!rest.empty()) {
    const size_t semicolon = rest.find(';');  // 0x3B: never a trail byte
    const std::string_view directory = rest.substr(0, semicolon);
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    // An empty entry would name the root of the current drive.
    if (directory.empty()) continue;
    const std::string candidate = EnsureTrailingSeparator(directory) + name;
    if (IsExistingFile(platform.fs, candidate)) return candidate;
  }
  const std::string own = ExtractFilePath(platform.fs.ProgramPath()) + name;
  if (IsExistingFile(platform.fs, own)) return own;
  return {};
}

bool HasSeparator(std::string_view path) {
  for (size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
    if (path[i] == '\\') return true;
  }
  return false;
}

}  // namespace

std::string LookUpAssociation(TPlatform& platform, std::string_view file_or_extension,
                              TLinkMode mode) {
  const std::string extension = ExtractFileExt(file_or_extension);
  if (extension.empty()) return {};
  const std::string command =
      ExpandSystemRoot(platform.registry, ClassCommand(platform.registry, extension));
  if (command.empty()) return {};
  TCommand split = SplitCommand(command);

  if (mode == lmParameters) {
    const size_t at = split.parameters.find("%1");
    if (at != std::string::npos) split.parameters.replace(at, 2, file_or_extension);
    return split.parameters;
  }
  if (!IsExistingFile(platform.fs, split.program) && !HasSeparator(split.program)) {
    return SearchProgram(platform, split.program);
  }
  return split.program;
}

}  // namespace lorvane
