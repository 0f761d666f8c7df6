// Encoding of the command line's text (UTF-8 on POSIX terminals by default, CP932 bytes
// passed through with --encoding cp932), and the platform and settings built on demand
// from the global options.
// Tested by tests/cli/cli_test.cpp and tests/cli/config_command_test.cpp.

#include "cli/cli_context.h"

#include <cstdio>
#include <filesystem>
#include <istream>
#include <iterator>
#include <optional>

#include "common/codepage.h"

namespace lorvane::cli {

CliContext::CliContext(std::istream& in, std::ostream& out, std::ostream& err,
                       GlobalOptions options)
    : in_(in), out_(out), err_(err), options_(std::move(options)) {}

CliContext::~CliContext() = default;

namespace {

std::string ToCp932(std::string_view text, Encoding from, std::string_view what) {
  if (from == Encoding::kCp932) return std::string(text);
  std::string out;
  size_t bad = 0;
  if (!TryUtf8ToCp932(text, &out, &bad)) {
    throw UsageError{std::string(what) + " does not convert from UTF-8 to CP932 at byte " +
                     std::to_string(bad + 1) + " (use --encoding cp932 for raw bytes)"};
  }
  return out;
}

}  // namespace

std::string CliContext::ToCore(std::string_view argument, std::string_view what) const {
  return ToCp932(argument, options_.arguments, what);
}

std::string CliContext::ToHostPath(const std::string& argument) const {
#ifdef _WIN32
  return ToCore(argument, "a file name");
#else
  return options_.arguments == Encoding::kUtf8 ? argument : Cp932ToUtf8(argument);
#endif
}

std::string CliContext::ToExternal(std::string_view cp932) const {
  if (options_.encoding == Encoding::kCp932) return std::string(cp932);
  std::string result;
  while (!cp932.empty()) {
    std::string converted;
    size_t bad = 0;
    if (TryCp932ToUtf8(cp932, &converted, &bad)) {
      result += converted;
      break;
    }
    std::string good;
    TryCp932ToUtf8(cp932.substr(0, bad), &good);
    result += good;
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(cp932[bad]));
    result += escaped;
    ++unconverted_;
    cp932.remove_prefix(bad + 1);
  }
  return result;
}

std::string CliContext::ReadAllInput() {
  std::string data((std::istreambuf_iterator<char>(in_)), std::istreambuf_iterator<char>());
  return ToCp932(data, options_.encoding, "standard input");
}

std::string CliContext::SettingsHostPath() const {
  if (options_.settings) return AbsoluteHostPath(ToHostPath(*options_.settings));
  return DefaultSettingsHostPath();
}

TPlatform& CliContext::Platform() {
  if (!platform_) {
    TPlatformOptions options;
    options.wine_prefix =
        options_.wine_prefix ? ToHostPath(*options_.wine_prefix) : DefaultWinePrefix();
    for (const auto& file : options_.registry_files) {
      options.registry_files.push_back(ToHostPath(file));
    }
    options.program_host_path = ProgramHostPathBeside(SettingsHostPath());
    platform_ = CreateSystemPlatform(options);
  }
  return platform_->Get();
}

TIniFile& CliContext::Settings() {
  if (!settings_) {
    IFileSystem& fs = Platform().fs;
    // The file named by --settings, whatever its extension; the program's own otherwise.
    const std::optional<std::string> named = fs.FromHostPath(SettingsHostPath());
    auto ini = std::make_unique<TIniFile>(fs, named ? *named : SettingsFileName(fs.ProgramPath()));
    std::string error;
    if (!ini->Load(&error)) throw Exception(error);
    settings_ = std::move(ini);
  }
  return *settings_;
}

bool SaveSettingsOrSay(CliContext& ctx) {
  TIniFile& ini = ctx.Settings();
  std::string error;
  if (ini.UpdateFile(&error)) return true;
  const TMessageText text = SettingsWriteFailureText(ini.FileName());
  ctx.err() << ctx.ToExternal(text.caption) << ": " << ctx.ToExternal(text.message) << '\n';
  if (!error.empty()) ctx.err() << ctx.ToExternal(error) << '\n';
  return false;
}

std::string CliContext::ToWindowsPath(const std::string& argument) {
  const bool windows_form = argument.size() >= 3 &&
                            std::isalpha(static_cast<unsigned char>(argument[0])) &&
                            argument[1] == ':' && (argument[2] == '\\' || argument[2] == '/');
  if (windows_form) {
    std::string path = ToCore(argument, "FILE");
    for (char& c : path) {
      if (c == '/') c = '\\';  // "/" cannot be a trail byte, so this never splits a character
    }
    return path;
  }
  std::optional<std::string> mapped =
      Platform().fs.FromHostPath(AbsoluteHostPath(ToHostPath(argument)));
  if (!mapped) throw UsageError{"'" + argument + "' lies on no drive letter of the Wine prefix"};
  return *mapped;
}

}  // namespace lorvane::cli
