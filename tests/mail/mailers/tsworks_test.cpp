// tsworks: profiles from tswks.ini and their mail directories, the folder scan below
// them, and the files a folder lists as messages.

#include <gtest/gtest.h>

#include <filesystem>

#include "mail/mailer_catalogue.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

class TsworksTest : public ::testing::Test {
 protected:
  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(TsworksTest, ProfilesAndTheirFolders) {
  testing::BuildTsworksStore(fixture_);
  TStoresHarness h(fixture_);
  ASSERT_TRUE(h.stores.DetectMailer(mkTsworks, true));
  EXPECT_EQ(h.Log(),
            (std::vector<std::string>{"■tsworks 2026/12/06 09:30:00", "C:\\windows\\tswks.ini"}));
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "tsworks [tsworks] \n"
            "  taro [taro] C:\\tsworks\\taro\\Mail\\\n"
            "    Inbox [Inbox] C:\\tsworks\\taro\\Mail\\Inbox\\ *\n"
            "    ソフト表示 [ソフト表示] C:\\tsworks\\taro\\Mail\\ソフト表示\\ *\n"
            "    仕事 [仕事] C:\\tsworks\\taro\\Mail\\仕事\\ *\n"
            "      見積り [見積り] C:\\tsworks\\taro\\Mail\\仕事\\見積り\\ *\n"
            "    ごみ箱 [ごみ箱] C:\\tsworks\\taro\\Mail\\ごみ箱\\ *\n"
            "  花子 [花子] C:\\tsworks\\hanako\\Mail\\\n"
            "    Inbox [Inbox] C:\\tsworks\\hanako\\Mail\\Inbox\\ *\n"
            "    ごみ箱 [ごみ箱] C:\\tsworks\\hanako\\Mail\\ごみ箱\\ *\n");
  // folder.idx and folder.ini stand beside the messages.
  EXPECT_EQ(h.MailsOf("tsworks\\taro\\Inbox"),
            "C:\\tsworks\\taro\\Mail\\Inbox\\00001.msg 0 -1\n"
            "C:\\tsworks\\taro\\Mail\\Inbox\\00002.msg 0 -1\n");
  EXPECT_EQ(SubjectsOf(h, "tsworks\\taro\\Inbox"), "旅行の計画\nBooking confirmed\n");
  EXPECT_EQ(SubjectsOf(h, "tsworks\\taro\\仕事\\見積り"), "見積り依頼\n");
  EXPECT_EQ(h.MailsOf("tsworks\\花子\\ごみ箱"), "");
}

TEST_F(TsworksTest, MissingIniFailsAndGivesNoNode) {
  TStoresHarness h(fixture_);
  EXPECT_FALSE(h.stores.DetectMailer(mkTsworks, true));
  EXPECT_EQ(h.Log(), (std::vector<std::string>{"■tsworks 2026/12/06 09:30:00",
                                               "C:\\windows\\tswks.ini", "not exist"}));
  EXPECT_FALSE(h.stores.DetectMailer(mkTsworks, false));
  EXPECT_EQ(h.dialogs.Messages(),
            std::vector<std::string>{"エラー: C:\\windows\\tswks.ini がありません。"});
}

TEST_F(TsworksTest, IniAndProfileLines) {
  fixture_.WriteFile("C:\\windows\\tswks.ini",
                     "PROFILE=C:\\p\\early.ini\r\n"  // before any profile name
                     "[ゾウ]\r\n"                    // 0x83 0x5D: its trail byte is "]"
                     "profile=C:\\p\\zou.ini\r\n"
                     "[gone]\r\nPROFILE=C:\\p\\gone.ini\r\n"
                     "[other]\r\nPROFILE=C:\\p\\other.ini\r\n");
  fixture_.WriteFile("C:\\p\\early.ini", "[Mail]\r\nFOLDER=C:\\early\r\n");
  fixture_.WriteFile("C:\\p\\zou.ini", "[mail] \r\nfolder=C:\\zou\r\n");
  fixture_.WriteFile("C:\\p\\other.ini",
                     "[User]\r\nFOLDER=C:\\wrong\r\n[Mailer]\r\nFOLDER=C:\\x\r\n");
  // The inbox in capitals is still the fixed "Inbox" folder, not one more.
  const std::string inbox = "C:\\zou\\INBOX\\";
  for (const char* name : {"a.txt", "b.IDX", "c.Ini", "d.idxx", "ini"}) {
    fixture_.WriteFile(inbox + name, "Subject: a\r\n\r\n");
  }
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "tsworks [tsworks] \n"
            "  ゾウ [ゾウ] C:\\zou\\\n"
            "    Inbox [Inbox] C:\\zou\\Inbox\\ *\n"
            "    ごみ箱 [ごみ箱] C:\\zou\\ごみ箱\\ *\n");
  EXPECT_EQ(h.MailsOf("tsworks\\ゾウ\\Inbox"),
            "C:\\zou\\Inbox\\a.txt 0 -1\nC:\\zou\\Inbox\\d.idxx 0 -1\nC:\\zou\\Inbox\\ini 0 -1\n");
}

TEST_F(TsworksTest, DirectoryLoopIsCut) {
#ifdef _WIN32
  GTEST_SKIP() << "a directory loop needs a symbolic link, which Windows lets only administrators make";
#endif
  fixture_.WriteFile("C:\\windows\\tswks.ini", "[loop]\r\nPROFILE=C:\\loop.ini\r\n");
  fixture_.WriteFile("C:\\loop.ini", "[MAIL]\r\nFOLDER=C:\\L\r\n");
  fixture_.MakeDirectory("C:\\L\\a");
  std::filesystem::create_directory_symlink("..", fixture_.HostPath("C:\\L\\a\\back"));
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  int nodes = 0;
  int deepest = 0;
  h.stores.Tree().ForEachNode([&](TFolder& node) {
    ++nodes;
    int depth = 0;
    for (const TFolder* p = node.Parent(); p != nullptr; p = p->Parent()) ++depth;
    deepest = std::max(deepest, depth);
  });
  // The mail-program and profile nodes, Inbox, ごみ箱, and a, back, a, ... 64 levels.
  EXPECT_EQ(nodes, 4 + 64);
  EXPECT_EQ(deepest, 1 + 64);
}

}  // namespace
}  // namespace lorvane
