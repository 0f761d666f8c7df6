// The line-range mailbox layouts on literal mailboxes.

#include "mail/mailers/line_mailboxes.h"

#include <gtest/gtest.h>

#include "persist/ini_file.h"
#include "support/memory_file_system.h"

namespace lorvane::mailers {
namespace {

using testing::MemoryFileSystem;

struct LayoutCase {
  const char* name;
  std::string mailbox;
  std::string ranges;  // "first-last " per message
};

std::string Ranges(const TFolder& folder) {
  std::string out;
  for (int i = 0; i < folder.MailCount(); ++i) {
    out += std::to_string(folder.Mail(i)->First) + "-" + std::to_string(folder.Mail(i)->Last) + " ";
  }
  return out;
}

class LineLayoutTest : public ::testing::Test {
 protected:
  std::string List(const std::string& mailbox, bool dots) {
    fs_.AddFile("C:\\M\\box", mailbox);
    TFolder folder(ini_, 4, 2, 1, "", "f", "", "f", "box", true);
    EXPECT_TRUE(dots ? ListDotTerminated(fs_, "C:\\M\\box", folder)
                     : ListSeparated(fs_, "C:\\M\\box", "From ", folder));
    for (int i = 0; i < folder.MailCount(); ++i) EXPECT_EQ(folder.Mail(i)->FileName, "C:\\M\\box");
    return Ranges(folder);
  }
  MemoryFileSystem fs_;
  TIniFile ini_;
};

TEST_F(LineLayoutTest, DotTerminatedMailboxes) {
  const LayoutCase cases[] = {
      {"two messages", "a\r\nb\r\n.\r\nc\r\n.\r\n", "0-1 3-3 "},
      {"unterminated last message is not listed", "a\r\n.\r\nb\r\nc\r\n", "0-0 "},
      {"two dots give an empty message", "a\r\n.\r\n.\r\n", "0-0 2-1 "},
      // 0..-1 would read as the whole mailbox.
      {"leading dot gives no whole-file address", ".\r\na\r\n.\r\n", "1-1 "},
      {"dot-stuffed and indented dots are text", "..\r\n .\r\n.x\r\n.\r\n", "0-2 "},
      {"lone CR and LF end lines", "a\rb\n.\r\nc\n.", "0-1 3-3 "},
      {"NUL ends the text", std::string("a\r\n.\r\nb\r\n\0.\r\n", 13), "0-0 "},
      {"empty mailbox", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(List(c.mailbox, true), c.ranges) << c.name;
}

TEST_F(LineLayoutTest, SeparatedMailboxes) {
  const LayoutCase cases[] = {
      {"three messages, last to the end", "From 1\r\na\r\nFrom 2\r\nb\r\nc\r\nFrom 3\r\nd\r\n",
       "1-1 3-4 6-6 "},
      {"line 0 is skipped whatever it holds", "junk\r\na\r\nFrom 2\r\nb\r\n", "1-1 3-3 "},
      {"separators in a row give empty ranges", "From 1\r\nFrom 2\r\na\r\nFrom 3\r\n",
       "1-0 2-2 4-3 "},
      {"separator must start the line", "From 1\r\n From x\r\n>From y\r\nFrom: z\r\n", "1-3 "},
      {"separator alone", "From 1\r\n", "1-0 "},
      {"empty mailbox", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(List(c.mailbox, false), c.ranges) << c.name;
}

}  // namespace
}  // namespace lorvane::mailers
