// Kind 12, Messenger: one registry entry per user names the user's directory; its "Mail"
// directory holds a mailbox file per folder with a summary file beside it ("Inbox",
// "Inbox.snm"), and a folder's sub-folders in a directory "<name>.sbd". Folder names the
// file system could not hold are stored as names with "_", the real name being kept in
// the summary file. Messages begin after "From - " lines.
// Tested by tests/mail/mailers/messenger_test.cpp.

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/folder_scan.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users";
// Where a summary file keeps the folder's own name.
constexpr uint64_t kSummaryNameOffset = 20 * 128;

// The caption of the folder whose mailbox is `dir` + "\" + `name`.
std::string FolderCaption(IFileSystem& fs, const std::string& dir, const std::string& name) {
  // "_" is a possible trail byte, so the test goes by characters.
  if (MBPos("_", name) == 0) return name;
  std::string bytes;
  const size_t length = static_cast<size_t>(MBLength(name));
  if (fs.ReadAt(dir + "\\" + name + ".snm", kSummaryNameOffset, length, &bytes) !=
      TReadStatus::kOk) {
    return name;  // an unreadable or short summary: the file's own name will do
  }
  // A shorter name is padded with NULs, which no caption may carry.
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  return bytes.empty() ? name : bytes;
}

}  // namespace

void DetectMessenger(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  const std::string key = kKey;
  std::vector<std::string> users;
  if (!RegSubKeys(stores, key, &users) || users.empty()) {
    // No user is as good as an unreadable key for the one who asked.
    detection.Fail(key + "にエントリがありません。");
    return;
  }
  for (const auto& user : users) {
    const std::string dir_root = RegString(stores, key + "\\" + user, "DirRoot");
    detection.Log(key + "\\" + user + "\\DirRoot=" + dir_root);
    if (FileExists(stores.Fs(), EnsureTrailingSeparator(dir_root) + "Mail\\*.snm")) {
      detection.SetFound();
      return;
    }
    detection.Log("no folders");
  }
  detection.Fail(key + " に有効なエントリがありません。");
}

void DiscoverMessenger(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  const std::string key = kKey;
  std::vector<std::string> users;
  RegSubKeys(stores, key, &users);
  for (const auto& user : users) {
    const std::string dir =
        EnsureTrailingSeparator(RegString(stores, key + "\\" + user, "DirRoot")) + "Mail";
    if (!FileExists(fs, dir + "\\*.snm")) continue;
    const std::string name = RegString(stores, key + "\\" + user, "UserName");
    TFolder* user_node = node.AddChild(ntFolder, kMailFolderImage, name, name, dir, false);
    // A scan's path is the directory holding its node's sub-folders.
    ScanFolders({user_node, dir}, [&](const TFolderScan& s) {
      std::vector<TFolderScan> children;
      for (const auto& summary : Files(fs, s.path + "\\*.snm")) {
        const std::string folder = DropLastChars(summary, 4);
        const std::string mailbox = s.path + "\\" + folder;
        TFolder* child = s.node->AddChild(ntFolder, kMailFolderImage,
                                          FolderCaption(fs, s.path, folder), folder, mailbox, true);
        if (fs.IsDirectory(mailbox + ".sbd")) children.push_back({child, mailbox + ".sbd"});
      }
      return children;
    });
  }
}

void EnumerateMessenger(TMailStores& stores, TFolder& folder) {
  // The root stays empty for this kind: the folder's path is complete.
  ListSeparated(stores.Fs(), stores.Root(mkMessenger) + folder.DataPath(), "From - ", folder);
}

}  // namespace lorvane
