#pragma once
// Environment variables as a Windows program sees them (CP932). Under Wine the Windows
// environment ("Path" and so on) lives in the prefix's registry, not in the host's.

#include <string>

namespace lorvane {

class IEnvironment {
 public:
  virtual ~IEnvironment() = default;
  // The variable's value, empty when it is not set. Names compare without regard to case.
  virtual std::string GetVariable(const std::string& name) = 0;
};

}  // namespace lorvane
