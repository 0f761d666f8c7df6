// Windows path syntax and wildcard matching on CP932 names, with double-byte characters
// whose trail byte is "\" (ソ 0x83 0x5C, 表 0x95 0x5C) or "|" (ポ 0x83 0x7C).
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/windows_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

TEST(WindowsNameTest, DriveLetterOnlyForDriveAbsolutePaths) {
  for (const char* path : {"C:\\Mail", "c:"}) EXPECT_EQ(DriveLetterOf(path), 'C') << path;
  EXPECT_EQ(DriveLetterOf("z:/usr"), 'Z');
  for (const char* path : {"C:Mail", "\\Mail", "Mail\\In.mbx", "\\\\server\\s", "\\\\?\\C:\\x",
                           "\\\\.\\COM1", "1:\\", "", "ソ:\\"}) {
    EXPECT_EQ(DriveLetterOf(path), 0) << path;
  }
}

TEST(WindowsNameTest, ComponentsSplitOnlyAtCharacterStarts) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(PathComponents("\\a\\\\b\\"), (V{"a", "b"}));
  EXPECT_EQ(PathComponents("a/b\\c"), (V{"a", "b", "c"}));
  EXPECT_EQ(PathComponents("\\ソフト\\表示\\ポ"), (V{"ソフト", "表示", "ポ"}));
  EXPECT_EQ(PathComponents("表"), (V{"表"}));
  EXPECT_EQ(PathComponents(""), V{});
}

TEST(WindowsNameTest, SplitsAtTheLastRealSeparator) {
  const struct {
    const char* path;
    const char* directory;
    const char* name;
  } cases[] = {
      {"C:\\Mail\\*.mbx", "C:\\Mail", "*.mbx"},
      {"C:\\*", "C:\\", "*"},
      {"C:\\ソ", "C:\\", "ソ"},  // not "C:\" + the lead byte and "" after it
      {"C:\\ソ\\表", "C:\\ソ", "表"},
      {"C:\\Mail\\", "C:\\Mail", ""},
      {"In.mbx", "", "In.mbx"},
  };
  for (const auto& c : cases) {
    const TSplitPath split = SplitLastComponent(c.path);
    EXPECT_EQ(split.directory, c.directory) << c.path;
    EXPECT_EQ(split.name, c.name) << c.path;
  }
}

TEST(WindowsNameTest, ValidNamesExcludeWhatWindowsForbids) {
  EXPECT_TRUE(IsValidWindowsName("InBox.mbx"));
  EXPECT_TRUE(IsValidWindowsName("\xE5\x8F\x97\xE4\xBF\xA1"));  // 受信 in UTF-8
  EXPECT_TRUE(IsValidWindowsName(".hidden"));
  for (const char* bad : {"", "a|b", "a:b", "a*", "a?", "a\"b", "a<b", "a>b", "a\\b", "a\tb"}) {
    EXPECT_FALSE(IsValidWindowsName(bad)) << bad;
  }
}

TEST(WindowsNameTest, WildcardsMatchAsWindowsDoes) {
  const struct {
    const char* pattern;
    std::vector<std::string> matching;
    std::vector<std::string> other;
  } cases[] = {
      // "*.*" and a final ".*" also take names without a dot.
      {"*.*", {"README", "a.b.c"}, {}},
      {"Account*.*", {"Account1", "Account1.old"}, {"Acc"}},
      {"a.*", {"a"}, {"ab"}},
      // Extensions, case-insensitively.
      {"*.mbx", {"InBox.MBX"}, {}},
      {"*.MB", {"Mail.mb"}, {}},
      {"*.mb", {}, {"Mail.mbx"}},
      {"*.snm", {}, {"x.snm.bak"}},
      {"*.lnk", {"メール.lnk"}, {}},
      // "?" is one character, a double-byte character included.
      {"a?c", {"abc", "aソc"}, {"ac"}},
      {"?", {"ポ"}, {}},
      {"??", {}, {"ポ"}},
      {"ソ?", {"ソ\\"}, {}},
      // A trail byte is compared exactly, never folded: "Ｂ" is 0x82 0x61, "Ａ" 0x82 0x41.
      {"\x82\x61", {}, {"\x82\x41"}},
      {"*\x82\x61", {"x\x82\x61"}, {}},
      // Backtracking over several stars.
      {"*a*b", {"xaybzb"}, {}},
      {"*a*b*c", {}, {"abacab"}},
      {"*受信*", {"旧受信箱"}, {}},
      {"*", {"x"}, {}},
      {"", {}, {"x"}},
  };
  for (const auto& c : cases) {
    for (const auto& name : c.matching)
      EXPECT_TRUE(MatchesWildcard(c.pattern, name)) << c.pattern << " / " << name;
    for (const auto& name : c.other)
      EXPECT_FALSE(MatchesWildcard(c.pattern, name)) << c.pattern << " / " << name;
  }
}

TEST(WindowsNameTest, ManyStarsOnALongNameFinish) {
  const std::string name(4000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(MatchesWildcard("*a*a*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace lorvane
