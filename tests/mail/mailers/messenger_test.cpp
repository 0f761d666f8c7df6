// Messenger: users from the registry, folders from summary files (names with "_" taken
// from the summary), sub-folders in ".sbd" directories, and "From - " mailboxes.

#include <gtest/gtest.h>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::Expand;
using testing::TStoresHarness;

constexpr const char* kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
const std::string kLogUsers = "HKEY_LOCAL_MACHINE\\" + std::string(kUsers);

class MessengerTest : public testing::TMailerTest {
 protected:
  void SetUser(const std::string& key, const std::string& dir, const std::string& name) {
    fixture_.SetString(TRegRoot::kLocalMachine, std::string(kUsers) + "\\" + key, "DirRoot", dir);
    fixture_.SetString(TRegRoot::kLocalMachine, std::string(kUsers) + "\\" + key, "UserName", name);
  }
  static std::string Summary(std::string_view name_bytes) {
    return std::string(2560, '\0') + std::string(name_bytes);
  }
};

TEST_F(MessengerTest, NoUsersKey) {
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkMessenger, {}, kLogUsers + "にエントリがありません。");
}

TEST_F(MessengerTest, UsersWithoutMail) {
  SetUser("taro", "C:\\NS\\taro", "taro");
  SetUser("hanako", "C:\\NS\\hanako\\", "hanako");
  fixture_.WriteFile("C:\\NS\\taro\\Mail\\Inbox", "");
  fixture_.MakeDirectory("C:\\NS\\hanako\\Mail\\x.snm");  // a directory is no summary
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkMessenger,
                 {kLogUsers + "\\hanako\\DirRoot=C:\\NS\\hanako\\", "no folders",
                  kLogUsers + "\\taro\\DirRoot=C:\\NS\\taro", "no folders"},
                 kLogUsers + " に有効なエントリがありません。");
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
  EXPECT_EQ(h.TreeDump(), Expand("Messenger [Messenger] \n"
                                 "  Taro Yamada [Taro Yamada] $\n"
                                 "    お客様 [_a1b2c] $\\_a1b2c *\n"
                                 "      Sub [Sub] $\\_a1b2c.sbd\\Sub *\n"
                                 "        Leaf [Leaf] $\\_a1b2c.sbd\\Sub.sbd\\Leaf *\n"
                                 "    _gone [_gone] $\\_gone *\n"
                                 "    AB [_pad] $\\_pad *\n"
                                 "    _short [_short] $\\_short *\n"
                                 "    ダウンロード [ダウンロード] $\\ダウンロード *\n",
                                 '$', m));
}

}  // namespace
}  // namespace lorvane
