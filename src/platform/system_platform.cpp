// The front ends' common choice of settings file and program path.
// Tested through the CLI's tests (tests/cli/cli_test.cpp) and the GUI's start-up.

#include "platform/system_platform.h"

namespace lorvane {

std::string DefaultSettingsHostPath() {
  return ExecutableDirectory() + HostPathSeparator() + "lorvane.ini";
}

std::string ProgramHostPathBeside(const std::string& settings_host_path) {
  std::string path = settings_host_path;
  const size_t dot = path.rfind('.');
  const size_t separator = path.rfind(HostPathSeparator());
  if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) {
    path.resize(dot);
  }
  return path + ".exe";
}

}  // namespace lorvane
