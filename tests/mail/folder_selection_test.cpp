// Folder-selection files: the text written for a tree, and what applying a text does to
// it (title check, letter case, the parent's state last, damaged lines), over a small tree
// and, saved and applied back, over the demo stores' tree.

#include "mail/folder_selection.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mail/folder_checks.h"
#include "mailers/mailer_test.h"
#include "persist/ini_file.h"
#include "support/mail_fixture.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

// Becky! > { 受信箱 (mail), 箱 (container) > { 表 (mail) > { ソ (mail) } }, ツ (mail) }
// 表 and ソ end in the byte "\", ツ in "c" (an upper-caser that touched trail bytes would
// make it イ).
struct Tree {
  Tree() {
    for (TFolder* f : {inbox, table, leaf, tsu}) f->SetStatus(csChecked);
  }
  TIniFile ini;
  TFolderTree tree{ini};
  TFolder* mailer = tree.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox = mailer->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
  TFolder* box = mailer->AddChild(ntFolder, 1, "箱", "Box", "Box\\", false);
  TFolder* table = box->AddChild(ntFolder, 1, "表", "T", "Box\\T\\", true);
  TFolder* leaf = table->AddChild(ntFolder, 1, "ソ", "S", "Box\\T\\S\\", true);
  TFolder* tsu = mailer->AddChild(ntFolder, 1, "ツ", "Tsu", "Tsu\\", true);

  // "E2 E2 C1 ..." : expansion and shown state of every node in display order.
  std::string States() const {
    std::string s;
    tree.ForEachNode([&s](TFolder& n) {
      if (!s.empty()) s += ' ';
      s += (n.Expanded() ? "E" : "C") + std::to_string(n.ShownState());
    });
    return s;
  }
  TSelectionStatus Apply(const std::string& lines) {
    return ApplyFolderSelection(tree, "フォルダ選択の設定\r\n" + lines);
  }
};

TEST(FolderSelectionTest, WritesTitleAndANodeALineInTreeOrder) {
  Tree t;
  t.box->SetExpanded(false);
  ApplyCheckState(*t.table, csSubtreeChecked);
  const std::string nodes =
      "E1Becky!\r\nE2Becky!\\受信箱\r\nC1Becky!\\箱\r\nE4Becky!\\箱\\表\r\n"
      "E2Becky!\\箱\\表\\ソ\r\nE2Becky!\\ツ\r\n";
  EXPECT_EQ(FolderSelectionText(t.tree, ""), "フォルダ選択の設定\r\n" + nodes);
  EXPECT_EQ(FolderSelectionText(t.tree, "仕事"), "フォルダ選択の設定（仕事）\r\n" + nodes);
}

TEST(FolderSelectionTest, TitleDecidesWhetherAnythingChanges) {
  const struct {
    std::string text;
    TSelectionStatus status;
  } kCases[] = {
      {"フォルダ選択の設定\r\nC1Becky!\\受信箱\r\n", TSelectionStatus::kApplied},
      {"フォルダ選択の設定（仕事）\r\nC1Becky!\\受信箱\r\n", TSelectionStatus::kApplied},
      {"フォルダ選択の設定のようなもの\nC1Becky!\\受信箱", TSelectionStatus::kApplied},
      {"フォルダ選択の設\r\nC1Becky!\\受信箱\r\n", TSelectionStatus::kNotASelectionFile},
      {" フォルダ選択の設定\r\nC1Becky!\\受信箱\r\n", TSelectionStatus::kNotASelectionFile},
      {"Search Result File / Lorvane\r\nC1Becky!\\受信箱\r\n",
       TSelectionStatus::kNotASelectionFile},
      {"", TSelectionStatus::kNotASelectionFile},
      {"\r\nC1Becky!\\受信箱\r\n", TSelectionStatus::kNotASelectionFile},
  };
  for (const auto& c : kCases) {
    Tree t;
    const std::string before = t.States();
    EXPECT_EQ(ApplyFolderSelection(t.tree, c.text), c.status) << c.text;
    EXPECT_EQ(t.States(), c.status == TSelectionStatus::kApplied
                              ? "E1 C1 E1 E2 E2 E2"
                              : before) << c.text;
  }
}

