// IRegistry over RegOpenKeyExA, RegQueryValueExA, RegEnumKeyExA and RegEnumValueA. Keys are
// opened for reading only (all access rights would fail below HKEY_LOCAL_MACHINE without
// administrator rights) and in the 32-bit view, where the mail programs, all 32-bit,
// keep their keys on a 64-bit system.
// Tested by tests/platform/win32/win32_registry_test.cpp (under Wine in CI).

#include "platform/win32/win32_registry.h"

#include <memory>

namespace lorvane {

HKEY Win32RootKey(TRegRoot root) {
  switch (root) {
    case TRegRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case TRegRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case TRegRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case TRegRoot::kUsers:
      return HKEY_USERS;
    case TRegRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case TRegRoot::kDynData:
      return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000006));
  }
  return HKEY_CURRENT_USER;
}

namespace {

struct KeyCloser {
  void operator()(HKEY k) const { RegCloseKey(k); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

UniqueKey Open(TRegRoot root, const std::string& sub_key) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(Win32RootKey(root), sub_key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  return UniqueKey(key);
}

}  // namespace

bool Win32Registry::KeyExists(TRegRoot root, const std::string& sub_key) {
  return Open(root, sub_key) != nullptr;
}

std::optional<TRegValue> Win32Registry::QueryValue(TRegRoot root, const std::string& sub_key,
                                                   const std::string& name) {
  UniqueKey key = Open(root, sub_key);
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string data(size, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD got = static_cast<DWORD>(data.size());
    const LONG r = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &got);
    if (r == ERROR_MORE_DATA) {
      data.resize(got);  // the value grew in between
      continue;
    }
    if (r != ERROR_SUCCESS) return std::nullopt;
    data.resize(got);
    break;
  }
  // Strings come with their terminating NUL (when the writer stored one).
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && !data.empty() && data.back() == '\0') {
    data.pop_back();
  }
  return TRegValue{type, std::move(data)};
}

std::optional<std::vector<std::string>> Win32Registry::SubKeyNames(TRegRoot root,
                                                                   const std::string& sub_key) {
  UniqueKey key = Open(root, sub_key);
  if (!key) return std::nullopt;
  std::vector<std::string> names;
  char name[256];  // key names are at most 255 characters
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    const LONG r = RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (r != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::optional<std::vector<std::string>> Win32Registry::ValueNames(TRegRoot root,
                                                                  const std::string& sub_key) {
  UniqueKey key = Open(root, sub_key);
  if (!key) return std::nullopt;
  std::vector<std::string> names;
  std::string name(16384, '\0');  // value names are at most 16,383 characters
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG r =
        RegEnumValueA(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (r != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
  }
  return names;
}

}  // namespace lorvane
