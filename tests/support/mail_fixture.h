#pragma once
// Builds mail stores on disk for tests and for the demo. On POSIX: a Wine-prefix-like tree
// (dosdevices/c: -> drive_c, z: -> /, drive_c/windows) whose files are named by Windows
// paths in CP932 (stored as UTF-8 names, as Wine stores them), plus the registry values
// the mail programs leave, written as Wine's user.reg and system.reg. On Windows: the
// files at their Windows paths and the values in the registry itself, all taken away
// again (earlier contents restored) when the fixture goes, unless Keep() was called.
//
//   TMailFixture fixture(scratch.Path("demo"));
//   fixture.WriteFile("C:\\Becky!\\User0\\InBox.mbx", MakeMessage({...}) + ".\r\n");
//   fixture.SetString(TRegRoot::kCurrentUser, "Software\\RimArts\\B2\\Settings", "DataDir",
//                     "C:\\Becky!\\");
//   fixture.WriteHives();

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace lorvane {
class TIniFile;
}

namespace lorvane::testing {

class TMailFixture {
 public:
  // Creates the prefix in `host_dir` (made if missing). Windows has no prefix: the
  // directory is only remembered.
  explicit TMailFixture(std::string host_dir);
  ~TMailFixture();
  TMailFixture(const TMailFixture&) = delete;
  TMailFixture& operator=(const TMailFixture&) = delete;

  const std::string& Prefix() const { return prefix_; }
  // The host path of a Windows path on C: (or Z:); on Windows the path itself.
  std::string HostPath(const std::string& windows_path) const;

  void WriteFile(const std::string& windows_path, std::string_view bytes) const;
  void AppendFile(const std::string& windows_path, std::string_view bytes) const;
  void MakeDirectory(const std::string& windows_path) const;
  // Removes a file, or a directory with everything in it.
  void Remove(const std::string& windows_path) const;

  // Registry values. HKEY_CLASSES_ROOT keys go below HKLM\Software\Classes, as Wine keeps
  // them. Names and texts are CP932.
  void SetString(TRegRoot root, const std::string& key, const std::string& name,
                 const std::string& value);
  void SetExpandString(TRegRoot root, const std::string& key, const std::string& name,
                       const std::string& value);
  void SetDword(TRegRoot root, const std::string& key, const std::string& name, uint32_t value);
  void SetBinary(TRegRoot root, const std::string& key, const std::string& name,
                 const std::string& bytes);
  // POSIX: writes user.reg and system.reg with everything set so far. Windows: nothing
  // (the values are in the registry already).
  void WriteHives() const;
  // Leaves everything in place when the fixture goes (the demo builder).
  void Keep();

 private:
  struct Store;  // the hives being built, or what was changed on the real system
  std::string prefix_;
  std::unique_ptr<Store> store_;
};

// A message as mail programs store it: header lines, an empty line, the body; CR LF.
struct TMessageParts {
  std::string from = "山田 太郎 <taro@example.jp>";
  std::string to = "hanako@example.jp";
  std::string subject;
  std::string date = "Mon, 7 Dec 2026 10:15:30 +0900";
  std::string body;
  bool jis = false;              // ISO-2022-JP body and encoded Subject/From
  std::string attachment_type;   // e.g. "image/png": a base64 part of that type
  std::string attachment_bytes;  // its content (encoded as base64)
};
std::string MakeMessage(const TMessageParts& parts);
// CP932 to ISO-2022-JP (JIS X 0208 characters), and the "B" encoded word of a text.
std::string SjisToJis(std::string_view sjis);
std::string EncodedWord(std::string_view sjis);
std::string Base64Encode(std::string_view bytes);

// Every kind's fixture store (BuildFixtureStore), then WriteHives().
void BuildDemoStores(TMailFixture& fixture, TIniFile& settings);
// The fixture store of one mail-program kind (mkBecky, ...; mkDirectory: the user
// directories), with what `settings` must hold for automatic detection to find it. Not the
// hives.
void BuildFixtureStore(int kind, TMailFixture& f, TIniFile& settings);

// One store per mail program (tests/support/fixtures/<name>_fixture.cpp, sharing the mail
// of sample_mail.h). Each writes files and registry values (not the hives) for a small
// realistic store.
void BuildAkira32GoldStore(TMailFixture& f);
void BuildAlMailStore(TMailFixture& f);
void BuildAlMail32Store(TMailFixture& f);
void BuildBeckyStore(TMailFixture& f);
void BuildBecky2Store(TMailFixture& f);
void BuildDatulaStore(TMailFixture& f);
void BuildEdMaxStore(TMailFixture& f);
void BuildEudoraStore(TMailFixture& f);
void BuildHyperMailerStore(TMailFixture& f);
void BuildKenm3Store(TMailFixture& f);
void BuildMessageManagerStore(TMailFixture& f, TIniFile& settings);
void BuildMessengerStore(TMailFixture& f);
void BuildSesnaStore(TMailFixture& f, TIniFile& settings);
void BuildTsworksStore(TMailFixture& f);
void BuildWeMail32Store(TMailFixture& f);
void BuildWinbiffStore(TMailFixture& f);
void BuildDenshin8Store(TMailFixture& f, TIniFile& settings);
// MessageManager, sesna and 電信八号 leave nothing in the registry: automatic detection
// finds them only in the directory an interactive detection remembered, so their builders
// write that directory to the settings.
// Two directories of one-message files (C:\Users\taro\Documents\Mail and below it),
// entered in the settings' directory list.
void BuildUserDirectories(TMailFixture& f, TIniFile& settings);

}  // namespace lorvane::testing
