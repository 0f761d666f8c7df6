// Kind 6: Datula. The registry (under Datula's key, or the key of its predecessor when
// Datula's has no root) gives the data root and the accounts; an account directory holds
// one .ini and one .idx per folder, a sub-folder's files carrying the parent's name and a
// dot in front of their own ("a.b.idx" is b below a). The .idx is the folder's mail file:
// index lines ("xxxxx" then the first and last line numbers of a message, each followed by
// a TAB) and the message lines they point at.
// Tested by tests/mail/mailers/datula_test.cpp.

#include <unordered_set>

#include "common/lines.h"
#include "common/mbstring.h"
#include "common/number_parse.h"
#include "mail/folder.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/index_files.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr const char* kDatulaKey = "HKEY_CURRENT_USER\\Software\\OnSystems\\Datula\\Properties";
constexpr const char* kServantKey =
    "HKEY_CURRENT_USER\\Software\\AONO\\InternetServant\\Properties";
// "numProperties" comes from the registry; a damaged count must not mean a billion reads.
constexpr int kMaxAccounts = 1000;
// Where the numbers of an index line begin (after five bytes of its own).
constexpr size_t kIndexFieldsAt = 5;

int AccountCount(TMailStores& stores, const std::string& key) {
  return std::min(RegInteger(stores, key, "numProperties"), kMaxAccounts);
}

// The key whose "rootPath" is set: Datula's own, else its predecessor's.
std::string PropertiesKey(TMailStores& stores) {
  return RegString(stores, kDatulaKey, "rootPath").empty() ? kServantKey : kDatulaKey;
}

struct TStandardFolder {
  const char* caption;
  const char* key;
};
constexpr TStandardFolder kStandardFolders[] = {
    {"受信箱", "INBOX"}, {"送信控え", "outbox"}, {"草稿", "draftbox"}, {"ごみ箱", "trashbox"}};

