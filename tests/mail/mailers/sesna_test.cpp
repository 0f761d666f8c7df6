// sesna: the folder tree rebuilt from tree.dat's indentation with the index files that
// sesna.ini assigns, and the index rule (entries up to the first line without "=").
// Detection is tested with the other located programs (located_programs_test.cpp).

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "mailer_test.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

class SesnaTest : public testing::TMailerTest {
 protected:
  // A sesna directory C:\sesna\ with these two files (no sesna.ini for nullopt),
  // remembered in the settings.
  TStoresHarness& Store(const std::string& tree_dat, std::optional<std::string> sesna_ini) {
    fixture_.WriteFile("C:\\sesna\\sesna.exe", "MZ");
    fixture_.WriteFile("C:\\sesna\\tree.dat", tree_dat);
    if (sesna_ini) {
      fixture_.WriteFile("C:\\sesna\\sesna.ini", *sesna_ini);
    } else {
      fixture_.Remove("C:\\sesna\\sesna.ini");
    }
    harness_ = std::make_unique<TStoresHarness>(fixture_);
    harness_->ini.WriteString(keys::kPath, "sesna", "C:\\sesna\\");
    harness_->stores.Rebuild();
    return *harness_;
  }

  std::unique_ptr<TStoresHarness> harness_;
};

TEST_F(SesnaTest, IndentationAccountsAndFolderFiles) {
  TStoresHarness& h = Store(
      "tree\r\n"
      "\tTARO\r\n"
      "\t\t\t深い\r\n"  // two levels deeper than its parent: under the deepest node
      "\t\t\t浅い\r\n"
      "\t\t送信ﾄﾚｲ\r\n"
      "\t\t\t\t\r\n"  // no name
      "\tメモ\r\n"
      "\t\t受信ﾄﾚｲ\r\n"  // the second depth-1 line: account 2
      "\tその他\r\n"
      "end of tree\r\n"
      "\tafter\r\n",
      "[Account1]\r\nACCOUNT_NAME=taro\r\n"
      "[Folder]\r\nFolderX=その他\r\nfolder5=その他\r\nFolder7=メモ帳\r\nFolder12=メモ\r\n"
      "Folder13=メモ\r\n");
  EXPECT_EQ(h.TreeDump(),
            "sesna [sesna] \n"
            "  TARO [TARO] \n"
            "    深い [深い]  *\n"
            "    浅い [浅い]  *\n"
            "    送信ﾄﾚｲ [送信ﾄﾚｲ] Ac1_out.fld *\n"
            "  メモ [メモ] Fl12.fld *\n"
            "    受信ﾄﾚｲ [受信ﾄﾚｲ] Ac2_in.fld *\n"
            "  その他 [その他]  *\n");
  EXPECT_EQ(h.MailsOf("sesna\\その他"), "");
}

TEST_F(SesnaTest, DeepTreeIsCutAndMissingFilesGiveNoFolders) {
  std::string tree = "tree\r\n";
  for (int depth = 1; depth <= 500; ++depth) tree += std::string(depth, '\t') + "f\r\n";
  TStoresHarness& h = Store(tree, "");
  EXPECT_EQ(NodeCount(h), 1 + 64);

  TStoresHarness& h2 = Store("", "");
  EXPECT_EQ(h2.TreeDump(), "sesna [sesna] \n");
  TStoresHarness& h3 = Store("tree\r\n\tごみ箱\r\n", std::nullopt);
  EXPECT_EQ(h3.TreeDump(), "sesna [sesna] \n");
}

TEST_F(SesnaTest, IndexEntriesUpToTheFirstLineWithoutEquals) {
  TStoresHarness& h =
      Store("tree\r\n\ta\r\n\tb\r\n\tc\r\n", "Folder1=a\r\nFolder2=b\r\nFolder3=c\r\n");
  // Line 0 is no entry even when it looks like one.
  fixture_.WriteFile("C:\\sesna\\Mails\\Fl1.fld",
                     "0000000a=title\r\n"
                     "0000000b=1,x\r\n"
                     "0000000c=\r\n"
                     "0000000d=1,y\r\n"
                     "ffffffff\r\n"
                     "0000000e=1,z\r\n");
  fixture_.WriteFile("C:\\sesna\\Mails\\Fl2.fld", "title\r\nabc\r\n0000000f=1\r\n");
  // An index line of garbage: whatever its first eight bytes are, they name a file.
  fixture_.WriteFile("C:\\sesna\\Mails\\Fl3.fld",
                     "t\r\n\x83\\ab.cde=1" + std::string(1 << 20, 'z'));
  EXPECT_EQ(h.MailsOf("sesna\\a"),
            "C:\\sesna\\Mails\\0000000B.kml 0 -1\nC:\\sesna\\Mails\\0000000D.kml 0 -1\n");
  EXPECT_EQ(h.MailsOf("sesna\\b"), "");
  EXPECT_EQ(h.MailsOf("sesna\\c"), "C:\\sesna\\Mails\\\x83\\AB.CDE.kml 0 -1\n");
}

}  // namespace
}  // namespace lorvane
