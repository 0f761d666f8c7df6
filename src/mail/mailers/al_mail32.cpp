// Kind 3: AL-Mail32. The mailboxes come from the registry and from the Start-menu
// shortcuts that start the program on another mailbox directory; the root is their list.
// Below each mailbox: the accounts (Acc* directories with Account.ini), their .box
// directories (Entry.ini gives the title, nested .box directories the sub-folders) and
// the trash. A box's Entry.lst names its .alm message files; the trash, a file, names
// them by path.
// Tested by tests/mail/mailers/al_mail32_test.cpp.

#include "mail/mailers/al_mail32.h"

#include "common/lines.h"
#include "common/mbstring.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/index_files.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kUserKey = "HKEY_CURRENT_USER\\Software\\CREAR\\AL-Mail";
constexpr const char* kSetupKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\CREAR\\AL-Mail\\Setup";
constexpr int kMaxShortcutChars = 1023;

std::string CutShortcutText(std::string_view text) {
  size_t end = text.find(' ');
  if (!text.empty() && text[0] == '"') {
    // A path with blanks in it comes quoted; cutting at the first blank would break it.
    text.remove_prefix(1);
    end = text.find('"');
  }
  return MBCopy(text.substr(0, end), 1, kMaxShortcutChars);
}

// The text after the first "TITLE=" line's prefix, one pair of surrounding double
// quotes removed; and whether a line begins with "TYPE=SUBFOLDER".
struct TEntry {
  std::string title;
  bool sub_folder_only = false;
};
TEntry ReadEntry(IFileSystem& fs, const std::string& file) {
  TEntry entry;
  bool titled = false;
  std::vector<std::string> lines;
  ReadLines(fs, file, &lines);
  for (const auto& line : lines) {
    if (!titled && StartsWithUpper(line, "TITLE=")) {
      titled = true;
      std::string_view title = std::string_view(line).substr(6);
      if (!title.empty() && title[0] == '"') {
        title.remove_prefix(1);
        if (!title.empty() && title.back() == '"') title.remove_suffix(1);
      }
      entry.title = title;
    }
    if (StartsWithUpper(line, "TYPE=SUBFOLDER")) entry.sub_folder_only = true;
  }
  return entry;
}

