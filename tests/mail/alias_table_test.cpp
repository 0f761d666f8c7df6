// The alias table over an in-memory program directory: which files it lists under what
// names, the number a new alias takes, the order, delete, and "Alias"/"Last".

#include "mail/alias_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/ini_file.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using Names = std::vector<std::string>;
const std::string kDir = "C:\\Lorvane\\";

class AliasTableTest : public ::testing::Test {
 protected:
  AliasTableTest() { inbox_->SetStatus(csChecked); }
  void Add(const std::string& file, const std::string& title, const std::string& lines = "") {
    fs_.AddFile(kDir + file, title + "\r\n" + lines);
  }

  testing::MemoryFileSystem fs_;  // the program is C:\Lorvane\Lorvane.exe
  TIniFile ini_;
  TFolderTree tree_{ini_};
  TFolder* mailer_ = tree_.AppendMailer(4, 6, "Becky!", "Becky");
  TFolder* inbox_ = mailer_->AddChild(ntFolder, 1, "受信箱", "In", "In\\", true);
  TAliasTable aliases_{fs_};
  std::string error_;
};

TEST_F(AliasTableTest, ListsFilesWithAnAliasTitleInListingOrder) {
  Add("Alias3.dat", "フォルダ選択の設定（Private）");
  Add("Alias1.dat", "フォルダ選択の設定（仕事）");
  Add("Alias10.dat", "フォルダ選択の設定（表ab");  // the last two bytes go, whatever they are
  Add("alias4.DAT", "フォルダ選択の設定（）");
  Add("Alias2.dat", "フォルダ選択の設定");  // saved with an empty name
  Add("Alias5.dat", "フォルダ選択の設定(x)");
  Add("Alias6.dat", "");
  Add("Alias.txt", "フォルダ選択の設定（txt）");
  fs_.AddDirectory(kDir + "Alias7.dat");
  Add("Alias8.dat", "フォルダ選択の設定（読めない）");
  fs_.MakeUnreadable(kDir + "Alias8.dat");
  aliases_.Load();
  EXPECT_EQ(aliases_.Names(), (Names{"仕事", "表", "Private", ""}));
  EXPECT_EQ(aliases_.File(1), kDir + "Alias10.dat");
  EXPECT_EQ(aliases_.IndexOf("PRIVATE"), 2);
  EXPECT_EQ(aliases_.IndexOf("Privat"), -1);
}

TEST_F(AliasTableTest, SaveTakesTheSmallestFreeNumberAndTheTop) {
  Add("Alias1.dat", "フォルダ選択の設定（一）");
  Add("Alias3.dat", "フォルダ選択の設定（三）");
  aliases_.Load();
  ASSERT_TRUE(aliases_.Save(tree_, "二", &error_)) << error_;
  EXPECT_EQ(aliases_.File(0), kDir + "Alias2.dat");
  EXPECT_EQ(aliases_.Names(), (Names{"二", "一", "三"}));
  EXPECT_EQ(*fs_.Contents(kDir + "Alias2.dat"),
            "フォルダ選択の設定（二）\r\nE1Becky!\r\nE2Becky!\\受信箱\r\n");
  // An empty name: no parentheses, listed for this run only, its number taken.
  ASSERT_TRUE(aliases_.Save(tree_, "", &error_));
  EXPECT_EQ(*fs_.Contents(kDir + "Alias4.dat"), "フォルダ選択の設定\r\nE1Becky!\r\nE2Becky!\\受信箱\r\n");
  EXPECT_EQ(aliases_.Names(), (Names{"", "二", "一", "三"}));
  aliases_.Load();
  EXPECT_EQ(aliases_.Names(), (Names{"一", "二", "三"}));
  EXPECT_EQ(aliases_.FreeFileName(), kDir + "Alias5.dat");
  // Written whole or not at all.
  fs_.FailReplace(true);
  EXPECT_FALSE(aliases_.Save(tree_, "五", &error_));
  EXPECT_EQ(aliases_.Count(), 3);
}

TEST_F(AliasTableTest, OpenAppliesAndMovesToTheTop) {
  Add("Alias1.dat", "フォルダ選択の設定（a）", "C1Becky!\\受信箱\r\n");
  Add("Alias2.dat", "フォルダ選択の設定（b）");
  Add("Alias3.dat", "フォルダ選択の設定（c）", "C3becky!\r\n");
  aliases_.Load();
  EXPECT_EQ(aliases_.Open(2, tree_, &error_), TSelectionStatus::kApplied);
  EXPECT_EQ(aliases_.Names(), (Names{"c", "a", "b"}));
  EXPECT_EQ(mailer_->Status(), csSubtreeUnchecked);
  EXPECT_EQ(aliases_.Open(1, tree_, &error_), TSelectionStatus::kApplied);
  EXPECT_EQ(aliases_.Names(), (Names{"a", "c", "b"}));
  EXPECT_EQ(inbox_->Status(), csUnchecked);
  EXPECT_EQ(aliases_.File(2), kDir + "Alias2.dat");
  // A file changed behind the table's back changes nothing in the tree.
  Add("Alias3.dat", "something else", "E2Becky!\\受信箱\r\n");
  EXPECT_EQ(aliases_.Open(1, tree_, &error_), TSelectionStatus::kNotASelectionFile);
  EXPECT_EQ(inbox_->Status(), csUnchecked);
}

TEST_F(AliasTableTest, DeleteRemovesFileAndEntryOrSaysWhy) {
  Add("Alias1.dat", "フォルダ選択の設定（a）");
  Add("Alias2.dat", "フォルダ選択の設定（b）");
  aliases_.Load();
  std::string message;
  ASSERT_TRUE(aliases_.Delete(0, &message));
  EXPECT_FALSE(fs_.Exists(kDir + "Alias1.dat"));
  fs_.RemoveFile(kDir + "Alias2.dat");
  EXPECT_FALSE(aliases_.Delete(0, &message));
  EXPECT_EQ(message, kDir + "Alias2.dat を削除できませんでした");
  EXPECT_EQ(aliases_.Names(), Names{"b"});
}

TEST_F(AliasTableTest, LastAliasAtStartAndClose) {
  Add("Alias1.dat", "フォルダ選択の設定（仕事）", "C1Becky!\\受信箱\r\n");
  Add("Alias2.dat", "フォルダ選択の設定（Private）");
  for (const auto& [last, names] : std::vector<std::pair<std::string, Names>>{
           {"private", {"Private", "仕事"}}, {"仕事", {"仕事", "Private"}}, {"x", {"仕事", "Private"}}}) {
    ini_.WriteString("Alias", "Last", last);
    aliases_.Load();
    TSelectionStatus status = TSelectionStatus::kUnreadable;
    EXPECT_EQ(aliases_.OpenLast(ini_, tree_, &status, &error_), last != "x") << last;
    EXPECT_EQ(aliases_.Names(), names) << last;
  }
  EXPECT_EQ(inbox_->Status(), csUnchecked);
  // At close the selected alias becomes "Last"; with none selected "Last" stays.
  StoreLastAlias(ini_, aliases_, -1);
  EXPECT_EQ(LastAlias(ini_), "x");
  StoreLastAlias(ini_, aliases_, 1);
  EXPECT_EQ(LastAlias(ini_), "Private");
}

}  // namespace
}  // namespace lorvane
