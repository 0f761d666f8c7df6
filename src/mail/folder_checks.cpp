// Check-state operations of the folder tree and its two context menus.
// Tested by tests/mail/folder_checks_test.cpp.

#include "mail/folder_checks.h"

#include "common/messages.h"
#include "mail/folder_tree.h"

namespace lorvane {

void ApplyCheckState(TFolder& node, int state) {
  node.SetStatus(state);
}

void SetCheckStateAll(TFolder& node, int state) {
  ForEachInSubtreeChildrenFirst(node, [state](TFolder& n) {
    if (n.HasMail() || state == csUnchecked) n.SetStatus(state);
  });
}

int ClickedState(const TFolder& node) {
  switch (node.ShownState()) {
    case csUnchecked:
      return node.HasMail() ? csChecked : csUnchecked;
    case csChecked:
      return node.HasMail() ? csUnchecked : csChecked;
    case csSubtreeUnchecked:
      return csSubtreeChecked;
    case csSubtreeChecked:
      return csSubtreeUnchecked;
    default:
      return node.ShownState();
  }
}

std::vector<TTreeMenuItem> TreeContextMenu(const TFolder& node) {
  const int shown = node.ShownState();
  if (shown > csSubtreeChecked) return {};
  auto item = [shown](std::string name, std::string caption, int ticked_at, TTreeMenuAction action,
                      int state) {
    TTreeMenuItem i;
    i.name = std::move(name);
    i.caption = std::move(caption);
    i.checked = ticked_at != 0 && shown == ticked_at;
    i.action = action;
    i.state = state;
    return i;
  };
  auto separator = [](std::string name) {
    TTreeMenuItem i;
    i.name = std::move(name);
    return i;
  };
  if (node.NodeType() == ntMailer || node.Parent() == nullptr) {
    return {
        item("P2NotCheck", "フォルダごとに指定する", csUnchecked, tmApply, csUnchecked),
        separator("P2N1"),
        item("P2CheckAll", "すべてのフォルダにチェックを付ける", 0, tmSetAll, csChecked),
        item("P2NotCheckAll", "すべてのフォルダのチェックを外す", 0, tmSetAll, csUnchecked),
        separator("P2N2"),
        item("P2CheckSub", "すべてのフォルダを調べる", csSubtreeChecked, tmApply,
             csSubtreeChecked),
        item("P2NotCheckSub", "すべてのフォルダを調べない", csSubtreeUnchecked, tmApply,
             csSubtreeUnchecked),
    };
  }
  const bool mail = node.HasMail();
  std::vector<TTreeMenuItem> items = {
      item("P3Check", "調べる", csChecked, tmApply, csChecked),
      item("P3NotCheck", mail ? "調べない" : "サブフォルダごとに指定する", csUnchecked, tmApply,
           csUnchecked),
      separator("P3N1"),
      item("P3CheckAll",
           mail ? "サブフォルダもすべてチェックを付ける" : "すべてのサブフォルダにチェックを付ける", 0,
           tmSetAll, csChecked),
      item("P3NotCheckAll",
           mail ? "サブフォルダもすべてチェックを外す" : "すべてのサブフォルダのチェックを外す", 0,
           tmSetAll, csUnchecked),
      separator("P3N2"),
      item("P3CheckSub", mail ? "サブフォルダもすべて調べる" : "すべてのサブフォルダを調べる",
           csSubtreeChecked, tmApply, csSubtreeChecked),
      item("P3NotCheckSub", mail ? "サブフォルダもすべて調べない" : "すべてのサブフォルダを調べない",
           csSubtreeUnchecked, tmApply, csSubtreeUnchecked),
  };
  items[0].visible = mail;
  if (node.ChildCount() == 0) {
    for (size_t i = 2; i < items.size(); ++i) items[i].visible = false;
  }
  return items;
}

void RunTreeMenuItem(TFolder& node, const TTreeMenuItem& item) {
  if (item.IsSeparator()) return;
  if (item.action == tmSetAll) {
    SetCheckStateAll(node, item.state);
  } else {
    ApplyCheckState(node, item.state);
  }
}

std::string CheckStateDescription(int shown_state) {
  static const TBilingualText* const kTexts[] = {
      &msg::kStateUnchecked,        &msg::kStateChecked,        &msg::kStateSubtreeUnchecked,
      &msg::kStateSubtreeChecked,   &msg::kStateGreyUnchecked,  &msg::kStateGreyChecked,
  };
  if (shown_state < csUnchecked || shown_state > csGreyChecked) return "";
  return std::string(Text(*kTexts[shown_state - 1])) + " (" + std::to_string(shown_state) + ")";
}

}  // namespace lorvane
