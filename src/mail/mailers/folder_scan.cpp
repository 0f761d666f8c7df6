// The bounded folder scan: an explicit stack, a depth limit and a folder budget, so a store
// whose directories link back to themselves ends.
// Tested by tests/mail/mailers/folder_scan_test.cpp and through the kinds' tests.

#include "mail/mailers/folder_scan.h"

#include "common/mbstring.h"
#include "mail/mailers/mailer_support.h"

namespace lorvane::mailers {

void ScanFolders(TFolderScan top,
                 const std::function<std::vector<TFolderScan>(const TFolderScan&)>& expand) {
  struct Pending {
    TFolderScan scan;
    int depth;
  };
  std::vector<Pending> stack;
  stack.push_back({std::move(top), 0});
  int scanned = 0;
  while (!stack.empty() && scanned < kMaxScannedFolders) {
    Pending p = std::move(stack.back());
    stack.pop_back();
    if (p.depth >= kMaxFolderDepth) continue;
    ++scanned;
    std::vector<TFolderScan> children = expand(p.scan);
    // Each node's children were added in order by `expand`, so the order in which
    // subtrees are filled does not change the tree; reversed only to read naturally.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      stack.push_back({std::move(*it), p.depth + 1});
    }
  }
}

std::string DropLastChars(std::string_view name, int count) {
  return MBCopy(name, 1, MBLength(name) - count);
}

}  // namespace lorvane::mailers
