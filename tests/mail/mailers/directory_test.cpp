// The user's directories: discovery from the settings (recursive ones sorted by
// upper-cased name) and enumeration with the skip list.

#include <gtest/gtest.h>

#include "mailer_test.h"
#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using testing::TStoresHarness;

using DirectoryMailerTest = testing::TMailerTest;

TEST_F(DirectoryMailerTest, FoldersFromTheSettingsAndTheirFiles) {
  fixture_.WriteFile("C:\\Mail\\report.txt", "Subject: r\r\n\r\nx\r\n");
  fixture_.WriteFile("C:\\Mail\\setup.EXE", "MZ");
  fixture_.WriteFile("C:\\Mail\\data.zip", "PK");
  fixture_.WriteFile("C:\\Mail\\README", "readme");
  fixture_.WriteFile("C:\\Mail\\odd.", "odd");
  fixture_.WriteFile("C:\\Mail\\B\\one.txt", "1");
  fixture_.WriteFile("C:\\Mail\\a\\two.txt", "2");
  fixture_.WriteFile("C:\\Mail\\a\\表\\three.txt", "3");
  fixture_.MakeDirectory("C:\\Mail\\.hidden");
  fixture_.WriteFile("C:\\Notes\\n.txt", "n");
  TStoresHarness h(fixture_);
  h.ini.WriteInteger(keys::kDirectory, keys::kNumber, 2);
  h.ini.WriteString("Directory\\Dir1", keys::kPath, "C:\\Mail\\");
  h.ini.WriteBool("Directory\\Dir1", "Recursive", true);
  h.ini.WriteString("Directory\\Dir2", keys::kPath, "C:\\Notes\\");
  h.stores.Rebuild();

  EXPECT_EQ(h.TreeDump(),
            "Directory [Directory] \n"
            "  C:\\Mail [Dir1] C:\\Mail\\ *\n"
            "    a [a] C:\\Mail\\a\\ *\n"
            "      表 [表] C:\\Mail\\a\\表\\ *\n"
            "    B [B] C:\\Mail\\B\\ *\n"
            "  C:\\Notes [Dir2] C:\\Notes\\ *\n");
#ifdef _WIN32
  const std::string odd = "C:\\Mail\\odd 0 -1\n";  // Windows drops a name's trailing dot
#else
  const std::string odd = "C:\\Mail\\odd. 0 -1\n";
#endif
  EXPECT_EQ(h.MailsOf("Directory\\C:\\Mail"),
            odd + "C:\\Mail\\README 0 -1\nC:\\Mail\\report.txt 0 -1\n");
  EXPECT_EQ(h.MailsOf("Directory\\C:\\Mail\\a\\表"), "C:\\Mail\\a\\表\\three.txt 0 -1\n");
}

}  // namespace
}  // namespace lorvane
