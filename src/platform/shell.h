#pragma once
// Starting programs and documents, and reading shortcut files. Paths and parameter texts
// are CP932 Windows forms.

#include <string>

namespace lorvane {

struct TShortcut {
  std::string target;     // the path the shortcut points at; empty when unreadable
  std::string arguments;  // its argument text
};

class IShell {
 public:
  virtual ~IShell() = default;

  // Opens a file or folder with its associated application ("open" verb). False when no
  // application could be started.
  virtual bool OpenDocument(const std::string& path) = 0;
  // Starts `program` with the parameter text `parameters` (split by the Windows
  // command-line rules, never handed to a shell). False when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::string& parameters) = 0;
  // Target and arguments of a .lnk file; both empty for a missing or malformed file.
  virtual TShortcut ResolveShortcut(const std::string& lnk_path) = 0;
};

}  // namespace lorvane
