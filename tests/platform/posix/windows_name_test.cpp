// Windows path syntax and wildcard matching on CP932 names, with double-byte characters
// whose trail byte is "\" (ソ 0x83 0x5C, 表 0x95 0x5C) or "|" (ポ 0x83 0x7C).

#include "platform/posix/windows_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvane {
namespace {

TEST(WindowsNameTest, DriveLetterOnlyForDriveAbsolutePaths) {
  const struct {
    const char* path;
    char letter;
  } cases[] = {
      {"C:\\Mail", 'C'},
      {"c:", 'C'},
      {"z:/usr", 'Z'},
      {"C:Mail", 0},
      {"\\Mail", 0},
      {"Mail\\In.mbx", 0},
      {"\\\\server\\s", 0},
      {"\\\\?\\C:\\x", 0},
      {"\\\\.\\COM1", 0},
      {"1:\\", 0},
      {"", 0},
      {"ソ:\\", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveLetterOf(c.path), c.letter) << c.path;
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
    const char* name;
    bool matches;
  } cases[] = {
      // "*.*" and a final ".*" also take names without a dot.
      {"*.*", "README", true},
      {"*.*", "a.b.c", true},
      {"Account*.*", "Account1", true},
      {"Account*.*", "Account1.old", true},
      {"Account*.*", "Acc", false},
      {"a.*", "a", true},
      {"a.*", "ab", false},
      // Extensions, case-insensitively.
      {"*.mbx", "InBox.MBX", true},
      {"*.MB", "Mail.mb", true},
      {"*.mb", "Mail.mbx", false},
      {"*.snm", "x.snm.bak", false},
      {"*.lnk", "メール.lnk", true},
      // "?" is one character, a double-byte character included.
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a?c", "aソc", true},
      {"?", "ポ", true},
      {"??", "ポ", false},
      {"ソ?", "ソ\\", true},
      // A trail byte is compared exactly, never folded: "Ｂ" is 0x82 0x61, "Ａ" 0x82 0x41.
      {"\x82\x61", "\x82\x41", false},
      {"*\x82\x61", "x\x82\x61", true},
      // Backtracking over several stars.
      {"*a*b", "xaybzb", true},
      {"*a*b*c", "abacab", false},
      {"*受信*", "旧受信箱", true},
      {"*", "x", true},
      {"", "x", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

TEST(WindowsNameTest, ManyStarsOnALongNameFinish) {
  const std::string name(4000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(MatchesWildcard("*a*a*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace lorvane
