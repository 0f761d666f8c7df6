// Search-result files: the layout written, the title check, trailing partial records.

#include "search/result_file.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;

const TMailRecord kHit = {
    "Becky!", "受信箱 (taro\\受信箱)",        "2026-12-07", "10:15:30", "山田",
    "会議",   "C:\\Becky!\\User0\\InBox.mbx", "12",         "40"};

TEST(ResultFileTest, SaveWritesTheTitleAndNineLinesPerHit) {
  MemoryFileSystem fs;
  TResultList list;
  list.Append(kHit);
  std::string error;
  ASSERT_TRUE(SaveResultFile(fs, "C:\\r.dat", list, &error));
  EXPECT_EQ(*fs.Contents("C:\\r.dat"),
            "Search Result File / Lorvane\r\nBecky!\r\n受信箱 (taro\\受信箱)\r\n2026-12-07\r\n"
            "10:15:30\r\n山田\r\n会議\r\nC:\\Becky!\\User0\\InBox.mbx\r\n12\r\n40\r\n");
  fs.FailReplace(true);
  EXPECT_FALSE(SaveResultFile(fs, "C:\\r.dat", list, &error));
  EXPECT_FALSE(error.empty());
}

TEST(ResultFileTest, LoadTakesWholeRecordsAndKeepsTheOldListAsUndo) {
  MemoryFileSystem fs;
  std::string text = "Search Result File / Lorvane\r\n";
  for (int i = 0; i < 3; ++i) {
    for (const auto& f : kHit) text += f + "\r\n";
  }
  text += "a\r\nb\r\nc\r\nd\r\n";  // four lines of a broken fourth record
  fs.AddFile("C:\\r.dat", text);
  TResultList results;
  results.Append({"old", "", "", "", "", "", "x", "0", "-1"});
  TResultList undo;
  std::string error;
  EXPECT_EQ(LoadResultFile(fs, "C:\\r.dat", &results, &undo, &error), TResultFileStatus::kLoaded);
  EXPECT_EQ(results.Count(), 3);
  EXPECT_EQ(results.Row(2), kHit);
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.Field(0, mfSoft), "old");
}

TEST(ResultFileTest, OtherFilesChangeNothing) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\empty.dat", "");
  fs.AddFile("C:\\other.dat", "Search Result File / Lorvane \r\nx\r\n");
  TResultList results;
  results.Append(kHit);
  TResultList undo;
  std::string error;
  EXPECT_EQ(LoadResultFile(fs, "C:\\empty.dat", &results, &undo, &error),
            TResultFileStatus::kNotAResultFile);
  EXPECT_EQ(LoadResultFile(fs, "C:\\other.dat", &results, &undo, &error),
            TResultFileStatus::kNotAResultFile);
  EXPECT_EQ(LoadResultFile(fs, "C:\\none.dat", &results, &undo, &error),
            TResultFileStatus::kUnreadable);
  EXPECT_EQ(results.Count(), 1);
  EXPECT_TRUE(undo.Empty());
  EXPECT_EQ(NotAResultFileMessage("C:\\x.dat"),
            "C:\\x.dat は検索結果を保存したファイルではありません。");
}

}  // namespace
}  // namespace lorvane
