// The POSIX platform: drive letters and registry from a Wine prefix (or none: Z: is "/"
// and the registry holds only the exports given), and the backends built over them.
// Tested through tests/cli (every command that touches files or the registry).

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include "common/codepage.h"
#include "platform/posix/drive_map.h"
#include "platform/posix/posix_environment.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_locale.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell.h"
#include "platform/system_platform.h"

namespace lorvane {

namespace {

// The hives are read on the first question asked of the registry, so that work that
// never looks at it (the settings, reading a message) neither waits for a large
// system.reg nor fails on a broken one.
class TLazyRegistry : public IRegistry {
 public:
  explicit TLazyRegistry(const TPlatformOptions& options)
      : prefix_(options.wine_prefix), files_(options.registry_files) {}

  bool KeyExists(TRegRoot root, const std::string& sub_key) override {
    return Loaded().KeyExists(root, sub_key);
  }
  std::optional<TRegValue> QueryValue(TRegRoot root, const std::string& sub_key,
                                      const std::string& name) override {
    return Loaded().QueryValue(root, sub_key, name);
  }
  std::optional<std::vector<std::string>> SubKeyNames(TRegRoot root,
                                                      const std::string& sub_key) override {
    return Loaded().SubKeyNames(root, sub_key);
  }
  std::optional<std::vector<std::string>> ValueNames(TRegRoot root,
                                                     const std::string& sub_key) override {
    return Loaded().ValueNames(root, sub_key);
  }

 private:
  PosixRegistry& Loaded() {
    if (!registry_) registry_ = OpenPosixRegistry(prefix_, files_);  // raises ERegistryFile
    return *registry_;
  }

  std::string prefix_;
  std::vector<std::string> files_;
  std::unique_ptr<PosixRegistry> registry_;
};

class TPosixPlatform : public TSystemPlatform {
 public:
  explicit TPosixPlatform(const TPlatformOptions& options)
      : drives_(DriveMap::ForWinePrefix(options.wine_prefix)),
        registry_(options),
        fs_(drives_, options.program_host_path),
        shell_(drives_),
        environment_(&registry_),
        platform_{fs_, registry_, shell_, environment_, locale_} {
    if (fs_.ProgramPath().empty()) {
      throw Exception(Utf8ToCp932Lossy(options.program_host_path) +
                      ": no drive letter covers this directory (the Wine prefix has no "
                      "drive for it)");
    }
  }

  TPlatform& Get() override { return platform_; }

 private:
  DriveMap drives_;
  TLazyRegistry registry_;
  PosixFileSystem fs_;
  PosixShell shell_;
  PosixEnvironment environment_;
  PosixLocale locale_;
  TPlatform platform_;
};

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::unique_ptr<TSystemPlatform> CreateSystemPlatform(const TPlatformOptions& options) {
  return std::make_unique<TPosixPlatform>(options);
}

std::unique_ptr<ILocale> CreateSystemLocale() {
  return std::make_unique<PosixLocale>();
}

std::string DefaultWinePrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
    return prefix;
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    const std::string dot_wine = std::string(home) + "/.wine";
    if (IsDirectory(dot_wine)) return dot_wine;
  }
  return {};
}

std::string AbsoluteHostPath(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

char HostPathSeparator() { return '/'; }

std::string ExecutableDirectory() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string path(buffer, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace lorvane
