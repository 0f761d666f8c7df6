// Message reading over the four storage layouts, the text cache and its cursor, and
// hostile addresses.

#include "mail/mail_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/lines.h"
#include "common/messages.h"
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

// A file that went away reads as an empty message whatever its layout, and the mailbox in
// the cache stays there: a search goes on past it without reading the mailbox again.
TEST_F(MailReaderTest, MissingFilesReadEmptyAndKeepTheCache) {
  fs_.AddFile("C:\\Mail\\Inbox.txt", kMbox);
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 1, 3), "Subject: first\r\n\r\nbody one\r\n");
  EXPECT_EQ(Read("C:\\Mail\\gone.txt", 0, -1), "");
  EXPECT_EQ(Read("C:\\Mail\\gone.BMF", 0, 10), "");
  EXPECT_EQ(Read("C:\\A\\articles\\x.mes\\message.txt", 0, 0), "");  // the record layout
  fs_.AddFile("C:\\W\\In.bmp", "");  // a block-layout address whose file is gone
  EXPECT_EQ(Read("C:\\W\\In.idx", 1, 1), "");
  EXPECT_EQ(Read("C:\\Mail\\nodir\\x.txt", 0, -1), "");
  EXPECT_EQ(Read("C:\\Mail\\Inbox.txt", 5, -1), "Subject: second\r\n\r\nbody two\r\n");
  EXPECT_EQ(reader_.ForTestingCacheLoads(), 1);
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

// The lines `first` to `last` (-1: to the end) of `text`, each followed by CR LF, split
// by the line rule over the whole text at once: what the reader must give for plain text.
std::string Joined(const std::string& text, int32_t first, int32_t last) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::string out;
  const size_t end = last == -1 ? lines.size() : static_cast<size_t>(last) + 1;
  for (size_t i = static_cast<size_t>(first); i < end; ++i) {
    out.append(lines[i]);
    out.append("\r\n");
  }
  return out;
}

std::string NumberedLines(int count, const std::string& end) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + end;
  return text;
}

// Every file read in messages of one, two and three lines: the lines are those of the
// whole file split at once, wherever a message starts (the reader counts lines 64 bytes
// at a time from where the last message ended).
TEST(MailReaderCursorTest, MessagesSplitAsTheWholeFile) {
  const std::vector<std::string> files = {
      kMbox,
      "a\r\n\r\nbb\r\r\n\n\rccc\r",       // empty lines of every kind; a final CR
      "\r\n\r\r\n\n\nx\ny\r\nz\r\n",
      std::string("one\r\ntwo\r\nth\0ree\r\nfour\r\n", 24),  // a NUL ends the text
      std::string("one\r\ntwo\r\0\nthree\r\n", 18),          // ... between CR and LF
      std::string("\0one\r\n", 6),
      NumberedLines(40, "\r\n") + "tail",
      NumberedLines(30, "\r") + NumberedLines(30, "\n") + "\r\n\r" + NumberedLines(30, "\r\n"),
  };
  for (const std::string& text : files) {
    const auto count = static_cast<int32_t>(SplitLines(text).size());
    for (int32_t lines_a_message = 1; lines_a_message <= 3; ++lines_a_message) {
      SCOPED_TRACE(::testing::Message() << "file " << &text - files.data() << ", "
                                        << lines_a_message << " lines");
      MemoryFileSystem fs;
      fs.AddFile("C:\\m.txt", text);
      TMailReader reader(fs, [] { return true; });
      for (int32_t first = 0; first < count; first += lines_a_message) {
        const int32_t last = first + lines_a_message >= count ? -1 : first + lines_a_message - 1;
        EXPECT_EQ(reader.ReadMailText("C:\\m.txt", first, last, false), Joined(text, first, last));
      }
      EXPECT_EQ(reader.ReadMailText("C:\\m.txt", count, -1, false), "");
      EXPECT_EQ(reader.ForTestingCacheLoads(), 1);
    }
  }
}

