// Kind 16, Winbiff: the mail directory is found from the most recent file the program
// opened. Below it every file without "." in its name is a mailbox folder and every
// directory a container of further folders. Messages end at "." lines; a mailbox may have
// a companion "<name>.add" with more messages in the same form.
// Tested by tests/mail/mailers/winbiff_test.cpp.

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/folder_scan.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\Recent File List";
constexpr std::string_view kMailDir = "\\MAIL\\";

// `dir` cut after its last "\MAIL\" (any letter case, at character starts only: a trail
// byte 0x5C is no separator); "" when it has none.
std::string CutAfterMailDir(const std::string& dir) {
  const std::string upper = UpperAscii(dir);
  size_t cut = std::string::npos;
  for (size_t i = 0; i < upper.size(); i += CharWidthAt(upper, i)) {
    if (std::string_view(upper).substr(i, kMailDir.size()) == kMailDir) cut = i + kMailDir.size();
  }
  return cut == std::string::npos ? std::string() : dir.substr(0, cut);
}

}  // namespace

void DetectWinbiff(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  const std::string key = kKey;
  const std::string file = RegString(stores, key, "File1");
  detection.Log(key + "\\File1=" + file);
  if (file.empty()) {
    detection.Fail(key + "\\File1 がありません。");
    return;
  }
  if (!FileExists(stores.Fs(), file)) {
    detection.Log("not found");
    detection.Fail(file + " が見つかりません。");
    return;
  }
  std::string dir = EnsureTrailingSeparator(ExtractFilePath(file));
  // A directory that already ends in "\MAIL\" is the mail directory itself.
  std::string mail_dir = CutAfterMailDir(dir);
  if (mail_dir.empty() && stores.Fs().Exists(dir + "Mail\\*.*")) mail_dir = dir + "Mail\\";
  if (mail_dir.empty()) {
    detection.Fail("メールのディレクトリが見つかりません。");
    return;
  }
  detection.SetRoot(mail_dir);
  detection.SetFound();
}

void DiscoverWinbiff(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkWinbiff);
  IFileSystem& fs = stores.Fs();
  // A scan's path is the container's directory relative to the root ("" for the root).
  ScanFolders({&node, ""}, [&](const TFolderScan& s) {
    const std::string dir = s.path.empty() ? root : root + s.path + "\\";
    const std::string prefix = s.path.empty() ? "" : s.path + "\\";
    for (const auto& name : Files(fs, dir + "*.*")) {
      if (name.find('.') == std::string::npos) {
        s.node->AddChild(ntFolder, kMailFolderImage, name, name, prefix + name, true);
      }
    }
    std::vector<TFolderScan> children;
    for (const auto& name : SubDirectories(fs, dir + "*.*")) {
      children.push_back(
          {s.node->AddChild(ntFolder, kMailFolderImage, name, name, prefix + name, false),
           prefix + name});
    }
    return children;
  });
}

void EnumerateWinbiff(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string mailbox = stores.Root(mkWinbiff) + folder.DataPath();
  // A mailbox that exists but cannot be read ends the folder's listing.
  if (!ListDotTerminated(fs, mailbox, folder) && fs.Exists(mailbox)) return;
  if (FileExists(fs, mailbox + ".add")) ListDotTerminated(fs, mailbox + ".add", folder);
}

}  // namespace lorvane
