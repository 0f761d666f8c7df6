#pragma once
// The platform services, bundled so they can be handed down together. The program's
// start-up creates the backend and passes this by reference; nothing reaches the
// platform through globals.

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace lorvane {

struct TPlatform {
  IFileSystem& fs;
  IRegistry& registry;
  IShell& shell;
  IEnvironment& environment;
  ILocale& locale;
};

}  // namespace lorvane
