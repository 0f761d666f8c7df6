#pragma once
// What every lorvane-cli command gets: its streams, the conversion between the
// terminal's encoding and the core's CP932, and (built on first use, so that commands
// that need none of it start at once) the platform and the settings.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/ini_file.h"
#include "platform/system_platform.h"

namespace lorvane::cli {

enum class Encoding { kUtf8, kCp932 };

// Exit codes shared by the commands.
constexpr int kExitFound = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPatternError = 3;

// Thrown for a usage error; the command line's front catches it, prints it, exits 2.
struct UsageError {
  std::string message;
};

// The global options.
struct GlobalOptions {
  Encoding encoding = Encoding::kUtf8;  // standard input and output
  // The arguments' encoding: the same as `encoding`, except on Windows, where the program
  // takes its arguments from the wide command line as UTF-8.
  Encoding arguments = Encoding::kUtf8;
  std::optional<std::string> settings;      // --settings FILE (host path)
  std::optional<std::string> wine_prefix;   // --wine-prefix DIR
  std::vector<std::string> registry_files;  // --registry FILE, repeatable
};

class CliContext {
 public:
  CliContext(std::istream& in, std::ostream& out, std::ostream& err, GlobalOptions options);
  ~CliContext();

  std::istream& in() { return in_; }
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  Encoding encoding() const { return options_.encoding; }
  const GlobalOptions& options() const { return options_; }

  // An argument to CP932; UsageError when it does not convert. `what` names it in the
  // message.
  std::string ToCore(std::string_view argument, std::string_view what) const;
  // CP932 to the external encoding; bytes that do not convert are written as \xNN so
  // nothing is lost or cut short.
  std::string ToExternal(std::string_view cp932) const;
  // All of standard input, as CP932.
  std::string ReadAllInput();
  // Bytes ToExternal could not convert so far.
  size_t UnconvertedBytes() const { return unconverted_; }

  // The platform, built from the global options on first use. Raises Exception when the
  // prefix or a registry file cannot be read.
  TPlatform& Platform();
  // The settings file (--settings, or "lorvane.ini" beside the executables), loaded on
  // first use. Raises Exception when it exists but cannot be read.
  TIniFile& Settings();
  // Host path of the settings file.
  std::string SettingsHostPath() const;
  // An argument naming a host file, in the host's encoding (UTF-8 on POSIX, CP932 on
  // Windows).
  std::string ToHostPath(const std::string& argument) const;

  // A file argument as the core's Windows path: a path that starts with a drive letter is
  // used as it is (converted to CP932), anything else is a host path mapped through the
  // drive letters. UsageError when it cannot be mapped.
  std::string ToWindowsPath(const std::string& argument);

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  GlobalOptions options_;
  mutable size_t unconverted_ = 0;
  std::unique_ptr<TSystemPlatform> platform_;
  std::unique_ptr<TIniFile> settings_;
};

// Writes the settings file; false after saying why, in the system's own words.
bool SaveSettingsOrSay(CliContext& ctx);

using CommandFunction = int (*)(const std::vector<std::string>& args, CliContext& ctx);

// The commands, one file each.
int RunMatchCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunQueryCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunConfigCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunRegCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunReadCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunTreeCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunMailsCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunSearchCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunNarrowCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunCountCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunOpenCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunSelectionCommand(const std::vector<std::string>& args, CliContext& ctx);
int RunAliasCommand(const std::vector<std::string>& args, CliContext& ctx);

}  // namespace lorvane::cli
