// Number fields, plain names and the errors of damaged indexes.

#include "mail/mailers/mailers_b_support.h"

#include <gtest/gtest.h>

#include "common/language.h"

namespace lorvane::mailers {
namespace {

TEST(MailersBSupportTest, NumberFields) {
  EXPECT_EQ(ParseHex32("1A0"), 0x1A0u);
  EXPECT_EQ(ParseHex32("ffffffff"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex32("00000000000000ff"), 0xFFu);
  for (const char* bad : {"", "100000000", "0x1A", " 1A", "1A ", "-1", "1G"}) {
    EXPECT_EQ(ParseHex32(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ParseDecimal32("0"), 0);
  EXPECT_EQ(ParseDecimal32("+17"), 17);
  EXPECT_EQ(ParseDecimal32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal32("2147483647"), INT32_MAX);
  for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "1 ", " 1", "1e3", "--1",
                          "99999999999999999999999"}) {
    EXPECT_EQ(ParseDecimal32(bad), std::nullopt) << bad;
  }
}

TEST(MailersBSupportTest, PlainNamesStayInTheirDirectory) {
  // ソ and 表 end in the byte of "\"; ポ in that of "|".
  for (const char* good : {"00000001.MAI", "ソフト表.wml", "ポ|x", "a..b"}) {
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "..\\x", "a/b", "C:x", "*.alm", "a?"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
}

TEST(MailersBSupportTest, ErrorsNameTheFileLineAndField) {
  SetInterfaceLanguage(false);
  EXPECT_EQ(std::string(BadNumberField("C:\\a.idx", 0, "x", true).what()),
            "C:\\a.idx, line 1: \"x\" is not a hexadecimal number.");
  EXPECT_EQ(std::string(UnreadableIndex("C:\\a.box", "").what()), "Cannot open C:\\a.box.");
  SetInterfaceLanguage(true);
  // A long field is shown by its first 40 characters, never cutting a character in two.
  const std::string field = std::string(39, '1') + "表示" + std::string(1000, '2');
  EXPECT_EQ(
      std::string(BadNumberField("C:\\a.idx", 4, field, false).what()),
      "C:\\a.idx の 5 行目: \"" + std::string(39, '1') + "表...\" は10進数の数値ではありません。");
}

}  // namespace
}  // namespace lorvane::mailers
