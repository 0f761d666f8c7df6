// Writes the seeds that need the test support to be made: for mail_stores, each mail
// program's test fixture store, built in a scratch Wine prefix as the tests build it, read
// back (files below drive_c, the registry values of both hives, the settings a located
// program leaves) and written as one store archive per program; for shortcut, the test
// writer's shortcut files in their variants. Usage: fuzz_make_seeds CORPUS_DIR

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "persist/ini_file.h"
#include "platform/posix/posix_registry.h"
#include "support/lnk_writer.h"
#include "support/mail_fixture.h"
#include "support/scratch_dir.h"
#include "support/store_archive.h"

namespace lorvane::fuzz {

namespace {

namespace fs = std::filesystem;
using testing::TMailFixture;

struct TSeed {
  const char* name;
  std::function<void(TMailFixture&)> build;
  std::function<void(TIniFile&)> remember;
};

void AddFiles(const fs::path& drive_c, std::vector<std::string>* entries) {
  std::vector<fs::path> paths;
  for (const auto& item : fs::recursive_directory_iterator(drive_c)) paths.push_back(item.path());
  std::sort(paths.begin(), paths.end());
  for (const fs::path& path : paths) {
    const std::string relative = fs::relative(path, drive_c).string();
    std::string windows = "C:\\" + Utf8ToCp932(relative);
    for (char& c : windows) {
      if (c == '/') c = '\\';
    }
    if (fs::is_directory(path)) {
      if (fs::is_empty(path)) entries->push_back(StoreEntryText('D', windows, ""));
      continue;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    entries->push_back(StoreEntryText('F', windows, bytes));
  }
}

void AddKeys(PosixRegistry& registry, TRegRoot root, const std::string& root_name,
             const std::string& key, std::vector<std::string>* entries) {
  const auto names = registry.ValueNames(root, key);
  bool any = false;
  for (const std::string& name : names.value_or(std::vector<std::string>{})) {
    const auto value = registry.QueryValue(root, key, name);
    const std::string path = root_name + "\\" + key + "|" + name;
    if (value->type == kRegSz || value->type == kRegExpandSz) {
      entries->push_back(StoreEntryText('S', path, value->data));
      any = true;
    } else if (value->type == kRegDword && value->data.size() == 4) {
      uint32_t n = 0;
      for (int k = 3; k >= 0; --k) n = n * 256 + static_cast<unsigned char>(value->data[k]);
      entries->push_back(StoreEntryText('N', path, std::to_string(n)));
      any = true;
    }
  }
  const auto subs = registry.SubKeyNames(root, key).value_or(std::vector<std::string>{});
  if (!any && subs.empty() && !key.empty()) {
    entries->push_back(StoreEntryText('K', root_name + "\\" + key, ""));
  }
  for (const std::string& sub : subs) {
    AddKeys(registry, root, root_name, key.empty() ? sub : key + "\\" + sub, entries);
  }
}

void WriteShortcuts(const std::string& out_dir) {
  TLnkFields plain;
  plain.local_base_path = "C:\\Program Files\\";
  plain.common_path_suffix = "メール.exe";
  plain.arguments = "-m C:\\受信箱";
  TLnkFields unicode = plain;
  unicode.unicode_link_info = true;
  unicode.unicode_strings = true;
  unicode.description = "表示ソフト";
  unicode.working_directory = "C:\\ポ";
  unicode.with_id_list = true;
  TLnkFields bare;
  bare.local_base_path = "C:\\AL\\AlMail32.exe";
  bare.has_arguments = false;
  const struct {
    const char* name;
    const TLnkFields& fields;
  } shortcuts[] = {{"plain.lnk", plain}, {"unicode.lnk", unicode}, {"bare.lnk", bare}};
  for (const auto& s : shortcuts) {
    std::ofstream(out_dir + "/" + s.name, std::ios::binary) << BuildLnk(s.fields);
  }
}

int Run(const std::string& corpus_dir) {
  const std::string out_dir = corpus_dir + "/mail_stores";
  fs::create_directories(out_dir);
  fs::create_directories(corpus_dir + "/shortcut");
  WriteShortcuts(corpus_dir + "/shortcut");
  const TSeed seeds[] = {
      {"akira32gold", testing::BuildAkira32GoldStore, nullptr},
      {"al_mail", testing::BuildAlMailStore, nullptr},
      {"al_mail32", testing::BuildAlMail32Store, nullptr},
      {"becky", testing::BuildBeckyStore, nullptr},
      {"becky2", testing::BuildBecky2Store, nullptr},
      {"datula", testing::BuildDatulaStore, nullptr},
      {"denshin8", testing::BuildDenshin8Store, testing::RememberDenshin8},
      {"edmax", testing::BuildEdMaxStore, nullptr},
      {"eudora", testing::BuildEudoraStore, nullptr},
      {"hypermailer", testing::BuildHyperMailerStore, nullptr},
      {"kenm3", testing::BuildKenm3Store, nullptr},
      {"message_manager", testing::BuildMessageManagerStore, testing::RememberMessageManager},
      {"messenger", testing::BuildMessengerStore, nullptr},
      {"sesna", testing::BuildSesnaStore, testing::RememberSesna},
      {"tsworks", testing::BuildTsworksStore, nullptr},
      {"wemail32", testing::BuildWeMail32Store, nullptr},
      {"winbiff", testing::BuildWinbiffStore, nullptr},
  };
  ScratchDir scratch;
  for (const TSeed& seed : seeds) {
    const std::string prefix = scratch.Path(seed.name);
    TMailFixture fixture(prefix);
    seed.build(fixture);
    fixture.WriteHives();
    std::vector<std::string> entries;
    AddFiles(fs::path(prefix) / "drive_c", &entries);
    PosixRegistry registry;
    registry.LoadWinePrefix(prefix);
    AddKeys(registry, TRegRoot::kCurrentUser, "HKCU", "", &entries);
    AddKeys(registry, TRegRoot::kLocalMachine, "HKLM", "", &entries);
    // The in-memory registry keeps HKEY_CLASSES_ROOT apart: write the merged view.
    AddKeys(registry, TRegRoot::kClassesRoot, "HKCR", "", &entries);
    if (seed.remember) {
      TIniFile settings;
      seed.remember(settings);
      entries.push_back(StoreEntryText('I', "", settings.ToText()));
    }
    std::string text;
    for (const std::string& entry : entries) text += (text.empty() ? "" : "\n") + entry;
    std::ofstream(out_dir + "/" + seed.name, std::ios::binary) << text;
    std::cout << seed.name << ": " << entries.size() << " entries, " << text.size() << " bytes\n";
  }
  return 0;
}

}  // namespace

}  // namespace lorvane::fuzz

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_make_seeds CORPUS_DIR\n";
    return 2;
  }
  return lorvane::fuzz::Run(argv[1]);
}
