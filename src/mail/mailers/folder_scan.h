#pragma once
// A bounded depth-first scan over folder structures on disk, for the mail programs whose
// folders are found by walking directories or index files (Becky!, Becky!2, EUDORA,
// Messenger, Winbiff).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/folder.h"

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

// `name` without its last `count` characters (double-byte characters count as one).
std::string DropLastChars(std::string_view name, int count);

}  // namespace lorvane::mailers