// Folder `name` of the account directory `dir` (relative to the root, ending in "\") and
// its sub-folders, found among the account's .ini files `inis`; depth first, explicit
// stack.
void ScanFolder(TFolder& parent, const std::string& dir, const std::string& name,
                const std::vector<std::string>& inis) {
  struct TWork {
    TFolder* parent;
    std::string name;
    std::string prefix;
    int depth;
  };
  std::vector<TWork> stack = {{&parent, name, "", 0}};
  while (!stack.empty()) {
    const TWork w = stack.back();
    stack.pop_back();
    TFolder* node = w.parent->AddChild(ntFolder, kMailFolderImage, w.name, w.name,
                                       dir + w.prefix + w.name + ".idx", true);
    if (w.depth + 1 >= kMaxFolderDepth) continue;
    const std::string prefix = w.prefix + w.name + ".";
    const std::string upper_prefix = UpperAscii(prefix);
    std::vector<TWork> children;
    for (const auto& ini : inis) {
      // prefix + sub + ".ini", sub not empty and without a dot.
      if (ini.size() <= prefix.size() + 4 ||
          UpperAscii(ini.substr(0, prefix.size())) != upper_prefix) {
        continue;
      }
      const std::string sub = ini.substr(prefix.size(), ini.size() - prefix.size() - 4);
      if (sub.find('.') != std::string::npos) continue;
      children.push_back({node, sub, prefix, w.depth + 1});
    }
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

}  // namespace

void DetectDatula(TDetection& d) {
  TMailStores& stores = d.Stores();
  std::string key = kDatulaKey;
  std::string root = RegString(stores, key, "rootPath");
  d.Log(key + "\\rootPath=" + root);
  if (root.empty()) {
    key = kServantKey;
    root = RegString(stores, key, "rootPath");
    d.Log(key + "\\rootPath=" + root);
  }
  if (root.empty()) {
    // Not logged as a failure; shown only when the user asked for Datula.
    d.Fail(std::string(kDatulaKey) + "\\rootPath がありません。");
    return;
  }
  root = EnsureTrailingSeparator(root);
  const int count = AccountCount(stores, key);
  for (int i = 0; i < count; ++i) {
    const std::string account_key = key + "\\Account" + Num(i);
    const std::string caption = RegString(stores, account_key, "caption");
    if (caption.empty()) continue;
    d.Log(account_key + "\\caption=" + caption);
    const std::string inbox = root + "Account" + Num(i) + "\\INBOX.ini";
    if (FileExists(stores.Fs(), inbox)) {
      d.SetRoot(root);
      d.SetFound();
      return;
    }
    d.AppendMessage(key + "\\rootPath=" + root + "\r\n" + account_key + "\\caption=" + caption +
                    "\r\n" + " と書かれていますが、" + inbox + " はありません。\r\n");
  }
  d.Log("no folders");
  if (d.Message().empty()) d.Fail(key + " に有効なエントリがありません。");
}

void DiscoverDatula(TMailStores& stores, TFolder& node) {
  IFileSystem& fs = stores.Fs();
  const std::string& root = stores.Root(mkDatula);
  const std::string key = PropertiesKey(stores);
  const int count = AccountCount(stores, key);
  for (int i = 0; i < count; ++i) {
    const std::string account = "Account" + Num(i);
    const std::string account_dir = root + account + "\\";
    if (!FileExists(fs, account_dir + "*.ini") && !FileExists(fs, account_dir + "*.idx")) continue;
    const std::string account_key = key + "\\" + account;
    std::string caption = RegString(stores, account_key, "caption");
    if (caption.empty()) caption = account;
    TFolder* folder = node.AddChild(ntFolder, kMailFolderImage, caption, account, account, false);

    std::vector<std::string> inis;
    std::vector<std::string> names;
    for (const auto& file : Files(fs, account_dir + "*.i*")) {
      const std::string ext = UpperAscii(file.size() >= 4 ? file.substr(file.size() - 4) : "");
      if (ext == ".INI") inis.push_back(file);
      if (ext == ".INI" || ext == ".IDX") names.push_back(file.substr(0, file.size() - 4));
    }
    std::unordered_set<std::string> handled = {"INBOX", "OUTBOX", "DRAFTBOX", "TRASHBOX"};
    for (const auto& name : names) {
      if (name.find('.') != std::string::npos || !handled.insert(UpperAscii(name)).second) {
        continue;
      }
      ScanFolder(*folder, account + "\\", name, inis);
    }
    if (RegInteger(stores, account_key, "KindOfFolder") == 1) {
      for (const TStandardFolder& f : kStandardFolders) {
        folder->AddChild(ntFolder, kMailFolderImage, f.caption, f.key,
                         account + "\\" + f.key + ".idx", true);
      }
    }
  }
}

void EnumerateDatula(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string file = stores.Root(mkDatula) + folder.DataPath();
  std::string bytes;
  if (!FileExists(fs, file) || fs.ReadFile(file, &bytes) != TReadStatus::kOk) return;
  const std::vector<std::string_view> lines = SplitLines(bytes);

  // The lines of the messages listed so far are their text, not index lines. Counted
  // with a difference array: `starts_here[j]` more messages cover line j onwards, so
  // overlapping ranges cost nothing extra.
  std::vector<int32_t> starts_here(lines.size() + 1, 0);
  int32_t covering = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    covering += starts_here[i];
    const std::string_view line = lines[i];
    if (covering > 0 || line.empty()) continue;

    const std::string_view fields = line.size() > kIndexFieldsAt ? line.substr(kIndexFieldsAt) : "";
    const size_t tab1 = fields.find('\t');
    const std::string_view first_text = fields.substr(0, tab1);
    const std::optional<int32_t> first =
        tab1 == std::string_view::npos ? std::nullopt : ParseDecimal32(first_text);
    if (!first) throw BadNumberField(file, i, first_text, false);
    const std::string_view rest = fields.substr(tab1 + 1);
    const size_t tab2 = rest.find('\t');
    const std::string_view last_text = rest.substr(0, tab2);
    const std::optional<int32_t> last =
        tab2 == std::string_view::npos ? std::nullopt : ParseDecimal32(last_text);
    if (!last) throw BadNumberField(file, i, last_text, false);
    folder.AddMail({file, *first, *last});

    // Only lines after this one can still be skipped; the range is clamped to the file.
    const int64_t from = std::max<int64_t>(*first, static_cast<int64_t>(i) + 1);
    const int64_t to = std::min<int64_t>(*last, static_cast<int64_t>(lines.size()) - 1);
    if (from <= to) {
      ++starts_here[static_cast<size_t>(from)];
      --starts_here[static_cast<size_t>(to) + 1];
    }
  }
}

}  // namespace lorvane