TEST(MailReaderCursorTest, LargeMessagesAndMessagesBeforeTheCursor) {
  // About 4 MB, so the cursor leaves marks behind it.
  const std::string text = NumberedLines(3, "\n") + NumberedLines(300000, "\r\n") +
                           NumberedLines(4, "\r");
  MemoryFileSystem fs;
  fs.AddFile("C:\\m.txt", text);
  TMailReader reader(fs, [] { return true; });
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 0, 2, false), Joined(text, 0, 2));
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 3, 200002, false), Joined(text, 3, 200002));
  for (int32_t first = 200003; first < 300003; first += 1000) {  // leaving marks behind
    ASSERT_EQ(reader.ReadMailText("C:\\m.txt", first, first + 999, false),
              Joined(text, first, first + 999));
  }
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 300003, -1, false), Joined(text, 300003, -1));
  EXPECT_EQ(reader.ForTestingCacheLoads(), 1);
  // A message before the first mark (the viewer going back) is counted from the top.
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 1, 1, false), "line 1\r\n");
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 1, 3, true), Joined(text, 1, 3));
  EXPECT_EQ(reader.ForTestingCacheLoads(), 3);
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 4000, 4000, false), "line 3997\r\n");
  // Far behind the cursor but past a mark: from the mark, not from the top.
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 300005, -1, false), Joined(text, 300005, -1));
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 250000, 250001, false), Joined(text, 250000, 250001));
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 299003, 299003, false), "line 299000\r\n");
  EXPECT_EQ(reader.ForTestingCacheLoads(), 3);
}

// The error names the file's line count.
TEST(MailReaderCursorTest, LinesOutsideTheFileNameItsLineCount) {
  const std::string text = NumberedLines(30, "\r\n");
  MemoryFileSystem fs;
  fs.AddFile("C:\\m.txt", text);
  TMailReader reader(fs, [] { return true; });
  const auto error = [&reader](int32_t first, int32_t last) -> std::string {
    try {
      reader.ReadMailText("C:\\m.txt", first, last, false);
    } catch (const EMailRead& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(error(25, 30), Format(msg::kLinesOutsideFile, {"C:\\m.txt", "25", "30", "30"}));
  EXPECT_EQ(error(-1, 3), Format(msg::kLinesOutsideFile, {"C:\\m.txt", "-1", "3", "30"}));
  EXPECT_EQ(error(-2, -1), Format(msg::kLinesOutsideFile, {"C:\\m.txt", "-2", "29", "30"}));
  EXPECT_EQ(error(40, 2147483647),
            Format(msg::kLinesOutsideFile, {"C:\\m.txt", "40", "2147483647", "30"}));
  EXPECT_EQ(error(30, 30), Format(msg::kLinesOutsideFile, {"C:\\m.txt", "30", "30", "30"}));
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 29, -1, false), "line 29\r\n");
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 31, -1, false), "");
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 3, 4, false), "line 3\r\nline 4\r\n");
}

TEST(MailReaderCursorTest, AFileThatChangesBetweenMessages) {
  const std::string text = NumberedLines(10, "\r\n");
  MemoryFileSystem fs;
  fs.AddFile("C:\\m.txt", text);
  TMailReader reader(fs, [] { return true; });
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 0, 4, false), Joined(text, 0, 4));
  // It shrinks: the next message sees the new size and its lines.
  fs.AddFile("C:\\m.txt", "short\r\n");
  EXPECT_THROW(reader.ReadMailText("C:\\m.txt", 5, 6, false), EMailRead);
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 0, -1, false), "short\r\n");
  // It grows: the lines added are read.
  fs.AddFile("C:\\m.txt", text + "more\r\n");
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 10, 10, false), "more\r\n");
  EXPECT_EQ(reader.ForTestingCacheLoads(), 3);
  // Unreadable: the view taken before still reads; a reader that opens it now gets an
  // error, not a crash.
  fs.MakeUnreadable("C:\\m.txt");
  EXPECT_EQ(reader.ReadMailText("C:\\m.txt", 5, 5, false), "line 5\r\n");
  TMailReader fresh(fs, [] { return true; });
  EXPECT_THROW(fresh.ReadMailText("C:\\m.txt", 5, 5, false), EMailRead);
  EXPECT_THROW(fresh.ReadMailText("C:\\m.txt", 0, -1, false), EMailRead);
}

}  // namespace
}  // namespace lorvane
