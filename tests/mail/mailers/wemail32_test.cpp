// WeMail32: the mail path from the registry or from WeMail.ini, the directory tree of
// folders below its Folder directory, and the files a folder lists as messages.

#include <gtest/gtest.h>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\NTES\\WeMail32\\WeMail";

using WeMail32Test = testing::TMailerTest;

TEST_F(WeMail32Test, DetectionByRegistryOrIni) {
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
    TMailFixture fixture(NewPrefix());
    fixture.SetString(TRegRoot::kCurrentUser, "Software\\NTES\\WeMail32\\WeMail", "MailPath",
                      c.mail_path);
    fixture.WriteFile("C:\\WM\\Folder\\Folder.wml", "");
    if (c.ini_text) fixture.WriteFile(ini, *c.ini_text);
    TStoresHarness h(fixture);
    std::vector<std::string> log = {kKey + "\\MailPath=" + c.mail_path};
    log.insert(log.end(), c.log.begin(), c.log.end());
    if (c.root.empty()) {
      ExpectNotFound(h, mkWeMail32, log, c.message);
      EXPECT_EQ(h.stores.Root(mkWeMail32), "");
      continue;
    }
    ExpectFound(h, mkWeMail32, false, log, c.root);
  }
}

}  // namespace
}  // namespace lorvane
