#pragma once
// The ways a user changes what a search covers in the folder tree: a click on a node's
// check box, and the two context menus (one for a mail-program node, one for a folder).
// A node's shown state follows from the stored states of the node and its ancestors
// (TFolder::ShownState), so changing a stored state is all an operation has to do.

#include <string>
#include <vector>

#include "mail/folder.h"

namespace lorvane {

// Stores `state` (1 to 4) on the node. Its descendants then show what the new state
// implies: their own states below a 1 or a 2, 5 below a 3, 6 below a 4.
void ApplyCheckState(TFolder& node, int state);
// Stores `state` (1 or 2) on every node of the subtree, children first. With 2, a node
// without mail of its own (a container, a mail-program node) keeps its state.
void SetCheckStateAll(TFolder& node, int state);

// The state a click on the node's check box asks for: 1 <-> 2 for a folder with mail,
// 3 <-> 4 for any node; a container showing 1, and every node showing 5 or 6, stay.
int ClickedState(const TFolder& node);

enum TTreeMenuAction { tmApply, tmSetAll };

struct TTreeMenuItem {
  std::string name;     // the item's component name ("P2CheckAll"); separators too ("P2N1")
  std::string caption;  // empty for a separator
  bool visible = true;
  bool checked = false;
  TTreeMenuAction action = tmApply;
  int state = 0;
  bool IsSeparator() const { return caption.empty(); }
};

// The context menu for `node`: PopupMenu2 for a mail-program node, PopupMenu3 for a
// folder, with the captions, ticks and hidden items the node's state and contents give.
// Empty when the node shows 5 or 6: such a node gets no menu.
std::vector<TTreeMenuItem> TreeContextMenu(const TFolder& node);
// Runs a menu item on the node it was built for.
void RunTreeMenuItem(TFolder& node, const TTreeMenuItem& item);

// The shown state in words with its number, "調べる (2)", for screen readers.
std::string CheckStateDescription(int shown_state);

}  // namespace lorvane
