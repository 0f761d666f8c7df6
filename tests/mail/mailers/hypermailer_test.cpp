// HyperMailer: detection through the open command, .hm folders and directories, and
// mailboxes whose first line and the line after each "." belong to no message.

#include <gtest/gtest.h>

#include "mail/mailers/mailer_support.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

const std::string kHeader = "■HyperMailer 2026/12/06 09:30:00";
const std::string kKey = "HKEY_CLASSES_ROOT\\HMAIL.Document\\shell\\open\\command";

class HyperMailerTest : public ::testing::Test {
 protected:
  void Command(const std::string& command) {
    fixture_.SetString(TRegRoot::kClassesRoot, "HMAIL.Document\\shell\\open\\command", "", command);
  }

  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(HyperMailerTest, FixtureStoreIsDetectedDiscoveredAndEnumerated) {
  testing::BuildHyperMailerStore(fixture_);
  TStoresHarness h(fixture_);
  EXPECT_TRUE(h.stores.DetectMailer(mkHyperMailer, true));
  EXPECT_EQ(h.Log(),
            (std::vector<std::string>{
                kHeader, kKey + "\\(標準)=C:\\Program Files\\HyperMailer\\HMAIL.EXE /dde"}));
  EXPECT_EQ(h.stores.Root(mkHyperMailer), "C:\\Program Files\\HyperMailer\\");
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "HyperMailer [HyperMailer] \n"
            "  仕事 [仕事] 仕事\n"
            "    ソフト表 [ソフト表] 仕事.hm\\ソフト表 *\n"
            "    会議 [会議] 仕事.hm\\会議 *\n"
            "  受信箱 [受信箱] 受信箱 *\n"
            "  送信箱 [送信箱] 送信箱 *\n");
  const std::string inbox = "C:\\Program Files\\HyperMailer\\受信箱.mb";
  EXPECT_EQ(h.MailsOf("HyperMailer\\受信箱"),
            inbox + " 1 9\n" + inbox + " 12 19\n" + inbox + " 22 29\n");

  EXPECT_EQ(SubjectsOf(h, "HyperMailer\\受信箱"), "今月の予定\n表計算ソフトの件\nWeekly digest\n");
  EXPECT_EQ(SubjectsOf(h, "HyperMailer\\仕事\\ソフト表"), "設計書を送ります\n");
}

TEST_F(HyperMailerTest, DetectionTakesTheProgramFromTheCommand) {
  struct Case {
    std::string command;
    bool found;
    std::string message;
  };
  const Case cases[] = {
      {"C:\\HM\\hmail.exe /dde", true, ""},
      {"C:\\HM\\hmail.exe", true, ""},
      {"\"C:\\HM\\hmail.exe\" /dde", true, ""},
      {"C:\\HM\\hmail.exe /DDE", false, "C:\\HM\\hmail.exe /DDE がありません。"},
      {"C:\\HM", false, "C:\\HM がありません。"},  // a directory is no program
      {"", false, kKey + "\\(標準) がありません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ScratchDir scratch;
    TMailFixture fixture(scratch.Path("prefix"));
    fixture.WriteFile("C:\\HM\\hmail.exe", "MZ");
    if (!c.command.empty()) {
      fixture.SetString(TRegRoot::kClassesRoot, "HMAIL.Document\\shell\\open\\command", "",
                        c.command);
    }
    TStoresHarness h(fixture);
    EXPECT_EQ(h.stores.DetectMailer(mkHyperMailer, false), c.found);
    std::vector<std::string> log = {kHeader, kKey + "\\(標準)=" + c.command};
    if (!c.found) log.push_back("not exist");
    EXPECT_EQ(h.Log(), log);
    if (c.found) {
      EXPECT_EQ(h.stores.Root(mkHyperMailer), "C:\\HM\\");
    } else {
      EXPECT_EQ(h.dialogs.Messages(), std::vector<std::string>{"エラー: " + c.message});
    }
  }
}

TEST_F(HyperMailerTest, MessagesBetweenTheSkippedLines) {
  Command("C:\\HM\\hmail.exe");
  fixture_.WriteFile("C:\\HM\\hmail.exe", "MZ");
  // Line 0 and the line after each "." are skipped even when they are "." themselves;
  // an empty message is not listed; text after the last "." is no message.
  fixture_.WriteFile(
      "C:\\HM\\a.mb",
      ".\r\nSubject: 1\r\n.\r\n.\r\n.\r\ninfo\r\nSubject: 3\r\n.\r\ninfo\r\nlost\r\n");
  fixture_.WriteFile("C:\\HM\\a.hm", "");
  fixture_.WriteFile("C:\\HM\\empty.mb", "");
  fixture_.WriteFile("C:\\HM\\empty.hm", "");
  fixture_.WriteFile("C:\\HM\\nobox.hm", "");
  fixture_.MakeDirectory("C:\\HM\\.hidden.hm");
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "HyperMailer [HyperMailer] \n"
            "  a [a] a *\n"
            "  empty [empty] empty *\n"
            "  nobox [nobox] nobox *\n");
  EXPECT_EQ(h.MailsOf("HyperMailer\\a"), "C:\\HM\\a.mb 1 1\nC:\\HM\\a.mb 6 6\n");
  EXPECT_EQ(h.MailsOf("HyperMailer\\empty"), "");
  EXPECT_EQ(h.MailsOf("HyperMailer\\nobox"), "");
}

TEST_F(HyperMailerTest, DeeplyNestedFoldersStopAtTheDepthLimit) {
#ifdef _WIN32
  GTEST_SKIP() << "so deep a path is longer than the 260 characters the ANSI API reaches";
#endif
  Command("C:\\HM\\hmail.exe");
  fixture_.WriteFile("C:\\HM\\hmail.exe", "MZ");
  std::string dir = "C:\\HM\\";
  for (int i = 0; i < mailers::kMaxFolderDepth + 10; ++i) dir += "d.hm\\";
  fixture_.MakeDirectory(dir);
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  int depth = 0;
  for (const TFolder* f = h.stores.Tree().Mailer(0); f->ChildCount() > 0; f = f->Child(0)) ++depth;
  EXPECT_EQ(depth, mailers::kMaxFolderDepth);
}

}  // namespace
}  // namespace lorvane
