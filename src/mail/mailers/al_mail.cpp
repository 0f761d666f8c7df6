// Kind 2: AL-Mail. The MAILDIR= line of almail.ini in the Windows directory names the
// user directory. Every user directory ever detected is remembered in our own settings
// ("Mailers\AL_Mail\User<n>": "Directory", "Full Name") and shown while its Almail.prf
// exists, so users the mail program switched between stay searchable. A folder is a .box
// index whose [MAILS] lines name the .wml message files beside it.
// Tested by tests/mail/mailers/al_mail_test.cpp.

#include <unordered_set>

#include "common/language.h"
#include "common/lines.h"
#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/index_files.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kDirectoryValue = "Directory";
constexpr const char* kFullNameValue = "Full Name";
// The characters of a MAILDIR= value that are taken, and of a box title.
constexpr int kMaxValueChars = 255;

struct TFixedBox {
  const char* caption;
  const char* name;  // file name without ".box"; also the key
};
constexpr TFixedBox kFixedBoxes[] = {
    {"郵便受け", "Default"}, {"送信箱", "sendbox"}, {"ごみ箱", "Trash"}};

std::string UsersSection() {
  return std::string(keys::kMailers) + "\\" + MailerKey(mkAlMail);
}

// The trimmed rest of the first line of `file` that begins with `upper_prefix` (any case).
std::string FirstValue(IFileSystem& fs, const std::string& file, std::string_view upper_prefix) {
  std::vector<std::string> lines;
  ReadLines(fs, file, &lines);
  for (const auto& line : lines) {
    if (StartsWithUpper(line, upper_prefix)) {
      return std::string(Trim(std::string_view(line).substr(upper_prefix.size())));
    }
  }
  return {};
}

// Remembers `dir` as a user directory: the section of that directory if there is one,
// else the first free "User<n>".
void RememberUser(TMailStores& stores, const std::string& dir) {
  if (dir.empty()) return;
  TIniFile& ini = stores.Ini();
  const std::string users = UsersSection();
  std::unordered_set<std::string> names;
  for (const auto& name : ini.ReadSections(users)) names.insert(UpperAscii(name));
  int n = 1;
  while (names.count("USER" + Num(n)) != 0 &&
         UpperAscii(ini.ReadString(users + "\\User" + Num(n), kDirectoryValue, "")) !=
             UpperAscii(dir)) {
    ++n;
  }
  if (!FileExists(stores.Fs(), dir + "Almail.prf")) return;
  const std::string section = users + "\\User" + Num(n);
  ini.WriteString(section, kFullNameValue,
                  FirstValue(stores.Fs(), dir + "Almail.prf", "FULLNAME="));
  ini.WriteString(section, kDirectoryValue, dir);
}

void AddUserFolders(TMailStores& stores, TFolder& user, const std::string& dir) {
  IFileSystem& fs = stores.Fs();
  for (const TFixedBox& box : kFixedBoxes) {
    const std::string file = dir + box.name + ".box";
    if (FileExists(fs, file))
      user.AddChild(ntFolder, kMailFolderImage, box.caption, box.name, file, true);
  }
  for (const auto& file : Files(fs, dir + "*.box")) {
    const std::string name = file.substr(0, file.size() - 4);
    const std::string upper = UpperAscii(name);
    if (upper == "DEFAULT" || upper == "SENDBOX" || upper == "TRASH") continue;
    std::vector<std::string> lines;
    ReadLines(fs, dir + file, &lines);
    for (const auto& line : lines) {
      if (!StartsWithUpper(line, "TITLE=")) continue;
      user.AddChild(ntFolder, kMailFolderImage, MBCopy(line, 7, kMaxValueChars), name, dir + file,
                    true);
      break;
    }
  }
}

}  // namespace

void DetectAlMail(TDetection& d) {
  TMailStores& stores = d.Stores();
  const std::string ini = WindowsDirectory(stores) + "almail.ini";
  d.Log(ini);
  if (!FileExists(stores.Fs(), ini)) {
    d.Log("not exist");
    d.Fail(ini + " がありません。");
    return;
  }
  std::vector<std::string> lines;
  ReadLines(stores.Fs(), ini, &lines);
  for (const auto& line : lines) {
    if (StartsWithUpper(line, "MAILDIR=")) {
      d.SetRoot(EnsureTrailingSeparator(MBCopy(line, 9, kMaxValueChars)));
      d.SetFound();
      return;
    }
  }
  d.Log("no MailDir");
  d.Fail(ini + " に MailPath= 行がありません。");
}

void DiscoverAlMail(TMailStores& stores, TFolder& node) {
  TIniFile& ini = stores.Ini();
  RememberUser(stores, stores.Root(mkAlMail));

  struct TUser {
    std::string section;
    std::string dir;
    std::string full_name;
  };
  std::vector<TUser> users;
  const std::string users_section = UsersSection();
  for (const auto& name : ini.ReadSections(users_section)) {
    const std::string section = users_section + "\\" + name;
    users.push_back({name, ini.ReadString(section, kDirectoryValue, ""),
                     ini.ReadString(section, kFullNameValue, "")});
  }
  for (const TUser& user : users) {
    // A section left with only the check states of a user's folders names no directory.
    if (user.dir.empty() || !FileExists(stores.Fs(), user.dir + "Almail.prf")) continue;
    std::string caption = user.full_name.empty() ? user.dir : user.full_name;
    for (const TUser& other : users) {
      if (&other != &user && other.full_name == user.full_name) {
        caption += "(" + user.dir + ")";
        break;
      }
    }
    TFolder* folder = node.AddChild(ntFolder, kMailFolderImage, caption, user.section + "\\Folders",
                                    user.dir, false);
    AddUserFolders(stores, *folder, user.dir);
  }
}

void EnumerateAlMail(TMailStores& stores, TFolder& folder) {
  const std::string& index = folder.DataPath();
  std::string bytes;
  std::string error;
  if (stores.Fs().ReadFile(index, &bytes, &error) != TReadStatus::kOk) {
    throw UnreadableIndex(index, error);
  }
  const std::string dir = ExtractFilePath(index);
  bool in_mails = false;
  ForEachLine(bytes, [&](std::string_view line) {
    if (!in_mails) {
      in_mails = StartsWithUpper(line, "[MAILS]");
    } else if (line.size() >= 9 && line[8] == '=' && IsPlainFileName(line.substr(0, 8))) {
      folder.AddMail({dir + std::string(line.substr(0, 8)) + ".wml", 0, -1});
    }
  });
}

}  // namespace lorvane
