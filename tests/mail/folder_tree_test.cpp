// Folder nodes, their stored states, and the selection walk of a search.

#include "mail/folder_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/ini_file.h"

namespace lorvane {
namespace {

std::vector<std::string> Captions(const std::vector<TFolder*>& folders) {
  std::vector<std::string> out;
  for (const TFolder* f : folders) out.push_back(f->FullCaption());
  return out;
}

TEST(FolderTest, FirstSeenNodesAndTheirNames) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* becky = tree.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox = becky->AddChild(ntFolder, 1, "受信箱", "Inbox", "Inbox\\", true);
  TFolder* box = becky->AddChild(ntFolder, 1, "フォルダ", "Box", "Box\\", false);
  TFolder* sub = box->AddChild(ntFolder, 1, "ソフト表", "Sub", "Box\\Sub\\", true);

  EXPECT_EQ(becky->Status(), csUnchecked);  // no mail of its own
  EXPECT_EQ(inbox->Status(), csChecked);
  EXPECT_EQ(box->Status(), csUnchecked);
  EXPECT_TRUE(inbox->Expanded());
  EXPECT_EQ(inbox->ImageIndex(), 1);
  EXPECT_EQ(box->ImageIndex(), 2);  // a container
  EXPECT_EQ(sub->Kind(), 4);
  EXPECT_EQ(sub->FullCaption(), "Becky!\\フォルダ\\ソフト表");
  EXPECT_EQ(sub->FullKey(), "Becky\\Box\\Sub");
  EXPECT_EQ(sub->Section(), "Mailers\\Becky\\Box\\Sub");
  EXPECT_EQ(becky->Section(), "Mailers\\Becky");
  EXPECT_EQ(sub->Parent(), box);
  EXPECT_EQ(becky->Child(-1), nullptr);
  EXPECT_EQ(becky->Child(2), nullptr);
  EXPECT_EQ(tree.Mailer(1), nullptr);
  EXPECT_EQ(tree.Mailer(-1), nullptr);
  EXPECT_EQ(becky->Mail(0), nullptr);
}

TEST(FolderTest, StoredStatesLoadWithTheirRules) {
  TIniFile ini;
  ini.WriteInteger("Mailers\\X\\Mail", "Status", 7);
  ini.WriteInteger("Mailers\\X\\Box", "Status", 7);
  ini.WriteInteger("Mailers\\X\\Box2", "Status", 2);
  ini.WriteBool("Mailers\\X\\Mail", "Expanded", false);
  TFolderTree tree(ini);
  TFolder* x = tree.AppendMailer(8, 10, "X", "X");
  EXPECT_EQ(x->AddChild(ntFolder, 1, "Mail", "Mail", "", true)->Status(), csChecked);
  EXPECT_EQ(x->AddChild(ntFolder, 1, "Box", "Box", "", false)->Status(), csUnchecked);
  EXPECT_EQ(x->AddChild(ntFolder, 1, "Box2", "Box2", "", false)->Status(), csUnchecked);
  EXPECT_FALSE(x->Child(0)->Expanded());
}

TEST(FolderTest, SetStatusWritesThroughAndIgnoresShownOnlyValues) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* f = tree.AppendMailer(1, 3, "M", "M")->AddChild(ntFolder, 1, "F", "F", "", true);
  f->SetStatus(5);
  f->SetStatus(6);
  f->SetStatus(8);
  EXPECT_EQ(f->Status(), csChecked);
  EXPECT_EQ(ini.Count(), 0);
  f->SetStatus(3);
  EXPECT_EQ(ini.ReadInteger("Mailers\\M\\F", "Status", 0), 3);
  ini.DeleteKey("Mailers\\M\\F", "Status");
  f->SetStatus(3);  // unchanged: nothing written
  EXPECT_FALSE(ini.ValueExists("Mailers\\M\\F", "Status"));
  f->SetExpanded(false);
  EXPECT_FALSE(ini.ReadBool("Mailers\\M\\F", "Expanded", true));
  f->SetStatus(7);
  EXPECT_EQ(ini.ReadInteger("Mailers\\M\\F", "Status", 0), 7);
}

TEST(FolderTest, SameCaptionDifferentKeysKeepSeparateStates) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* m = tree.AppendMailer(1, 3, "M", "M");
  m->AddChild(ntFolder, 1, "Inbox", "A", "", true)->SetStatus(1);
  TFolder* b = m->AddChild(ntFolder, 1, "Inbox", "B", "", true);
  EXPECT_EQ(b->Status(), csChecked);
  // A rebuilt tree finds each state under its key.
  TFolderTree again(ini);
  TFolder* m2 = again.AppendMailer(1, 3, "M", "M");
  EXPECT_EQ(m2->AddChild(ntFolder, 1, "Renamed", "A", "", true)->Status(), csUnchecked);
}

