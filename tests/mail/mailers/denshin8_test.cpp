// 電信八号: the folders named in DENSHIN8.ini's [FOLDER] section (each file once) and the
// .txt files of a folder. Detection is tested with the other located programs
// (mailers_c_support_test.cpp).

#include <gtest/gtest.h>

#include "mail/mailer_catalogue.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "support/enumerated_subjects.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace lorvane {
namespace {

using testing::SubjectsOf;
using testing::TMailFixture;
using testing::TStoresHarness;

class Denshin8Test : public ::testing::Test {
 protected:
  ScratchDir scratch_;
  TMailFixture fixture_{scratch_.Path("prefix")};
};

TEST_F(Denshin8Test, FoldersOfTheIniFile) {
  testing::BuildDenshin8Store(fixture_);
  TStoresHarness h(fixture_);
  testing::RememberDenshin8(h.ini);
  h.stores.Rebuild();
  EXPECT_EQ(h.stores.Root(mkDenshin8), "C:\\Denshin8\\");
  // Name4 names Name0's file again in capitals; Name= of [Window] is outside the section.
  EXPECT_EQ(h.TreeDump(),
            "電信八号 [電信八号] \n"
            "  受信箱.fld [C:\\Denshin8\\受信箱] C:\\Denshin8\\受信箱 *\n"
            "  送信済み.fld [C:\\Denshin8\\送信済み] C:\\Denshin8\\送信済み *\n"
            "  仕事.fld [C:\\Denshin8\\仕事] C:\\Denshin8\\仕事 *\n"
            "  2025年.fld [C:\\Denshin8\\保存\\2025年] C:\\Denshin8\\保存\\2025年 *\n");
  // index.dat is no message.
  EXPECT_EQ(h.MailsOf("電信八号\\受信箱.fld"),
            "C:\\Denshin8\\受信箱\\D8100001.txt 0 -1\nC:\\Denshin8\\受信箱\\D8100002.txt 0 -1\n");
  EXPECT_EQ(SubjectsOf(h, "電信八号\\受信箱.fld"), "誕生日おめでとう\nShipping notice\n");
  EXPECT_EQ(SubjectsOf(h, "電信八号\\2025年.fld"), "年末調整の書類\n");
}

TEST_F(Denshin8Test, SectionAtTheEndAndOddLines) {
  fixture_.WriteFile("C:\\D8\\DENSHIN8.ini",
                     "[Setup]\r\nName=x.fld\r\n"
                     "[folder]\r\n"
                     "Name0\r\n"   // no "="
                     "Name1=\r\n"  // nothing named
                     "Path=y.fld\r\n"
                     "name2=ソ表.fld\r\n"
                     "NAME3=ソ表.FLD\r\n"
                     "Name4=last.fld");  // the file's last line, without line end
  fixture_.WriteFile("C:\\D8\\ソ表\\a.txt", "Subject: a\r\n\r\n");
  fixture_.WriteFile("C:\\D8\\ソ表\\b.TXT", "Subject: b\r\n\r\n");
  fixture_.WriteFile("C:\\D8\\ソ表\\c.txt.bak", "");
  fixture_.MakeDirectory("C:\\D8\\ソ表\\d.txt");
  TStoresHarness h(fixture_);
  h.ini.WriteString(keys::kPath, "電信八号", "C:\\D8\\");
  h.stores.Rebuild();
  EXPECT_EQ(h.TreeDump(),
            "電信八号 [電信八号] \n"
            "  ソ表.fld [C:\\D8\\ソ表] C:\\D8\\ソ表 *\n"
            "  last.fld [C:\\D8\\last] C:\\D8\\last *\n");
  EXPECT_EQ(h.MailsOf("電信八号\\ソ表.fld"),
            "C:\\D8\\ソ表\\a.txt 0 -1\nC:\\D8\\ソ表\\b.TXT 0 -1\n");
  EXPECT_EQ(h.MailsOf("電信八号\\last.fld"), "");
}

}  // namespace
}  // namespace lorvane
