// Drive letters from a fake Wine prefix and path translation both ways: Japanese names
// (CP932 inside, UTF-8 on disk), letter case that differs from the disk, "." and "..",
// and the paths that have no mapping.

#include "platform/posix/drive_map.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "common/codepage.h"
#include "support/fake_wine_prefix.h"

namespace lorvane {
namespace {

class DriveMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wine_.WriteOnC("メール/受信箱/InBox.mbx", "x");
    wine_.WriteOnC("Program Files/Mailer/mailer.exe", "x");
    wine_.WriteOnC("ソ/表示.txt", "x");
    wine_.MakeDirectoryOnC("ポ");
    wine_.MakeDirectoryOnC("windows");
    wine_.MakeDirectoryOnC("Case/inbox");
    wine_.MakeDirectoryOnC("Case/InBox");
  }

  FakeWinePrefix wine_;
  DriveMap drives_ = wine_.Drives();
};

TEST_F(DriveMapTest, ReadsTheDriveLettersOfThePrefix) {
  EXPECT_EQ(drives_.wine_prefix(), wine_.prefix());
  EXPECT_EQ(drives_.DriveRoot('C'), wine_.OnC());
  EXPECT_EQ(drives_.DriveRoot('c'), wine_.OnC());
  EXPECT_EQ(drives_.DriveRoot('D'), wine_.OnD());
  EXPECT_EQ(drives_.DriveRoot('Z'), "/");
  EXPECT_EQ(drives_.DriveRoot('E'), std::nullopt);
  EXPECT_EQ(drives_.DriveRoot('1'), std::nullopt);
}

TEST_F(DriveMapTest, WithoutAPrefixOnlyZIsTheHostRoot) {
  for (const DriveMap& map : {DriveMap::HostRootOnly(), DriveMap::ForWinePrefix("")}) {
    EXPECT_EQ(map.wine_prefix(), "");
    EXPECT_EQ(map.DriveRoot('Z'), "/");
    EXPECT_EQ(map.DriveRoot('C'), std::nullopt);
    EXPECT_EQ(map.ToHost("Z:\\usr\\bin"), "/usr/bin");
    EXPECT_EQ(map.ToHost("C:\\windows"), std::nullopt);
  }
}

TEST_F(DriveMapTest, MapsWindowsPathsToTheHostAsWritten) {
  EXPECT_EQ(drives_.ToHost("C:\\メール\\受信箱\\InBox.mbx"), wine_.OnC("メール/受信箱/InBox.mbx"));
  EXPECT_EQ(drives_.ToHost("C:\\ソ\\表示.txt"), wine_.OnC("ソ/表示.txt"));
  EXPECT_EQ(drives_.ToHost("C:\\ポ"), wine_.OnC("ポ"));
  EXPECT_EQ(drives_.ToHost("c:/メール//受信箱/"), wine_.OnC("メール/受信箱"));
  EXPECT_EQ(drives_.ToHost("C:\\"), wine_.OnC());
  EXPECT_EQ(drives_.ToHost("C:"), wine_.OnC());
  EXPECT_EQ(drives_.ToHost("D:\\x"), wine_.OnD("x"));
  EXPECT_EQ(drives_.ToHost("Z:\\"), "/");
}

TEST_F(DriveMapTest, FindsNamesWhoseLetterCaseDiffers) {
  EXPECT_EQ(drives_.ToHost("C:\\PROGRAM FILES\\mailer\\MAILER.EXE"),
            wine_.OnC("Program Files/Mailer/mailer.exe"));
  EXPECT_EQ(drives_.ToHost("C:\\メール\\受信箱\\inbox.MBX"), wine_.OnC("メール/受信箱/InBox.mbx"));
  EXPECT_EQ(drives_.ToHost("C:\\WINDOWS"), wine_.OnC("windows"));
  // An exact name wins; among case variants the first in byte order does.
  EXPECT_EQ(drives_.ToHost("C:\\case\\inbox"), wine_.OnC("Case/inbox"));
  EXPECT_EQ(drives_.ToHost("C:\\case\\INBOX"), wine_.OnC("Case/InBox"));
}

TEST_F(DriveMapTest, SeesNamesThatAppearAfterAMissedLookup) {
  // The first lookup lists the directory; a file added afterwards must still be found.
  EXPECT_EQ(drives_.ToHost("C:\\ポ\\NEW.TXT"), wine_.OnC("ポ") + "/NEW.TXT");
  wine_.WriteOnC("ポ/new.txt", "x");
  EXPECT_EQ(drives_.ToHost("C:\\ポ\\NEW.TXT"), wine_.OnC("ポ") + "/new.txt");
  // Copies of a map share what they learnt, and see the same changes.
  DriveMap copy = drives_;
  wine_.WriteOnC("ポ/Other.txt", "x");
  EXPECT_EQ(copy.ToHost("C:\\ポ\\OTHER.TXT"), wine_.OnC("ポ") + "/Other.txt");
}

TEST_F(DriveMapTest, KeepsMissingNamesAsWritten) {
  EXPECT_EQ(drives_.ToHost("C:\\program files\\New\\Lorvane.ini"),
            wine_.OnC("Program Files/New/Lorvane.ini"));
  EXPECT_EQ(drives_.ToHost("C:\\新規\\設定.ini"), wine_.OnC("新規/設定.ini"));
}