TEST(FolderSelectionTest, AppliesByPathWithoutRegardToLetterCase) {
  const struct {
    std::string lines;
    std::string states;  // Becky! 受信箱 箱 表 ソ ツ
  } kCases[] = {
      // Only the nodes named change; names of no node are passed over.
      {"C1Becky!\\受信箱\r\nE4Becky!\\Nowhere\r\n", "E1 C1 E1 E2 E2 E2"},
      {"C1BECKY!\\受信箱\r\nC3becky!\r\n", "C3 C5 E5 E5 E5 E5"},
      // ツ's trail byte is "c"; イ's is "C": different characters, not different cases.
      {"C1Becky!\\イ\r\n", "E1 E2 E1 E2 E2 E2"},
      {"C1becky!\\ツ\r\n", "E1 E2 E1 E2 E2 C1"},
      // The first line naming a node decides.
      {"C1Becky!\\受信箱\r\nE2becky!\\受信箱\r\n", "E1 C1 E1 E2 E2 E2"},
      // Anything but "E" collapses.
      {"e2Becky!\\受信箱\r\nX2Becky!\\箱\r\n", "E1 C2 C2 E2 E2 E2"},
  };
  for (const auto& c : kCases) {
    Tree t;
    EXPECT_EQ(t.Apply(c.lines), TSelectionStatus::kApplied);
    EXPECT_EQ(t.States(), c.states) << c.lines;
  }
}

TEST(FolderSelectionTest, ParentStateAppliedAfterItsChildren) {
  const struct {
    std::string lines;
    std::string states;  // Becky! 受信箱 箱 表 ソ ツ
  } kCases[] = {
      // Whatever order the lines are in, a 3 or 4 above decides what the children show.
      {"E4Becky!\\箱\r\nE1Becky!\\箱\\表\r\nE2Becky!\\箱\\表\\ソ\r\n", "E1 E2 E4 E6 E6 E2"},
      {"E1Becky!\\箱\\表\\ソ\r\nE3Becky!\\箱\\表\r\nE4Becky!\\箱\r\n", "E1 E2 E4 E6 E6 E2"},
      {"E3Becky!\\箱\\表\r\nE1Becky!\\箱\\表\\ソ\r\nE1Becky!\\箱\r\n", "E1 E2 E1 E3 E5 E2"},
      // A 1 above lets every child show its own state again.
      {"E1Becky!\\箱\\表\\ソ\r\nE1Becky!\\箱\\表\r\nE1Becky!\\箱\r\n", "E1 E2 E1 E1 E1 E2"},
  };
  for (const auto& c : kCases) {
    Tree t;
    ApplyCheckState(*t.box, csSubtreeUnchecked);
    EXPECT_EQ(t.Apply(c.lines), TSelectionStatus::kApplied);
    EXPECT_EQ(t.States(), c.states) << c.lines;
  }
}

TEST(FolderSelectionTest, DamagedLinesChangeNothing) {
  // Each case applies the damaged line and then a good one for 受信箱, which must still
  // apply; the damaged one leaves Becky! and 箱 as they were.
  const std::string kDamaged[] = {
      "", "E", "C", "\x83", "E\x83", "EXBecky!", "E0Becky!", "E7Becky!", "E9Becky!\\箱",
      "E Becky!", "\x83\x5C" "4Becky!",
      "E4", std::string(100000, 'E') + "4Becky!",
  };
  for (const auto& damaged : kDamaged) {
    Tree t;
    t.box->SetExpanded(false);
    EXPECT_EQ(t.Apply(damaged + "\r\nC1Becky!\\受信箱\r\n"), TSelectionStatus::kApplied);
    EXPECT_EQ(t.States(), "E1 C1 C1 E2 E2 E2") << damaged;
  }
  // A damaged first line for a path is the one that decides: the node stays.
  Tree t;
  EXPECT_EQ(t.Apply("EXBecky!\\受信箱\r\nC1Becky!\\受信箱\r\n"), TSelectionStatus::kApplied);
  EXPECT_EQ(t.States(), "E1 E2 E1 E2 E2 E2");
}

