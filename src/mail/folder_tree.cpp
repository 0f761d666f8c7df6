// The folder tree's top-level list and its walks. The selection walk goes depth first in
// display order; a node shown as 3 hides its whole subtree, a node shown as 1 or 5 is not
// searched but its children are visited. Walks use an explicit stack (trees come from
// disk and may be deep).
// Tested by tests/mail/folder_tree_test.cpp.

#include "mail/folder_tree.h"

namespace lorvane {

TFolder* TFolderTree::Mailer(int i) const {
  return i >= 0 && i < MailerCount() ? mailers_[static_cast<size_t>(i)].get() : nullptr;
}

TFolder* TFolderTree::AppendMailer(int kind, int image_index, std::string caption,
                                   std::string key) {
  mailers_.push_back(std::make_unique<TFolder>(ini_, kind, ntMailer, image_index, "",
                                               std::move(caption), "", std::move(key), "", false));
  return mailers_.back().get();
}

namespace {

// Depth-first, pre-order; `descend` decides whether a node's children are visited.
void Walk(const std::vector<TFolder*>& roots, const std::function<bool(TFolder&)>& visit) {
  std::vector<TFolder*> stack(roots.rbegin(), roots.rend());
  while (!stack.empty()) {
    TFolder* node = stack.back();
    stack.pop_back();
    if (!visit(*node)) continue;
    for (int i = node->ChildCount(); i-- > 0;) stack.push_back(node->Child(i));
  }
}

}  // namespace

void ForEachInSubtreeChildrenFirst(TFolder& top, const std::function<void(TFolder&)>& visit) {
  struct Work {
    TFolder* node;
    bool children_done;
  };
  std::vector<Work> stack = {{&top, false}};
  while (!stack.empty()) {
    const Work w = stack.back();
    stack.pop_back();
    if (w.children_done) {
      visit(*w.node);
      continue;
    }
    stack.push_back({w.node, true});
    for (int i = w.node->ChildCount() - 1; i >= 0; --i) stack.push_back({w.node->Child(i), false});
  }
}

void TFolderTree::ForEachNodeChildrenFirst(const std::function<void(TFolder&)>& visit) const {
  for (const auto& m : mailers_) ForEachInSubtreeChildrenFirst(*m, visit);
}

void TFolderTree::ForEachNode(const std::function<void(TFolder&)>& visit) const {
  std::vector<TFolder*> roots;
  for (const auto& m : mailers_) roots.push_back(m.get());
  Walk(roots, [&visit](TFolder& node) {
    visit(node);
    return true;
  });
}

std::vector<TFolder*> TFolderTree::SelectedFolders() const {
  std::vector<TFolder*> roots;
  for (const auto& m : mailers_) roots.push_back(m.get());
  std::vector<TFolder*> selected;
  Walk(roots, [&selected](TFolder& node) {
    const int shown = node.ShownState();
    if (shown % 2 == 0) selected.push_back(&node);
    return shown != csSubtreeUnchecked;
  });
  return selected;
}

void TFolderTree::SettleLeafStates() {
  ForEachNode([](TFolder& node) {
    if (node.ChildCount() == 0 &&
        (node.Status() == csSubtreeUnchecked || node.Status() == csSubtreeChecked)) {
      node.SetStatus(node.Status() - 2);
    }
  });
}

TFolder* TFolderTree::FindByFullCaption(const std::string& full_caption) const {
  TFolder* found = nullptr;
  std::vector<TFolder*> roots;
  for (const auto& m : mailers_) roots.push_back(m.get());
  Walk(roots, [&](TFolder& node) {
    if (found == nullptr && node.FullCaption() == full_caption) found = &node;
    return found == nullptr;
  });
  return found;
}

}  // namespace lorvane
