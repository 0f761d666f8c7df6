// Message text transformations: binary-part removal, header words, JIS,
// and the sender/date/time forms.

#include "mail/mail_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/lines.h"
#include "common/mbstring.h"
#include "support/mail_fixture.h"

namespace lorvane {
namespace {

// "さくら" in ISO-2022-JP.
const std::string kSakuraJis = "\x1B$B$5$/$i\x1B(B";

TEST(MailTextTest, BinaryPartsAreDroppedUpToTheNextContentType) {
  const std::string message =
      "From: a@b\r\n"
      "Content-Type: multipart/mixed; boundary=XX\r\n"
      "\r\n"
      "--XX\r\n"
      "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
      "\r\n"
      "本文です\r\n"
      "--XX\r\n"
      "Content-Type: image/jpeg; name=\"a.jpg\"\r\n"
      "Content-Transfer-Encoding: base64\r\n"
      "\r\n"
      "/9j/4AAQSkZJRgABAQ==\r\n"
      "--XX--\r\n";
  EXPECT_EQ(RemoveBinaryParts(message, true),
            "From: a@b\r\n"
            "Content-Type: multipart/mixed; boundary=XX\r\n"
            "\r\n"
            "--XX\r\n"
            "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
            "\r\n"
            "本文です\r\n"
            "--XX\r\n");
}

// The rule line by line, without the limit: what RemoveBinaryParts must give.
std::string KeptLineByLine(std::string_view text) {
  std::string kept;
  bool keep = true;
  bool first = true;
  for (std::string_view line : SplitLines(text)) {  // up to the first NUL
    if (!first && StartsWithNoCase(line, 0, "CONTENT-TYPE:")) {
      keep = !IsBinaryContentType(Trim(UpperAscii(line.substr(13))));
    }
    first = false;
    if (keep) kept.append(line).append("\r\n");
  }
  return kept;
}

// Random messages of text and binary parts, with colons and NULs at every place of a
// 16-byte block: the leaps over binary parts (by ":" and NUL together, or by the lines a
// scan noted) keep exactly what reading line by line keeps.
TEST(MailTextTest, LeapingOverBinaryPartsKeepsWhatReadingLineByLineKeeps) {
  const std::vector<std::string> pool = {
      "Content-Type: application/octet-stream", "content-type: TEXT/plain", "Content-Type:",
      "CONTENT-TYPE: image/gif", " Content-Type: image/gif", "x Content-Type: text/plain",
      std::string(76, 'Q'), "QUJD:REVG", "a: b", "", "件名: 表示", "Content-Typ"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::mt19937 random(5);
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const size_t lines = random() % 30;
    for (size_t i = 0; i < lines; ++i) {
      text += pool[random() % pool.size()];
      if (i + 1 < lines || random() % 2 == 0) text += ends[random() % 3];
    }
    if (round % 3 == 1 && !text.empty()) text[random() % text.size()] = '\0';
    SCOPED_TRACE(::testing::Message() << "round " << round);
    const std::string_view live = TextBeforeNul(text);
    EXPECT_EQ(RemoveBinaryParts(text, false), KeptLineByLine(text));
    EXPECT_EQ(RemoveBinaryParts(text, true), RemoveBinaryParts(live, true));
    std::vector<uint64_t> type_lines;  // as the mailbox scan notes them
    for (size_t pos = 0; pos < live.size(); pos = FindLineEnd(live, pos, true)->next) {
      if (StartsWithNoCase(live, pos, "CONTENT-TYPE:")) type_lines.push_back(pos);
    }
    EXPECT_EQ(RemoveBinaryParts(live, false, &type_lines), KeptLineByLine(text));
  }
}

TEST(MailTextTest, WhichTypesAreBinary) {
  auto kept = [](const std::string& type_line) {
    const std::string text = "x\r\n" + type_line + "\r\nDATA\r\nContent-Type: text/plain\r\nT\r\n";
    return RemoveBinaryParts(text, true).find("DATA") != std::string::npos;
  };
  for (const char* binary :
       {"Content-Type: application/octet-stream; name=\"a.bin\"",
        "CONTENT-TYPE:APPLICATION/OCTET-STREAM",
        "content-type:    Application/Octet-Stream;\tname=x", "Content-Type: image/gif",
        "Content-Type: video/x-msvideo", "Content-Type: application/x-zip-compressed"}) {
    EXPECT_FALSE(kept(binary)) << binary;
  }
  // Types not in the list, and a type line that does not start the line, are kept.
  for (const char* text : {"Content-Type: application/pdf", "Content-Type: image/png",
                           "Content-Type: text/html", "X-Content-Type: image/gif"}) {
    EXPECT_TRUE(kept(text)) << text;
  }
  // The first line of a message is never taken for a Content-Type line.
  EXPECT_EQ(RemoveBinaryParts("Content-Type: image/gif\r\nA\r\n", true),
            "Content-Type: image/gif\r\nA\r\n");
}

TEST(MailTextTest, LengthLimitCountsCharactersAtContentTypeLines) {
  // 6000 double-byte characters are 12000 bytes but fewer than 10000 characters.
  std::string kana;
  for (int i = 0; i < 6000; ++i) kana += "あ";
  const std::string two_parts = "Subject: x\r\n" + kana + "\r\nContent-Type: text/plain\r\nB\r\n";
  EXPECT_EQ(RemoveBinaryParts(two_parts, true), two_parts);

  const std::string long_text = std::string(10000, 'a');
  const std::string cut = "S\r\n" + long_text + "\r\nContent-Type: text/plain\r\nB\r\n";
  EXPECT_EQ(RemoveBinaryParts(cut, true), "S\r\n" + long_text + "\r\n");
  EXPECT_EQ(RemoveBinaryParts(cut, false), cut);

  // Without Content-Type lines nothing is ever cut, however long.
  const std::string single = "S\r\n" + std::string(1 << 20, 'b') + "\r\n";
  EXPECT_EQ(RemoveBinaryParts(single, true), single);
}

TEST(MailTextTest, JisToSjis) {
  EXPECT_EQ(JisToSjis(kSakuraJis), "さくら");
  EXPECT_EQ(JisToSjis("abc"), "abc");
  EXPECT_EQ(JisToSjis("x\x1B$@$\"y"), "xあ");  // ESC $ @ too; the lone "y" is dropped
  EXPECT_EQ(JisToSjis("\x1B$B$\"\x1B(Jz"), "あz");
  EXPECT_EQ(JisToSjis("a\x1B"), "a\x1B");    // a lone ESC at the end
  EXPECT_EQ(JisToSjis("a\x1B$"), "a\x1B$");  // an escape cut short
  EXPECT_EQ(JisToSjis("\x1B$B$"), "");       // half a pair
  EXPECT_EQ(JisToSjis(std::string("a\0b", 3)), "a");
  EXPECT_EQ(JisToSjis("\x1B$B%=%U%H\x1B(B"), "ソフト");  // trail byte 0x5C
}

TEST(MailTextTest, Base64ValueTable) {
  EXPECT_EQ(Base64Value('A'), 0);
  EXPECT_EQ(Base64Value('z'), 51);
  EXPECT_EQ(Base64Value('0'), 52);
  EXPECT_EQ(Base64Value('+'), 62);
  EXPECT_EQ(Base64Value('/'), 63);
  EXPECT_EQ(Base64Value('='), 63);
  EXPECT_EQ(Base64Value(0x82), 63);
}

TEST(MailTextTest, HeaderWordsAreDecodedAndFoldedLinesJoined) {
  const std::string word = "=?ISO-2022-JP?B?" + testing::Base64Encode(kSakuraJis) + "?=";
  std::vector<std::string> lines = {"Subject: " + word + " news", "From: a@b", "", word};
  DecodeHeaderWords(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"Subject: さくら news", "From: a@b", "", word}));

