// WeMail32: the mail path from the registry or from WeMail.ini, the directory tree of
// folders below its Folder directory, and the files a folder lists as messages.

#include <gtest/gtest.h>

#include "mail/mailer_catalogue.h"
#include "support/enumerated_subjects.h"
#include "support/interactive_stores.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::LastDetection;
using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\NTES\\WeMail32\\WeMail";
const std::string kHeader = "■WeMail32 2026/12/06 09:30:00";

TEST(WeMail32Test, StoreFromTheRegistry) {
  ScratchDir scratch;
  TMailFixture fixture(scratch.Path("prefix"));
  testing::BuildWeMail32Store(fixture);
  TStoresHarness h(fixture);
  ASSERT_TRUE(h.stores.DetectMailer(mkWeMail32, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{kHeader, kKey + "\\MailPath=C:\\WeMail32\\"}));
  h.stores.Rebuild();
  EXPECT_EQ(h.stores.Root(mkWeMail32), "C:\\WeMail32\\Folder\\");
  EXPECT_EQ(h.TreeDump(),
            "WeMail32 [WeMail32] \n"
            "  ごみ箱 [ごみ箱] ごみ箱 *\n"
            "  仕事 [仕事] 仕事 *\n"
            "    顧客 [顧客] 仕事\\顧客 *\n"
            "  受信箱 [受信箱] 受信箱 *\n"
            "  送信箱 [送信箱] 送信箱 *\n");
  // Index.idx, Folder.ini and Folder.wml stand beside the messages.
  EXPECT_EQ(h.MailsOf("WeMail32\\受信箱"),
            "C:\\WeMail32\\Folder\\受信箱\\WM1000.eml 0 -1\n"
            "C:\\WeMail32\\Folder\\受信箱\\WM1001.eml 0 -1\n");
  EXPECT_EQ(SubjectsOf(h, "WeMail32\\受信箱"), "同窓会のお知らせ\nDecember newsletter\n");
  EXPECT_EQ(SubjectsOf(h, "WeMail32\\仕事\\顧客"), "ソフトの表示について\n");
  EXPECT_EQ(h.MailsOf("WeMail32\\ごみ箱"), "");
}

TEST(WeMail32Test, DetectionByRegistryOrIni) {
  const std::string ini = "C:\\windows\\WeMail.ini";
  std::string kana_path = "C:\\";
  for (int i = 0; i < 150; ++i) kana_path += "表";
  struct Case {
    const char* name;
    std::string mail_path;                // registry
    std::optional<std::string> ini_text;  // WeMail.ini
    std::vector<std::string> log;         // after the header and the MailPath line
    std::string root;                     // "" when not found
    std::string message;
  };
  const Case cases[] = {
      // The registry's path is used as it stands: without its final "\" it misses.
      {"registry path without separator",
       "C:\\WM",
       std::nullopt,
       {"C:\\WMFolder\\Folder.wml", "not exist"},
       "",
       "C:\\WMFolder\\Folder.wml がありません。"},
      {"no ini", "", std::nullopt, {ini, "not exist"}, "", ini + " がありません。"},
      {"no MailPath line",
       "",
       "[WeMail]\r\nMAIL=C:\\WM\r\n",
       {ini, "no MailPath"},
       "",
       ini + " に MailPath= 行がありません。"},
      {"first line in any case",
       "",
       "[WeMail]\r\nmailpath=C:\\WM\r\nMAILPATH=C:\\Other\\\r\n",
       {ini},
       "C:\\WM\\Folder\\",
       ""},
      {"255 characters, not bytes",
       "",
       "MailPath=" + kana_path + "\r\n",
       {ini},
       kana_path.substr(0, 3 + 252 * 2) + "\\Folder\\",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir scratch;
    TMailFixture fixture(scratch.Path("prefix"));
    fixture.SetString(TRegRoot::kCurrentUser, "Software\\NTES\\WeMail32\\WeMail", "MailPath",
                      c.mail_path);
    fixture.WriteFile("C:\\WM\\Folder\\Folder.wml", "");
    if (c.ini_text) fixture.WriteFile(ini, *c.ini_text);
    TStoresHarness h(fixture);
    EXPECT_EQ(h.stores.DetectMailer(mkWeMail32, false), !c.root.empty());
    std::vector<std::string> log = {kHeader, kKey + "\\MailPath=" + c.mail_path};
    log.insert(log.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(LastDetection(h.Log()), log);
    EXPECT_EQ(h.stores.Root(mkWeMail32), c.root);
    if (c.root.empty()) {
      EXPECT_EQ(h.dialogs.Messages(), std::vector<std::string>{"エラー: " + c.message});
    } else {
      EXPECT_TRUE(h.dialogs.Messages().empty());
    }
  }
}

}  // namespace
}  // namespace lorvane
