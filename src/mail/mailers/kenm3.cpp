// Kind 10: Kenm3. The home directory comes from the registry; the four trays are fixed
// mailbox files in "Folder", and each file of "Grp" is a group that lists the names of
// further mailboxes, one a line. A mailbox begins with one line that is no part of any
// message; every message ends with a "." line and is followed by one more such line:
//   line 0  <skipped>    line 1..3  message    line 4  "."    line 5  <skipped>  ...
// Tested by tests/mail/mailers/kenm3_test.cpp.

#include <cstdint>

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr size_t kMaxLineIndex = INT32_MAX;
constexpr const char* kUserKey = "HKEY_CURRENT_USER\\Software\\Y.D Products\\Kenm3\\User";

}  // namespace

void DetectKenm3(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  std::string home = RegString(stores, kUserKey, "HomeDir");
  detection.Log(std::string(kUserKey) + "\\HomeDir=" + home);
  if (home.empty()) {
    detection.Fail(std::string(kUserKey) + "\\HomeDir がありません。");
  } else {
    home = EnsureTrailingSeparator(home);
    if (FileExists(stores.Fs(), home + "Folder\\ごみ箱")) {
      detection.SetRoot(home);
      detection.SetFound();
    } else {
      detection.Fail(home + "\\Folder にエントリがありません。");
    }
  }
  if (!detection.Found()) detection.Log("not exist");
}

void DiscoverKenm3(TMailStores& stores, TFolder& node) {
  for (const char* tray : {"受信ﾄﾚｲ", "ごみ箱", "保管ﾄﾚｲ", "送信ﾄﾚｲ"}) {
    node.AddChild(ntFolder, kMailFolderImage, tray, tray, std::string("Folder\\") + tray, true);
  }
  const std::string& root = stores.Root(mkKenm3);
  for (const auto& group : Files(stores.Fs(), root + "Grp\\*.*")) {
    TFolder* group_node =
        node.AddChild(ntFolder, kMailFolderImage, group, group, "Grp\\" + group, false);
    std::vector<std::string> names;
    ReadLines(stores.Fs(), root + "Grp\\" + group, &names);
    for (const auto& name : names) {
      // A blank line names no mailbox; it would only make a folder without a name.
      if (name.empty()) continue;
      group_node->AddChild(ntFolder, kMailFolderImage, name, name, "Folder\\" + name, true);
    }
  }
}

void EnumerateKenm3(TMailStores& stores, TFolder& folder) {
  const std::string path = stores.Root(mkKenm3) + folder.DataPath();
  // Lines before `start` (the line opening the file and the one after each ".") are
  // skipped unseen, so a "." there closes nothing.
  size_t start = 1;
  ForEachFileLine(stores.Fs(), path, [&](size_t i, std::string_view line) {
    // Line numbers are 32-bit in a message address; lines beyond cannot be addressed.
    if (i < start || line != "." || i > kMaxLineIndex) return;
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i) - 1});
    start = i + 2;
  });
}

}  // namespace lorvane