// A box directory `dir` + "\" + `name` + ".box" and the boxes nested in it, depth first,
// with an explicit stack; a box without a title is left out with everything below it.
void ScanBox(IFileSystem& fs, TFolder& parent, const std::string& dir, const std::string& name) {
  struct TWork {
    TFolder* parent;
    std::string dir;
    std::string name;
    int depth;
  };
  std::vector<TWork> stack = {{&parent, dir, name, 0}};
  while (!stack.empty()) {
    const TWork w = stack.back();
    stack.pop_back();
    if (w.depth >= kMaxFolderDepth) continue;
    const std::string box = w.dir + "\\" + w.name + ".box";
    const TEntry entry = ReadEntry(fs, box + "\\Entry.ini");
    if (entry.title.empty()) continue;
    TFolder* node = w.parent->AddChild(ntFolder, kMailFolderImage, entry.title, w.name, box + "\\",
                                       !entry.sub_folder_only);
    std::vector<TWork> children;
    for (const auto& sub : SubDirectories(fs, box + "\\*.box")) {
      children.push_back({node, box, sub.substr(0, sub.size() - 4), w.depth + 1});
    }
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

void AddAccount(IFileSystem& fs, TFolder& mailbox, const std::string& mailbox_dir,
                const std::string& account) {
  const std::string dir = mailbox_dir + "\\" + account;
  const TEntry entry = ReadEntry(fs, dir + "\\Account.ini");
  if (entry.title.empty()) return;
  TFolder* node = mailbox.AddChild(ntFolder, kMailFolderImage, entry.title, account,
                                   dir + "\\Account.ini", false);
  for (const auto& box : SubDirectories(fs, dir + "\\*.box")) {
    const std::string name = box.substr(0, box.size() - 4);
    const std::string upper = UpperAscii(name);
    if (upper == "INBOX") {
      node->AddChild(ntFolder, kMailFolderImage, "郵便受け", name, dir + "\\" + name + ".box\\",
                     true);
    } else if (upper == "OUTBOX") {
      node->AddChild(ntFolder, kMailFolderImage, "送信箱", name, dir + "\\" + name + ".box\\",
                     true);
    } else {
      ScanBox(fs, *node, dir, name);
    }
  }
  node->AddChild(ntFolder, kMailFolderImage, "ごみ箱", "Trash.box", dir + "\\Trash.box", true);
}

}  // namespace

TShortcut ResolveShortcut(TMailStores& stores, const std::string& lnk_path) {
  const TShortcut shortcut = stores.Platform().shell.ResolveShortcut(lnk_path);
  return {CutShortcutText(shortcut.target), CutShortcutText(shortcut.arguments)};
}

std::vector<std::string> FindAlMailMailboxes(TMailStores& stores) {
  IFileSystem& fs = stores.Fs();
  std::vector<std::string> dirs;
  std::vector<std::string> labels;

  std::string mailbox_path = RegString(stores, kUserKey, "MailboxPath");
  if (!mailbox_path.empty()) {
    mailbox_path = EnsureTrailingSeparator(mailbox_path);
    const std::vector<TDirEntry> accounts = fs.List(mailbox_path + "Mailbox\\Account*.*");
    if (!accounts.empty() && (accounts[0].attributes & faDirectory) != 0) {
      dirs.push_back(mailbox_path);
      labels.push_back(mailbox_path);
    }
  }

  std::string start_folder = RegString(stores, kSetupKey, "StartFolder");
  if (!start_folder.empty()) {
    start_folder = EnsureTrailingSeparator(start_folder);
    for (const auto& name : Files(fs, start_folder + "*.lnk")) {
      std::string dir = ResolveShortcut(stores, start_folder + name).arguments;
      if (dir.empty()) continue;
      dir = EnsureTrailingSeparator(dir);
      const std::string label = name.substr(0, name.size() - 4);
      size_t i = 0;
      while (i < dirs.size() && !SameTextAscii(dirs[i], dir)) ++i;
      if (i == dirs.size()) {
        dirs.push_back(dir);
        labels.push_back(label);
      } else {
        labels[i] = label;
      }
    }
  }

  for (size_t i = 0; i < dirs.size(); ++i) dirs[i] += "\t" + labels[i];
  return dirs;
}

void DetectAlMail32(TDetection& d) {
  TMailStores& stores = d.Stores();
  d.Log(std::string(kUserKey) + "\\MailboxPath=" + RegString(stores, kUserKey, "MailboxPath"));
  d.Log(std::string(kSetupKey) + "\\StartFolder=" + RegString(stores, kSetupKey, "StartFolder"));
  const std::vector<std::string> mailboxes = FindAlMailMailboxes(stores);
  if (mailboxes.empty()) {
    d.Fail("メールボックスが見つかりません。");
    return;
  }
  std::string root;
  for (const auto& line : mailboxes) root += line + "\r\n";
  d.SetRoot(std::move(root));
  d.SetFound();
}

void DiscoverAlMail32(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  for (std::string_view line : SplitLines(stores.Root(mkAlMail32))) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string mailbox = std::string(line.substr(0, tab)) + "Mailbox";
    TFolder* box = node.AddChild(ntFolder, kMailFolderImage, std::string(line.substr(tab + 1)),
                                 mailbox, mailbox, false);
    for (const auto& account : SubDirectories(fs, mailbox + "\\Acc*.*")) {
      if (FileExists(fs, mailbox + "\\" + account + "\\Account.ini")) {
        AddAccount(fs, *box, mailbox, account);
      }
    }
  }
}

void EnumerateAlMail32(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string& data = folder.DataPath();
  const bool box_dir = MBLastChar(data) == "\\";
  const std::string index = box_dir ? data + "Entry.lst" : data;
  if (!FileExists(fs, index)) return;
  std::vector<std::string> files;
  ForEachFileLine(fs, index, [&](size_t, std::string_view line) {
    if (box_dir) {
      if (line.size() >= 9 && line[8] == '=' && IsPlainFileName(line.substr(0, 8))) {
        files.push_back(data + std::string(line.substr(0, 8)) + ".alm");
      }
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
      // The trash names messages by their path; a wildcard would name whatever matches.
      const std::string_view path = line.substr(0, eq);
      if (path.find_first_of("*?") == std::string_view::npos) {
        files.push_back(std::string(path) + ".alm");
      }
    }
  });
  for (auto& file : files) {
    if (FileExists(fs, file)) folder.AddMail({std::move(file), 0, -1});
  }
}

}  // namespace lorvane
