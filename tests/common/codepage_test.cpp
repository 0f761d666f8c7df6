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

TEST(CodePageTest, LossyFormsReplaceWhatCp932LacksAndMalformedInput) {
  EXPECT_EQ(Utf8ToCp932Lossy(kUtf8Uketsuke), "受信箱");
  EXPECT_EQ(Utf8ToCp932Lossy("\xC3\x85\xC3\xA9\xF0\x9F\x98\x80x"), "???x");  // Å é emoji
  EXPECT_EQ(Utf8ToCp932Lossy("a\xFF"
                             "b\xE2\x82"),
            "a?b??");                                            // bad byte, truncated sequence
  EXPECT_EQ(Utf8ToCp932Lossy("\xC0\xAF\xED\xA0\x80"), "?????");  // overlong, a surrogate
  EXPECT_EQ(Utf8ToCp932Lossy(std::string("a\0b", 3)), std::string("a\0b", 3));

  EXPECT_EQ(Utf16LeToCp932Lossy(std::string("\xBD\x30\x5C\x00", 4)), "ソ\\");
  EXPECT_EQ(Utf16LeToCp932Lossy(std::string("\x3D\xD8\x00\xDE", 4)),
            "?");  // one character outside the BMP
  EXPECT_EQ(Utf16LeToCp932Lossy(std::string("\x3D\xD8"
                                            "A\x00",
                                            4)),
            "?A");                                                   // a lone high surrogate
  EXPECT_EQ(Utf16LeToCp932Lossy(std::string("A\x00\x42", 3)), "A");  // odd last byte dropped
  EXPECT_EQ(Utf16LeToUtf8Lossy(std::string("\x00\xDC"
                                           "A\x00",
                                           4)),
            "\xEF\xBF\xBD"
            "A");

  EXPECT_TRUE(IsValidUtf8(kUtf8Uketsuke));
  EXPECT_FALSE(IsValidUtf8("表"));  // CP932 bytes
}

TEST(CodePageTest, LossyFormAgreesWithTheStrictOneOnEveryCp932Character) {
  std::string utf8;
  std::string strict;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      if (!TryCp932ToUtf8(c, &utf8) || !TryUtf8ToCp932(utf8, &strict)) continue;
      ASSERT_EQ(Utf8ToCp932Lossy(utf8), strict) << lead << " " << trail;
    }
  }
  for (int b = 0xA1; b <= 0xDF; ++b) {  // half-width katakana
    const std::string c(1, static_cast<char>(b));
    ASSERT_TRUE(TryCp932ToUtf8(c, &utf8));
    EXPECT_EQ(Utf8ToCp932Lossy(utf8), c);
  }
}

// The text widget's form: one UTF-16 unit per character, whatever the bytes hold, so that
// byte offsets in the core and positions in the widget can be mapped by counting.
TEST(CodePageTest, WidgetFormHasOneUnitPerCharacter) {
  EXPECT_EQ(Cp932ToUtf16Lossy("表ソポ\\|\r\n"), u"表ソポ\\|\r\n");
  EXPECT_EQ(Cp932ToUtf16Lossy("\xA1\xDF"), u"｡ﾟ");
  // Undefined pairs, an undefined single byte and a lead byte at the end: one unit each.
  EXPECT_EQ(Cp932ToUtf16Lossy("\x85\x40x\xA0\x81"), u"\uFFFDx\uFFFD\uFFFD");
  EXPECT_EQ(Cp932ToUtf16Lossy(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Utf16ToCp932Lossy(u"受信箱ｶﾞ\r\n"), "受信箱ｶﾞ\r\n");
  std::u16string odd = u"Å\U0001F600";
  odd += static_cast<char16_t>(0xD800);  // a lone surrogate
  odd += u"x\uFFFD";
  EXPECT_EQ(Utf16ToCp932Lossy(odd), "???x?");
  std::string all;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      std::string c{static_cast<char>(lead), static_cast<char>(trail)}, utf8;
      if (TryCp932ToUtf8(c, &utf8)) all += c;
    }
  }
  const std::u16string wide = Cp932ToUtf16Lossy(all);
  EXPECT_EQ(wide.size(), all.size() / 2);
  EXPECT_EQ(Utf16ToCp932Lossy(wide).size(), all.size());  // every defined character returns
}

// What a text widget gets: one character per CP932 character, damaged ones included, so
// that positions counted by TTextPositions fit the widget's.
TEST(CodePageTest, LossyCp932KeepsOneCharacterPerCharacter) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(Cp932ToUtf8Lossy("受信箱"), kUtf8Uketsuke);
  EXPECT_EQ(Cp932ToUtf8Lossy("ソ\\"), "\xE3\x82\xBD\\");
  EXPECT_EQ(Cp932ToUtf8Lossy("a\x82"), "a" + fffd);             // lone lead byte at the end
  EXPECT_EQ(Cp932ToUtf8Lossy("\x81\x0D\x0A"), fffd + "\n");     // lead byte before CR LF
  EXPECT_EQ(Cp932ToUtf8Lossy("\xA0x"), fffd + "x");  // a byte with no character (Windows maps 0x80)
  EXPECT_EQ(Cp932ToUtf8Lossy(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace lorvane
