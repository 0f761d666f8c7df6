#pragma once
// What the procedures of Becky!, Becky!2, EUDORA, Messenger and Winbiff share: a bounded
// depth-first scan over folder structures on disk, and the two mailbox layouts whose
// messages are ranges of lines ("." lines ending messages, or separator lines starting
// them).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/folder.h"
#include "mail/mailers/mailer_support.h"
#include "platform/file_system.h"

namespace lorvane::mailers {

// A folder node whose own sub-folders are still to be found, and where they lie.
struct TFolderScan {
  TFolder* node;
  std::string path;
};

// Folders scanned at most in one scan: with the depth limit, this ends a store whose
// directories link back to themselves more than once per level.
constexpr int kMaxScannedFolders = 100000;

// Calls `expand` for `top` and then for every folder it hands back, depth first, with an
// explicit stack. `expand` adds the node's children in display order and returns those
// that have sub-folders of their own to scan. Nodes deeper than kMaxFolderDepth are not
// expanded.
void ScanFolders(TFolderScan top,
                 const std::function<std::vector<TFolderScan>(const TFolderScan&)>& expand);

// Appends the messages of a mailbox whose messages end at a "." line (the first starting
// at line 0); text after the last "." line is no message. False when the file does not
// exist or cannot be read.
bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder);

// Appends the messages of a mailbox whose messages begin after separator lines: line 0 is
// the first separator whatever it holds, every line beginning with `separator` closes the
// message before it (two in a row give an empty range), and the end of the file closes
// the last one. False when the file does not exist or cannot be read.
bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder);

// `name` without its last `count` characters (double-byte characters count as one).
std::string DropLastChars(std::string_view name, int count);

}  // namespace lorvane::mailers
