// Plain names and the errors of damaged indexes.

#include "mail/mailers/index_files.h"

#include <gtest/gtest.h>

#include "common/language.h"

namespace lorvane::mailers {
namespace {

TEST(IndexFilesTest, PlainNamesStayInTheirDirectory) {
  // ソ and 表 end in the byte of "\"; ポ in that of "|".
  for (const char* good : {"00000001.MAI", "ソフト表.wml", "ポ|x", "a..b"}) {
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "..\\x", "a/b", "C:x", "*.alm", "a?"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
}

TEST(IndexFilesTest, ErrorsNameTheFileLineAndField) {
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
