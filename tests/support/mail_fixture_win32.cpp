// The fixture on Windows: files at their Windows paths (through the ANSI API, so CP932
// names) and values in the registry's 32-bit view, where the program reads them. Every
// change is recorded so that the fixture leaves the system as it found it: tests share
// one C: drive and one registry.

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/windows_api.h"
#include "support/mail_fixture.h"

namespace lorvane::testing {

namespace {

constexpr REGSAM kView = KEY_WOW64_32KEY;

// "C:\a\ソ\b" -> "C:\a", "C:\a\ソ", "C:\a\ソ\b" (split by characters: a trail byte 0x5C
// is no separator).
std::vector<std::string> Prefixes(const std::string& path) {
  std::vector<std::string> out;
  for (size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
    if (path[i] == '\\' && i > 2) out.push_back(path.substr(0, i));
  }
  if (!path.empty() && path.back() != '\\') out.push_back(path);
  return out;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWhole(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + path);
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

void WriteWhole(const std::string& path, std::string_view bytes, bool append) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                         append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  if (append) SetFilePointer(h, 0, nullptr, FILE_END);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!::WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) break;
    done += wrote;
  }
  CloseHandle(h);
  if (done != bytes.size()) throw std::runtime_error("cannot write " + path);
}

void DeleteTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileA(path.c_str());
    return;
  }
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") DeleteTree(path + "\\" + name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

bool KeyExists(TRegRoot root, const std::string& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(Win32RootKey(root), key.c_str(), 0, KEY_READ | kView, &h) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(h);
  return true;
}

}  // namespace

struct TMailFixture::Store {
  struct SavedFile {
    std::string path;
    std::string contents;
  };
  struct Key {
    TRegRoot root;
    std::string key;
  };
  struct SavedValue {
    TRegRoot root;
    std::string key;
    std::string name;
    bool existed = false;
    DWORD type = REG_NONE;
    std::string data;
  };

  bool keep = false;
  std::vector<std::string> created_paths;  // the first missing component of each path written
  std::vector<SavedFile> saved_files;
  std::vector<Key> created_keys;  // the first missing key of each key written
  std::vector<SavedValue> saved_values;

  void EnsureDirectory(const std::string& path);
  void PrepareFile(const std::string& path);
  void SetValue(TRegRoot root, const std::string& key, const std::string& name, DWORD type,
                std::string_view data);
  void Undo();
};

void TMailFixture::Store::EnsureDirectory(const std::string& path) {
  for (const std::string& prefix : Prefixes(path)) {
    if (PathExists(prefix)) continue;
    if (!CreateDirectoryA(prefix.c_str(), nullptr)) {
      throw std::runtime_error("cannot create " + prefix);
    }
    created_paths.push_back(prefix);
  }
}

void TMailFixture::Store::PrepareFile(const std::string& path) {
  const std::string directory = ExtractFilePath(path);
  EnsureDirectory(directory);
  if (!PathExists(path)) {
    created_paths.push_back(path);
    return;
  }
  for (const std::string& created : created_paths) {
    if (path.compare(0, created.size() + 1, created + "\\") == 0) return;
  }
  for (const SavedFile& saved : saved_files) {
    if (saved.path == path) return;
  }
  saved_files.push_back({path, ReadWhole(path)});
}

