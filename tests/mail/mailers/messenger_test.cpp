// Messenger: users from the registry, folders from summary files (names with "_" taken
// from the summary), sub-folders in ".sbd" directories, and "From - " mailboxes.

#include <gtest/gtest.h>

#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kHeader = "■Messenger 2026/12/06 09:30:00";
constexpr const char* kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";

// `dump` with every "$" replaced by the user's mail directory.
std::string WithPath(std::string dump, const std::string& mail) {
  for (size_t i; (i = dump.find('$')) != std::string::npos;) dump.replace(i, 1, mail);
  return dump;
}

class MessengerTest : public ::testing::Test {
 protected:
  void SetUser(const std::string& key, const std::string& dir, const std::string& name) {
    fixture_.SetString(TRegRoot::kLocalMachine, std::string(kUsers) + "\\" + key, "DirRoot", dir);
    fixture_.SetString(TRegRoot::kLocalMachine, std::string(kUsers) + "\\" + key, "UserName", name);
  }
  static std::string Summary(std::string_view name_bytes) {
    return std::string(2560, '\0') + std::string(name_bytes);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(MessengerTest, FixtureStoreIsFoundListedAndRead) {
  testing::BuildMessengerStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkMessenger, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader,
                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\"
                         "Users\\taro\\DirRoot=C:\\Program Files\\Netscape\\Users\\taro"}));
  EXPECT_EQ(h.stores.Root(mkMessenger), "");  // discovery reads the registry again

  h.stores.Rebuild();
  const std::string mail = "C:\\Program Files\\Netscape\\Users\\taro\\Mail";
  EXPECT_EQ(h.TreeDump(), WithPath("Messenger [Messenger] \n"
                                   "  taro [taro] $\n"
                                   "    Inbox [Inbox] $\\Inbox *\n"
                                   "    Sent [Sent] $\\Sent *\n"
                                   "    Trash [Trash] $\\Trash *\n"
                                   "    Work [Work] $\\Work *\n"
                                   "      Projects [Projects] $\\Work.sbd\\Projects *\n"
                                   "    取引先様 [_b9c2a41] $\\_b9c2a41 *\n",
                                   mail));
  EXPECT_EQ(h.MailsOf("Messenger\\taro\\Inbox"), mail + "\\Inbox 1 8\n" + mail + "\\Inbox 10 34\n");
  EXPECT_EQ(h.MailsOf("Messenger\\taro\\Trash"), "");

  EXPECT_EQ(SubjectsOf(h, "Messenger\\taro\\Inbox"), "Lunch on Friday?\n議事録の送付\n");
  EXPECT_EQ(SubjectsOf(h, "Messenger\\taro\\Work\\Projects"), "ソフト表示の修正\n");
}

TEST_F(MessengerTest, NoUsersKey) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkMessenger, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader}));
  EXPECT_FALSE(h.stores.DetectMailer(mkMessenger, false));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape "
                                      "Navigator\\Usersにエントリがありません。"}));
}

TEST_F(MessengerTest, UsersWithoutMail) {
  SetUser("taro", "C:\\NS\\taro", "taro");
  SetUser("hanako", "C:\\NS\\hanako\\", "hanako");
  fixture_.WriteFile("C:\\NS\\taro\\Mail\\Inbox", "");
  fixture_.MakeDirectory("C:\\NS\\hanako\\Mail\\x.snm");  // a directory is no summary
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkMessenger, false));
  const std::string users = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users";
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader, users + "\\hanako\\DirRoot=C:\\NS\\hanako\\", "no folders",
                         users + "\\taro\\DirRoot=C:\\NS\\taro", "no folders"}));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: " + users + " に有効なエントリがありません。"}));
}

TEST_F(MessengerTest, CaptionsFromSummaries) {
  SetUser("u1", "C:\\NS\\taro", "Taro Yamada");
  SetUser("u2", "C:\\NS\\empty", "nobody");  // no summaries: no user node
  const std::string mail = "C:\\NS\\taro\\Mail\\";
  fixture_.WriteFile(mail + "_a1b2c.snm", Summary("お客様"));  // six bytes for six characters
  fixture_.WriteFile(mail + "_pad.snm", Summary(std::string("AB\0\0", 4)));
  fixture_.WriteFile(mail + "_short.snm", std::string(2562, '\0') + "xy");  // ends too soon
  fixture_.WriteFile(mail + "_gone.snm", "");
  // "ダ" ends in 0x5F, the byte of "_": the name has no "_" and is kept.
  fixture_.WriteFile(mail + "ダウンロード.snm", Summary("WRONG NAME!!"));
  fixture_.WriteFile(mail + "_a1b2c.sbd\\Sub.snm", Summary("Sub"));
  fixture_.WriteFile(mail + "_a1b2c.sbd\\Sub.sbd\\Leaf.snm", "");
  fixture_.WriteFile(mail + "_pad.sbd", "a file, not a directory");
  fixture_.MakeDirectory("C:\\NS\\empty\\Mail");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  const std::string m = "C:\\NS\\taro\\Mail";
  EXPECT_EQ(h.TreeDump(), WithPath("Messenger [Messenger] \n"
                                   "  Taro Yamada [Taro Yamada] $\n"
                                   "    お客様 [_a1b2c] $\\_a1b2c *\n"
                                   "      Sub [Sub] $\\_a1b2c.sbd\\Sub *\n"
                                   "        Leaf [Leaf] $\\_a1b2c.sbd\\Sub.sbd\\Leaf *\n"
                                   "    _gone [_gone] $\\_gone *\n"
                                   "    AB [_pad] $\\_pad *\n"
                                   "    _short [_short] $\\_short *\n"
                                   "    ダウンロード [ダウンロード] $\\ダウンロード *\n",
                                   m));
}

}  // namespace
}  // namespace lorvane
