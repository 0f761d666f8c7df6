// The fixture prefix, its Wine-format hives and the message factory.

#include "support/mail_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "persist/ini_file.h"

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
// everything else as \xHHHH UTF-16 units.
std::string HiveString(const std::string& cp932) {
  std::string out;
  const std::string utf8 = Cp932ToUtf8(cp932);
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t cp = b;
    size_t len = 1;
    if (b >= 0xF0) {
      cp = b & 0x07;
      len = 4;
    } else if (b >= 0xE0) {
      cp = b & 0x0F;
      len = 3;
    } else if (b >= 0xC0) {
      cp = b & 0x1F;
      len = 2;
    }
    for (size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += len;
    char buf[16];
    if (cp == '\\' || cp == '"') {
      out += '\\';
      out += static_cast<char>(cp);
    } else if (cp >= 0x20 && cp < 0x7F) {
      out += static_cast<char>(cp);
    } else if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      std::snprintf(buf, sizeof buf, "\\x%04x\\x%04x", static_cast<unsigned>(0xD800 + (v >> 10)),
                    static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
      out += buf;
    } else {
      std::snprintf(buf, sizeof buf, "\\x%04x", static_cast<unsigned>(cp));
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

void WriteHive(
    const fs::path& path, const char* root_comment,
    const std::map<std::string, std::vector<std::pair<std::string, std::string>>>& keys) {
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

// Sjis double-byte character to its JIS X 0208 row and cell.
std::pair<int, int> SjisPairToJis(unsigned char hi, unsigned char lo) {
  int row = (hi <= 0x9F ? hi - 0x71 : hi - 0xB1) * 2 + 1;
  int cell = lo > 0x7F ? lo - 1 : lo;
  if (cell >= 0x9E) {
    cell -= 0x7D;
    ++row;
  } else {
    cell -= 0x1F;
  }
  return {row, cell};
}

}  // namespace

TMailFixture::TMailFixture(std::string host_dir) : prefix_(std::move(host_dir)) {
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

void TMailFixture::Set(TRegRoot root, const std::string& key, const std::string& name,
                       std::string encoded) {
  std::string path = key;
  Hive* hive = &user_;
  if (root == TRegRoot::kLocalMachine) hive = &machine_;
  if (root == TRegRoot::kClassesRoot) {
    hive = &machine_;
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
  Set(root, key, name, "\"" + HiveString(value) + "\"");
}

void TMailFixture::SetExpandString(TRegRoot root, const std::string& key, const std::string& name,
                                   const std::string& value) {
  Set(root, key, name, "str(2):\"" + HiveString(value) + "\"");
}

void TMailFixture::SetDword(TRegRoot root, const std::string& key, const std::string& name,
                            uint32_t value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "dword:%08x", value);
  Set(root, key, name, buf);
}

void TMailFixture::SetBinary(TRegRoot root, const std::string& key, const std::string& name,
                             const std::string& bytes) {
  Set(root, key, name, "hex:" + HexBytes(bytes));
}

void TMailFixture::WriteHives() const {
  auto convert = [](const Hive& hive) {
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> out;
    for (const auto& [key, values] : hive) {
      auto& list = out[key];
      for (const auto& v : values) list.emplace_back(v.name, v.text);
    }
    return out;
  };
  WriteHive(fs::path(prefix_) / "user.reg", "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000",
            convert(user_));
  WriteHive(fs::path(prefix_) / "system.reg", "REGISTRY\\\\Machine", convert(machine_));
}

std::string SjisToJis(std::string_view sjis) {
  std::string out;
  bool kanji = false;
  for (size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b) && i + 1 < sjis.size()) {
      if (!kanji) out += "\x1B$B";
      kanji = true;
      const auto [row, cell] = SjisPairToJis(b, static_cast<unsigned char>(sjis[i + 1]));
      out += static_cast<char>(row);
      out += static_cast<char>(cell);
      i += 2;
      continue;
    }
    if (kanji) out += "\x1B(B";
    kanji = false;
    out += sjis[i++];
  }
  if (kanji) out += "\x1B(B";
  return out;
}

std::string Base64Encode(std::string_view bytes) {
  static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[v & 63] : '=';
  }
  return out;
}

std::string EncodedWord(std::string_view sjis) {
  return "=?ISO-2022-JP?B?" + Base64Encode(SjisToJis(sjis)) + "?=";
}

std::string MakeMessage(const TMessageSpec& spec) {
  auto header_text = [&](const std::string& text) {
    bool ascii = true;
    for (unsigned char c : text) ascii = ascii && c < 0x80;
    return spec.jis && !ascii ? EncodedWord(text) : text;
  };
  std::string from = spec.from;
  if (spec.jis) {
    // Only the display name is encoded; the address stays.
    const size_t lt = from.find(" <");
    if (lt != std::string::npos) from = header_text(from.substr(0, lt)) + from.substr(lt);
  }
  std::string m = "From: " + from + "\r\nTo: " + spec.to +
                  "\r\nSubject: " + header_text(spec.subject) + "\r\nDate: " + spec.date +
                  "\r\nMIME-Version: 1.0\r\n";
  const std::string charset = spec.jis ? "ISO-2022-JP" : "Shift_JIS";
  std::string body;
  for (size_t start = 0; start < spec.body.size();) {
    size_t end = spec.body.find("\r\n", start);
    if (end == std::string::npos) end = spec.body.size();
    const std::string line = spec.body.substr(start, end - start);
    body += (spec.jis ? SjisToJis(line) : line) + "\r\n";
    start = end + 2;
  }
  if (spec.attachment_type.empty()) {
    m += "Content-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
    return m;
  }
  m += "Content-Type: multipart/mixed; boundary=\"b0undary\"\r\n\r\n";
  m += "--b0undary\r\nContent-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
  m += "--b0undary\r\nContent-Type: " + spec.attachment_type +
       "; name=\"attach\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  const std::string b64 = Base64Encode(spec.attachment_bytes);
  for (size_t i = 0; i < b64.size(); i += 76) m += b64.substr(i, 76) + "\r\n";
  m += "--b0undary--\r\n";
  return m;
}

void BuildDemoStores(TMailFixture& f, TIniFile& settings) {
  BuildAkira32GoldStore(f);
  BuildAlMailStore(f);
  BuildAlMail32Store(f);
  BuildBeckyStore(f);
  BuildBecky2Store(f);
  BuildDatulaStore(f);
  BuildEdMaxStore(f);
  BuildEudoraStore(f);
  BuildHyperMailerStore(f);
  BuildKenm3Store(f);
  BuildMessageManagerStore(f);
  BuildMessengerStore(f);
  BuildSesnaStore(f);
  BuildTsworksStore(f);
  BuildWeMail32Store(f);
  BuildWinbiffStore(f);
  BuildDenshin8Store(f);
  BuildUserDirectories(f, settings);
  RememberMessageManager(settings);
  RememberSesna(settings);
  RememberDenshin8(settings);
  f.WriteHives();
}

}  // namespace lorvane::testing