TEST(FolderSelectionTest, TitleAliases) {
  const struct {
    std::string line;
    bool has_alias;
    std::string alias;
  } kCases[] = {
      {"フォルダ選択の設定（仕事）", true, "仕事"},
      {"フォルダ選択の設定（Private）", true, "Private"},
      {"フォルダ選択の設定（）", true, ""},
      {"フォルダ選択の設定（", true, ""},
      {"フォルダ選択の設定（a", true, ""},
      {"フォルダ選択の設定（表ab", true, "表"},  // the last two bytes go, whatever they are
      {"フォルダ選択の設定", false, ""},
      {"フォルダ選択の設定(仕事)", false, ""},
      {"フォルダ", false, ""},
  };
  for (const auto& c : kCases) {
    std::string alias = "unchanged";
    EXPECT_EQ(AliasOfTitle(c.line, &alias), c.has_alias) << c.line;
    if (c.has_alias) {
      EXPECT_EQ(alias, c.alias) << c.line;
    }
  }
}

TEST(FolderSelectionTest, FilesAreWrittenWholeAndReadBack) {
  testing::MemoryFileSystem fs;
  Tree t;
  std::string error;
  ApplyCheckState(*t.inbox, csUnchecked);
  ASSERT_TRUE(SaveFolderSelection(fs, "C:\\Sel\\a.dat", t.tree, "仕事", &error)) << error;
  fs.FailReplace(true);
  EXPECT_FALSE(SaveFolderSelection(fs, "C:\\Sel\\a.dat", t.tree, "", &error));
  EXPECT_EQ(fs.Contents("C:\\Sel\\a.dat")->substr(0, 30), "フォルダ選択の設定（仕事）\r\nE1");

  Tree other;
  EXPECT_EQ(LoadFolderSelection(fs, "C:\\Sel\\a.dat", other.tree, &error),
            TSelectionStatus::kApplied);
  EXPECT_EQ(other.States(), t.States());
  EXPECT_EQ(LoadFolderSelection(fs, "C:\\Sel\\none.dat", other.tree, &error),
            TSelectionStatus::kUnreadable);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(NotASelectionFileMessage("C:\\a.dat"),
            "C:\\a.dat はフォルダ選択の設定のファイルではありません。");
}

class DemoSelectionTest : public testing::TMailerTest {};

TEST_F(DemoSelectionTest, SavedAndAppliedBackGivesTheSameStates) {
  TIniFile settings;
  testing::BuildDemoStores(fixture_, settings);
  testing::TStoresHarness h(fixture_);
  h.ini = settings;
  h.stores.Rebuild();
  TFolderTree& tree = h.stores.Tree();
  tree.SettleLeafStates();
  // Some variety first: a subtree off, one on, some folders off and collapsed.
  int i = 0;
  tree.ForEachNode([&i](TFolder& n) {
    if (i % 7 == 3) ApplyCheckState(n, n.ChildCount() > 0 ? csSubtreeUnchecked : csUnchecked);
    if (i % 11 == 5) ApplyCheckState(n, n.ChildCount() > 0 ? csSubtreeChecked : csChecked);
    if (i % 3 == 0) n.SetExpanded(false);
    ++i;
  });
  ASSERT_GT(i, 40);
  // The file names a folder by its caption path, so folders that share one (Becky!'s two
  // 草稿) always come back alike: give them one state to begin with.
  std::map<std::string, TFolder*> first;
  tree.ForEachNode([&first](TFolder& n) {
    const auto [it, inserted] = first.try_emplace(n.FullCaption(), &n);
    if (inserted) return;
    ApplyCheckState(n, it->second->Status());
    n.SetExpanded(it->second->Expanded());
  });
  const auto states = [&tree] {
    std::vector<std::string> s;
    tree.ForEachNode([&s](TFolder& n) {
      s.push_back(n.FullCaption() + " " + (n.Expanded() ? "E" : "C") +
                  std::to_string(n.Status()) + std::to_string(n.ShownState()));
    });
    return s;
  };
  const std::vector<std::string> saved = states();
  const std::string text = FolderSelectionText(tree, "demo");

  tree.ForEachNode([](TFolder& n) {
    ApplyCheckState(n, n.Status() == csChecked ? csUnchecked : csChecked);
    n.SetExpanded(!n.Expanded());
  });
  ASSERT_NE(states(), saved);
  EXPECT_EQ(ApplyFolderSelection(tree, text), TSelectionStatus::kApplied);
  EXPECT_EQ(states(), saved);
}

}  // namespace
}  // namespace lorvane
