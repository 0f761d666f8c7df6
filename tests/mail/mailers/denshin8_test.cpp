// 電信八号: the folders named in DENSHIN8.ini's [FOLDER] section (each file once) and the
// .txt files of a folder. Detection is tested with the other located programs
// (located_programs_test.cpp).

#include <gtest/gtest.h>

#include "mailer_test.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

using Denshin8Test = testing::TMailerTest;

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
