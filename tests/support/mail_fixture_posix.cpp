// The fixture on POSIX: a Wine-like prefix of real files and Wine-format hives.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "support/mail_fixture.h"

namespace lorvane::testing {

namespace fs = std::filesystem;

namespace {

void WriteHostFile(const fs::path& path, std::string_view bytes, bool append) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A CP932 text as Wine writes strings in its hives: ASCII as is (with \\ and \"),
// everything else as \xHHHH UTF-16 units (CP932 has no characters beyond the BMP).
std::string HiveString(const std::string& cp932) {
  std::string out;
  for (const char16_t unit : Cp932ToUtf16Lossy(cp932)) {
    if (unit == '\\' || unit == '"') out += '\\';
    if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%04x", static_cast<unsigned>(unit));
      out += buf;
    }
  }
  return out;
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%s%02x", out.empty() ? "" : ",", b);
    out += buf;
  }
  return out;
}

struct Value {
  std::string name;
  std::string text;  // the value part of the hive line, already encoded
};
using Hive = std::map<std::string, std::vector<Value>>;  // key -> values in order

void WriteHive(const fs::path& path, const char* root_comment, const Hive& keys) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to ";
  text += root_comment;
  text += "\n\n#arch=win64\n";
  for (const auto& [key, values] : keys) {
    text += "\n[" + key + "] 1796546144\n";
    for (const auto& [name, value] : values) {
      text += (name.empty() ? "@" : "\"" + name + "\"") + "=" + value + "\n";
    }
  }
  WriteHostFile(path, text, false);
}

}  // namespace

struct TMailFixture::Store {
  Hive user;
  Hive machine;

  void Set(TRegRoot root, const std::string& key, const std::string& name, std::string encoded);
};

TMailFixture::TMailFixture(std::string host_dir)
    : prefix_(std::move(host_dir)), store_(std::make_unique<Store>()) {
  fs::create_directories(fs::path(prefix_) / "dosdevices");
  fs::create_directories(fs::path(prefix_) / "drive_c" / "windows");
  for (auto [name, target] : {std::pair{"c:", "../drive_c"}, std::pair{"z:", "/"}}) {
    const fs::path link = fs::path(prefix_) / "dosdevices" / name;
    if (!fs::is_symlink(link)) fs::create_directory_symlink(target, link);
  }
}

std::string TMailFixture::HostPath(const std::string& windows_path) const {
  if (windows_path.size() < 3 || windows_path[1] != ':' || windows_path[2] != '\\') {
    throw std::runtime_error("not a Windows path: " + windows_path);
  }
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(windows_path[0])));
  std::string host = drive == 'C' ? prefix_ + "/drive_c" : drive == 'Z' ? "" : "";
  if (drive != 'C' && drive != 'Z') throw std::runtime_error("drive not in the fixture");
  // Split at "\" by characters (a trail byte 0x5C is no separator), convert each name.
  std::string component;
  auto flush = [&] {
    if (!component.empty()) host += "/" + Cp932ToUtf8(component);
    component.clear();
  };
  for (size_t i = 3; i < windows_path.size(); i += CharWidthAt(windows_path, i)) {
    if (windows_path[i] == '\\') {
      flush();
    } else {
      component.append(windows_path, i, CharWidthAt(windows_path, i));
    }
  }
  flush();
  return host.empty() ? "/" : host;
}

void TMailFixture::WriteFile(const std::string& windows_path, std::string_view bytes) const {
  WriteHostFile(HostPath(windows_path), bytes, false);
}

void TMailFixture::AppendFile(const std::string& windows_path, std::string_view bytes) const {
  WriteHostFile(HostPath(windows_path), bytes, true);
}

void TMailFixture::MakeDirectory(const std::string& windows_path) const {
  fs::create_directories(HostPath(windows_path));
}

// Everything lives in the scratch directory the prefix is in.
TMailFixture::~TMailFixture() = default;
void TMailFixture::Keep() {}

void TMailFixture::Remove(const std::string& windows_path) const {
  fs::remove_all(HostPath(windows_path));
}

void TMailFixture::Store::Set(TRegRoot root, const std::string& key, const std::string& name,
                              std::string encoded) {
  std::string path = key;
  Hive* hive = &user;
  if (root == TRegRoot::kLocalMachine) hive = &machine;
  if (root == TRegRoot::kClassesRoot) {
    hive = &machine;
    path = "Software\\Classes\\" + key;
  }
  // Hive key names escape "\" as "\\" between the parts.
  std::string hive_key;
  size_t start = 0;
  std::vector<std::string> parts;
  for (size_t i = 0; i <= path.size(); i += i < path.size() ? CharWidthAt(path, i) : 1) {
    if (i == path.size() || path[i] == '\\') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  for (const auto& p : parts) {
    if (!hive_key.empty()) hive_key += "\\\\";
    hive_key += HiveString(p);
  }
  auto& values = (*hive)[hive_key];
  const std::string hive_name = HiveString(name);
  for (auto& v : values) {
    if (v.name == hive_name) {
      v.text = std::move(encoded);
      return;
    }
  }
  values.push_back({hive_name, std::move(encoded)});
}

void TMailFixture::SetString(TRegRoot root, const std::string& key, const std::string& name,
                             const std::string& value) {
  store_->Set(root, key, name, "\"" + HiveString(value) + "\"");
}

void TMailFixture::SetExpandString(TRegRoot root, const std::string& key, const std::string& name,
                                   const std::string& value) {
  store_->Set(root, key, name, "str(2):\"" + HiveString(value) + "\"");
}

void TMailFixture::SetDword(TRegRoot root, const std::string& key, const std::string& name,
                            uint32_t value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "dword:%08x", value);
  store_->Set(root, key, name, buf);
}

void TMailFixture::SetBinary(TRegRoot root, const std::string& key, const std::string& name,
                             const std::string& bytes) {
  store_->Set(root, key, name, "hex:" + HexBytes(bytes));
}

void TMailFixture::WriteHives() const {
  WriteHive(fs::path(prefix_) / "user.reg", "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000",
            store_->user);
  WriteHive(fs::path(prefix_) / "system.reg", "REGISTRY\\\\Machine", store_->machine);
}

}  // namespace lorvane::testing