TEST_F(DriveMapTest, ResolvesDotsByNameAndNeverAboveTheDrive) {
  EXPECT_EQ(drives_.ToHost("C:\\メール\\.\\受信箱\\..\\..\\windows"), wine_.OnC("windows"));
  EXPECT_EQ(drives_.ToHost("C:\\..\\..\\windows"), wine_.OnC("windows"));
}

TEST_F(DriveMapTest, RefusesWhatCannotBeMapped) {
  for (const char* path :
       {"E:\\x", "\\\\server\\share\\x", "\\\\?\\C:\\x", "\\\\.\\COM1", "\\windows", "windows\\x",
        "", "C:\\a*b", "C:\\a?", "C:\\a|b", "C:\\a:b", "C:\\bad\x83"}) {
    EXPECT_EQ(drives_.ToHost(path), std::nullopt) << path;
  }
}

TEST_F(DriveMapTest, MapsHostPathsToTheDriveWithTheLongestPrefix) {
  EXPECT_EQ(drives_.FromHost(wine_.OnC("メール/受信箱/InBox.mbx")),
            "C:\\メール\\受信箱\\InBox.mbx");
  EXPECT_EQ(drives_.FromHost(wine_.OnC()), "C:\\");
  EXPECT_EQ(drives_.FromHost(wine_.OnC() + "/"), "C:\\");
  EXPECT_EQ(drives_.FromHost(wine_.OnD("受信箱")), "D:\\受信箱");
  EXPECT_EQ(drives_.FromHost("/usr/bin/touch"), "Z:\\usr\\bin\\touch");
  EXPECT_EQ(drives_.FromHost("/"), "Z:\\");
  EXPECT_EQ(drives_.FromHost(wine_.OnC("ソ/./x/../表示.txt")), "C:\\ソ\\表示.txt");
  // "drive_cx" is beside drive_c, not in it.
  const std::optional<std::string> beside = drives_.FromHost(wine_.prefix() + "/drive_cx");
  ASSERT_TRUE(beside);
  EXPECT_EQ(beside->substr(0, 3), "Z:\\");
  EXPECT_EQ(beside->substr(beside->size() - 16), "\\prefix\\drive_cx");
}

TEST_F(DriveMapTest, RefusesHostNamesWithoutAWindowsForm) {
  EXPECT_EQ(drives_.FromHost(wine_.OnC() + "/\xC3\x85.txt"), std::nullopt);  // Å (U+00C5)
  EXPECT_EQ(drives_.FromHost(wine_.OnC() + "/a\\b"), std::nullopt);
  EXPECT_EQ(drives_.FromHost(wine_.OnC() + "/a:b"), std::nullopt);
  EXPECT_EQ(drives_.FromHost(wine_.OnC() + "/bad\xFF"), std::nullopt);
  EXPECT_EQ(drives_.FromHost(""), std::nullopt);
  FakeWinePrefix no_z(false);
  EXPECT_EQ(no_z.Drives().FromHost("/usr/bin"), std::nullopt);
}

TEST_F(DriveMapTest, TakesRelativeHostPathsFromTheCurrentDirectory) {
  char saved[4096];
  ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
  ASSERT_EQ(chdir(wine_.OnC("メール").c_str()), 0);
  const std::optional<std::string> inbox = drives_.FromHost(Cp932ToUtf8("受信箱"));
  const std::optional<std::string> up = drives_.FromHost("../windows");
  ASSERT_EQ(chdir(saved), 0);
  EXPECT_EQ(inbox, "C:\\メール\\受信箱");
  EXPECT_EQ(up, "C:\\windows");
}

TEST_F(DriveMapTest, RecognisesDrivesReachedThroughASymlinkedPrefix) {
  wine_.scratch().MakeSymlink("alias", wine_.prefix());
  const DriveMap through_alias = DriveMap::ForWinePrefix(wine_.scratch().Path("alias"));
  EXPECT_EQ(through_alias.FromHost(wine_.scratch().Path("alias/drive_c/windows")), "C:\\windows");
  EXPECT_EQ(through_alias.FromHost(wine_.OnC("windows")), "C:\\windows");
}

TEST_F(DriveMapTest, RoundTripsToTheNamesOnDisk) {
  const struct {
    const char* typed;
    const char* on_disk;
  } cases[] = {
      {"C:\\メール\\受信箱\\INBOX.MBX", "C:\\メール\\受信箱\\InBox.mbx"},
      {"c:\\program files\\mailer", "C:\\Program Files\\Mailer"},
      {"C:\\ソ\\表示.txt", "C:\\ソ\\表示.txt"},
      {"d:\\", "D:\\"},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> host = drives_.ToHost(c.typed);
    ASSERT_TRUE(host) << c.typed;
    EXPECT_EQ(drives_.FromHost(*host), c.on_disk);
  }
}

TEST(DriveMapForDrivesTest, MapsGivenLetters) {
  ScratchDir dir;
  const DriveMap map = DriveMap::ForDrives({{'m', dir.path()}});
  EXPECT_EQ(map.ToHost("M:\\In.mbx"), dir.Path("In.mbx"));
  EXPECT_EQ(map.FromHost(dir.Path("In.mbx")), "M:\\In.mbx");
  EXPECT_EQ(map.DriveRoot('Z'), std::nullopt);
}

}  // namespace
}  // namespace lorvane
