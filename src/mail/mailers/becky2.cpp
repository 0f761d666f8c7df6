// Kind 5, Becky!2: a data directory from the registry holding one "*.mb" directory per
// mailbox (account); below it every directory with a "Folder.ini" is a folder, nested to
// any depth. A folder keeps its messages in a ".bmf" file and their byte positions in
// "Folder.idx", one line a message, fields separated by 0x01.
// Tested by tests/mail/mailers/becky2_test.cpp.

#include <array>
#include <optional>

#include "common/exception.h"
#include "common/messages.h"
#include "common/mbstring.h"
#include "common/number_parse.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "mail/mailers/folder_scan.h"

namespace lorvane {

using namespace mailers;

namespace {

// Ends in "\": the log line and the message that append "\Settings" show the separator
// doubled. They are the log's fixed texts and stay so.
constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\";
constexpr char kFieldSeparator = '\x01';
// Index fields, counted from 0 (the text before the first separator).
constexpr size_t kOffsetField = 1;
constexpr size_t kSizeField = 12;

// The trimmed rest of the file's first line that begins with "NAME=".
std::optional<std::string> NameLine(IFileSystem& fs, const std::string& path) {
  std::vector<std::string> lines;
  ReadLines(fs, path, &lines);
  for (const auto& line : lines) {
    if (StartsWithUpper(line, "NAME=")) return std::string(Trim(std::string_view(line).substr(5)));
  }
  return std::nullopt;
}

std::string FolderCaption(IFileSystem& fs, const std::string& dir, const std::string& name) {
  static const struct {
    const char* upper_name;
    const char* caption;
  } kStandard[] = {{"!!!!INBOX", "受信箱"}, {"!!!!OUTBOX", "送信箱"},       {"!!!DRAFT", "草稿"},
                   {"!!!SENT", "送信済み"}, {"!!!XREMINDER", "リマインダ"}, {"!TRASH", "ごみ箱"}};
  const std::string upper = UpperAscii(name);
  for (const auto& s : kStandard) {
    if (upper == s.upper_name) return s.caption;
  }
  return NameLine(fs, dir + "\\" + name + "\\Folder.ini").value_or(name);
}

[[noreturn]] void ThrowBadField(const std::string& index, size_t line, std::string_view field) {
  const std::string shown = MBCopy(field, 1, 40);
  throw Exception(Format(msg::kBadHexOffsetOrSize,
                         {index, Num(static_cast<long long>(line) + 1), shown}));
}

// An unsigned hexadecimal field that fits a message address (at most 0x7FFFFFFF).
std::optional<int32_t> HexField(std::string_view text) {
  const std::optional<uint64_t> value = ParseDigits(text, 16, 0x7FFFFFFF);
  if (!value) return std::nullopt;
  return static_cast<int32_t>(*value);
}

}  // namespace

void DetectBecky2(TDetection& detection) {
  TMailStores& stores = detection.Stores();
  const std::string key = kKey;
  std::string dir = RegString(stores, key + "Settings", "DataDir");
  detection.Log(key + "\\Settings\\DataDir=" + dir);
  if (dir.empty()) {
    // Not even a directory to look in; the drive's root is no candidate.
    detection.Fail(key + "\\Settings\\DataDir がありません。");
  } else {
    dir = EnsureTrailingSeparator(dir);
    for (const auto& name : SubDirectories(stores.Fs(), dir + "*.mb")) {
      if (FileExists(stores.Fs(), dir + name + "\\Mailbox.ini")) {
        detection.SetRoot(dir);
        detection.SetFound();
        return;
      }
      detection.Log(dir + name + "\\Mailbox.ini がありません");
    }
  }
  detection.Log("no mailbox");
  if (detection.Message().empty()) {
    detection.Fail(dir + " に有効なメールボックスがありません。");
  }
}

void DiscoverBecky2(TMailStores& stores, TFolder& node) {
  const std::string& root = stores.Root(mkBecky2);
  IFileSystem& fs = stores.Fs();
  for (const auto& box : SubDirectories(fs, root + "*.mb")) {
    if (!FileExists(fs, root + box + "\\Mailbox.ini")) continue;
    const std::string caption =
        NameLine(fs, root + box + "\\Mailbox.ini").value_or(DropLastChars(box, 3));
    TFolder* mailbox = node.AddChild(ntFolder, kMailFolderImage, caption, box, box, false);
    ScanFolders({mailbox, box}, [&](const TFolderScan& s) {
      const std::string dir = root + s.path;
      std::vector<std::string> names;
      for (auto& name : SubDirectories(fs, dir + "\\*.*")) {
        if (FileExists(fs, dir + "\\" + name + "\\Folder.ini")) names.push_back(std::move(name));
      }
      SortByUpperName(names);
      std::vector<TFolderScan> children;
      for (const auto& name : names) {
        const std::string path = s.path + "\\" + name;
        children.push_back({s.node->AddChild(ntFolder, kMailFolderImage,
                                             FolderCaption(fs, dir, name), name, path, true),
                            path});
      }
      return children;
    });
  }
}

void EnumerateBecky2(TMailStores& stores, TFolder& folder) {
  IFileSystem& fs = stores.Fs();
  const std::string dir = stores.Root(mkBecky2) + folder.DataPath();
  const std::vector<std::string> mailboxes = Files(fs, dir + "\\*.bmf");
  if (mailboxes.empty()) return;
  const std::string mailbox = dir + "\\" + mailboxes.front();
  const std::string index = dir + "\\Folder.idx";
  ForEachFileLine(fs, index, [&](size_t i, std::string_view line) {
    if (i == 0) return;  // the index's own header
    // Fields 0 to 12; the last runs to the next separator or to the end of the line.
    std::array<std::string_view, kSizeField + 1> fields;
    size_t separators = 0;
    for (size_t k = 0, start = 0; k < fields.size(); ++k) {
      const size_t end = line.find(kFieldSeparator, start);
      fields[k] = line.substr(start, end == std::string_view::npos ? end : end - start);
      if (end == std::string_view::npos) break;
      ++separators;
      start = end + 1;
    }
    if (separators < kSizeField) return;
    const std::optional<int32_t> offset = HexField(fields[kOffsetField]);
    if (!offset) ThrowBadField(index, i, fields[kOffsetField]);
    const std::optional<int32_t> size = HexField(fields[kSizeField]);
    if (!size) ThrowBadField(index, i, fields[kSizeField]);
    const int64_t last = static_cast<int64_t>(*offset) + *size - 1;
    if (last > 0x7FFFFFFF) ThrowBadField(index, i, fields[kSizeField]);
    folder.AddMail({mailbox, *offset, static_cast<int32_t>(last)});
  });
}

}  // namespace lorvane
