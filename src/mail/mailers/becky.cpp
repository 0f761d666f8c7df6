// Kind 4, Becky!: a home directory from the registry holding one "User<i>" directory per
// registered user (0 to 19). Each user has the standard boxes and any number of ".mbx"
// mailboxes, a folder "X" keeping its sub-folders' mailboxes in a directory "X" beside
// "X.mbx". Messages in a mailbox end at a "." line.
// Tested by tests/mail/mailers/becky_test.cpp.

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/folder_scan.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

// Ends in "\": the log line and the message that append "\Settings" show the separator
// doubled. They are the log's fixed texts and stay so.
constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\";
constexpr int kUsers = 20;

std::string UserKey(int i) {
  return std::string(kKey) + "Users\\" + Num(i);
}

}  // namespace

void DetectBecky(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  const std::string key = kKey;
  std::string home = RegString(stores, key + "Settings", "HomeDir");
  detection.Log(key + "\\Settings\\HomeDir=" + home);
  if (home.empty()) {
    // No candidate at all: say so rather than showing an empty box.
    detection.Fail(key + "\\Settings\\HomeDir がありません。");
    return;
  }
  home = EnsureTrailingSeparator(home);
  for (int i = 0; i < kUsers; ++i) {
    const std::string address = RegString(stores, UserKey(i), "Address");
    if (address.empty()) continue;
    const std::string value_line = UserKey(i) + "\\Address=" + address;
    detection.Log(value_line);
    const std::string control = home + "User" + Num(i) + "\\InBox.ctl";
    if (FileExists(stores.Fs(), control)) {
      detection.SetRoot(home);
      detection.SetFound();
      return;
    }
    detection.AppendMessage(value_line + " と書かれていますが、" + control + " はありません。\r\n");
  }
  detection.Log("no folders");
  if (detection.Message().empty()) detection.Fail(key + "Users に有効なエントリがありません。");
}

void DiscoverBecky(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkBecky);
  IFileSystem& fs = stores.Fs();
  for (int i = 0; i < kUsers; ++i) {
    const std::string address = RegString(stores, UserKey(i), "Address");
    const std::string user = "User" + Num(i);
    if (address.empty() || !FileExists(fs, root + user + "\\InBox.ctl")) continue;
    std::string caption = RegString(stores, UserKey(i), "Account");
    if (caption.empty()) caption = address;
    if (caption.empty()) caption = user;

    TFolder* u = node.AddChild(ntFolder, kMailFolderImage, caption, user, user, false);
    u->AddChild(ntFolder, kMailFolderImage, "受信箱", "InBox", user + "\\InBox.mbx", true);
    TFolder* out =
        u->AddChild(ntFolder, kMailFolderImage, "送信箱", "OutBox", user + "\\OutBox.mbx", true);
    out->AddChild(ntFolder, kMailFolderImage, "草稿", "Draft", user + "\\OutBox\\Draft.mbx", true);
    out->AddChild(ntFolder, kMailFolderImage, "送信済", "Sent", user + "\\OutBox\\Sent.mbx", true);
    out->AddChild(ntFolder, kMailFolderImage, "草稿", "Reminder", user + "\\OutBox\\Reminder.mbx",
                  true);
    u->AddChild(ntFolder, kMailFolderImage, "ごみ箱", "Trash", user + "\\Trash.mbx", true);

    // A scan's path is the directory its node's own ".mbx" files sit in: the user's
    // directory for the user node, "Dir\Nm" for folder Nm.
    ScanFolders({u, user}, [&](const TFolderScan& s) {
      std::vector<TFolderScan> children;
      for (const auto& file : Files(fs, root + s.path + "\\*.mbx")) {
        const std::string name = DropLastChars(file, 4);
        if (s.node == u) {
          const std::string upper = UpperAscii(name);
          if (upper == "INBOX" || upper == "OUTBOX" || upper == "TRASH") continue;
        }
        TFolder* f = s.node->AddChild(ntFolder, kMailFolderImage, name, name,
                                      s.path + "\\" + name + ".mbx", true);
        children.push_back({f, s.path + "\\" + name});
      }
      return children;
    });
  }
}

void EnumerateBecky(TMailStores& stores, TFolder& folder) {
  ListDotTerminated(stores.Fs(), stores.Root(mkBecky) + folder.DataPath(), folder);
}

}  // namespace lorvane
