// Fuzz target: the mail stores end to end over the in-memory platform: detection of every
// mail program, folder discovery below each, the message list of every folder, then every
// listed message read in full and header only (TMailStores, TMailReader).
// Input: a store archive (fuzz/support/store_archive.h): files, registry keys and values,
// and the settings file. The seeds are the test fixtures' stores of Becky!2, Datula,
// EdMax, akira32Gold, Messenger and sesna (fuzz/tools/make_seeds.cpp).
// Exception from a folder's message list and EMailRead from a message are accepted
// outcomes; anything else thrown is a crash.

#include <string>

#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"
#include "platform/posix/reg_file_parser.h"
#include "support/fuzz_input.h"
#include "support/memory_platform.h"
#include "support/store_archive.h"

namespace lorvane::fuzz {

namespace {

constexpr int kMaxReads = 4000;

// "HKCU\Software\X|name" -> root, key, name; false for an unknown root.
bool SplitValuePath(std::string_view text, TRegRoot* root, std::string* key, std::string* name) {
  const size_t bar = text.find('|');
  const std::string_view path = text.substr(0, bar);
  if (name != nullptr) {
    *name = bar == std::string_view::npos ? std::string() : std::string(text.substr(bar + 1));
  }
  const size_t slash = path.find('\\');
  const std::optional<TRegRoot> r = RegRootFromName(path.substr(0, slash));
  if (!r) return false;
  *root = *r;
  *key = slash == std::string_view::npos ? std::string() : std::string(path.substr(slash + 1));
  return true;
}

uint32_t Decimal(std::string_view digits) {
  uint32_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    n = n * 10 + static_cast<uint32_t>(c - '0');
  }
  return n;
}

}  // namespace

void FuzzOne(std::string_view input) {
  testing::TMemoryPlatform memory;
  TIniFile ini;
  memory.fs.AddDirectory("C:\\Lorvane");
  for (const TStoreEntry& e : ParseStoreArchive(input)) {
    TRegRoot root;
    std::string key;
    std::string name;
    switch (e.kind) {
      case 'F':
        memory.fs.AddFile(std::string(e.name), std::string(e.bytes));
        break;
      case 'D':
        memory.fs.AddDirectory(std::string(e.name));
        break;
      case 'K':
        if (SplitValuePath(e.name, &root, &key, nullptr)) memory.registry.AddKey(root, key);
        break;
      case 'S':
        if (SplitValuePath(e.name, &root, &key, &name)) {
          memory.registry.SetString(root, key, name, std::string(e.bytes));
        }
        break;
      case 'N':
        if (SplitValuePath(e.name, &root, &key, &name)) {
          memory.registry.SetDword(root, key, name, Decimal(e.bytes));
        }
        break;
      case 'I':
        ini.LoadFromText(e.bytes);
        break;
      default:
        break;
    }
  }

  TNoDialogs dialogs;
  TMailStores stores(memory.platform, ini, dialogs);
  stores.SetClock([] { return TDateTime{}; });
  stores.Rebuild();
  TMailReader reader(memory.fs, [] { return false; });
  int reads = 0;
  stores.Tree().ForEachNode([&](TFolder& folder) {
    try {
      stores.EnumerateMails(folder);
    } catch (const Exception&) {
      folder.ClearMails();
      return;
    }
    for (int i = 0; i < folder.MailCount() && reads < kMaxReads; ++i, ++reads) {
      try {
        (void)reader.GetText(*folder.Mail(i));
        (void)reader.GetHeader(*folder.Mail(i));
      } catch (const EMailRead&) {
      }
    }
    folder.ClearMails();
  });
}

}  // namespace lorvane::fuzz
