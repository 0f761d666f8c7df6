// Becky!: detection from the registered users, the user and folder tree, and mailboxes
// whose messages end at "." lines.

#include <gtest/gtest.h>

#include "mail/mail_reader.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

constexpr const char* kKey = "Software\\RIMArts\\Rebecca\\";
constexpr const char* kHeader = "■Becky! 2026/12/06 09:30:00";

class BeckyTest : public ::testing::Test {
 protected:
  void SetUser(int i, const std::string& address, const std::string& account = "") {
    const std::string key = std::string(kKey) + "Users\\" + std::to_string(i);
    fixture_.SetString(TRegRoot::kCurrentUser, key, "Address", address);
    if (!account.empty()) fixture_.SetString(TRegRoot::kCurrentUser, key, "Account", account);
  }
  void SetHome(const std::string& home) {
    fixture_.SetString(TRegRoot::kCurrentUser, std::string(kKey) + "Settings", "HomeDir", home);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(BeckyTest, FixtureStoreIsFoundListedAndRead) {
  testing::BuildBeckyStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkBecky, true));
  EXPECT_EQ(
      h.Log(),
      (std::vector<std::string>{
          kHeader, "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\\\Settings\\HomeDir=C:\\Becky!",
          "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\Users\\0\\Address="
          "taro@example.jp"}));
  EXPECT_EQ(h.stores.Root(mkBecky), "C:\\Becky!\\");

  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "Becky! [Becky] \n"
            "  山田太郎（会社） [User0] User0\n"
            "    受信箱 [InBox] User0\\InBox.mbx *\n"
            "    送信箱 [OutBox] User0\\OutBox.mbx *\n"
            "      草稿 [Draft] User0\\OutBox\\Draft.mbx *\n"
            "      送信済 [Sent] User0\\OutBox\\Sent.mbx *\n"
            "      草稿 [Reminder] User0\\OutBox\\Reminder.mbx *\n"
            "    ごみ箱 [Trash] User0\\Trash.mbx *\n"
            "    仕事 [仕事] User0\\仕事.mbx *\n"
            "      ソフト開発 [ソフト開発] User0\\仕事\\ソフト開発.mbx *\n"
            "        表計算 [表計算] User0\\仕事\\ソフト開発\\表計算.mbx *\n"
            "  taro.yamada@example.net [User1] User1\n"
            "    受信箱 [InBox] User1\\InBox.mbx *\n"
            "    送信箱 [OutBox] User1\\OutBox.mbx *\n"
            "      草稿 [Draft] User1\\OutBox\\Draft.mbx *\n"
            "      送信済 [Sent] User1\\OutBox\\Sent.mbx *\n"
            "      草稿 [Reminder] User1\\OutBox\\Reminder.mbx *\n"
            "    ごみ箱 [Trash] User1\\Trash.mbx *\n"
            "    趣味 [趣味] User1\\趣味.mbx *\n");
  EXPECT_EQ(h.MailsOf("Becky!\\山田太郎（会社）\\受信箱"),
            "C:\\Becky!\\User0\\InBox.mbx 0 12\n"
            "C:\\Becky!\\User0\\InBox.mbx 14 41\n"
            "C:\\Becky!\\User0\\InBox.mbx 43 50\n");
  EXPECT_EQ(h.MailsOf("Becky!\\山田太郎（会社）\\仕事\\ソフト開発"),
            "C:\\Becky!\\User0\\仕事\\ソフト開発.mbx 0 8\n"
            "C:\\Becky!\\User0\\仕事\\ソフト開発.mbx 10 17\n");
  // A standard box whose file does not exist is shown and holds nothing.
  EXPECT_EQ(h.MailsOf("Becky!\\山田太郎（会社）\\送信箱\\草稿"), "");

  TFolder* inbox = h.stores.Tree().FindByFullCaption("Becky!\\山田太郎（会社）\\受信箱");
  h.stores.EnumerateMails(*inbox);
  TMailReader reader(h.stores.Fs(), [] { return true; });
  const std::string text = reader.GetText(*inbox->Mail(1));
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "From: 鈴木 花子 <hanako@example.jp>");
  EXPECT_NE(text.find("Subject: ソフトウェア表示の不具合\r\n"), std::string::npos);
  EXPECT_NE(text.find("表示が崩れる件、画面写真を送ります。"), std::string::npos);
  EXPECT_EQ(text.find("image/jpeg"), std::string::npos);
  // The range stops before the "." line: nothing of the next message.
  EXPECT_EQ(text.substr(text.size() - 12), "--b0undary\r\n");
  EXPECT_EQ(text.find("news@example.com"), std::string::npos);
}

