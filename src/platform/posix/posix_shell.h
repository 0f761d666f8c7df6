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

  // Programs are started detached (StartDetached).
  explicit PosixShell(DriveMap drives);
  PosixShell(DriveMap drives, Launcher launcher);

  // Hands the host path to xdg-open; the registry's association is the caller's to try
  // first. False when the path is not mapped or does not exist.
  bool OpenDocument(const std::string& path) override;
  // `program` is a Windows path ("C:\Tools\edit.exe"), a host path beginning with "/", or
  // a bare name searched in PATH. With a Wine prefix, a Windows executable (.exe, .com,
  // .bat, .cmd) runs as `wine <program> <arguments>` with WINEPREFIX set, the arguments
  // as Windows texts in UTF-8. A host program gets its arguments in UTF-8, those that are
  // absolute Windows paths on a mapped drive turned into host paths.
  bool StartProgram(const std::string& program, const std::string& parameters) override;
  TShortcut ResolveShortcut(const std::string& lnk_path) override;

 private:
  DriveMap drives_;
  Launcher launcher_;
};

}  // namespace lorvane
