// Folder-selection files: writing the tree's states, and applying a file's to the tree.
// Lines come from disk: a line too short for its state digit, or with a byte there that
// is no state, is passed over; a line's path starts at byte 3 whatever bytes 1 and 2 are.
// The alias table (alias_table.cpp) keeps such files under names.
// Tested by tests/mail/folder_selection_test.cpp.

#include "mail/folder_selection.h"

#include <unordered_map>
#include <vector>

#include "common/lines.h"
#include "common/mbstring.h"
#include "mail/folder_checks.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr std::string_view kTitle = "フォルダ選択の設定";
constexpr std::string_view kOpen = "（";
constexpr std::string_view kClose = "）";
constexpr size_t kPathStart = 2;  // bytes 1 and 2 are E/C and the state digit

// The states a line may carry; 5 and 6 are only shown and store nothing, 0 and 7 to 9
// would store a state no node can have.
bool IsStateDigit(char c) {
  return c >= '0' + csUnchecked && c <= '0' + csGreyChecked;
}

}  // namespace

std::string FolderSelectionText(const TFolderTree& tree, const std::string& alias) {
  std::string text(kTitle);
  if (!alias.empty()) text += std::string(kOpen) + alias + std::string(kClose);
  text += "\r\n";
  tree.ForEachNode([&text](TFolder& node) {
    text += node.Expanded() ? 'E' : 'C';
    text += std::to_string(node.Status());
    text += node.FullCaption();
    text += "\r\n";
  });
  return text;
}

bool SaveFolderSelection(IFileSystem& fs, const std::string& path, const TFolderTree& tree,
                         const std::string& alias, std::string* error) {
  return fs.ReplaceFile(path, FolderSelectionText(tree, alias), error);
}

TSelectionStatus ApplyFolderSelection(TFolderTree& tree, std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || lines[0].substr(0, kTitle.size()) != kTitle) {
    return TSelectionStatus::kNotASelectionFile;
  }
  // Upper-cased path -> its first line. The title line takes part like any other: its
  // "path" names no folder a tree could have.
  std::unordered_map<std::string, size_t> first_line;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view path =
        lines[i].size() > kPathStart ? lines[i].substr(kPathStart) : std::string_view();
    first_line.try_emplace(UpperAscii(path), i);
  }
  tree.ForEachNodeChildrenFirst([&](TFolder& node) {
    const auto it = first_line.find(UpperAscii(node.FullCaption()));
    if (it == first_line.end()) return;
    const std::string_view line = lines[it->second];
    if (line.size() < kPathStart || !IsStateDigit(line[1])) return;
    node.SetExpanded(line[0] == 'E');
    ApplyCheckState(node, line[1] - '0');
  });
  return TSelectionStatus::kApplied;
}

TSelectionStatus LoadFolderSelection(IFileSystem& fs, const std::string& path, TFolderTree& tree,
                                     std::string* error) {
  std::string bytes;
  if (fs.ReadFile(path, &bytes, error) != TReadStatus::kOk) return TSelectionStatus::kUnreadable;
  return ApplyFolderSelection(tree, bytes);
}

bool AliasOfTitle(std::string_view first_line, std::string* alias) {
  const size_t prefix = kTitle.size() + kOpen.size();
  if (first_line.size() < prefix || first_line.substr(0, kTitle.size()) != kTitle ||
      first_line.substr(kTitle.size(), kOpen.size()) != kOpen) {
    return false;
  }
  // The closing parenthesis is taken as two bytes, whatever they are.
  const size_t end = first_line.size() >= prefix + kClose.size() ? first_line.size() - kClose.size()
                                                                 : prefix;
  *alias = std::string(first_line.substr(prefix, end - prefix));
  return true;
}

std::string NotASelectionFileMessage(const std::string& path) {
  return path + " はフォルダ選択の設定のファイルではありません。";
}

std::string NotASelectionFileCaption() {
  return "エラー";
}

}  // namespace lorvane
