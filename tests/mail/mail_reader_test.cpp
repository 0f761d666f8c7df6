// Message reading over the four storage layouts, the line cache, and hostile addresses.

#include "mail/mail_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;

class MailReaderTest : public ::testing::Test {
 protected:
  MemoryFileSystem fs_;
  bool limit_ = true;
  TMailReader reader_{fs_, [this] { return limit_; }};

  std::string Read(const std::string& file, int32_t first, int32_t last, bool header = false) {
    return reader_.ReadMailText(file, first, last, header);
  }
};

const char* const kMbox =
    "From ???@??? Mon Jan  1 00:00:00 2001\r\n"  // line 0
    "Subject: first\r\n"                         // 1
    "\r\n"                                       // 2
    "body one\r\n"                               // 3
    "From ???@??? Mon Jan  1 00:00:00 2001\r\n"  // 4
    "Subject: second\n"                          // 5 (a lone LF)
    "\r"                                         // 6 (a lone CR)
    "body two";                                  // 7 (no terminator)

TEST_F(MailReaderTest, LineRangeLayoutAndItsCache) {
  fs_.AddFile("C:\\Mail\\Inbox.txt", kMbox);
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 1, 3), "Subject: first\r\n\r\nbody one\r\n");
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 5, -1), "Subject: second\r\n\r\nbody two\r\n");
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 5, -1, true), "Subject: second\r\n");
  EXPECT_EQ(reader_.ForTestingCacheLoads(), 1);
  // A record read replaces the cache; the mailbox is loaded again afterwards.
  fs_.AddFile("C:\\Mail\\x.bmf", "Subject: bmf\r\n\r\nB\r\n");
  EXPECT_EQ(Read("C:\\Mail\\x.bmf", 0, 13), "Subject: bmf\r\n");
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 1, 1), "Subject: first\r\n");
  EXPECT_EQ(reader_.ForTestingCacheLoads(), 2);
  // A mailbox that grew is read afresh.
  fs_.AddFile("C:\\m.txt", "a\r\nb\r\n");
  EXPECT_EQ(Read("C:\\m.txt", 0, -1), "a\r\nb\r\n");
  fs_.AddFile("C:\\m.txt", "a\r\nb\r\nc\r\n");
  EXPECT_EQ(Read("C:\\m.txt", 2, 2), "c\r\n");
}

TEST_F(MailReaderTest, LineRangeBounds) {
  fs_.AddFile("C:\\m.txt", "a\r\nb\r\nc\r\n");
  EXPECT_EQ(Read("C:\\m.txt", 2, 1), "");  // an empty message between separators
  EXPECT_THROW(Read("C:\\m.txt", 1, 3), EMailRead);
  EXPECT_THROW(Read("C:\\m.txt", -1, 1), EMailRead);
  EXPECT_THROW(Read("C:\\m.txt", 0, 2147483647), EMailRead);
  fs_.AddFile("C:\\empty.txt", "");
  EXPECT_EQ(Read("C:\\empty.txt", 0, -1), "");
  EXPECT_EQ(Read("C:\\missing.txt", 0, -1), "");
  fs_.AddFile("C:\\locked.txt", "x");
  fs_.MakeUnreadable("C:\\locked.txt");
  EXPECT_THROW(Read("C:\\locked.txt", 0, -1), EMailRead);
}

TEST_F(MailReaderTest, ByteRangeLayout) {
  fs_.AddFile("C:\\B\\In.BMF", "XXSubject: s\r\n\r\nbody\r\nYY");
  EXPECT_EQ(reader_.LayoutOf("C:\\B\\In.BMF"), mlByteRange);
  EXPECT_EQ(reader_.LayoutOf("C:\\B\\In.bmf"), mlByteRange);
  EXPECT_EQ(Read("C:\\B\\In.BMF", 2, 21), "Subject: s\r\n\r\nbody\r\n");
  // Past the end of the file: only the bytes that exist.
  EXPECT_EQ(Read("C:\\B\\In.BMF", 16, 2000000000), "body\r\nYY\r\n");
  EXPECT_EQ(Read("C:\\B\\In.BMF", 500, 600), "");
  EXPECT_EQ(Read("C:\\B\\In.BMF", 5, 4), "");
  EXPECT_THROW(Read("C:\\B\\In.BMF", -5, 4), EMailRead);
}

