// lorvane-cli selection, alias and search --alias over a fixture prefix with user
// directories: the files as written, the states they bring back into the stored tree, the
// alias files' numbers and order, and a search over an alias that leaves the tree alone.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "user_directories_cli.h"

namespace lorvane::cli {
namespace {

const std::string kMail = "Directory\\C:\\Users\\taro\\Documents\\Mail";
const std::string kNodes = "E1Directory\r\nE2" + kMail + "\r\nE2" + kMail + "\\2025\r\nE2" +
                           kMail + "\\仕事\r\nE2Directory\\C:\\Users\\taro\\Desktop\\メモ\r\n";

class SelectionCommandTest : public UserDirectoriesCliTest {
 protected:
  // "shown<TAB>stored<TAB>E/C" of the folder, from 'tree --tsv'.
  std::string StateOf(const std::string& full_caption) {
    const std::string tsv = Run({"tree", "--tsv"}).out;
    const size_t at = tsv.find("\t" + full_caption + "\t");
    if (at == std::string::npos) return "missing";
    return tsv.substr(tsv.rfind('\n', at) + 1 + 2, 5);  // npos + 1 is the first line's 0
  }
  // A file beside the settings, given in UTF-8 and written in CP932.
  void Write(const std::string& name, const std::string& text) {
    scratch_.WriteFile(name, Utf8ToCp932Lossy(text));
  }
};

TEST_F(SelectionCommandTest, SaveWritesTheTreeAndLoadBringsItBack) {
  ASSERT_EQ(Run({"selection", "save", scratch_.Path("all.dat"), "--alias", "仕事"}).status, 0);
  EXPECT_EQ(scratch_.ReadFile("all.dat"), Utf8ToCp932Lossy("フォルダ選択の設定（仕事）\r\n" + kNodes));
  // Paths in another letter case still apply; the other folders keep their states.
  Write("off.dat", "フォルダ選択の設定\r\nC1directory\\c:\\users\\TARO\\documents\\mail\\2025\r\n");
  Result r = Run({"selection", "load", scratch_.Path("off.dat")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(StateOf(kMail + "\\2025"), "1\t1\tC");
  EXPECT_EQ(StateOf(kMail + "\\仕事"), "2\t2\tE");
  EXPECT_EQ(Run({"search", "昔"}).status, 1);

  // Another file changes nothing.
  scratch_.WriteFile("hits.dat", "Search Result File / Lorvane\r\nE2Directory\r\n");
  r = Run({"selection", "load", scratch_.Path("hits.dat")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("hits.dat はフォルダ選択の設定のファイルではありません。"), std::string::npos);
  EXPECT_EQ(Run({"selection", "load", scratch_.Path("none.dat")}).status, 1);
  EXPECT_EQ(StateOf(kMail + "\\2025"), "1\t1\tC");

  ASSERT_EQ(Run({"selection", "load", scratch_.Path("all.dat")}).status, 0);
  EXPECT_EQ(Run({"search", "昔"}).status, 0);
  EXPECT_EQ(Run({"selection", "load", scratch_.Path("all.dat"), "--alias", "x"}).status, 2);
}

TEST_F(SelectionCommandTest, AliasesKeptByNameUsedLastFirst) {
  Result r = Run({"alias", "open", "仕事"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lorvane-cli: エイリアスがひとつもありません\n");

  r = Run({"alias", "save", "仕事"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(r.out.size() - 12), "\\Alias1.dat\n");
  Write("Alias3.dat", "フォルダ選択の設定（Private）\r\nC3" + kMail + "\r\n");
  ASSERT_EQ(Run({"alias", "save", "二"}).status, 0);
  EXPECT_TRUE(scratch_.Exists("Alias2.dat"));  // 3 is taken
  EXPECT_EQ(Run({"alias", "list"}).out, "二\n仕事\nPrivate\n");

  ASSERT_EQ(Run({"alias", "open", "private"}).status, 0);
  EXPECT_EQ(StateOf(kMail + "\\仕事"), "5\t2\tE");
  EXPECT_EQ(Run({"alias", "list"}).out, "Private\n仕事\n二\n");
  EXPECT_EQ(Run({"config", "get", "Alias", "Last"}).out, "Private\n");

  ASSERT_EQ(Run({"alias", "delete", "二"}).status, 0);
  EXPECT_FALSE(scratch_.Exists("Alias2.dat"));
  EXPECT_EQ(Run({"alias", "delete", "二"}).status, 1);
  EXPECT_EQ(Run({"alias", "list"}).out, "Private\n仕事\n");
  EXPECT_EQ(Run({"alias", "rename", "a", "b"}).status, 2);
}

TEST_F(SelectionCommandTest, SearchOverAnAliasLeavesTheStoredTree) {
  ASSERT_EQ(Run({"alias", "save", "全部"}).status, 0);
  Write("Alias2.dat", "フォルダ選択の設定（会議なし）\r\nE2" + kMail + "\r\nC1" + kMail + "\\仕事\r\n");
  Write("off.dat", "フォルダ選択の設定\r\nC3" + kMail + "\r\n");
  ASSERT_EQ(Run({"selection", "load", scratch_.Path("off.dat")}).status, 0);
  EXPECT_EQ(Run({"search", "会議"}).status, 1);

  Result r = Run({"search", "--alias", "全部", "--save-settings", "会議"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Run({"search", "--alias", "会議なし", "会議"}).status, 1);
  EXPECT_EQ(Run({"search", "--alias", "会議なし", "昔"}).status, 0);
  // The keyword went into the history; the tree and "Last" stayed.
  EXPECT_EQ(Run({"config", "get", "Keyword", "History[0]"}).out, "会議\n");
  EXPECT_EQ(StateOf(kMail), "3\t3\tC");
  EXPECT_EQ(Run({"config", "get", "Alias", "Last"}).out, "全部\n");

  EXPECT_EQ(Run({"search", "--alias", "nothing", "x"}).status, 2);
  EXPECT_EQ(Run({"search", "--alias", "全部", "--folder", kMail, "x"}).status, 2);
}

}  // namespace
}  // namespace lorvane::cli
