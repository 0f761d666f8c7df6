// lorvane-cli search, narrow and count over a fixture prefix with user directories.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "user_directories_cli.h"

namespace lorvane::cli {
namespace {

class SearchCommandTest : public UserDirectoriesCliTest {};

const std::string kDocs = "C:\\Users\\taro\\Documents\\Mail";

TEST_F(SearchCommandTest, HitsWithTheirNineFields) {
  const Result r = Run({"search", "--tsv", "会議"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Directory\t仕事 (" + kDocs +
                       "\\仕事)\t2026-12-07\t10:15:30\t鈴木 花子\t"
                       "会議のお知らせ\t" +
                       kDocs + "\\仕事\\会議.txt\t0\t-1\n");
  const Result table = Run({"search", "会議"});
  EXPECT_EQ(table.out.substr(0, 13), "Directory    ");
  EXPECT_EQ(Run({"search", "nothing-like-this"}).status, 1);
}

TEST_F(SearchCommandTest, OptionsScopeSortAndFolders) {
  // "見積" is in the subject of one message and in the body of none.
  EXPECT_EQ(Run({"search", "--scope", "body", "お見積り"}).status, 1);
  EXPECT_EQ(Run({"search", "--scope", "header", "お見積り"}).status, 0);
  // Powerful by default: half-width katakana find the full-width word.
  EXPECT_EQ(Run({"search", "ｿﾌﾄ"}).status, 0);
  EXPECT_EQ(Run({"search", "--no-powerful", "ｿﾌﾄ"}).status, 1);
  const Result by_date = Run({"search", "--tsv", "--sort", "Date", "--method", "or", "会議", "昔"});
  EXPECT_LT(by_date.out.find("2006-12-05"), by_date.out.find("2026-12-07"));
  const Result one = Run({"search", "--tsv", "--folder", "Directory\\" + kDocs + "\\2025", "の"});
  EXPECT_EQ(one.out.find("会議"), std::string::npos);
  EXPECT_NE(one.out.find("昔の話"), std::string::npos);
  EXPECT_EQ(Run({"search", "--folder", "Directory\\Nowhere", "x"}).status, 2);
  EXPECT_EQ(Run({"search", "--regexp", "(unclosed"}).status, 3);
  EXPECT_EQ(Run({"search", "--scope", "all", "x"}).status, 2);
}

TEST_F(SearchCommandTest, HistoryOnlyWithSaveSettings) {
  Run({"search", "会議"});
  EXPECT_EQ(Run({"config", "get", "Keyword", "History[0]"}).status, 1);
  Run({"search", "--save-settings", "会議"});
  EXPECT_EQ(Run({"config", "get", "Keyword", "History[0]"}).out, "会議\n");
}

TEST_F(SearchCommandTest, ResultFilesNarrowAndCount) {
  const std::string saved = scratch_.Path("hits.dat");
  EXPECT_EQ(Run({"search", "--save", saved, "の"}).status, 0);
  EXPECT_EQ(scratch_.ReadFile("hits.dat").substr(0, 30), "Search Result File / Lorvane\r\n");
  const Result narrowed = Run({"narrow", saved, "--tsv", "会議"});
  EXPECT_EQ(narrowed.status, 0);
  EXPECT_EQ(narrowed.out.find('\n'), narrowed.out.size() - 1);  // one hit
  EXPECT_NE(narrowed.out.find("会議.txt"), std::string::npos);
  EXPECT_EQ(Run({"narrow", saved, "zzz"}).status, 1);

  const Result count = Run({"count", saved});
  EXPECT_EQ(count.status, 0);
  EXPECT_NE(count.out.find("フォルダー別\n\n    1 Directory\\2025 ("), std::string::npos);
  EXPECT_NE(count.out.find("発信日別\n\n    1 2006-12-05\n    2 2026-12-07\n"), std::string::npos)
      << count.out;

  scratch_.WriteFile("other.dat", "not a result file\r\n");
  const Result other = Run({"count", scratch_.Path("other.dat")});
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.err.find("検索結果を保存したファイルではありません"), std::string::npos);
}

TEST_F(SearchCommandTest, AnUnreadableMessageEndsTheSearchWithTheHitsSoFar) {
  // A FIFO among the messages (the last one searched): listed like a file, refused when
  // read.
  const std::string fifo = fixture_.Prefix() + "/drive_c/Users/taro/Documents/Mail/仕事/議事録.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Result r = Run({"search", "--tsv", "の"});
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.err.find("議事録.txt"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("見積り.eml"), std::string::npos);  // read before the pipe
  EXPECT_NE(r.out.find("会議.txt"), std::string::npos);
}

}  // namespace
}  // namespace lorvane::cli
