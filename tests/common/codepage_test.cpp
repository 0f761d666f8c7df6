// CP932 <-> UTF-8 conversion at the edges.

#include "common/codepage.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

// This file is compiled to CP932, so UTF-8 is written out byte by byte.
const std::string kUtf8Uketsuke = "\xE5\x8F\x97\xE4\xBF\xA1\xE7\xAE\xB1";  // 受信箱

TEST(CodePageTest, RoundTripsJapanese) {
  EXPECT_EQ(Cp932ToUtf8("受信箱"), kUtf8Uketsuke);
  EXPECT_EQ(Utf8ToCp932(kUtf8Uketsuke), "受信箱");
  EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(CodePageTest, KeepsTheWindowsMappingsOfTroublesomeCharacters) {
  // 0x8160 is the wave dash Windows shows as U+FF5E; 0x5C stays a backslash.
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\xEF\xBD\x9E");
  EXPECT_EQ(Cp932ToUtf8("\\"), "\\");
  EXPECT_EQ(Cp932ToUtf8("ソ"), "\xE3\x82\xBD");
}

TEST(CodePageTest, ReportsTheFirstBadByteInsteadOfTruncating) {
  std::string out;
  size_t bad = 99;
  EXPECT_FALSE(TryCp932ToUtf8("ab\x82", &out, &bad));  // lone lead byte at the end
  EXPECT_EQ(bad, 2u);
  EXPECT_FALSE(
      TryUtf8ToCp932("a\xFF"
                     "b",
                     &out, &bad));
  EXPECT_EQ(bad, 1u);
  EXPECT_THROW(Utf8ToCp932("\xE2\x82"), ECodePage);  // truncated sequence
  try {
    Utf8ToCp932("ok\xC3\x85");  // U+00C5 has no CP932 form (0x81F0 is U+212B)
    FAIL();
  } catch (const ECodePage& e) {
    EXPECT_EQ(e.offset(), 2u);
  }
}

}  // namespace
}  // namespace lorvane
