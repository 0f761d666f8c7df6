// Becky!: detection from the registered users, the user and folder tree, and mailboxes
// whose messages end at "." lines.

#include <gtest/gtest.h>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

constexpr const char* kKey = "Software\\RIMArts\\Rebecca\\";
const std::string kHomeLine = "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\\\Settings\\HomeDir=";
const std::string kUsers = "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\Users\\";

// The boxes every user has, shown whether their files exist or not.
std::string StandardBoxes(const std::string& user) {
  std::string out;
  for (const char* line :
       {"    受信箱 [InBox] $\\InBox.mbx *\n", "    送信箱 [OutBox] $\\OutBox.mbx *\n",
        "      草稿 [Draft] $\\OutBox\\Draft.mbx *\n",
        "      送信済 [Sent] $\\OutBox\\Sent.mbx *\n",
        "      草稿 [Reminder] $\\OutBox\\Reminder.mbx *\n",
        "    ごみ箱 [Trash] $\\Trash.mbx *\n"}) {
    std::string l = line;
    out += l.replace(l.find('$'), 1, user);
  }
  return out;
}

class BeckyTest : public testing::TMailerTest {
 protected:
  void SetUser(int i, const std::string& address, const std::string& account = "") {
    const std::string key = std::string(kKey) + "Users\\" + std::to_string(i);
    fixture_.SetString(TRegRoot::kCurrentUser, key, "Address", address);
    if (!account.empty()) fixture_.SetString(TRegRoot::kCurrentUser, key, "Account", account);
  }
  void SetHome(const std::string& home) {
    fixture_.SetString(TRegRoot::kCurrentUser, std::string(kKey) + "Settings", "HomeDir", home);
  }
};

TEST_F(BeckyTest, DetectionFailures) {
  {
    TStoresHarness h(fixture_);
    // Asked for by name, the user learns what is missing rather than seeing an empty box.
    ExpectNotFound(h, mkBecky, {kHomeLine},
                   kHomeLine.substr(0, kHomeLine.size() - 1) + " がありません。");
    EXPECT_EQ(h.stores.Tree().MailerCount(), 0);
  }
  SetHome("C:\\Becky!");
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkBecky, {kHomeLine + "C:\\Becky!", "no folders"},
                 kUsers.substr(0, kUsers.size() - 1) + " に有効なエントリがありません。");
}

TEST_F(BeckyTest, UsersWithoutInboxAreExplainedOneBlockEach) {
  SetHome("C:\\Becky!\\");
  SetUser(0, "taro@example.jp");
  SetUser(2, "hanako@example.jp");
  // Only users 0 to 19 are registered places; 20 is never looked at.
  SetUser(20, "ghost@example.jp");
  fixture_.WriteFile("C:\\Becky!\\User20\\InBox.ctl", "0");
  fixture_.MakeDirectory("C:\\Becky!\\User2\\InBox.ctl");  // a directory is no control file
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkBecky,
                 {kHomeLine + "C:\\Becky!\\", kUsers + "0\\Address=taro@example.jp",
                  kUsers + "2\\Address=hanako@example.jp", "no folders"},
                 kUsers + "0\\Address=taro@example.jp と書かれていますが、" +
                     "C:\\Becky!\\User0\\InBox.ctl はありません。\r\n" + kUsers +
                     "2\\Address=hanako@example.jp と書かれていますが、" +
                     "C:\\Becky!\\User2\\InBox.ctl はありません。\r\n");
}

TEST_F(BeckyTest, UserCaptionsAndFolderScan) {
  SetHome("C:\\Becky!");
  SetUser(3, "jiro@example.jp");             // caption: the address
  SetUser(5, "nobox@example.jp", "箱なし");  // no InBox.ctl: left out
  fixture_.WriteFile("C:\\Becky!\\User3\\InBox.ctl", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\Trash.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ.mbx", "a\r\n.\r\nb\r\n.\r\nno end\r\n");
  // Below a folder the standard names are ordinary folders.
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\Trash.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\Trash\\深い.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\notes.txt", "");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(), "Becky! [Becky] \n  jiro@example.jp [User3] User3\n" +
                              StandardBoxes("User3") +
                              "    ソ [ソ] User3\\ソ.mbx *\n"
                              "      Trash [Trash] User3\\ソ\\Trash.mbx *\n"
                              "        深い [深い] User3\\ソ\\Trash\\深い.mbx *\n");
  // The text after the last "." line is no message.
  EXPECT_EQ(h.MailsOf("Becky!\\jiro@example.jp\\ソ"),
            "C:\\Becky!\\User3\\ソ.mbx 0 0\nC:\\Becky!\\User3\\ソ.mbx 2 2\n");
}

}  // namespace
}  // namespace lorvane
