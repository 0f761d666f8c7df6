// Kind 7: EdMax. The document class's CLSID leads to the program's LocalServer32 path;
// the data root is the "Account\" directory beside the program. Each account directory
// holds one directory per folder (nested directories are sub-folders); folder X keeps its
// messages in X\X.mbx, ended by "." lines, and a flags file X.ctx beside the directory
// whose k-th line begins with "1" for each message that is to be shown.
// Tested by tests/mail/mailers/edmax_test.cpp.

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kDocumentKey = "HKEY_CLASSES_ROOT\\EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID";

// A registry path may come quoted; the quotes are no part of the file name.
std::string Unquoted(std::string path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    return path.substr(1, path.size() - 2);
  }
  return path;
}

// Folder `name` in `dir` (relative to the root) and every directory below it, depth
// first; the folder is added even when its directory is missing.
void ScanFolder(IFileSystem& fs, const std::string& root, TFolder& parent, const std::string& name,
                const std::string& dir) {
  struct TWork {
    TFolder* parent;
    std::string name;
    std::string dir;
    int depth;
  };
  std::vector<TWork> stack = {{&parent, name, dir, 0}};
  while (!stack.empty()) {
    const TWork w = stack.back();
    stack.pop_back();
    const std::string path = w.dir + "\\" + w.name;
    TFolder* node = w.parent->AddChild(ntFolder, kMailFolderImage, w.name, w.name, path, true);
    if (w.depth + 1 >= kMaxFolderDepth) continue;
    std::vector<TWork> children;
    for (const auto& sub : SubDirectories(fs, root + path + "\\*.*")) {
      children.push_back({node, sub, path, w.depth + 1});
    }
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

}  // namespace

void DetectEdMax(TDetection& d) {
  TMailStores& stores = d.Stores();
  std::string key = kDocumentKey;
  const std::string clsid = RegString(stores, key, "");
  d.Log(key + "\\(標準)=" + clsid);
  if (clsid.empty()) {
    d.Fail(key + "\\(標準) がありません。");
  } else {
    key = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\LocalServer32";
    const std::string value = RegString(stores, key, "");
    d.Log(key + "\\(標準)=" + value);
    const std::string exe = Unquoted(value);
    if (exe.empty()) {
      d.Fail(key + "\\(標準) がありません。");
    } else if (FileExists(stores.Fs(), exe)) {
      d.SetRoot(ExtractFilePath(exe) + "Account\\");
      d.SetFound();
    } else {
      d.Fail(exe + " がありません。");
    }
  }
  if (!d.Found()) d.Log("not exist");
}

void DiscoverEdMax(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  const std::string& root = stores.Root(mkEdMax);
  for (const auto& account : SubDirectories(fs, root + "Account*.*")) {
    TFolder* folder = node.AddChild(ntFolder, kMailFolderImage, account, account, account, false);
    ScanFolder(fs, root, *folder, "受信", account);

    const std::string sent_dir = account + "\\送信";
    TFolder* sent = folder->AddChild(ntFolder, kMailFolderImage, "送信", "送信", sent_dir, true);
    ScanFolder(fs, root, *sent, "待ち", sent_dir);
    ScanFolder(fs, root, *sent, "草稿", sent_dir);
    for (const auto& sub : SubDirectories(fs, root + sent_dir + "\\*.*")) {
      if (sub != "待ち" && sub != "草稿") ScanFolder(fs, root, *sent, sub, sent_dir);
    }

    ScanFolder(fs, root, *folder, "ごみ箱", account);
    for (const auto& sub : SubDirectories(fs, root + account + "\\*.*")) {
      if (sub != "受信" && sub != "送信" && sub != "ごみ箱")
        ScanFolder(fs, root, *folder, sub, account);
    }
  }
}

void EnumerateEdMax(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string base = stores.Root(mkEdMax) + folder.DataPath();
  const std::string mailbox = base + "\\" + folder.Caption() + ".mbx";
  const std::string flags_file = base + ".ctx";
  if (!FileExists(fs, mailbox) || !FileExists(fs, flags_file)) return;

  std::vector<bool> shown;
  if (!ForEachFileLine(fs, flags_file, [&shown](size_t, std::string_view line) {
        shown.push_back(StartsWith(line, "1"));
      })) {
    return;
  }
  // A message past the end of the flags has no flag saying it is hidden: it is listed.
  ForEachDotMessage(fs, mailbox, {}, [&](size_t number, int32_t first, int32_t last) {
    if (number >= shown.size() || shown[number]) folder.AddMail({mailbox, first, last});
  });
}

}  // namespace lorvane