TEST_F(BeckyTest, NoHomeDirectory) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky, true));
  EXPECT_EQ(h.Log(),
            (std::vector<std::string>{
                kHeader, "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\\\Settings\\HomeDir="}));
  EXPECT_TRUE(h.dialogs.Messages().empty());
  EXPECT_EQ(h.stores.Tree().MailerCount(), 0);

  // Asked for by name, the user learns what is missing rather than seeing an empty box.
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky, false));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\\\"
                                      "Settings\\HomeDir がありません。"}));
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
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky, false));
  const std::string users = "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\Users\\";
  EXPECT_EQ(h.Log(), (std::vector<std::string>{
                         kHeader,
                         "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\\\Settings\\HomeDir="
                         "C:\\Becky!\\",
                         users + "0\\Address=taro@example.jp",
                         users + "2\\Address=hanako@example.jp", "no folders"}));
  EXPECT_EQ(h.dialogs.Messages(),
            (std::vector<std::string>{"エラー: " + users +
                                      "0\\Address=taro@example.jp と書かれていますが、" +
                                      "C:\\Becky!\\User0\\InBox.ctl はありません。\r\n" + users +
                                      "2\\Address=hanako@example.jp と書かれていますが、" +
                                      "C:\\Becky!\\User2\\InBox.ctl はありません。\r\n"}));
}

TEST_F(BeckyTest, NoRegisteredUser) {
  SetHome("C:\\Becky!");
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkBecky, false));
  EXPECT_EQ(h.Log().back(), "no folders");
  EXPECT_EQ(
      h.dialogs.Messages(),
      (std::vector<std::string>{"エラー: HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\Users "
                                "に有効なエントリがありません。"}));
}

TEST_F(BeckyTest, UserCaptionsAndFolderScan) {
  SetHome("C:\\Becky!");
  SetUser(3, "jiro@example.jp");             // caption: the address
  SetUser(5, "nobox@example.jp", "箱なし");  // no InBox.ctl: left out
  SetUser(20, "ghost@example.jp");           // beyond the registered places
  fixture_.WriteFile("C:\\Becky!\\User3\\InBox.ctl", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\Trash.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ.mbx", "a\r\n.\r\nb\r\n.\r\nno end\r\n");
  // Below a folder the standard names are ordinary folders.
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\Trash.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\Trash\\深い.mbx", "");
  fixture_.WriteFile("C:\\Becky!\\User3\\ソ\\notes.txt", "");
  fixture_.WriteFile("C:\\Becky!\\User20\\InBox.ctl", "");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "Becky! [Becky] \n"
            "  jiro@example.jp [User3] User3\n"
            "    受信箱 [InBox] User3\\InBox.mbx *\n"
            "    送信箱 [OutBox] User3\\OutBox.mbx *\n"
            "      草稿 [Draft] User3\\OutBox\\Draft.mbx *\n"
            "      送信済 [Sent] User3\\OutBox\\Sent.mbx *\n"
            "      草稿 [Reminder] User3\\OutBox\\Reminder.mbx *\n"
            "    ごみ箱 [Trash] User3\\Trash.mbx *\n"
            "    ソ [ソ] User3\\ソ.mbx *\n"
            "      Trash [Trash] User3\\ソ\\Trash.mbx *\n"
            "        深い [深い] User3\\ソ\\Trash\\深い.mbx *\n");
  // The text after the last "." line is no message.
  EXPECT_EQ(h.MailsOf("Becky!\\jiro@example.jp\\ソ"),
            "C:\\Becky!\\User3\\ソ.mbx 0 0\nC:\\Becky!\\User3\\ソ.mbx 2 2\n");
}

}  // namespace
}  // namespace lorvane
