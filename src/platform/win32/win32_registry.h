#pragma once
// The registry through the Win32 ANSI API, read only.

#include "platform/registry.h"

namespace lorvane {

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
