// Shift_JIS string helpers, with double-byte characters whose trail byte is "\" (0x5C),
// "|" (0x7C) or an ASCII letter, which byte-wise code gets wrong.

#include "common/mbstring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace lorvane {
namespace {

// "ソ" is 0x83 0x5C, "表" is 0x95 0x5C, "ポ" is 0x83 0x7C, "ア" is 0x83 0x41.
TEST(MBStringTest, CountsDoubleByteCharactersAsOne) {
  EXPECT_EQ(MBLength(""), 0);
  EXPECT_EQ(MBLength("abc"), 3);
  EXPECT_EQ(MBLength("ソフト表示"), 5);
  EXPECT_EQ(MBLength("aソ\\b"), 4);
  EXPECT_EQ(MBLength("a\x82"), 2);  // a lone lead byte at the end is one character
}

TEST(MBStringTest, PosMatchesOnlyAtCharacterStarts) {
  EXPECT_EQ(MBPos("\\", "ソ\\"), 2);  // not the trail byte of "ソ"
  EXPECT_EQ(MBPos("\\", "ソフト"), 0);
  EXPECT_EQ(MBPos("|", "ポ"), 0);
  EXPECT_EQ(MBPos("A", "アA"), 2);
  EXPECT_EQ(MBPos("表示", "ソフト表示"), 4);
  EXPECT_EQ(MBPos("", "abc"), 0);
  EXPECT_EQ(MBPos("abcd", "abc"), 0);
  EXPECT_EQ(MBPos("\x83", "a\x83"), 2);  // a lone lead byte at the end is a character
  // Against a character-by-character comparison, over texts where matches fall inside
  // characters as often as at their starts.
  std::mt19937 random(3);
  const std::string alphabet = "\x83\x5C\x81" "ab|";
  const auto text = [&](size_t max) {
    std::string t;
    for (size_t k = random() % max; k > 0; --k) t += alphabet[random() % alphabet.size()];
    return t;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string s = text(16);
    const std::string sub = text(4);
    int expected = 0;
    int n = 1;
    for (size_t i = 0; !sub.empty() && i < s.size(); i += CharWidthAt(s, i), ++n) {
      if (s.compare(i, sub.size(), sub) == 0) {
        expected = n;
        break;
      }
    }
    ASSERT_EQ(MBPos(sub, s), expected) << round;
  }
}

TEST(MBStringTest, CopyCountsCharactersAndClamps) {
  EXPECT_EQ(MBCopy("ソフト表示", 2, 2), "フト");
  EXPECT_EQ(MBCopy("ソフト表示", 0, 1), "ソ");
  EXPECT_EQ(MBCopy("ソフト表示", 4, 100), "表示");
  EXPECT_EQ(MBCopy("ソフト表示", 6, 1), "");
  EXPECT_EQ(MBCopy("abc", 1, 0), "");
  EXPECT_EQ(MBCopy("abc", 1, -3), "");
}

TEST(MBStringTest, LastCharIsWholeCharacter) {
  EXPECT_EQ(MBLastChar(""), "");
  EXPECT_EQ(MBLastChar("ab"), "b");
  EXPECT_EQ(MBLastChar("aソ"), "ソ");
  EXPECT_EQ(MBLastChar("ソ\\"), "\\");
}

TEST(MBStringTest, ByteCopyClamps) {
  EXPECT_EQ(ByteCopy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(ByteCopy("abcdef", -5, 2), "ab");
  EXPECT_EQ(ByteCopy("abcdef", 5, 100), "ef");
  EXPECT_EQ(ByteCopy("abcdef", 7, 1), "");
  EXPECT_EQ(ByteCopy("abcdef", 1, 0), "");
  EXPECT_EQ(ByteCopy("abcdef", 1, -1), "");
}

TEST(MBStringTest, UpperCasesAsciiOnlyAndNeverATrailByte) {
  EXPECT_EQ(UpperAscii("abcXYZ09"), "ABCXYZ09");
  // "Ｂ" (0x82 0x61) has the trail byte "a"; it must stay as it is.
  const std::string with_lower_trail = "\x82\x61x";
  EXPECT_EQ(UpperAscii(with_lower_trail), "\x82\x61X");
}

TEST(MBStringTest, TrimRemovesBytesUpTo0x20) {
  EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("　a　"), "　a　");  // the ideographic space is not a control byte
  EXPECT_EQ(Trim("   "), "");
}

TEST(MBStringTest, TrailingSeparatorLooksAtWholeCharacters) {
  EXPECT_EQ(EnsureTrailingSeparator(""), "\\");
  EXPECT_EQ(EnsureTrailingSeparator("C:\\Mail"), "C:\\Mail\\");
  EXPECT_EQ(EnsureTrailingSeparator("C:\\Mail\\"), "C:\\Mail\\");
  // "ソ" ends in the byte 0x5C but is not a separator.
  EXPECT_EQ(EnsureTrailingSeparator("C:\\ソ"), "C:\\ソ\\");
  EXPECT_EQ(EnsureTrailingSeparator("C:\\表"), "C:\\表\\");
}

TEST(MBStringTest, SameTextIgnoresAsciiCaseButNotTrailBytes) {
  EXPECT_TRUE(SameTextAscii("Inbox", "INBOX"));
  EXPECT_FALSE(SameTextAscii("Inbox", "Inbo"));
  EXPECT_TRUE(SameTextAscii("受信箱", "受信箱"));
  // 0x83 0x61 ("ャ") and 0x83 0x41 ("ア") differ only in the case of the trail byte.
  EXPECT_FALSE(SameTextAscii("\x83\x61", "\x83\x41"));
}

TEST(MBStringTest, StartsWithNoCaseLooksAtTheBytesAtAPosition) {
  EXPECT_TRUE(StartsWithNoCase("subject: x", 0, "SUBJECT:"));
  EXPECT_TRUE(StartsWithNoCase("\r\nContent-TYPE: a", 2, "CONTENT-TYPE:"));
  EXPECT_FALSE(StartsWithNoCase("Subjec", 0, "SUBJECT"));     // too short
  EXPECT_FALSE(StartsWithNoCase("xSubject", 0, "SUBJECT"));   // not at that position
  EXPECT_FALSE(StartsWithNoCase("Subject", 8, ""));           // past the end
  EXPECT_TRUE(StartsWithNoCase("Subject", 7, ""));
  EXPECT_FALSE(StartsWithNoCase("件名: x", 0, "SUBJECT:"));
}

}  // namespace
}  // namespace lorvane
