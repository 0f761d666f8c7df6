#pragma once
// Environment variables as a Windows program under Wine sees them: the prefix's
// registry, then the host's own environment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/registry.h"

namespace lorvane {

class PosixEnvironment : public IEnvironment {
 public:
  // `registry` may be null (no Wine prefix): then only the host environment counts.
  // The registry must outlive this object.
  explicit PosixEnvironment(IRegistry* registry);
  // With `host_environment` ("NAME=value", UTF-8) in place of the process environment.
  PosixEnvironment(IRegistry* registry, std::vector<std::string> host_environment);

  // In order: HKCU\Environment, HKLM\System\CurrentControlSet\Control\Session
  // Manager\Environment, HKCU\Volatile Environment, SystemRoot and SystemDrive from
  // HKLM\Software\Microsoft\Windows NT\CurrentVersion, the host environment. String
  // values only; %NAME% in REG_EXPAND_SZ values is expanded, and a reference to the
  // variable's own name takes the next source down. "Path" is the system value, ";" and
  // the user's, as Windows builds it. Host values are converted from UTF-8.
  std::string GetVariable(const std::string& name) override;

 private:
  struct TLookup;
  std::optional<std::string> Find(TLookup& lookup, std::string_view name, int first_source);
  std::optional<std::string> FindPath(TLookup& lookup);
  std::optional<std::string> FromRegistry(TLookup& lookup, std::string_view name, int source);
  std::optional<std::string> FromHost(std::string_view name) const;
  std::string Expand(TLookup& lookup, std::string_view text, std::string_view own_name, int source);

  IRegistry* registry_;
  bool use_process_environment_;
  std::vector<std::string> host_environment_;
};

}  // namespace lorvane
