// lorvane-cli open --dry-run: the program and parameters Open would start for a row of a
// saved result list, from a registry association and the editors of Jump.dat.
// POSIX only, as all of cli_tests: the stores are fake Wine prefixes and the built program
// runs through the shell; tests/cli/windows_e2e.sh runs lorvane-cli.exe under Wine.

#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "user_directories_cli.h"

namespace lorvane::cli {
namespace {

const std::string kMeeting = "C:\\Users\\taro\\Documents\\Mail\\仕事\\会議.txt";

class OpenCommandTest : public UserDirectoriesCliTest {
 protected:
  OpenCommandTest() {
    Associate(".txt", "\"C:\\Program Files\\Hidemaru\\Hidemaru.exe\" %1");
    fixture_.WriteFile("C:\\Program Files\\Hidemaru\\Hidemaru.exe", "MZ");
    EXPECT_EQ(Run({"search", "--save", Saved(), "会議"}).status, 0);
  }
};

// The fixture's message has six header lines, the empty line 7 and its body at line 8.
TEST_F(OpenCommandTest, DryRunPrintsProgramAndParameters) {
  const std::string hidemaru = "C:\\Program Files\\Hidemaru\\Hidemaru.exe";
  Result r = Run({"open", "--dry-run", Saved(), "1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, hidemaru + "\t/j8 " + kMeeting + "\n");  // a built-in editor
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Run({"open", Saved(), "1", "--dry-run"}).out, r.out);  // the option anywhere
  // The dry run leaves Jump.dat unwritten.
  EXPECT_FALSE(scratch_.Exists("Jump.dat"));

  // An editor of Jump.dat beside the settings, in the older two-TAB form; and any other
  // program gets the file's path unchanged.
  scratch_.WriteFile("Jump.dat", "HIDEMARU.EXE\t-g\t:1\r\n");
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "1"}).out,
            hidemaru + "\t-g8:1 " + kMeeting + "\n");
  Associate(".txt", "\"C:\\Program Files\\Viewer\\view.exe\" /r \"%1\"");
  fixture_.WriteFile("C:\\Program Files\\Viewer\\view.exe", "MZ");
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "1"}).out,
            "C:\\Program Files\\Viewer\\view.exe\t" + kMeeting + "\n");
}

TEST_F(OpenCommandTest, NothingToStartAndBadRows) {
  // The association's program is gone.
  fixture_.Remove("C:\\Program Files\\Hidemaru\\Hidemaru.exe");
  Result r = Run({"open", "--dry-run", Saved(), "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "lorvane-cli: 拡張子 .txt に関連付けされている C:\\Program Files\\Hidemaru\\Hidemaru.exe "
            "を探しましたが、見つかりません。\n");
  // The row's file is gone.
  fixture_.Remove(Utf8ToCp932Lossy(kMeeting));  // the fixture takes CP932 names
  r = Run({"open", "--dry-run", Saved(), "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "lorvane-cli: " + kMeeting + " が見つかりません。\n");
  // Rows count from 1 and must exist; the file must be a result file.
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "0"}).status, 2);
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "-1"}).status, 2);
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "1x"}).status, 2);
  EXPECT_EQ(Run({"open", "--dry-run", Saved(), "99999999999"}).status, 2);
  r = Run({"open", "--dry-run", Saved(), "2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("has 1 row(s), no row 2"), std::string::npos) << r.err;
  scratch_.WriteFile("junk.dat", "not a result\r\n");
  EXPECT_EQ(Run({"open", "--dry-run", scratch_.Path("junk.dat"), "1"}).status, 1);
  EXPECT_EQ(Run({"open", "--dry-run", scratch_.Path("none.dat"), "1"}).status, 1);
  EXPECT_EQ(Run({"open", Saved()}).status, 2);
}

}  // namespace
}  // namespace lorvane::cli
