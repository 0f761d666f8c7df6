// tsworks: profiles from tswks.ini and their mail directories, the folder scan below
// them, and the files a folder lists as messages.

#include <gtest/gtest.h>

#include <filesystem>

#include "mailer_test.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

using TsworksTest = testing::TMailerTest;

TEST_F(TsworksTest, MissingIniFailsAndGivesNoNode) {
  TStoresHarness h(fixture_);
  ExpectNotFound(h, mkTsworks, {"C:\\windows\\tswks.ini", "not exist"},
                 "C:\\windows\\tswks.ini がありません。");
  EXPECT_EQ(h.stores.Tree().MailerCount(), 0);
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
  GTEST_SKIP()
      << "a directory loop needs a symbolic link, which Windows lets only administrators make";
#endif
  fixture_.WriteFile("C:\\windows\\tswks.ini", "[loop]\r\nPROFILE=C:\\loop.ini\r\n");
  fixture_.WriteFile("C:\\loop.ini", "[MAIL]\r\nFOLDER=C:\\L\r\n");
  fixture_.MakeDirectory("C:\\L\\a");
  std::filesystem::create_directory_symlink("..", fixture_.HostPath("C:\\L\\a\\back"));
  TStoresHarness h(fixture_);
  h.stores.Rebuild();
  int deepest = 0;
  h.stores.Tree().ForEachNode([&](TFolder& node) {
    int depth = 0;
    for (const TFolder* p = node.Parent(); p != nullptr; p = p->Parent()) ++depth;
    deepest = std::max(deepest, depth);
  });
  // The mail-program and profile nodes, Inbox, ごみ箱, and a, back, a, ... 64 levels.
  EXPECT_EQ(NodeCount(h), 4 + 64);
  EXPECT_EQ(deepest, 1 + 64);
}

}  // namespace
}  // namespace lorvane
