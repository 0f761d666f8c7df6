// Kind 14: tsworks. tswks.ini in the Windows directory lists the profiles ("[name]" and
// its "PROFILE=" file); each profile file's "[Mail]" section names the mail directory
// ("FOLDER="), whose sub-directories are the folders, every file in them a message
// except the ".idx" and ".ini" files beside them. Folder paths are absolute; the mailer
// root stays empty.
// Tested by tests/mail/mailers/tsworks_test.cpp.

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/located_programs.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kTrash = "ごみ箱";
// A directory tsworks keeps beside the folders; it holds no folder.
constexpr const char* kUnderscores = "_______________________________";

std::string TswksIni(TMailStores& stores) {
  return WindowsDirectory(stores) + "tswks.ini";
}

// "[taro]" -> "taro". "]" is looked for by characters: its byte is also a trail byte.
std::string BracketText(const std::string& line) {
  size_t close = 1;
  while (close < line.size() && line[close] != ']') close += CharWidthAt(line, close);
  return line.substr(1, close - 1);
}

void AddProfile(TMailStores& stores, TFolder& node, const std::string& profile,
                std::string mail_dir) {
  mail_dir = EnsureTrailingSeparator(mail_dir);
  TFolder* profile_node =
      node.AddChild(ntFolder, kMailFolderImage, profile, profile, mail_dir, false);
  profile_node->AddChild(ntFolder, kMailFolderImage, "Inbox", "Inbox", mail_dir + "Inbox\\", true);
  std::vector<std::string> names;
  for (auto& name : SubDirectories(stores.Fs(), mail_dir + "*.*")) {
    if (UpperAscii(name) != "INBOX" && name != kTrash && name != kUnderscores) {
      names.push_back(std::move(name));
    }
  }
  AddDirectoryTree(stores.Fs(), *profile_node, mail_dir, names,
                   [](TFolder& parent, const std::string& dir, const std::string& name) {
                     return parent.AddChild(ntFolder, kMailFolderImage, name, name,
                                            dir + name + "\\", true);
                   });
  profile_node->AddChild(ntFolder, kMailFolderImage, kTrash, kTrash, mail_dir + kTrash + "\\",
                         true);
}

void ReadProfile(TMailStores& stores, TFolder& node, const std::string& profile,
                 const std::string& profile_file) {
  std::vector<std::string> lines;
  ReadLines(stores.Fs(), profile_file, &lines);
  std::string section;
  for (const auto& line : lines) {
    if (StartsWith(line, "[")) {
      section = UpperAscii(TrimRight(line));
    } else if (section == "[MAIL]" && StartsWithUpper(line, "FOLDER=")) {
      AddProfile(stores, node, profile, line.substr(7));
    }
  }
}

}  // namespace

void DetectTsworks(TDetection& detection) {
  const std::string ini = TswksIni(detection.Stores());
  detection.Log(ini);
  if (FileExists(detection.Stores().Fs(), ini)) {
    detection.SetFound();
  } else {
    detection.Fail(ini + " がありません。");
    detection.Log("not exist");
  }
}

void DiscoverTsworks(TMailStores& stores, TFolder& node) {
  const std::string ini = TswksIni(stores);
  if (!FileExists(stores.Fs(), ini)) return;
  std::vector<std::string> lines;
  ReadLines(stores.Fs(), ini, &lines);
  std::string profile;
  for (const auto& line : lines) {
    if (StartsWith(line, "[")) {
      profile = BracketText(line);
    } else if (!profile.empty() && StartsWithUpper(line, "PROFILE=")) {
      const std::string profile_file = line.substr(8);
      if (FileExists(stores.Fs(), profile_file)) ReadProfile(stores, node, profile, profile_file);
    }
  }
}

void EnumerateTsworks(TMailStores& stores, TFolder& folder) {
  const std::string& dir = folder.DataPath();
  for (const auto& name : Files(stores.Fs(), dir + "*.*")) {
    const std::string tail = UpperLastBytes(name, 4);
    if (tail == ".IDX" || tail == ".INI") continue;
    folder.AddMail({dir + name, 0, -1});
  }
}

}  // namespace lorvane
