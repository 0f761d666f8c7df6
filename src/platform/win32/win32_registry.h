#pragma once
// The registry through the Win32 ANSI API, read only.

#include "platform/registry.h"
#include "platform/win32/windows_api.h"

namespace lorvane {

// The predefined key of a root (HKEY_CURRENT_USER ...).
HKEY Win32RootKey(TRegRoot root);

class Win32Registry : public IRegistry {
 public:
  bool KeyExists(TRegRoot root, const std::string& sub_key) override;
  std::optional<TRegValue> QueryValue(TRegRoot root, const std::string& sub_key,
                                      const std::string& name) override;
  std::optional<std::vector<std::string>> SubKeyNames(TRegRoot root,
                                                      const std::string& sub_key) override;
  std::optional<std::vector<std::string>> ValueNames(TRegRoot root,
                                                     const std::string& sub_key) override;
};

}  // namespace lorvane
