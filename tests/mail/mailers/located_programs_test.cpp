// The detection MessageManager, sesna and 電信八号 share: only the remembered directory
// in automatic mode; in interactive mode the located executable, each program with its
// own texts, directory and check file.

#include "mail/mailers/located_programs.h"

#include <gtest/gtest.h>

#include "mailer_test.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::LastDetection;
using testing::TInteractiveStores;
using testing::TStoresHarness;

struct TProgramCase {
  int kind;
  const char* path_name;
  const char* executable;  // in C:\Found\ (with its check files) and in C:\Bare\ (without)
  std::string found_root;  // after choosing C:\Found\<executable>
  std::string bare_text;   // after choosing C:\Bare\<executable>; "" when that is found too
  std::string asked;
  std::string log_prefix;
  std::string wrong_text;  // after choosing C:\Found\other.exe
  std::string cancel_text;
};

const TProgramCase kPrograms[] = {
    {mkMessageManager, "MessageManager", "msgman.exe", "C:\\Found\\Mail\\",
     "C:\\Bare\\Mail\\Aliases.ini がありません。", "msgman.exe を探して下さい。|msgman.exe",
     "msgman.exe=", "msgman.exe 以外を探してもだめです。",
     "Message Manager の検出をキャンセルしました。"},
    {mkSesna, "sesna", "sesna.exe", "C:\\Found\\", "", "sesna.exe を探して下さい。|sesna.exe",
     "sesna.exe=", "sesna.exe 以外を探してもだめです。", "sesna の検出をキャンセルしました。"},
    {mkDenshin8, "電信八号", "Denshin8.exe", "C:\\Found\\", "C:\\Bare\\DENSHIN8.ini がありません。",
     "Denshin8.exe を探して下さい。|Denshin8.exe", "Denshin8.exe=",
     "Denshin8.exe 以外を探してもだめです。", "電信八号の検出をキャンセルしました。"},
};

class LocatedProgramTest : public testing::TMailerTest {
 protected:
  void SetUp() override {
    for (const auto& p : kPrograms) {
      fixture_.WriteFile(std::string("C:\\Found\\") + p.executable, "MZ");
      fixture_.WriteFile(std::string("C:\\Bare\\") + p.executable, "MZ");
    }
    fixture_.WriteFile("C:\\Found\\other.exe", "MZ");
    fixture_.WriteFile("C:\\Found\\Mail\\Aliases.ini", "");
    fixture_.WriteFile("C:\\Found\\DENSHIN8.ini", "");
  }
};

TEST_F(LocatedProgramTest, AutomaticDetectionOnlyLooksAtTheRememberedDirectory) {
  for (const auto& p : kPrograms) {
    SCOPED_TRACE(p.path_name);
    TStoresHarness h(fixture_);
    TInteractiveStores ui(h);
    // Nothing remembered, then a directory without the check file: nothing logged, no
    // dialog.
    for (const char* remembered : {"", "C:\\Nowhere\\"}) {
      h.ini.WriteString(keys::kPath, p.path_name, remembered);
      EXPECT_FALSE(ui.stores.DetectMailer(p.kind, true));
      EXPECT_EQ(LastDetection(h.Log()).size(), 1u);
    }
    h.ini.WriteString(keys::kPath, p.path_name, p.found_root);
    EXPECT_TRUE(ui.stores.DetectMailer(p.kind, true));
    EXPECT_EQ(ui.stores.Root(p.kind), p.found_root);
    EXPECT_TRUE(ui.dialogs.asked.empty());
    EXPECT_TRUE(ui.dialogs.messages.empty());
  }
}

TEST_F(LocatedProgramTest, InteractiveDetectionOfEachProgram) {
  for (const auto& p : kPrograms) {
    SCOPED_TRACE(p.path_name);
    TStoresHarness h(fixture_);
    TInteractiveStores ui(h);
    ui.dialogs.pick.reset();
    EXPECT_FALSE(ui.stores.DetectMailer(p.kind, false));
    EXPECT_EQ(ui.dialogs.messages.back(), "エラー: " + p.cancel_text);
    ui.dialogs.pick = "C:\\Found\\other.exe";
    EXPECT_FALSE(ui.stores.DetectMailer(p.kind, false));
    EXPECT_EQ(ui.dialogs.messages.back(), "エラー: " + p.wrong_text);
    ui.dialogs.pick = std::string("C:\\Bare\\") + p.executable;
    EXPECT_EQ(ui.stores.DetectMailer(p.kind, false), p.bare_text.empty());
    // sesna checks nothing beside its executable, so the bare copy is found.
    EXPECT_EQ(ui.dialogs.messages.back(),
              "エラー: " + (p.bare_text.empty() ? p.wrong_text : p.bare_text));
    h.ini.WriteString(keys::kPath, p.path_name, "");

    ui.dialogs.pick = std::string("C:\\Found\\") + p.executable;
    EXPECT_TRUE(ui.stores.DetectMailer(p.kind, false));
    EXPECT_EQ(LastDetection(h.Log()).back(), p.log_prefix + *ui.dialogs.pick);
    EXPECT_EQ(ui.stores.Root(p.kind), p.found_root);
    EXPECT_EQ(h.ini.ReadString(keys::kPath, p.path_name, ""), p.found_root);
    EXPECT_EQ(ui.dialogs.asked, std::vector<std::string>(4, p.asked));
  }
}

}  // namespace
}  // namespace lorvane
