// Folder-selection files: what applying a text does to a small tree (title check, letter
// case, the parent's state last, damaged lines), and a selection of the demo stores' tree
// written and applied back.

#include "mail/folder_selection.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mail/folder_checks.h"
#include "mailers/mailer_test.h"
#include "persist/ini_file.h"
#include "support/mail_fixture.h"

namespace lorvane {
namespace {

// Becky! > { 受信箱, 箱 (no mail) > { 表 > { ソ } }, ツ }. 表 and ソ end in the byte "\",
// ツ in "c" (an upper-caser that touched trail bytes would make it イ).
struct Tree {
  Tree() {
    for (TFolder* f : {inbox, table, leaf, tsu}) f->SetStatus(csChecked);
  }
  // Expansion and shown state of every node in display order: "E1 E2 E1 E2 E2 E2".
  std::string States() const {
    std::string s;
    tree.ForEachNode([&s](TFolder& n) {
      s += std::string(s.empty() ? "" : " ") + (n.Expanded() ? "E" : "C") +
           std::to_string(n.ShownState());
    });
    return s;
  }
  TIniFile ini;
  TFolderTree tree{ini};
  TFolder* mailer = tree.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox = mailer->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
  TFolder* box = mailer->AddChild(ntFolder, 1, "箱", "Box", "Box\\", false);
  TFolder* table = box->AddChild(ntFolder, 1, "表", "T", "Box\\T\\", true);
  TFolder* leaf = table->AddChild(ntFolder, 1, "ソ", "S", "Box\\T\\S\\", true);
  TFolder* tsu = mailer->AddChild(ntFolder, 1, "ツ", "Tsu", "Tsu\\", true);
};

constexpr const char* kUnchanged = "E1 E2 E1 E2 E2 E2";

TEST(FolderSelectionTest, AppliesTheNamedNodes) {
  const std::string title = "フォルダ選択の設定\r\n";
  const struct {
    std::string text;
    std::string states;  // Becky! 受信箱 箱 表 ソ ツ, or kUnchanged
  } kCases[] = {
      // Without the title nothing changes.
      {"フォルダ選択の設\r\nC1Becky!\\受信箱\r\n", kUnchanged},
      {" フォルダ選択の設定\r\nC1Becky!\\受信箱\r\n", kUnchanged},
      {"", kUnchanged},
      {"フォルダ選択の設定（仕事）\r\nC1Becky!\\受信箱\r\n", "E1 C1 E1 E2 E2 E2"},
      // Names of no node are passed over; letter case aside; the first line decides.
      {title + "C1Becky!\\受信箱\r\nE4Becky!\\Nowhere\r\n", "E1 C1 E1 E2 E2 E2"},
      {title + "C1BECKY!\\受信箱\r\nE2becky!\\受信箱\r\nC3becky!\r\n", "C3 C5 E5 E5 E5 E5"},
      {title + "C1Becky!\\イ\r\n", kUnchanged},  // イ is not ツ in another case
      {title + "C1becky!\\ツ\r\n", "E1 E2 E1 E2 E2 C1"},
      {title + "e2Becky!\\受信箱\r\nX2Becky!\\箱\r\n", "E1 C2 C2 E2 E2 E2"},  // not "E": collapsed
      // Children first, whatever the order of the lines: a 3 or 4 above has the last word.
      {title + "E4Becky!\\箱\r\nE1Becky!\\箱\\表\r\nE2Becky!\\箱\\表\\ソ\r\n", "E1 E2 E4 E6 E6 E2"},
      {title + "E1Becky!\\箱\\表\\ソ\r\nE3Becky!\\箱\\表\r\n", "E1 E2 E1 E3 E5 E2"},
  };
  for (const auto& c : kCases) {
    Tree t;
    const bool titled = c.text.rfind("フォルダ選択の設定", 0) == 0;
    EXPECT_EQ(ApplyFolderSelection(t.tree, c.text), titled ? TSelectionStatus::kApplied
                                                           : TSelectionStatus::kNotASelectionFile);
    EXPECT_EQ(t.States(), c.states) << c.text;
  }
}

TEST(FolderSelectionTest, DamagedLinesChangeNothing) {
  // Each damaged line is followed by a good one for 受信箱, which must still apply.
  const std::string kDamaged[] = {
      "", "E", "\x83", "E\x83", "EXBecky!", "E0Becky!", "E7Becky!", "E9Becky!\\箱",
      "E Becky!", "\x83\x5C" "4Becky!", "E4", std::string(100000, 'E') + "4Becky!",
      "EXBecky!\\受信箱",  // the first line for a path decides, even a damaged one
  };
  for (const auto& damaged : kDamaged) {
    Tree t;
    ApplyFolderSelection(t.tree, "フォルダ選択の設定\r\n" + damaged + "\r\nC1Becky!\\受信箱\r\n");
    EXPECT_EQ(t.States(), damaged == kDamaged[12] ? kUnchanged : "E1 C1 E1 E2 E2 E2") << damaged;
  }
}

class DemoSelectionTest : public testing::TMailerTest {};

TEST_F(DemoSelectionTest, WrittenAndAppliedBackGivesTheSameStates) {
  TIniFile settings;
  testing::BuildDemoStores(fixture_, settings);
  testing::TStoresHarness h(fixture_);
  h.ini = settings;
  h.stores.Rebuild();
  TFolderTree& tree = h.stores.Tree();
  tree.SettleLeafStates();
  int i = 0;
  std::map<std::string, TFolder*> first;
  tree.ForEachNode([&](TFolder& n) {
    if (i % 7 == 3) ApplyCheckState(n, n.ChildCount() > 0 ? csSubtreeUnchecked : csUnchecked);
    if (i % 11 == 5) ApplyCheckState(n, n.ChildCount() > 0 ? csSubtreeChecked : csChecked);
    if (i++ % 3 == 0) n.SetExpanded(false);
    // A folder is named by its caption path, so folders that share one (Becky!'s two
    // 草稿) always come back alike: give them one state to begin with.
    const auto [it, inserted] = first.try_emplace(n.FullCaption(), &n);
    if (!inserted) {
      ApplyCheckState(n, it->second->Status());
      n.SetExpanded(it->second->Expanded());
    }
  });
  const auto states = [&tree] {
    std::vector<std::string> s;
    tree.ForEachNode([&s](TFolder& n) {
      s.push_back(n.FullCaption() + (n.Expanded() ? " E" : " C") + std::to_string(n.Status()) +
                  std::to_string(n.ShownState()));
    });
    return s;
  };
  const std::vector<std::string> saved = states();
  const std::string text = FolderSelectionText(tree, "demo");
  EXPECT_EQ(text.substr(0, text.find('\r')), "フォルダ選択の設定（demo）");
  tree.ForEachNode([](TFolder& n) {
    ApplyCheckState(n, n.Status() == csChecked ? csUnchecked : csChecked);
    n.SetExpanded(!n.Expanded());
  });
  EXPECT_EQ(ApplyFolderSelection(tree, text), TSelectionStatus::kApplied);
  EXPECT_EQ(states(), saved);
}

}  // namespace
}  // namespace lorvane
