#pragma once
// Starting programs and documents, and reading shortcut files. Paths and parameter texts
// are CP932 Windows forms.

#include <optional>
#include <string>

namespace lorvane {

struct TShortcut {
  std::string target;     // the path the shortcut points at; empty when unreadable
  std::string arguments;  // its argument text
};

// An application that the desktop, not the registry, associates with a file.
struct TDesktopApplication {
  std::string program;     // a host program: its path, or a name found on the host's PATH
  std::string parameters;  // its parameter text (Windows command-line form), the file in it
  bool operator==(const TDesktopApplication&) const = default;
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
  // Opens a folder in the file manager (Explorer on Windows, the desktop's on POSIX).
  // False when it could not be started.
  virtual bool OpenFolder(const std::string& path) = 0;
  // For a file whose type the registry associates with nothing: the desktop's own
  // application for it, ready for StartProgram. nullopt when there is none, and always on
  // Windows, whose desktop is the registry.
  virtual std::optional<TDesktopApplication> DesktopApplication(const std::string& path) = 0;
  // Target and arguments of a .lnk file; both empty for a missing or malformed file.
  virtual TShortcut ResolveShortcut(const std::string& lnk_path) = 0;
};

}  // namespace lorvane
