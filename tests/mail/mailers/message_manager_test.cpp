// MessageManager: the located executable's checks (the procedure sesna and 電信八号 share
// is tested as a whole in located_programs_test.cpp), folders from the Mail directory,
// one message per file.

#include <gtest/gtest.h>

#include "mailer_test.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::LastDetection;
using testing::TInteractiveStores;
using testing::TStoresHarness;

using MessageManagerTest = testing::TMailerTest;

TEST_F(MessageManagerTest, InteractiveDetectionChecksTheChosenFile) {
  fixture_.WriteFile("C:\\MM\\MSGMAN.exe", "MZ");
  fixture_.WriteFile("C:\\MM\\ギSGMAN.EXE", "MZ");  // 0x83 0x4D: its trail byte is an "M"
  fixture_.WriteFile("C:\\MM\\Mail\\Aliases.ini", "[Aliases]\r\n");
  struct Case {
    std::optional<std::string> pick;
    std::vector<std::string> log;  // after the header
    std::string message;
  };
  const Case cases[] = {
      {"C:\\MM\\ギSGMAN.EXE",
       {"msgman.exe=C:\\MM\\ギSGMAN.EXE"},
       "msgman.exe 以外を探してもだめです。"},
      {"C:\\Gone\\msgman.exe",
       {"msgman.exe=C:\\Gone\\msgman.exe", "not exist"},
       "C:\\Gone\\msgman.exe がありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(*c.pick);
    TStoresHarness h(fixture_);
    TInteractiveStores ui(h);
    ui.dialogs.pick = c.pick;
    EXPECT_FALSE(ui.stores.DetectMailer(mkMessageManager, false));
    std::vector<std::string> log = {Header(mkMessageManager)};
    log.insert(log.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(LastDetection(h.Log()), log);
    EXPECT_EQ(ui.dialogs.asked, std::vector<std::string>{"msgman.exe を探して下さい。|msgman.exe"});
    EXPECT_EQ(ui.dialogs.messages, std::vector<std::string>{"エラー: " + c.message});
    EXPECT_EQ(h.ini.ReadString(keys::kPath, "MessageManager", "<none>"), "<none>");
  }

  // The end is compared upper-cased. Once the directory is remembered, even an
  // interactive detection asks nothing.
  TStoresHarness h(fixture_);
  TInteractiveStores ui(h);
  ui.dialogs.pick = "C:\\MM\\MSGMAN.exe";
  ASSERT_TRUE(ui.stores.DetectMailer(mkMessageManager, false));
  EXPECT_EQ(LastDetection(h.Log()),
            (std::vector<std::string>{Header(mkMessageManager), "msgman.exe=C:\\MM\\MSGMAN.exe"}));
  EXPECT_EQ(ui.stores.Root(mkMessageManager), "C:\\MM\\Mail\\");
  EXPECT_TRUE(ui.stores.DetectMailer(mkMessageManager, false));
  EXPECT_EQ(ui.dialogs.asked.size(), 1u);
}

}  // namespace
}  // namespace lorvane
