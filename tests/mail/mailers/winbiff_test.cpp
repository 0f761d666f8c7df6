// Winbiff: the mail directory found from the last opened file, folders as files without
// "." and containers as directories, and "." mailboxes with their ".add" companions.

#include <gtest/gtest.h>

#include <filesystem>

#include "mail/mailers/mailer_support.h"
#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kFileLine =
    "HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\Recent File List\\File1=";

class WinbiffTest : public testing::TMailerTest {
 protected:
  static void SetFile1(TMailFixture& fixture, const std::string& value) {
    fixture.SetString(TRegRoot::kCurrentUser, "Software\\Orangesoft\\Winbiff\\Recent File List",
                      "File1", value);
  }
};

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
    SCOPED_TRACE(c.name);
    TMailFixture fixture(NewPrefix());
    SetFile1(fixture, c.file1);
    fixture.WriteFile(c.file1, "");
    fixture.WriteFile("C:\\WB\\taro\\Mail\\any", "");
    fixture.MakeDirectory("C:\\WB\\hanako\\Mail");  // empty: no entry
    TStoresHarness h(fixture);
    if (c.root.empty()) {
      ExpectNotFound(h, mkWinbiff, {kFileLine + c.file1}, "メールのディレクトリが見つかりません。");
      EXPECT_EQ(h.stores.Root(mkWinbiff), "");
      continue;
    }
    ExpectFound(h, mkWinbiff, false, {kFileLine + c.file1}, c.root);
  }
}

TEST_F(WinbiffTest, NoLastFile) {
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkWinbiff, {kFileLine},
                 "HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\Recent File List\\File1 "
                 "がありません。");
}

TEST_F(WinbiffTest, LastFileMissing) {
  SetFile1(fixture_, "C:\\WB\\Mail\\gone");
  fixture_.MakeDirectory("C:\\WB\\Mail\\gone");  // a directory does not count
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkWinbiff, {std::string(kFileLine) + "C:\\WB\\Mail\\gone", "not found"},
                 "C:\\WB\\Mail\\gone が見つかりません。");
}

TEST_F(WinbiffTest, LinkedDirectoriesDoNotScanForEver) {
#ifdef _WIN32
  GTEST_SKIP()
      << "a directory loop needs a symbolic link, which Windows lets only administrators make";
#endif
  SetFile1(fixture_, "C:\\WB\\Mail\\in");
  fixture_.WriteFile("C:\\WB\\Mail\\in", "a\r\n.\r\n");
  fixture_.WriteFile("C:\\WB\\Mail\\sub\\box", "");
  // sub\up is Mail again, and so on down.
  std::filesystem::create_directory_symlink("..", fixture_.HostPath("C:\\WB\\Mail\\sub\\up"));
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_GT(NodeCount(h), 10);
  EXPECT_LE(NodeCount(h), 1 + 2 * mailers::kMaxFolderDepth);
}

}  // namespace
}  // namespace lorvane
