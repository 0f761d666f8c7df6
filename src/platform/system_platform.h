#pragma once
// Building the platform for the system the program was compiled for (POSIX under Wine
// or Windows). The start-up code of the GUI and the CLI calls this once.

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace lorvane {

struct TPlatformOptions {
  // A Wine prefix directory (host path); empty for none. Ignored on Windows.
  std::string wine_prefix;
  // Registry export files overlaid on the registry, in order (host paths). POSIX only.
  std::vector<std::string> registry_files;
  // Where the program counts as living (host path): the settings file and the detection
  // log are named after it. It need not exist.
  std::string program_host_path;
};

class TSystemPlatform {
 public:
  virtual ~TSystemPlatform() = default;
  virtual TPlatform& Get() = 0;
};

// Raises the general exception (with a message naming the file) when a registry file or
// the prefix cannot be read, or when the program's path lies on no drive.
std::unique_ptr<TSystemPlatform> CreateSystemPlatform(const TPlatformOptions& options);

// The system's locale, for the interface language, before any platform is built.
std::unique_ptr<ILocale> CreateSystemLocale();

// POSIX: $WINEPREFIX, else ~/.wine when it exists, else empty. Windows: empty.
std::string DefaultWinePrefix();
// The directory of the running executable (host path, no trailing separator).
std::string ExecutableDirectory();
// A host path made absolute against the current directory (POSIX: UTF-8, Windows: CP932).
std::string AbsoluteHostPath(const std::string& path);
// The separator of host paths ("/" on POSIX, "\" on Windows).
char HostPathSeparator();

// The settings file a front end uses without --settings: "lorvane.ini" beside the programs.
std::string DefaultSettingsHostPath();
// Where the program counts as living, given its settings file: beside it and named after it
// ("/x/lorvane.ini" -> "/x/lorvane.exe"), so that the settings, the detection log and the
// program's data files share one directory.
std::string ProgramHostPathBeside(const std::string& settings_host_path);

}  // namespace lorvane
