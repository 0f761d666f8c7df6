#pragma once
// The folder tree: one node per detected mail program (and one for the user's
// directories), in catalogue order, with their folders below.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mail/folder.h"

namespace lorvane {

// Every node of the subtree below and including `top`, children before their parent and
// siblings in order (post-order).
void ForEachInSubtreeChildrenFirst(TFolder& top, const std::function<void(TFolder&)>& visit);

class TFolderTree {
 public:
  explicit TFolderTree(TIniFile& ini) : ini_(ini) {}
  TFolderTree(const TFolderTree&) = delete;
  TFolderTree& operator=(const TFolderTree&) = delete;

  TIniFile& Ini() const { return ini_; }

  int MailerCount() const { return static_cast<int>(mailers_.size()); }
  TFolder* Mailer(int i) const;
  void Clear() { mailers_.clear(); }
  // Creates a mail-program node (its stored states loaded) at the end of the list.
  TFolder* AppendMailer(int kind, int image_index, std::string caption, std::string key);

  // Every node in display order: node before its children.
  void ForEachNode(const std::function<void(TFolder&)>& visit) const;
  // Every node, children before their parent (each top-level subtree in turn).
  void ForEachNodeChildrenFirst(const std::function<void(TFolder&)>& visit) const;
  // The folders a search takes part in, in display order: nodes whose shown state is even,
  // without descending below a node shown as 3.
  std::vector<TFolder*> SelectedFolders() const;
  // A node without children keeps no subtree state: 3 becomes 1 and 4 becomes 2 (stored).
  // Whoever shows the tree calls this once the tree is built.
  void SettleLeafStates();
  // The node whose FullCaption is `full_caption` (exact bytes), or nullptr.
  TFolder* FindByFullCaption(const std::string& full_caption) const;

 private:
  TIniFile& ini_;
  std::vector<std::unique_ptr<TFolder>> mailers_;
};

}  // namespace lorvane
