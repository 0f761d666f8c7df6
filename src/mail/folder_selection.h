#pragma once
// Folder-selection files: which folders of the tree are expanded and searched, a node a
// line, so that a set of folders can be kept and brought back. CP932, CR LF:
//
//   フォルダ選択の設定（仕事）        the title, with the alias in full-width parentheses
//   E2Becky!                        E/C (expanded or not), the stored Status, FullCaption
//   C4Becky!\taro\受信箱
//
// Applying one changes only the folders' stored states; whoever shows the tree reads
// Expanded() and ShownState() of every node again afterwards.

#include <string>
#include <string_view>

#include "mail/folder_tree.h"

namespace lorvane {

class IFileSystem;

// The file's text for the tree as it is now; no parentheses when `alias` is empty.
std::string FolderSelectionText(const TFolderTree& tree, const std::string& alias);
// Writes it atomically; false and `error` when it cannot be written.
bool SaveFolderSelection(IFileSystem& fs, const std::string& path, const TFolderTree& tree,
                         const std::string& alias, std::string* error);

enum class TSelectionStatus {
  kApplied,
  kNotASelectionFile,  // no title: the tree is unchanged
  kUnreadable,         // the tree is unchanged; `error` says why
};

// Applies a selection file's text to the tree: every node whose FullCaption a line names
// (letter case aside; the first such line) takes that line's expansion and check state,
// children before their parent, so a parent's 3 or 4 has the last word. Nodes the text
// does not name, lines naming no node, and lines without a state digit change nothing.
TSelectionStatus ApplyFolderSelection(TFolderTree& tree, std::string_view text);
TSelectionStatus LoadFolderSelection(IFileSystem& fs, const std::string& path, TFolderTree& tree,
                                     std::string* error);

// The alias of a title line "フォルダ選択の設定（NAME）": true and NAME (the bytes after the
// opening parenthesis less the last two) when the line begins with the title and "（".
bool AliasOfTitle(std::string_view first_line, std::string* alias);

// path + " はフォルダ選択の設定のファイルではありません。", shown with the caption "エラー".
std::string NotASelectionFileMessage(const std::string& path);
std::string NotASelectionFileCaption();

}  // namespace lorvane
