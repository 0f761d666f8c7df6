// The alias table over an in-memory program directory: which files it lists and under
// what names, the free number a new alias takes, the order (the one used last on top),
// delete and its failure, and "Alias"/"Last" at start and close.

#include "mail/alias_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/ini_file.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

const std::string kDir = "C:\\Lorvane\\";

class AliasTableTest : public ::testing::Test {
 protected:
  AliasTableTest() {
    inbox_->SetStatus(csChecked);
    fs_.SetProgramPath(kDir + "Lorvane.exe");
  }
  void AddAlias(const std::string& file, const std::string& title, const std::string& lines = "") {
    fs_.AddFile(kDir + file, title + "\r\n" + lines);
  }

  testing::MemoryFileSystem fs_;
  TIniFile ini_;
  TFolderTree tree_{ini_};
  TFolder* mailer_ = tree_.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox_ = mailer_->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
  TAliasTable aliases_{fs_};
};

TEST_F(AliasTableTest, ListsTitledFilesInListingOrder) {
  AddAlias("Alias3.dat", "フォルダ選択の設定（Private）");
  AddAlias("Alias1.dat", "フォルダ選択の設定（仕事）");
  AddAlias("Alias10.dat", "フォルダ選択の設定（表）");
  AddAlias("alias4.DAT", "フォルダ選択の設定（ポ）");
  AddAlias("Alias2.dat", "フォルダ選択の設定");     // saved with an empty name
  AddAlias("Alias5.dat", "Search Result File / Lorvane");
  AddAlias("Alias6.dat", "");
  AddAlias("Alias.txt", "フォルダ選択の設定（txt）");
  AddAlias("Work.dat", "フォルダ選択の設定（work）");
  fs_.AddDirectory(kDir + "Alias7.dat");
  fs_.AddFile(kDir + "Alias8.dat", "フォルダ選択の設定（読めない）\r\n");
  fs_.MakeUnreadable(kDir + "Alias8.dat");
  aliases_.Load();
  EXPECT_EQ(aliases_.Names(), (std::vector<std::string>{"仕事", "表", "Private", "ポ"}));
  EXPECT_EQ(aliases_.File(1), kDir + "Alias10.dat");
  EXPECT_EQ(aliases_.IndexOf("PRIVATE"), 2);
  EXPECT_EQ(aliases_.IndexOf("Privat"), -1);
  // Load starts afresh.
  fs_.RemoveFile(kDir + "Alias1.dat");
  aliases_.Load();
  EXPECT_EQ(aliases_.Count(), 3);
}

TEST_F(AliasTableTest, NewAliasTakesTheSmallestFreeNumberAndTheTop) {
  EXPECT_FALSE(aliases_.AnyAliasFile());
  EXPECT_EQ(aliases_.FreeFileName(), kDir + "Alias1.dat");
  AddAlias("Alias1.dat", "フォルダ選択の設定（一）");
  AddAlias("Alias3.dat", "フォルダ選択の設定（三）");
  EXPECT_TRUE(aliases_.AnyAliasFile());
  aliases_.Load();
  std::string error;
  ASSERT_TRUE(aliases_.Save(tree_, "二", &error)) << error;
  EXPECT_EQ(aliases_.File(0), kDir + "Alias2.dat");
  EXPECT_EQ(aliases_.Names(), (std::vector<std::string>{"二", "一", "三"}));
  EXPECT_EQ(*fs_.Contents(kDir + "Alias2.dat"),
            "フォルダ選択の設定（二）\r\nE1Becky!\r\nE2Becky!\\受信箱\r\n");
  ASSERT_TRUE(aliases_.Save(tree_, "四", &error));
  EXPECT_EQ(aliases_.File(0), kDir + "Alias4.dat");

  // A file that cannot be written leaves the table as it was.
  fs_.FailReplace(true);
  EXPECT_FALSE(aliases_.Save(tree_, "五", &error));
  EXPECT_EQ(aliases_.Count(), 4);
  EXPECT_FALSE(fs_.Exists(kDir + "Alias5.dat"));
}

TEST_F(AliasTableTest, AnEmptyNameLastsUntilTheNextLoad) {
  std::string error;
  ASSERT_TRUE(aliases_.Save(tree_, "", &error));
  EXPECT_EQ(aliases_.Names(), std::vector<std::string>{""});
  EXPECT_EQ(fs_.Contents(kDir + "Alias1.dat")->substr(0, 20), "フォルダ選択の設定\r\n");
  aliases_.Load();
  EXPECT_TRUE(aliases_.Empty());
  // Its file still holds number 1.
  ASSERT_TRUE(aliases_.Save(tree_, "x", &error));
  EXPECT_EQ(aliases_.File(0), kDir + "Alias2.dat");
}

