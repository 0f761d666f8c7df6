// Drive letters from a fake Wine prefix and path translation both ways: Japanese names
// (CP932 inside, UTF-8 on disk), letter case that differs from the disk, "." and "..",
// and the paths that have no mapping.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

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
  EXPECT_EQ(drives_.DriveRoot('c'), wine_.OnC());
  EXPECT_EQ(drives_.DriveRoot('D'), wine_.OnD());
  EXPECT_EQ(drives_.DriveRoot('Z'), "/");
  EXPECT_EQ(drives_.DriveRoot('E'), std::nullopt);
  EXPECT_EQ(drives_.DriveRoot('1'), std::nullopt);
  EXPECT_EQ(drives_.ToHost("D:\\x"), wine_.OnD("x"));
  EXPECT_EQ(drives_.ToHost("Z:\\"), "/");
}

TEST_F(DriveMapTest, WithoutAPrefixOnlyZIsTheHostRoot) {
  for (const DriveMap& map : {DriveMap::HostRootOnly(), DriveMap::ForWinePrefix("")}) {
    EXPECT_EQ(map.wine_prefix(), "");
    EXPECT_EQ(map.DriveRoot('C'), std::nullopt);
    EXPECT_EQ(map.ToHost("Z:\\usr\\bin"), "/usr/bin");
    EXPECT_EQ(map.ToHost("C:\\windows"), std::nullopt);
  }
}

// Each typed path maps to the host file under drive_c, and that file maps back to the
// Windows path of the names on disk.
TEST_F(DriveMapTest, MapsPathsOnCToTheNamesOnDiskAndBack) {
  const struct {
    const char* typed;
    const char* on_disk;  // relative to C:, "/" separated
  } cases[] = {
      {"C:\\メール\\受信箱\\InBox.mbx", "メール/受信箱/InBox.mbx"},
      {"C:\\ソ\\表示.txt", "ソ/表示.txt"},
      {"C:\\ポ", "ポ"},
      {"c:/メール//受信箱/", "メール/受信箱"},
      {"C:\\", ""},
      {"C:", ""},
      {"C:\\PROGRAM FILES\\mailer\\MAILER.EXE", "Program Files/Mailer/mailer.exe"},
      {"C:\\メール\\受信箱\\inbox.MBX", "メール/受信箱/InBox.mbx"},
      {"C:\\WINDOWS", "windows"},
      // An exact name wins; among case variants the first in byte order does.
      {"C:\\case\\inbox", "Case/inbox"},
      {"C:\\case\\INBOX", "Case/InBox"},
      // Missing names stay as written below the last name found.
      {"C:\\program files\\New\\Lorvane.ini", "Program Files/New/Lorvane.ini"},
      {"C:\\新規\\設定.ini", "新規/設定.ini"},
      {"C:\\メール\\受信箱\\InBox.bmp", "メール/受信箱/InBox.bmp"},
      {"C:\\CASE\\New.txt", "Case/New.txt"},
      // Dots by name, and never above the drive.
      {"C:\\メール\\.\\受信箱\\..\\..\\windows", "windows"},
      {"C:\\..\\..\\windows", "windows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string host = wine_.OnC(c.on_disk);
    EXPECT_EQ(drives_.ToHost(c.typed), host);
    std::string windows = std::string("C:\\") + c.on_disk;
    for (char& ch : windows) ch = ch == '/' ? '\\' : ch;
    EXPECT_EQ(drives_.FromHost(host), windows);
  }
  EXPECT_EQ(drives_.ToHost("d:\\"), wine_.OnD());
  EXPECT_EQ(drives_.FromHost(wine_.OnD()), "D:\\");
}

TEST_F(DriveMapTest, TellsWhetherThePathNamesSomethingAndItsStat) {
  ASSERT_EQ(symlink(wine_.OnC("ソ/表示.txt").c_str(), wine_.OnC("ソ/link.txt").c_str()), 0);
  ASSERT_EQ(symlink("gone.txt", wine_.OnC("ソ/dangling.txt").c_str()), 0);
  const struct {
    const char* path;
    bool found;
    bool directory;
  } cases[] = {
      {"C:\\メール\\受信箱\\InBox.mbx", true, false},
      {"C:\\メール\\受信箱\\INBOX.MBX", true, false},  // only the last name's case differs
      {"C:\\めーる\\x", false, false},
      {"C:\\メール\\受信箱\\InBox.bmp", false, false},
      {"C:\\PROGRAM FILES\\MAILER\\MAILER.EXE", true, false},
      {"C:\\program files\\mailer", true, true},
      {"C:\\ソ\\LINK.TXT", true, false},  // a link to a file is that file
      {"C:\\ソ\\link.txt", true, false},
      {"C:\\ソ\\dangling.txt", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    struct stat st {};
    bool found = !c.found;
    ASSERT_EQ(drives_.ToHost(c.path, &st, &found), drives_.ToHost(c.path));
    EXPECT_EQ(found, c.found);
    if (found) {
      EXPECT_EQ(S_ISDIR(st.st_mode), c.directory);
      EXPECT_EQ(st.st_size, c.directory ? st.st_size : 1);
    }
  }
  bool found = true;
  struct stat st {};
  EXPECT_EQ(drives_.ToHost("E:\\x", &st, &found), std::nullopt);
  EXPECT_FALSE(found);
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

TEST_F(DriveMapTest, RefusesWhatCannotBeMapped) {
  for (const char* path :
       {"E:\\x", "\\\\server\\share\\x", "\\\\?\\C:\\x", "\\\\.\\COM1", "\\windows", "windows\\x",
        "", "C:\\a*b", "C:\\a?", "C:\\a|b", "C:\\a:b", "C:\\bad\x83"}) {
    EXPECT_EQ(drives_.ToHost(path), std::nullopt) << path;
  }
  for (const std::string& host : {wine_.OnC() + "/\xC3\x85.txt", wine_.OnC() + "/a\\b",
                                  wine_.OnC() + "/a:b", wine_.OnC() + "/bad\xFF", std::string()}) {
    EXPECT_EQ(drives_.FromHost(host), std::nullopt) << host;  // Å (U+00C5) has no CP932 form
  }
  FakeWinePrefix no_z(false);
  EXPECT_EQ(no_z.Drives().FromHost("/usr/bin"), std::nullopt);
}

TEST_F(DriveMapTest, MapsHostPathsToTheDriveWithTheLongestPrefix) {
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
  // Through a link to the prefix as well as directly.
  wine_.scratch().MakeSymlink("alias", wine_.prefix());
  const DriveMap through_alias = DriveMap::ForWinePrefix(wine_.scratch().Path("alias"));
  EXPECT_EQ(through_alias.FromHost(wine_.scratch().Path("alias/drive_c/windows")), "C:\\windows");
  EXPECT_EQ(through_alias.FromHost(wine_.OnC("windows")), "C:\\windows");
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

TEST(DriveMapForDrivesTest, MapsGivenLetters) {
  ScratchDir dir;
  const DriveMap map = DriveMap::ForDrives({{'m', dir.path()}});
  EXPECT_EQ(map.ToHost("M:\\In.mbx"), dir.Path("In.mbx"));
  EXPECT_EQ(map.FromHost(dir.Path("In.mbx")), "M:\\In.mbx");
  EXPECT_EQ(map.DriveRoot('Z'), std::nullopt);
}

}  // namespace
}  // namespace lorvane