TEST(FolderTreeTest, ShownStatesFollowTheOutermostSubtreeState) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* m = tree.AppendMailer(1, 3, "M", "M");
  TFolder* a = m->AddChild(ntFolder, 1, "A", "A", "", true);
  TFolder* b = a->AddChild(ntFolder, 1, "B", "B", "", true);
  TFolder* c = b->AddChild(ntFolder, 1, "C", "C", "", true);
  a->SetStatus(4);
  b->SetStatus(3);
  EXPECT_EQ(a->ShownState(), csSubtreeChecked);
  EXPECT_EQ(b->ShownState(), csGreyChecked);
  EXPECT_EQ(c->ShownState(), csGreyChecked);  // the outermost (4) decides
  a->SetStatus(2);
  EXPECT_EQ(b->ShownState(), csSubtreeUnchecked);
  EXPECT_EQ(c->ShownState(), csGreyUnchecked);
  b->SetStatus(1);
  EXPECT_EQ(c->ShownState(), csChecked);  // its own state shows again
}

TEST(FolderTreeTest, SelectionWalk) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* m1 = tree.AppendMailer(1, 3, "M1", "M1");
  TFolder* a = m1->AddChild(ntFolder, 1, "A", "A", "", true);     // 2: searched
  TFolder* skip = m1->AddChild(ntFolder, 1, "S", "S", "", true);  // 3: subtree out
  skip->AddChild(ntFolder, 1, "S1", "S1", "", true);              //    never visited
  TFolder* grey = m1->AddChild(ntFolder, 1, "G", "G", "", true);  // 1: children decide
  TFolder* g1 = grey->AddChild(ntFolder, 1, "G1", "G1", "", true);
  TFolder* m2 = tree.AppendMailer(2, 4, "M2", "M2");
  TFolder* all = m2->AddChild(ntFolder, 1, "All", "All", "", false);  // 4: all below
  all->AddChild(ntFolder, 1, "X", "X", "", true)->SetStatus(1);       //    shown 6
  TFolder* off = m2->AddChild(ntFolder, 1, "Off", "Off", "", false);  // 3 with a 5 below
  TFolder* off1 = off->AddChild(ntFolder, 1, "O1", "O1", "", true);
  (void)a;
  (void)g1;
  skip->SetStatus(3);
  grey->SetStatus(1);
  all->SetStatus(4);
  off->SetStatus(3);
  EXPECT_EQ(off1->ShownState(), csGreyUnchecked);
  EXPECT_EQ(Captions(tree.SelectedFolders()),
            (std::vector<std::string>{"M1\\A", "M1\\G\\G1", "M2\\All", "M2\\All\\X"}));
  // A 3 below a 4 shows as 6: searched, and its children too.
  off->SetStatus(4);
  off1->SetStatus(3);
  off1->AddChild(ntFolder, 1, "Deep", "Deep", "", true)->SetStatus(1);
  EXPECT_EQ(Captions(tree.SelectedFolders()),
            (std::vector<std::string>{"M1\\A", "M1\\G\\G1", "M2\\All", "M2\\All\\X", "M2\\Off",
                                      "M2\\Off\\O1", "M2\\Off\\O1\\Deep"}));
  EXPECT_EQ(tree.FindByFullCaption("M2\\All\\X")->Key(), "X");
  EXPECT_EQ(tree.FindByFullCaption("M2\\Nope"), nullptr);
}

TEST(FolderTreeTest, LeavesDropSubtreeStates) {
  TIniFile ini;
  ini.WriteInteger("Mailers\\M\\Leaf4", "Status", 4);
  ini.WriteInteger("Mailers\\M\\Leaf3", "Status", 3);
  ini.WriteInteger("Mailers\\M\\Box", "Status", 4);
  TFolderTree tree(ini);
  TFolder* m = tree.AppendMailer(1, 3, "M", "M");
  m->AddChild(ntFolder, 1, "Leaf4", "Leaf4", "", true);
  m->AddChild(ntFolder, 1, "Leaf3", "Leaf3", "", true);
  m->AddChild(ntFolder, 1, "Box", "Box", "", false)->AddChild(ntFolder, 1, "In", "In", "", true);
  tree.SettleLeafStates();
  EXPECT_EQ(ini.ReadInteger("Mailers\\M\\Leaf4", "Status", 0), 2);
  EXPECT_EQ(ini.ReadInteger("Mailers\\M\\Leaf3", "Status", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Mailers\\M\\Box", "Status", 0), 4);  // has a child
}

TEST(FolderTreeTest, MailsAreTransient) {
  TIniFile ini;
  TFolderTree tree(ini);
  TFolder* f = tree.AppendMailer(1, 3, "M", "M")->AddChild(ntFolder, 1, "F", "F", "", true);
  f->AddMail({"C:\\a.txt", 0, -1});
  f->AddMail({"C:\\b.txt", 3, 9});
  EXPECT_EQ(f->MailCount(), 2);
  EXPECT_EQ(f->Mail(1)->First, 3);
  EXPECT_EQ(f->Mail(2), nullptr);
  f->ClearMails();
  EXPECT_EQ(f->MailCount(), 0);
}

}  // namespace
}  // namespace lorvane
