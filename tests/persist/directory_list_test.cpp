// The directory list as its dialog edits it, and its settings.

#include "persist/directory_list.h"

#include <gtest/gtest.h>

#include "persist/ini_file.h"

namespace lorvane {
namespace {

TEST(DirectoryListTest, ChosenDirectoriesEndInOneSeparator) {
  TDirectoryList list;
  list.SetPath(list.Add(), "C:\\");
  list.SetPath(list.Add(), "C:\\Mail");
  list.SetPath(list.Add(), "C:\\ソ");  // the trail byte of ソ is 0x5C: not a separator
  EXPECT_EQ(list.Lines()[0].path, "C:\\");
  EXPECT_EQ(list.Lines()[1].path, "C:\\Mail\\");
  EXPECT_EQ(list.Lines()[2].path, "C:\\ソ\\");
  EXPECT_FALSE(list.Lines()[2].recursive);  // new lines are not recursive
}

TEST(DirectoryListTest, InsertAddAndCancelledChoices) {
  TDirectoryList list;
  list.SetPath(list.Add(), "C:\\A");
  list.SetPath(list.Add(), "C:\\B");
  EXPECT_EQ(list.Insert(1), 1);
  list.DropIfEmpty(1);  // the directory dialog was cancelled
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Lines()[1].path, "C:\\B\\");
  list.DropIfEmpty(1);  // a line with a directory stays
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Insert(99), 2);  // out of range: at the end
  list.Delete(-1);
  list.Delete(5);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_FALSE(TDirectoryList::CanEdit(-1, 3));
  EXPECT_FALSE(TDirectoryList::CanEdit(3, 3));
  EXPECT_TRUE(TDirectoryList::CanEdit(0, 3));
}

TEST(DirectoryListTest, SaveWritesTheListAndLeavesLongerOldOnesUnread) {
  TIniFile ini;
  TDirectoryList list;
  for (const char* dir : {"C:\\A", "C:\\B", "C:\\C"}) list.SetPath(list.Add(), dir);
  list.SetRecursive(1, true);
  list.Save(ini);
  EXPECT_EQ(ini.ReadInteger("Directory", "Number", 0), 3);
  EXPECT_TRUE(ini.ReadBool("Directory\\Dir2", "Recursive", false));

  TDirectoryList again = TDirectoryList::Load(ini);
  EXPECT_EQ(again.Lines(), list.Lines());
  again.Delete(0);
  again.Save(ini);
  EXPECT_EQ(ini.ReadInteger("Directory", "Number", 0), 2);
  EXPECT_EQ(ini.ReadString("Directory\\Dir3", "Path", ""), "C:\\C\\");  // stale, kept
  const TDirectoryList shorter = TDirectoryList::Load(ini);
  ASSERT_EQ(shorter.Count(), 2);
  EXPECT_EQ(shorter.Lines()[0], (TDirectoryLine{"C:\\B\\", true}));
}

}  // namespace
}  // namespace lorvane
