// Kind 9: HyperMailer. The "open" command of its document class names the program; the
// data root is the program's directory. A folder X is the pair X.hm and X.mb there, a
// directory X.hm holds the folders below X. In X.mb line 0 and the line after each "."
// belong to no message; a "." line ends a message.
// Tested by tests/mail/mailers/hypermailer_test.cpp.

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kCommandKey = "HKEY_CLASSES_ROOT\\HMAIL.Document\\shell\\open\\command";
constexpr std::string_view kDdeSwitch = " /dde";

}  // namespace

void DetectHyperMailer(TDetection& d) {
  TMailStores& stores = d.Stores();
  const std::string key = kCommandKey;
  std::string command = RegString(stores, key, "");
  d.Log(key + "\\(標準)=" + command);
  if (command.empty()) {
    d.Fail(key + "\\(標準) がありません。");
  } else {
    if (command.ends_with(kDdeSwitch)) command.resize(command.size() - kDdeSwitch.size());
    // A quoted program path is still the program.
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"') {
      command = command.substr(1, command.size() - 2);
    }
    if (FileExists(stores.Fs(), command)) {
      d.SetRoot(ExtractFilePath(command));
      d.SetFound();
    } else {
      d.Fail(command + " がありません。");
    }
  }
  if (!d.Found()) d.Log("not exist");
}

void DiscoverHyperMailer(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  const std::string& root = stores.Root(mkHyperMailer);
  struct TWork {
    TFolder* parent;
    std::string dir;  // relative to the root; empty for the root itself
    int depth;
  };
  std::vector<TWork> stack = {{&node, "", 0}};
  while (!stack.empty()) {
    const TWork w = stack.back();
    stack.pop_back();
    if (w.depth >= kMaxFolderDepth) continue;
    const std::string prefix = w.dir.empty() ? "" : w.dir + "\\";
    std::vector<TWork> children;
    for (const TDirEntry& e : fs.List(root + prefix + "*.hm")) {
      if ((e.attributes & faVolumeLabel) != 0 || e.name.size() < 3) continue;
      const std::string name = e.name.substr(0, e.name.size() - 3);
      if ((e.attributes & faDirectory) == 0) {
        w.parent->AddChild(ntFolder, kMailFolderImage, name, name, prefix + name, true);
      } else if (e.name[0] != '.') {
        TFolder* folder =
            w.parent->AddChild(ntFolder, kMailFolderImage, name, name, prefix + name, false);
        children.push_back({folder, prefix + e.name, w.depth + 1});
      }
    }
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

void EnumerateHyperMailer(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string mailbox = stores.Root(mkHyperMailer) + folder.DataPath() + ".mb";
  if (!FileExists(fs, mailbox)) return;
  ForEachDotMessage(fs, mailbox, {.first = 1, .skipped_after_dot = 1},
                    [&](size_t, int32_t first, int32_t last) {
                      folder.AddMail({mailbox, first, last});
                    });
}

}  // namespace lorvane
