#pragma once
// The Windows registry, read only, as the ANSI functions (RegOpenKeyExA,
// RegQueryValueExA, RegEnumKeyExA, RegEnumValueA) present it: names and string values in
// CP932, names compared without regard to ASCII case. The POSIX backend reads a Wine
// prefix's hive files and .reg export files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lorvane {

enum class TRegRoot {
  kClassesRoot,    // HKEY_CLASSES_ROOT
  kCurrentUser,    // HKEY_CURRENT_USER
  kLocalMachine,   // HKEY_LOCAL_MACHINE
  kUsers,          // HKEY_USERS
  kCurrentConfig,  // HKEY_CURRENT_CONFIG
  kDynData,        // HKEY_DYN_DATA
};

// Value types (the REG_* numbers).
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;
constexpr uint32_t kRegQword = 11;

struct TRegValue {
  uint32_t type = kRegNone;
  // The value's bytes. kRegSz and kRegExpandSz: the CP932 text, without the terminating
  // NUL. kRegMultiSz: each CP932 string followed by a NUL. kRegDword: 4 bytes and kRegQword:
  // 8 bytes, little-endian. Anything else: the bytes as stored.
  std::string data;
  bool operator==(const TRegValue&) const = default;
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // `sub_key` is a path below the root with "\" separators; empty names the root itself.
  virtual bool KeyExists(TRegRoot root, const std::string& sub_key) = 0;
  // The value `name` of the key ("" is the key's default value); nullopt when the key or
  // the value does not exist.
  virtual std::optional<TRegValue> QueryValue(TRegRoot root, const std::string& sub_key,
                                              const std::string& name) = 0;
  // Sub-key names and value names in the registry's enumeration order (sub-keys sorted
  // without regard to case, values in the order stored); nullopt when the key does not
  // exist.
  virtual std::optional<std::vector<std::string>> SubKeyNames(TRegRoot root,
                                                              const std::string& sub_key) = 0;
  virtual std::optional<std::vector<std::string>> ValueNames(TRegRoot root,
                                                             const std::string& sub_key) = 0;
};

}  // namespace lorvane
