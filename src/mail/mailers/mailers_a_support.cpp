// Shared by the Becky!, Becky!2, EUDORA, Messenger and Winbiff procedures: the bounded
// folder scan and the two line-range mailbox layouts. Message text is read later by the
// mail reader, which splits files into lines exactly as ForEachFileLine does here.
// Tested by tests/mail/mailers/mailers_a_support_test.cpp and through those kinds' tests.

#include "mail/mailers/mailers_a_support.h"

#include <limits>

#include "common/mbstring.h"

namespace lorvane::mailers {

namespace {

// Line numbers beyond this cannot be addressed (TMail holds 32-bit line numbers).
constexpr size_t kMaxLine = static_cast<size_t>(std::numeric_limits<int32_t>::max());

}  // namespace

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

bool ListDotTerminated(IFileSystem& fs, const std::string& path, TFolder& folder) {
  size_t start = 0;
  return ForEachFileLine(fs, path, [&](size_t i, std::string_view line) {
    if (i > kMaxLine || line != ".") return;
    // A "." on line 0 closes an empty message whose range 0..-1 would read as the whole
    // file; it is left out.
    if (i > 0) {
      folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    }
    start = i + 1;
  });
}

bool ListSeparated(IFileSystem& fs, const std::string& path, std::string_view separator,
                   TFolder& folder) {
  size_t start = 1;
  size_t count = 0;
  const bool read = ForEachFileLine(fs, path, [&](size_t i, std::string_view line) {
    count = i + 1;
    if (i == 0 || i > kMaxLine || !StartsWith(line, separator)) return;
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(i - 1)});
    start = i + 1;
  });
  if (count > 0 && count - 1 <= kMaxLine && start <= kMaxLine) {
    folder.AddMail({path, static_cast<int32_t>(start), static_cast<int32_t>(count - 1)});
  }
  return read;
}

std::string DropLastChars(std::string_view name, int count) {
  return MBCopy(name, 1, MBLength(name) - count);
}

}  // namespace lorvane::mailers
