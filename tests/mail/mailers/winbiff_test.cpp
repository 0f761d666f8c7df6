// Winbiff: the mail directory found from the last opened file, folders as files without
// "." and containers as directories, and "." mailboxes with their ".add" companions.

#include <gtest/gtest.h>

#include <filesystem>

#include "mail/mailers/mailer_support.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kHeader = "■Winbiff 2026/12/06 09:30:00";
constexpr const char* kFileLine =
    "HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\Recent File List\\File1=";

class WinbiffTest : public ::testing::Test {
 protected:
  void SetFile1(TMailFixture& fixture, const std::string& value) {
    fixture.SetString(TRegRoot::kCurrentUser, "Software\\Orangesoft\\Winbiff\\Recent File List",
                      "File1", value);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(WinbiffTest, FixtureStoreIsFoundListedAndRead) {
  testing::BuildWinbiffStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkWinbiff, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader, std::string(kFileLine) + "C:\\Winbiff\\Mail\\taro\\受信箱"}));
  EXPECT_EQ(h.stores.Root(mkWinbiff), "C:\\Winbiff\\Mail\\");

  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "Winbiff [Winbiff] \n"
            "  お知らせ [お知らせ] お知らせ *\n"
            "  taro [taro] taro\n"
            "    ごみ箱 [ごみ箱] taro\\ごみ箱 *\n"
            "    受信箱 [受信箱] taro\\受信箱 *\n"
            "    送信済み [送信済み] taro\\送信済み *\n"
            "    仕事 [仕事] taro\\仕事\n"
            "      ソフト表 [ソフト表] taro\\仕事\\ソフト表 *\n");
  EXPECT_EQ(h.MailsOf("Winbiff\\taro\\受信箱"),
            "C:\\Winbiff\\Mail\\taro\\受信箱 0 7\n"
            "C:\\Winbiff\\Mail\\taro\\受信箱 9 28\n"
            "C:\\Winbiff\\Mail\\taro\\受信箱.add 0 7\n");
  EXPECT_EQ(h.MailsOf("Winbiff\\taro\\仕事\\ソフト表"),
            "C:\\Winbiff\\Mail\\taro\\仕事\\ソフト表 0 7\n");

  EXPECT_EQ(SubjectsOf(h, "Winbiff\\taro\\受信箱"), "会議室の予約\n資料の確認\nDecember news\n");
}

TEST_F(WinbiffTest, MailDirectoryFromTheLastFile) {
  struct Case {
    const char* name;
    std::string file1;
    std::string root;  // "" when not found
  };
  const Case cases[] = {
      {"below a Mail directory", "C:\\WB\\Mail\\taro\\box.dat", "C:\\WB\\Mail\\"},
      {"any letter case, the last one", "C:\\WB\\mail\\Mail\\x\\MAIL\\y\\box.dat",
       "C:\\WB\\mail\\Mail\\x\\MAIL\\"},
      {"a Mail directory beside it", "C:\\WB\\taro\\box.dat", "C:\\WB\\taro\\Mail\\"},
      // The file sits in the mail directory itself: that is the mail directory.
      {"in the Mail directory", "C:\\WB\\Mail\\box.dat", "C:\\WB\\Mail\\"},
      // 0x5C after 表 is half of a character, not a separator.
      {"trail byte before MAIL", "C:\\WB\\表MAIL\\box.dat", ""},
      {"no Mail directory", "C:\\WB\\hanako\\box.dat", ""},
  };
  for (const Case& c : cases) {
    ScratchDir scratch;
    TMailFixture fixture(scratch.Path("prefix"));
    SetFile1(fixture, c.file1);
    fixture.WriteFile(c.file1, "");
    fixture.WriteFile("C:\\WB\\taro\\Mail\\any", "");
    fixture.MakeDirectory("C:\\WB\\hanako\\Mail");  // empty: no entry
    TStoresHarness h(fixture);
    EXPECT_EQ(h.stores.DetectMailer(mkWinbiff, false), !c.root.empty()) << c.name;
    EXPECT_EQ(h.stores.Root(mkWinbiff), c.root) << c.name;
    EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader, kFileLine + c.file1})) << c.name;
    EXPECT_EQ(h.dialogs.Messages(),
              c.root.empty()
                  ? std::vector<std::string>{"エラー: メールのディレクトリが見つかりません。"}
                  : std::vector<std::string>{})
        << c.name;
  }
}

TEST_F(WinbiffTest, NoLastFile) {
  TStoresHarness none(fixture_);
  EXPECT_FALSE(none.stores.DetectMailer(mkWinbiff, false));
  EXPECT_EQ(none.Log(), (std::vector<std::string>{kHeader, kFileLine}));
  EXPECT_EQ(none.dialogs.Messages(),
            (std::vector<std::string>{"エラー: HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\"
                                      "Recent File List\\File1 がありません。"}));
}

TEST_F(WinbiffTest, LastFileMissing) {
  SetFile1(fixture_, "C:\\WB\\Mail\\gone");
  fixture_.MakeDirectory("C:\\WB\\Mail\\gone");  // a directory does not count
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkWinbiff, false));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader, std::string(kFileLine) + "C:\\WB\\Mail\\gone", "not found"}));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: C:\\WB\\Mail\\gone が見つかりません。"}));
}

TEST_F(WinbiffTest, LinkedDirectoriesDoNotScanForEver) {
#ifdef _WIN32
  GTEST_SKIP() << "a directory loop needs a symbolic link, which Windows lets only administrators make";
#endif
  SetFile1(fixture_, "C:\\WB\\Mail\\in");
  fixture_.WriteFile("C:\\WB\\Mail\\in", "a\r\n.\r\n");
  fixture_.WriteFile("C:\\WB\\Mail\\sub\\box", "");
  // sub\up is Mail again, and so on down.
  std::filesystem::create_directory_symlink("..", fixture_.HostPath("C:\\WB\\Mail\\sub\\up"));
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  int nodes = 0;
  h.stores.Tree().ForEachNode([&nodes](TFolder&) { ++nodes; });
  EXPECT_GT(nodes, 10);
  EXPECT_LE(nodes, 1 + 2 * mailers::kMaxFolderDepth);
}

}  // namespace
}  // namespace lorvane
