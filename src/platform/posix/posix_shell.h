#pragma once
// Starting programs and documents and reading shortcuts on a POSIX host, with Windows
// programs run under Wine when the drive map comes from a Wine prefix.

#include <functional>
#include <string>
#include <vector>

#include "platform/posix/drive_map.h"
#include "platform/shell.h"

namespace lorvane {

class PosixShell : public IShell {
 public:
  // Starts argv[0] (a host path, or a name searched in PATH) with argv and the process
  // environment plus `environment` ("NAME=value"); false when it could not be started.
  using Launcher = std::function<bool(const std::vector<std::string>& argv,
                                      const std::vector<std::string>& environment)>;

  // Runs argv (a short-lived program such as xdg-mime) and gives its standard output;
  // false when it could not be run or failed.
  using Runner = std::function<bool(const std::vector<std::string>& argv, std::string* output)>;

  // Programs are started detached (StartDetached) and xdg-mime is run by RunForOutput.
  explicit PosixShell(DriveMap drives);
  PosixShell(DriveMap drives, Launcher launcher);
  PosixShell(DriveMap drives, Launcher launcher, Runner runner);

  // Hands the host path to xdg-open; the registry's association is the caller's to try
  // first. False when the path is not mapped or does not exist.
  bool OpenDocument(const std::string& path) override;
  // `program` is a Windows path ("C:\Tools\edit.exe"), a host path beginning with "/", or
  // a bare name searched in PATH. With a Wine prefix, a Windows executable (.exe, .com,
  // .bat, .cmd) runs as `wine <program> <arguments>` with WINEPREFIX set, the arguments
  // as Windows texts in UTF-8. A host program gets its arguments in UTF-8, those that are
  // absolute Windows paths on a mapped drive turned into host paths.
  bool StartProgram(const std::string& program, const std::string& parameters) override;
  // Hands the folder's host path to xdg-open. False when it is not a mapped directory.
  bool OpenFolder(const std::string& path) override;
  // xdg-mime's default application for the file's type (its .desktop file's Exec line,
  // found in the XDG data directories), with the file's host path where the line takes
  // the file. nullopt when xdg-mime is missing or names nothing usable.
  std::optional<TDesktopApplication> DesktopApplication(const std::string& path) override;
  TShortcut ResolveShortcut(const std::string& lnk_path) override;

 private:
  DriveMap drives_;
  Launcher launcher_;
  Runner runner_;
};

}  // namespace lorvane
