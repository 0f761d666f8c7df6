#pragma once
// The application that the registry associates with a file type: the "open" (or the
// type's default) command of the extension's class below HKEY_CLASSES_ROOT, taken apart
// into the program and its parameters, with the program looked for on "Path" and in the
// program's own directory when the command names it without a directory.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace lorvane {

enum TLinkMode {
  lmExecutable,  // the program's path
  lmParameters,  // the command's parameters, the first "%1" replaced by the name given
};

// `file_or_extension` is a file name or an extension such as ".txt"; only the extension
// (from the last "." of its name part) is used. Executable mode gives the program as
// found: a path that holds "\" comes back even when no such file exists (the caller
// checks), a bare name found nowhere comes back empty. Empty when the extension has no
// class or the class no command.
std::string LookUpAssociation(TPlatform& platform, std::string_view file_or_extension,
                              TLinkMode mode);

}  // namespace lorvane
