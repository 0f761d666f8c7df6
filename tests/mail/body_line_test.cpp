// The editor's line for a hit: line-range messages in a mailbox, record-layout messages
// in a message.txt, and addresses or files that are not what they claim.

#include "mail/body_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;
using namespace std::string_literals;

const std::string kMbox = "C:\\Mail\\Inbox.mbx";
const std::string kRecords = "C:\\Mail\\art\\a.mes\\message.txt";

// A mailbox of 500 filler lines, then a message with a 12-line header at line 500, then
// a message without body at 515.
std::string Mailbox() {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "filler\r\n";
  for (int i = 0; i < 12; ++i) text += "X-Header-" + std::to_string(i) + ": v\r\n";
  text += "\r\nbody\r\n.\r\n";  // 512 empty, 513 body, 514 "."
  text += "Subject: no body\r\n\r\n\r\n";  // 515, 516, 517
  return text;
}

// One record: a marker byte, its length in 8 hex digits, CR LF, the message.
std::string Record(const std::string& message) {
  char length[16];
  std::snprintf(length, sizeof length, "%08zX", message.size());
  return "\x02" + std::string(length) + "\r\n" + message;
}

TEST(BodyLineTest, LineRangeMessages) {
  MemoryFileSystem fs;
  fs.AddFile(kMbox, Mailbox());
  const struct {
    int32_t first;
    int32_t last;
    int line;
  } kCases[] = {
      {500, 514, 514},  // the body right after the empty line that ends the header
      {500, -1, 514},   // to the end of the file
      {500, 499, 514},  // Last below First: to the end as well
      {500, 511, 501},  // the header alone: the message's first line
      {500, 512, 501},  // the empty line but no body within the message
      {515, 517, 516},  // empty lines to the end
      {0, -1, 514},     // the whole file: its first empty line is the message's
      {9000, -1, 9001},  // past the end of the file
      {-7, 3, 1},        // a negative First counts as 0
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(BodyLineOfHit(fs, kMbox, c.first, c.last), c.line) << c.first << " " << c.last;
  }
  EXPECT_EQ(BodyLineOfHit(fs, kMbox, INT32_MAX, -1), INT32_MAX);  // no overflow
  EXPECT_EQ(BodyLineOfHit(fs, "C:\\Mail\\gone.mbx", 20, 30), 21);

  // Lone CR and LF end lines too; a NUL ends the text.
  fs.AddFile("C:\\m.txt", "Subject: s\r\rbody\n");
  EXPECT_EQ(BodyLineOfHit(fs, "C:\\m.txt", 0, -1), 3);
  fs.AddFile("C:\\n.txt", "Subject: s\r\n\0\r\nbody\r\n"s);
  EXPECT_EQ(BodyLineOfHit(fs, "C:\\n.txt", 0, -1), 1);
}

TEST(BodyLineTest, RecordMessagesCountTheLinesBeforeTheirRecord) {
  MemoryFileSystem fs;
  const std::string first = Record("Subject: one\r\n\r\nbody one\r\n");  // lines 1-4
  const std::string second = Record("Subject: two\r\nFrom: x\r\n\r\n\r\nbody two\r\n");
  fs.AddFile(kRecords, first + second);  // the second record's marker line is line 5
  const auto offset = static_cast<int32_t>(first.size());
  // The enumeration's addresses (Last -2): the record's own length.
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, 0, -2), 4);
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, offset, -2), 10);
  // Last -1: the rest of the file; Last >= 0: that many bytes.
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, offset, -1), 10);
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, offset, 20), 5);  // only the marker and Subject
  // A length field that is not hexadecimal, an offset past the end, a negative one.
  fs.AddFile("C:\\x.mes\\MESSAGE.TXT", "\x02zzzzzzzz\r\nSubject: a\r\n\r\nbody\r\n");
  EXPECT_EQ(BodyLineOfHit(fs, "C:\\x.mes\\MESSAGE.TXT", 0, -2), 1);
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, 1 << 30, -2), 11);
  EXPECT_EQ(BodyLineOfHit(fs, kRecords, -5, -2), 4);
}

TEST(BodyLineTest, TenMegabyteMessage) {
  MemoryFileSystem fs;
  std::string text = "Subject: big\r\n\r\n\r\n";
  text.append(10 * 1024 * 1024, 'x');
  fs.AddFile(kMbox, text);
  EXPECT_EQ(BodyLineOfHit(fs, kMbox, 0, -1), 4);
}

}  // namespace
}  // namespace lorvane