  const std::string second = "=?iso-2022-jp?b?" + testing::Base64Encode("\x1B$B$b$A\x1B(B") + "?=";
  lines = {"Subject: " + word, " " + second, "To: x"};
  DecodeHeaderWords(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"Subject: さくらもち", "To: x"}));

  // A continuation without an encoded word of its own is not joined.
  lines = {"Subject: " + word, " plain", ""};
  DecodeHeaderWords(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"Subject: さくら", " plain", ""}));

  // "Q" words and other character sets stay; an unterminated word changes nothing.
  lines = {"Subject: =?ISO-2022-JP?Q?=1B=24B?=", "X: =?UTF-8?B?44GC?=", "Y: =?ISO-2022-JP?B?GyRC"};
  const auto before = lines;
  DecodeHeaderWords(lines);
  EXPECT_EQ(lines, before);
}

TEST(MailTextTest, HostileEncodedWordsStayInBounds) {
  std::vector<std::string> lines = {"=?ISO-2022-JP?B?G?=",
                                    "=?ISO-2022-JP?B?"
                                    "?=",
                                    "=?ISO-2022-JP?B?=?=", "=?ISO-2022-JP?B?GyRCJCI?="};
  DecodeHeaderWords(lines);
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[3], "あ");  // a group of three characters decodes what it can
  std::vector<std::string> empty;
  DecodeHeaderWords(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(MailTextTest, SenderName) {
  EXPECT_EQ(SenderName("\"山田 太郎\" <taro@example.jp>"), "山田 太郎");
  EXPECT_EQ(SenderName("Taro Yamada <taro@example.jp>"), "Taro Yamada");
  EXPECT_EQ(SenderName("taro@example.jp (山田太郎)"), "山田太郎");
  EXPECT_EQ(SenderName("taro@example.jp"), "taro");
  EXPECT_EQ(SenderName("<taro@example.jp>"), "");
  EXPECT_EQ(SenderName("ソフト表 <x@y>"), "ソフト表");  // trail bytes "\" are not separators
  EXPECT_EQ(SenderName("（株）ソフト"), "ソフト");
  EXPECT_EQ(SenderName("Mail TSB Taro"), "Taro");
  EXPECT_EQ(SenderName("\""), "");
  EXPECT_EQ(SenderName(""), "");
}

TEST(MailTextTest, MailDateAndTime) {
  EXPECT_EQ(MailDate("Tue, 5 Dec 2006 12:34:56 +0900"), "2006-12-05");
  EXPECT_EQ(MailDate("Tue, 5 Dec 06 12:34:56 +0900"), "1906-12-05");
  EXPECT_EQ(MailDate("Mon, 23 Jan 2006 01:02:03 GMT"), "2006-01-23");
  EXPECT_EQ(MailDate("23 Nov 1999 01:02:03"), "1999-11-23");
  EXPECT_EQ(MailDate("Tue, 5 Foo 2006 12:34:56"), "2006-12-05");  // unknown month: 12
  EXPECT_EQ(MailTime("Tue, 5 Dec 2006 12:34:56 +0900"), "12:34:56");
  // Without a colon the clamping rules still give a result, never an error.
  EXPECT_EQ(MailDate("garbage"), "-12-");
  EXPECT_EQ(MailTime("garbage"), "garbage");
  EXPECT_EQ(MailTime(":1"), ":1");
  EXPECT_EQ(MailDate(""), "-12-");
}

}  // namespace
}  // namespace lorvane
