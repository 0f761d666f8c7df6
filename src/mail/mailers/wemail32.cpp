// Kind 15: WeMail32. The mail directory comes from the registry ("MailPath"), else from
// the "MAILPATH=" line of WeMail.ini in the Windows directory; its "Folder" directory is
// the root, and every directory below it is a folder whose files are messages, except
// the ".idx", ".ini" and ".wml" files WeMail32 keeps beside them.
// Tested by tests/mail/mailers/wemail32_test.cpp.

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/located_programs.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kWeMailKey = "HKEY_CURRENT_USER\\Software\\NTES\\WeMail32\\WeMail";

void DetectFromIni(TDetection& detection) {
  const std::string ini = WindowsDirectory(detection.Stores()) + "WeMail.ini";
  detection.Log(ini);
  std::vector<std::string> lines;
  if (!FileExists(detection.Stores().Fs(), ini)) {
    detection.Log("not exist");
    detection.Fail(ini + " がありません。");
    return;
  }
  ReadLines(detection.Stores().Fs(), ini, &lines);
  for (const auto& line : lines) {
    if (StartsWithUpper(line, "MAILPATH=")) {
      detection.SetRoot(EnsureTrailingSeparator(MBCopy(line, 10, 255)) + "Folder\\");
      detection.SetFound();
      return;
    }
  }
  detection.Log("no MailPath");
  detection.Fail(ini + " に MailPath= 行がありません。");
}

}  // namespace

void DetectWeMail32(TDetection& detection) {
  const std::string path = RegString(detection.Stores(), kWeMailKey, "MailPath");
  detection.Log(std::string(kWeMailKey) + "\\MailPath=" + path);
  if (path.empty()) {
    DetectFromIni(detection);
    return;
  }
  // The registry's path is used as WeMail32 wrote it, with its own final "\".
  const std::string folder_list = path + "Folder\\Folder.wml";
  if (FileExists(detection.Stores().Fs(), folder_list)) {
    detection.SetRoot(path + "Folder\\");
    detection.SetFound();
  } else {
    detection.Log(folder_list);
    detection.Log("not exist");
    detection.Fail(folder_list + " がありません。");
  }
}

void DiscoverWeMail32(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkWeMail32);
  AddDirectoryTree(stores.Fs(), node, root, SubDirectories(stores.Fs(), root + "*.*"),
                   [](TFolder& parent, const std::string&, const std::string& name) {
                     const std::string& up = parent.DataPath();
                     const std::string path = up.empty() ? name : up + "\\" + name;
                     return parent.AddChild(ntFolder, kMailFolderImage, name, name, path, true);
                   });
}

void EnumerateWeMail32(TMailStores& stores, TFolder& folder) {
  const std::string dir = stores.Root(mkWeMail32) + folder.DataPath() + "\\";
  for (const auto& name : Files(stores.Fs(), dir + "*.*")) {
    const std::string tail = UpperLastBytes(name, 4);
    if (tail == ".IDX" || tail == ".INI" || tail == ".WML") continue;
    folder.AddMail({dir + name, 0, -1});
  }
}

}  // namespace lorvane
