// Kind 1: akira32Gold. The registry lists the users; each user's home\mail.ini names the
// mail directory, whose a_box.### lists the boxes (a "D" or "M" line opens a level of
// boxes, a line of any other type closes it). Detection keeps no root: discovery reads the
// configuration again and every folder carries its mail directory. A box's index in
// indexbox\ names its messages: files of articles\<key>.mes\, or records of the
// message.txt there when that file exists.
// Tested by tests/mail/mailers/akira32gold_test.cpp.

#include <optional>

#include "common/mbstring.h"
#include "common/number_parse.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/index_files.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\AyanoAkira\\akira32Gold";
constexpr int kFirstUsableVersion = 3771;

struct TSystemBox {
  const char* caption;
  const char* key;
};
constexpr TSystemBox kSystemBoxes[] = {
    {"送信待", "(OUT)"},        {"草稿", "(DRAFT)"},   {"送信済", "(SENT)"},
    {"ｾｰﾌﾃｨﾎﾞｯｸｽ", "(SAFETY)"}, {"ごみ箱", "(TRASH)"},
};

// The MAILPATH= value of `user_dir` + "home\mail.ini" (case matters; only the first such
// line counts), with a final "\"; nullopt when the file or the line is missing.
std::optional<std::string> MailPath(IFileSystem& fs, const std::string& user_dir) {
  const std::string ini = user_dir + "home\\mail.ini";
  std::vector<std::string> lines;
  if (!FileExists(fs, ini) || !ReadLines(fs, ini, &lines)) return std::nullopt;
  for (const auto& line : lines) {
    if (StartsWith(line, "MAILPATH=")) return EnsureTrailingSeparator(line.substr(9));
  }
  return std::nullopt;
}

// The boxes of a_box.###: the type in character 1, the key in characters 3 to 9, the
// caption from character 11. Levels are kept on a stack; levels deeper than
// kMaxFolderDepth are read but not shown, so the tree stays shallow enough to free.
void ParseBoxList(TFolder& top, const std::vector<std::string>& lines,
                  const std::string& mail_dir) {
  std::vector<TFolder*> levels = {&top};
  int unshown_levels = 0;
  for (const auto& line : lines) {
    const char type = line.empty() ? '\0' : line[0];
    const bool box = type == 'B' || type == 'I';
    const bool container = type == 'D' || type == 'M';
    if (!box && !container) {
      if (unshown_levels > 0) {
        --unshown_levels;
        continue;
      }
      levels.pop_back();
      if (levels.empty()) return;
      continue;
    }
    if (unshown_levels > 0) {
      if (container) ++unshown_levels;
      continue;
    }
    TFolder* node =
        levels.back()->AddChild(ntFolder, kMailFolderImage, MBCopy(line, 11, MBLength(line)),
                                MBCopy(line, 3, 7), mail_dir, box);
    if (!container) continue;
    if (levels.size() < static_cast<size_t>(kMaxFolderDepth)) {
      levels.push_back(node);
    } else {
      ++unshown_levels;
    }
  }
}

}  // namespace

void DetectAkira32Gold(TDetection& d) {
  TMailStores& stores = d.Stores();
  IFileSystem& fs = stores.Fs();
  const std::string key = kKey;
  std::string path;

  const int version = RegInteger(stores, key, "version");
  d.Log(key + "\\version=" + Num(version));
  if (version < kFirstUsableVersion) {
    d.Log("old version");
    d.Fail(path + "akira32Gold のバージョンが古すぎます。");
    return;
  }

  std::vector<std::string> users;
  if (!RegSubKeys(stores, key + "\\user", &users)) {
    d.Log("registry mismatch");
    d.Fail(path + "レジストリ情報が変です。");
    return;
  }
  if (users.empty()) {
    d.Log("not user");
    d.Fail(path + "ユーザー数が０です。");
    return;
  }

  for (const auto& user : users) {
    path = RegString(stores, key + "\\user\\" + user, "path");
    d.Log(key + "\\user\\" + user + "=" + path);
    if (path.empty()) continue;
    path = EnsureTrailingSeparator(path);
    if (const std::optional<std::string> mail = MailPath(fs, path)) {
      path = *mail;
      if (FileExists(fs, path + "a_box.###")) {
        d.SetFound();
        return;
      }
    }
  }
  d.Log("no mailbox");
  d.Fail(path + "有効なメールボックスがありません。");
}

void DiscoverAkira32Gold(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  const std::string key = kKey;
  std::vector<std::string> users;
  if (!RegSubKeys(stores, key + "\\user", &users) || users.empty()) return;

  for (const auto& user : users) {
    const std::string path = RegString(stores, key + "\\user\\" + user, "path");
    if (path.empty()) continue;
    const std::optional<std::string> mail = MailPath(fs, EnsureTrailingSeparator(path));
    if (!mail || !FileExists(fs, *mail + "a_box.###")) continue;

    // Several users' nodes share one section: their key is empty.
    TFolder* parent = users.size() == 1
                          ? &node
                          : node.AddChild(ntFolder, kMailFolderImage,
                                          MBCopy(user, 6, MBLength(user)), "", "", false);
    TFolder* system = parent->AddChild(ntFolder, kMailFolderImage, "System", "ROOT", *mail, false);
    for (const TSystemBox& box : kSystemBoxes) {
      system->AddChild(ntFolder, kMailFolderImage, box.caption, box.key, *mail, true);
    }
    std::vector<std::string> lines;
    ReadLines(fs, *mail + "a_box.###", &lines);
    ParseBoxList(*parent, lines, *mail);
  }
}

void EnumerateAkira32Gold(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string& mail_dir = folder.DataPath();
  const std::string index = mail_dir + "indexbox\\" + folder.Key() + ".box";
  if (!FileExists(fs, index)) return;
  const std::string articles = mail_dir + "articles\\" + folder.Key() + ".mes\\";
  const std::string records = articles + "message.txt";
  const bool in_records = FileExists(fs, records);

  ForEachFileLine(fs, index, [&](size_t i, std::string_view line) {
    if (line.size() < 12 || UpperAscii(line.substr(8, 4)) != ".MAI") return;
    if (in_records) {
      const std::optional<uint32_t> offset = ParseHex32(line.substr(0, 8));
      if (!offset || *offset > static_cast<uint32_t>(INT32_MAX)) {
        throw BadNumberField(index, i, line.substr(0, 8), true);
      }
      folder.AddMail({records, static_cast<int32_t>(*offset), -2});
    } else if (IsPlainFileName(line.substr(0, 12))) {
      folder.AddMail({articles + std::string(line.substr(0, 12)), 0, -1});
    }
  });
}

}  // namespace lorvane