void TMailFixture::Store::SetValue(TRegRoot root, const std::string& key, const std::string& name,
                                   DWORD type, std::string_view data) {
  bool key_existed = true;
  for (const std::string& prefix : Prefixes(key)) {
    if (!KeyExists(root, prefix)) {
      created_keys.push_back({root, prefix});
      key_existed = false;
      break;
    }
  }
  HKEY h = nullptr;
  if (RegCreateKeyExA(Win32RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE | kView, nullptr, &h,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create the registry key " + key);
  }
  if (key_existed) {
    bool seen = false;
    for (const SavedValue& v : saved_values) {
      seen = seen || (v.root == root && v.key == key && v.name == name);
    }
    if (!seen) {
      SavedValue saved{root, key, name};
      DWORD size = 0;
      if (RegQueryValueExA(h, name.c_str(), nullptr, &saved.type, nullptr, &size) ==
          ERROR_SUCCESS) {
        saved.existed = true;
        saved.data.resize(size);
        RegQueryValueExA(h, name.c_str(), nullptr, &saved.type,
                         reinterpret_cast<BYTE*>(saved.data.data()), &size);
        saved.data.resize(size);
      }
      saved_values.push_back(std::move(saved));
    }
  }
  const LONG r =
      RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(h);
  if (r != ERROR_SUCCESS) throw std::runtime_error("cannot set the registry value " + name);
}

void TMailFixture::Store::Undo() {
  for (auto v = saved_values.rbegin(); v != saved_values.rend(); ++v) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(Win32RootKey(v->root), v->key.c_str(), 0, KEY_SET_VALUE | kView, &h) !=
        ERROR_SUCCESS) {
      continue;
    }
    if (v->existed) {
      RegSetValueExA(h, v->name.c_str(), 0, v->type, reinterpret_cast<const BYTE*>(v->data.data()),
                     static_cast<DWORD>(v->data.size()));
    } else {
      RegDeleteValueA(h, v->name.c_str());
    }
    RegCloseKey(h);
  }
  for (auto k = created_keys.rbegin(); k != created_keys.rend(); ++k) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(Win32RootKey(k->root), k->key.c_str(), 0, KEY_ALL_ACCESS | kView, &h) ==
        ERROR_SUCCESS) {
      RegDeleteTreeA(h, nullptr);
      RegCloseKey(h);
    }
    RegDeleteKeyExA(Win32RootKey(k->root), k->key.c_str(), kView, 0);
  }
  for (const SavedFile& saved : saved_files) WriteWhole(saved.path, saved.contents, false);
  for (auto p = created_paths.rbegin(); p != created_paths.rend(); ++p) DeleteTree(*p);
}

TMailFixture::TMailFixture(std::string host_dir)
    : prefix_(std::move(host_dir)), store_(std::make_unique<Store>()) {}

TMailFixture::~TMailFixture() {
  if (store_->keep) return;
  try {
    store_->Undo();
  } catch (const std::exception&) {
    // Restoring is best effort; the next run starts from a fresh prefix anyway.
  }
}

void TMailFixture::Keep() {
  store_->keep = true;
}

std::string TMailFixture::HostPath(const std::string& windows_path) const {
  return windows_path;
}

void TMailFixture::WriteFile(const std::string& windows_path, std::string_view bytes) const {
  store_->PrepareFile(windows_path);
  WriteWhole(windows_path, bytes, false);
}

void TMailFixture::AppendFile(const std::string& windows_path, std::string_view bytes) const {
  store_->PrepareFile(windows_path);
  WriteWhole(windows_path, bytes, true);
}

void TMailFixture::MakeDirectory(const std::string& windows_path) const {
  store_->EnsureDirectory(windows_path);
}

void TMailFixture::Remove(const std::string& windows_path) const {
  DeleteTree(windows_path);
}

void TMailFixture::SetString(TRegRoot root, const std::string& key, const std::string& name,
                             const std::string& value) {
  store_->SetValue(root, key, name, REG_SZ, std::string_view(value.c_str(), value.size() + 1));
}

void TMailFixture::SetExpandString(TRegRoot root, const std::string& key, const std::string& name,
                                   const std::string& value) {
  store_->SetValue(root, key, name, REG_EXPAND_SZ,
                   std::string_view(value.c_str(), value.size() + 1));
}

void TMailFixture::SetDword(TRegRoot root, const std::string& key, const std::string& name,
                            uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  store_->SetValue(root, key, name, REG_DWORD, std::string_view(bytes, 4));
}

void TMailFixture::SetBinary(TRegRoot root, const std::string& key, const std::string& name,
                             const std::string& bytes) {
  store_->SetValue(root, key, name, REG_BINARY, bytes);
}

void TMailFixture::WriteHives() const {}

}  // namespace lorvane::testing
