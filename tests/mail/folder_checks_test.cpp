// Check-state clicks and the folder tree's context menus.

#include "mail/folder_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/language.h"
#include "mail/folder_tree.h"
#include "persist/ini_file.h"

namespace lorvane {
namespace {

// Becky! > { 受信箱 (mail), 箱 (container) > { 表 (mail) > { ソ (mail) } } }
struct Tree {
  TIniFile ini;
  TFolderTree tree{ini};
  TFolder* mailer = tree.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox = mailer->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
  TFolder* box = mailer->AddChild(ntFolder, 1, "箱", "Box", "Box\\", false);
  TFolder* table = box->AddChild(ntFolder, 1, "表", "T", "Box\\T\\", true);
  TFolder* leaf = table->AddChild(ntFolder, 1, "ソ", "S", "Box\\T\\S\\", true);

  std::vector<int> Shown() const {
    return {mailer->ShownState(), inbox->ShownState(), box->ShownState(), table->ShownState(),
            leaf->ShownState()};
  }
};

std::vector<std::string> Visible(const std::vector<TTreeMenuItem>& items) {
  std::vector<std::string> out;
  for (const auto& i : items) {
    if (i.visible) out.push_back(i.name + (i.checked ? "*" : "") + (i.IsSeparator() ? "" : " " + i.caption));
  }
  return out;
}

TEST(FolderChecksTest, ClickOnTheCheckBox) {
  Tree t;
  EXPECT_EQ(ClickedState(*t.box), csUnchecked);  // a container showing 1 does not tick
  EXPECT_EQ(ClickedState(*t.inbox), csUnchecked);
  t.inbox->SetStatus(csUnchecked);
  EXPECT_EQ(ClickedState(*t.inbox), csChecked);
  t.box->SetStatus(csSubtreeUnchecked);
  EXPECT_EQ(ClickedState(*t.box), csSubtreeChecked);
  ApplyCheckState(*t.box, ClickedState(*t.box));
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 1, 4, 6, 6}));
  EXPECT_EQ(ClickedState(*t.table), csGreyChecked);  // 5 and 6 do not change
  EXPECT_EQ(ClickedState(*t.box), csSubtreeUnchecked);
}

TEST(FolderChecksTest, LeavingASubtreeStateRestoresWhatChildrenStore) {
  Tree t;
  t.table->SetStatus(csSubtreeUnchecked);
  ApplyCheckState(*t.box, csSubtreeChecked);
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 2, 4, 6, 6}));
  ApplyCheckState(*t.box, csChecked);  // 4 -> 2 on a container: stored as asked
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 2, 2, 3, 5}));
  EXPECT_EQ(t.ini.ReadInteger(t.box->Section(), "Status", 0), 2);
}

TEST(FolderChecksTest, SetAllTicksFoldersWithMailOnly) {
  Tree t;
  t.inbox->SetStatus(csUnchecked);
  t.leaf->SetStatus(csSubtreeUnchecked);
  SetCheckStateAll(*t.mailer, csChecked);
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 2, 1, 2, 2}));
  SetCheckStateAll(*t.mailer, csUnchecked);  // 1 reaches containers too
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 1, 1, 1, 1}));

  // On a mail-program node that shows 3 or 4 the node keeps its state, so its folders go on
  // showing 5 or 6 while they store 2: what a search then covers is what the tree shows.
  t.mailer->SetStatus(csSubtreeUnchecked);
  SetCheckStateAll(*t.mailer, csChecked);
  EXPECT_EQ(t.Shown(), (std::vector<int>{3, 5, 5, 5, 5}));
  EXPECT_EQ(t.inbox->Status(), csChecked);
  EXPECT_TRUE(t.tree.SelectedFolders().empty());
  ApplyCheckState(*t.mailer, csUnchecked);
  EXPECT_EQ(t.Shown(), (std::vector<int>{1, 2, 1, 2, 2}));
}

TEST(FolderChecksTest, MenusByNodeKindStateAndContents) {
  Tree t;
  EXPECT_EQ(Visible(TreeContextMenu(*t.mailer)),
            (std::vector<std::string>{"P2NotCheck* フォルダごとに指定する", "P2N1",
                                      "P2CheckAll すべてのフォルダにチェックを付ける",
                                      "P2NotCheckAll すべてのフォルダのチェックを外す", "P2N2",
                                      "P2CheckSub すべてのフォルダを調べる",
                                      "P2NotCheckSub すべてのフォルダを調べない"}));
  EXPECT_EQ(Visible(TreeContextMenu(*t.box)),
            (std::vector<std::string>{"P3NotCheck* サブフォルダごとに指定する", "P3N1",
                                      "P3CheckAll すべてのサブフォルダにチェックを付ける",
                                      "P3NotCheckAll すべてのサブフォルダのチェックを外す", "P3N2",
                                      "P3CheckSub すべてのサブフォルダを調べる",
                                      "P3NotCheckSub すべてのサブフォルダを調べない"}));
  EXPECT_EQ(Visible(TreeContextMenu(*t.table))[0], "P3Check* 調べる");
  EXPECT_EQ(Visible(TreeContextMenu(*t.table))[3],
            "P3CheckAll サブフォルダもすべてチェックを付ける");
  // A leaf offers only the two items of its own.
  EXPECT_EQ(Visible(TreeContextMenu(*t.leaf)),
            (std::vector<std::string>{"P3Check* 調べる", "P3NotCheck 調べない"}));

  ApplyCheckState(*t.table, csSubtreeChecked);
  auto menu = TreeContextMenu(*t.table);
  EXPECT_EQ(Visible(menu)[6], "P3CheckSub* サブフォルダもすべて調べる");
  EXPECT_TRUE(TreeContextMenu(*t.leaf).empty());  // shows 6: no menu at all

  RunTreeMenuItem(*t.table, menu[7]);  // P3NotCheckSub
  EXPECT_EQ(t.table->Status(), csSubtreeUnchecked);
  RunTreeMenuItem(*t.table, menu[2]);  // a separator does nothing
  EXPECT_EQ(t.table->Status(), csSubtreeUnchecked);
}

TEST(FolderChecksTest, StateDescriptions) {
  EXPECT_EQ(CheckStateDescription(2), "調べる (2)");
  EXPECT_EQ(CheckStateDescription(5), "上のフォルダの指定で調べない (5)");
  EXPECT_EQ(CheckStateDescription(0), "");
  SetInterfaceLanguage(false);
  EXPECT_EQ(CheckStateDescription(4), "searched, with every sub-folder (4)");
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