TEST_F(AliasTableTest, OpenAppliesAndMovesToTheTop) {
  AddAlias("Alias1.dat", "フォルダ選択の設定（a）", "C1Becky!\\受信箱\r\n");
  AddAlias("Alias2.dat", "フォルダ選択の設定（b）", "E2becky!\\受信箱\r\n");
  AddAlias("Alias3.dat", "フォルダ選択の設定（c）", "C3Becky!\r\n");
  aliases_.Load();
  std::string error;
  EXPECT_EQ(aliases_.Open(2, tree_, &error), TSelectionStatus::kApplied);
  EXPECT_EQ(aliases_.Names(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(mailer_->Status(), csSubtreeUnchecked);
  EXPECT_FALSE(mailer_->Expanded());
  EXPECT_EQ(aliases_.Open(1, tree_, &error), TSelectionStatus::kApplied);
  EXPECT_EQ(aliases_.Names(), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_EQ(inbox_->Status(), csUnchecked);
  EXPECT_EQ(aliases_.Open(0, tree_, &error), TSelectionStatus::kApplied);  // already on top
  EXPECT_EQ(aliases_.Names(), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_EQ(aliases_.File(2), kDir + "Alias2.dat");

  // A file changed behind the table's back changes nothing in the tree.
  AddAlias("Alias2.dat", "something else", "E2Becky!\\受信箱\r\n");
  EXPECT_EQ(aliases_.Open(2, tree_, &error), TSelectionStatus::kNotASelectionFile);
  EXPECT_EQ(inbox_->Status(), csUnchecked);
  fs_.RemoveFile(kDir + "Alias3.dat");
  EXPECT_EQ(aliases_.Open(2, tree_, &error), TSelectionStatus::kUnreadable);
}

TEST_F(AliasTableTest, DeleteRemovesFileAndEntryOrSaysWhy) {
  AddAlias("Alias1.dat", "フォルダ選択の設定（a）");
  AddAlias("Alias2.dat", "フォルダ選択の設定（b）");
  aliases_.Load();
  std::string message;
  ASSERT_TRUE(aliases_.Delete(0, &message));
  EXPECT_EQ(aliases_.Names(), std::vector<std::string>{"b"});
  EXPECT_FALSE(fs_.Exists(kDir + "Alias1.dat"));
  fs_.RemoveFile(kDir + "Alias2.dat");
  EXPECT_FALSE(aliases_.Delete(0, &message));
  EXPECT_EQ(message, kDir + "Alias2.dat を削除できませんでした");
  EXPECT_EQ(aliases_.Names(), std::vector<std::string>{"b"});
  EXPECT_EQ(NoAliasMessage(), "エイリアスがひとつもありません");
}

TEST_F(AliasTableTest, LastAliasAtStartAndClose) {
  AddAlias("Alias1.dat", "フォルダ選択の設定（仕事）", "C1Becky!\\受信箱\r\n");
  AddAlias("Alias2.dat", "フォルダ選択の設定（Private）", "C3Becky!\r\n");
  const struct {
    std::string last;
    bool opened;
    std::vector<std::string> names;
  } kCases[] = {
      {"private", true, {"Private", "仕事"}},
      {"仕事", true, {"仕事", "Private"}},
      {"Nothing", false, {"仕事", "Private"}},
      {"", false, {"仕事", "Private"}},
  };
  for (const auto& c : kCases) {
    TIniFile settings;
    TFolderTree tree(settings);
    tree.AppendMailer(4, 6, "Becky!", "Becky");
    if (!c.last.empty()) settings.WriteString("Alias", "Last", c.last);
    aliases_.Load();
    TSelectionStatus status = TSelectionStatus::kUnreadable;
    std::string error;
    EXPECT_EQ(aliases_.OpenLast(settings, tree, &status, &error), c.opened) << c.last;
    EXPECT_EQ(aliases_.Names(), c.names) << c.last;
    if (c.opened) {
      EXPECT_EQ(status, TSelectionStatus::kApplied);
    }
  }

  // At close the selected alias becomes "Last"; with none selected "Last" stays.
  aliases_.Load();
  ini_.WriteString("Alias", "Last", "before");
  StoreLastAlias(ini_, aliases_, -1);
  EXPECT_EQ(LastAlias(ini_), "before");
  StoreLastAlias(ini_, aliases_, 1);
  EXPECT_EQ(LastAlias(ini_), "Private");
  StoreLastAlias(ini_, aliases_, 2);
  EXPECT_EQ(LastAlias(ini_), "Private");
}

}  // namespace
}  // namespace lorvane
