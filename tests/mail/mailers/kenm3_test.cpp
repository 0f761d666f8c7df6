// Kenm3: detection from the registry's home directory, the fixed trays and the groups,
// and the mailbox rule (one skipped line before each message, "." after it).

#include <gtest/gtest.h>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kUserKey = "HKEY_CURRENT_USER\\Software\\Y.D Products\\Kenm3\\User";
// The mail-program node and its fixed trays, which every tree starts with.
const std::string kTrays =
    "Kenm3 [Kenm3] \n"
    "  受信ﾄﾚｲ [受信ﾄﾚｲ] Folder\\受信ﾄﾚｲ *\n"
    "  ごみ箱 [ごみ箱] Folder\\ごみ箱 *\n"
    "  保管ﾄﾚｲ [保管ﾄﾚｲ] Folder\\保管ﾄﾚｲ *\n"
    "  送信ﾄﾚｲ [送信ﾄﾚｲ] Folder\\送信ﾄﾚｲ *\n";

class Kenm3Test : public testing::TMailerTest {
 protected:
  static void SetHome(TMailFixture& f, const std::string& home) {
    f.SetString(TRegRoot::kCurrentUser, "Software\\Y.D Products\\Kenm3\\User", "HomeDir", home);
  }
};

TEST_F(Kenm3Test, DetectionFailures) {
  struct Case {
    const char* home;  // registry HomeDir
    std::string message;
  };
  const Case cases[] = {
      {"", kUserKey + "\\HomeDir がありません。"},
      // The message joins the home directory, with its final "\", and "\Folder".
      {"C:\\Kenm3\\hanako", "C:\\Kenm3\\hanako\\\\Folder にエントリがありません。"},
      {"C:\\Kenm3\\hanako\\", "C:\\Kenm3\\hanako\\\\Folder にエントリがありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.home);
    TMailFixture fixture(NewPrefix());
    SetHome(fixture, c.home);
    // A directory named like the trash is no mailbox.
    fixture.MakeDirectory("C:\\Kenm3\\hanako\\Folder\\ごみ箱");
    TStoresHarness h(fixture);
    ExpectNotFound(h, mkKenm3, {kUserKey + "\\HomeDir=" + c.home, "not exist"}, c.message);
  }
}

TEST_F(Kenm3Test, OddGroupsAndMailboxes) {
  SetHome(fixture_, "C:\\Kenm3\\");
  // A blank line names nothing; a name without a mailbox file still is a folder.
  fixture_.WriteFile("C:\\Kenm3\\Grp\\表", "Aa\r\n\r\nなし\n");
  fixture_.WriteFile("C:\\Kenm3\\Grp\\空", "");
  fixture_.WriteFile("C:\\Kenm3\\Folder\\ごみ箱",
                     "From a\r\n"          // 0: skipped
                     "Subject: one\r\n"    // 1
                     "\n"                  // 2
                     "body\r"              // 3
                     ".\r\n"               // 4: closes 1..3
                     ".\r\n"               // 5: skipped, so it closes nothing
                     "Subject: two\r\n"    // 6
                     ".\r\n"               // 7: closes 6..6
                     "From c\r\n"          // 8: skipped
                     "Subject: three\r\n"  // 9: never closed, not listed
                     ". \r\n");
  fixture_.WriteFile("C:\\Kenm3\\Folder\\受信ﾄﾚｲ", "From a\r\n.\r\n");
  fixture_.WriteFile("C:\\Kenm3\\Folder\\保管ﾄﾚｲ", "From a\r\n" + std::string(10 << 20, 'x'));
  fixture_.MakeDirectory("C:\\Kenm3\\Folder\\送信ﾄﾚｲ");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(), kTrays +
                              "  空 [空] Grp\\空\n"
                              "  表 [表] Grp\\表\n"
                              "    Aa [Aa] Folder\\Aa *\n"
                              "    なし [なし] Folder\\なし *\n");
  EXPECT_EQ(h.MailsOf("Kenm3\\表\\なし"), "");
  EXPECT_EQ(h.MailsOf("Kenm3\\ごみ箱"),
            "C:\\Kenm3\\Folder\\ごみ箱 1 3\nC:\\Kenm3\\Folder\\ごみ箱 6 6\n");
  EXPECT_EQ(SubjectsOf(h, "Kenm3\\ごみ箱"), "one\ntwo\n");
  // A "." straight after the opening line closes an empty message.
  EXPECT_EQ(h.MailsOf("Kenm3\\受信ﾄﾚｲ"), "C:\\Kenm3\\Folder\\受信ﾄﾚｲ 1 0\n");
  EXPECT_EQ(h.MailsOf("Kenm3\\保管ﾄﾚｲ"), "");
  EXPECT_EQ(h.MailsOf("Kenm3\\送信ﾄﾚｲ"), "");
}

}  // namespace
}  // namespace lorvane