TEST_F(MailReaderTest, BlockLayoutStopsAtTheDotLine) {
  std::string mbx(512, 'z');
  mbx += "Subject: blk\r\n\r\ntext\r\n.\r\nnext message\r\n";
  mbx.resize(512 * 3, ' ');
  fs_.AddFile("C:\\W\\In.idx", "");
  fs_.AddFile("C:\\W\\In.bmp", "");
  fs_.AddFile("C:\\W\\In.mbx", mbx);
  EXPECT_EQ(reader_.LayoutOf("C:\\W\\In.idx"), mlBlock);
  EXPECT_EQ(Read("C:\\W\\In.idx", 1, 1), "Subject: blk\r\n\r\ntext\r\n");
  EXPECT_EQ(Read("C:\\W\\In.idx", 5, 1), "");  // beyond the file
}

TEST_F(MailReaderTest, RecordLayout) {
  const std::string body = "Subject: rec\r\n\r\nhello\r\n";
  char header[16];
  std::snprintf(header, sizeof header, "%08X", static_cast<unsigned>(body.size()));
  const std::string record = std::string("\x01") + header + "\r\n" + body;
  fs_.AddFile("C:\\A\\articles\\x.mes\\message.txt", "padding" + record + "more");
  const std::string file = "C:\\A\\articles\\x.mes\\message.txt";
  EXPECT_EQ(reader_.LayoutOf(file), mlRecord);
  EXPECT_EQ(Read(file, 7, 0), body);
  EXPECT_THROW(Read(file, 0, 0), EMailRead);     // "padding" is not hexadecimal
  EXPECT_THROW(Read(file, 1000, 0), EMailRead);  // no length field at all
  // A length beyond the end of the file gives the bytes that exist.
  fs_.AddFile("C:\\B\\y.MES\\MESSAGE.TXT",
              "\x01"
              "FFFFFFFF\r\nshort");
  EXPECT_EQ(Read("C:\\B\\y.MES\\MESSAGE.TXT", 0, 0), "short\r\n");
}

TEST_F(MailReaderTest, JapaneseMailIsDecoded) {
  const std::string mail =
      "Subject: =?ISO-2022-JP?B?GyRCJDUkLyRpGyhC?=\r\n"
      "From: \"Taro\" <taro@example.jp>\r\n"
      "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
      "\r\n"
      "\x1B$B$3$s$K$A$O\x1B(B world\r\n"
      "plain line\r\n";
  fs_.AddFile("C:\\j.eml", mail);
  EXPECT_EQ(Read("C:\\j.eml", 0, -1),
            "Subject: さくら\r\n"
            "From: \"Taro\" <taro@example.jp>\r\n"
            "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
            "\r\n"
            "こんにちは world\r\n"
            "plain line\r\n");
  EXPECT_EQ(Read("C:\\j.eml", 0, -1, true),
            "Subject: さくら\r\nFrom: \"Taro\" <taro@example.jp>\r\n"
            "Content-Type: text/plain; charset=ISO-2022-JP\r\n");
}

TEST_F(MailReaderTest, LengthLimitIsAskedForEveryMessage) {
  const std::string mail =
      "S\r\n" + std::string(10000, 'x') + "\r\nContent-Type: text/plain\r\nT\r\n";
  fs_.AddFile("C:\\l.eml", mail);
  EXPECT_EQ(Read("C:\\l.eml", 0, -1).find("Content-Type"), std::string::npos);
  limit_ = false;
  EXPECT_NE(Read("C:\\l.eml", 0, -1).find("Content-Type"), std::string::npos);
}

TEST_F(MailReaderTest, NulEndsTheMessageAndTheHeaderEndsAtTheEmptyLine) {
  fs_.AddFile("C:\\n.eml", std::string("Subject: a\r\nbo\0dy\r\nmore\r\n", 25));
  EXPECT_EQ(Read("C:\\n.eml", 0, -1), "Subject: a\r\nbo\r\n");
  // Without an empty line it is all header.
  fs_.AddFile("C:\\h.eml", "Subject: a\r\nFrom: b\r\n");
  EXPECT_EQ(Read("C:\\h.eml", 0, -1, true), "Subject: a\r\nFrom: b\r\n");
}

}  // namespace
}  // namespace lorvane
