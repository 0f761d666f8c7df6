// Kind 8, EUDORA: the mail directory is the second word of the command line the program
// left in the registry. Each directory's "descmap.pce" lists its mailboxes and folders
// ("name,file,type,..."); a folder is a directory with a description map of its own. A
// mailbox holds messages each beginning with a "From ???@??? " line.
// Tested by tests/mail/mailers/eudora_test.cpp.

#include "common/mbstring.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/folder_scan.h"
#include "mail/mailers/line_mailboxes.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine";
constexpr const char* kDescriptionMap = "descmap.pce";

// The second blank-separated word of a command line ("" when there is none). Blanks are
// single bytes that no trail byte equals, so a byte search is safe.
std::string SecondWord(const std::string& command_line) {
  const size_t first_blank = command_line.find(' ');
  const std::string rest =
      first_blank == std::string::npos ? command_line : command_line.substr(first_blank + 1);
  const size_t blank = rest.find(' ');
  return blank == std::string::npos ? std::string() : rest.substr(0, blank);
}

}  // namespace

void DetectEudora(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  const std::string key = kKey;
  const std::string current = RegString(stores, key, "Current");
  detection.Log(key + "\\Current=" + current);
  if (current.empty()) {
    detection.Fail(key + "\\Current がありません。");
  } else {
    const std::string dir = EnsureTrailingSeparator(SecondWord(current));
    detection.Log(dir);
    if (stores.Fs().Exists(dir + kDescriptionMap)) {
      detection.SetRoot(dir);
      detection.SetFound();
      return;
    }
    detection.Fail(dir + kDescriptionMap + " がありません。");
  }
  detection.Log("not exist");
}

void DiscoverEudora(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkEudora);
  IFileSystem& fs = stores.Fs();
  // A scan's path is the folder's directory relative to the root, "" or ending in "\".
  ScanFolders({&node, ""}, [&](const TFolderScan& s) {
    std::vector<TFolderScan> children;
    std::vector<std::string> lines;
    ReadLines(fs, root + s.path + kDescriptionMap, &lines);  // none when it is missing
    for (const auto& line : lines) {
      if (Trim(line).empty()) continue;
      const size_t comma = line.find(',');
      const size_t comma2 = comma == std::string::npos ? comma : line.find(',', comma + 1);
      // A line without name and file fields would name the directory itself.
      if (comma2 == std::string::npos || comma2 == comma + 1) continue;
      const std::string name = line.substr(0, comma);
      const std::string file = line.substr(comma + 1, comma2 - comma - 1);
      const int length = MBLength(line);
      const bool folder = length >= 3 && MBCopy(line, length - 2, 1) == "F";
      TFolder* child =
          s.node->AddChild(ntFolder, kMailFolderImage, name, file, s.path + file, !folder);
      if (folder) children.push_back({child, s.path + file + "\\"});
    }
    return children;
  });
}

void EnumerateEudora(TMailStores& stores, TFolder& folder) {
  ListSeparated(stores.Fs(), stores.Root(mkEudora) + folder.DataPath(), "From ???@??? ", folder);
}

}  // namespace lorvane
