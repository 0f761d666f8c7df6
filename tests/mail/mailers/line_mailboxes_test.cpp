// The line-range mailbox layouts on literal mailboxes.

#include "mail/mailers/line_mailboxes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/lines.h"

#include "mail/mail_reader.h"
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
    // Where the scan found each message, the reader reads what counting its lines gives.
    TMailReader located(fs_, [] { return false; });
    TMailReader counted(fs_, [] { return false; });
    for (int i = 0; i < folder.MailCount(); ++i) {
      const TMail& mail = *folder.Mail(i);
      EXPECT_EQ(mail.FileName, "C:\\M\\box");
      EXPECT_NE(mail.End, TMail::kUnknown);
      for (const bool header_only : {false, true}) {
        EXPECT_EQ(located.ReadMail(mail, header_only),
                  counted.ReadMailText(mail.FileName, mail.First, mail.Last, header_only));
      }
    }
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

// The listings found by searching for separator and "." bytes, against the line-by-line
// reading of the same rules, over random mailboxes whose lines of every length and line
// ends put separators at every place of a 64-byte block. Binary parts come and go, so
// the Content-Type lines the scan found are checked against the reader's own search.
TEST_F(LineLayoutTest, ListingsAgreeWithReadingLineByLine) {
  const std::vector<std::string> pool = {"From 1", ".", "..", "a", " From", "", "From",
                                         "From: x", std::string(76, 'Q'), ". ", "x.",
                                         "Content-Type: application/octet-stream",
                                         "CONTENT-TYPE: image/gif", "content-type: text/plain",
                                         "Content-Type:", "Content-Typ", " Content-Type: x",
                                         "Cx:" + std::string(70, 'C')};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::string mailbox;
    const size_t lines = random() % 60;
    for (size_t i = 0; i < lines; ++i) {
      mailbox += pool[random() % pool.size()];
      if (i + 1 < lines || random() % 2 == 0) mailbox += ends[random() % 3];
    }
    SCOPED_TRACE(::testing::Message() << "round " << round);
    const std::vector<std::string_view> split = SplitLines(mailbox);
    std::string dots;
    std::string separated;
    std::string numbered;  // ForEachDotMessage with messages starting at 1, a line skipped
    size_t dot_start = 0;
    size_t sep_start = 1;
    size_t number_start = 1;
    size_t number = 0;
    for (size_t i = 0; i < split.size(); ++i) {
      const auto range = [](size_t first, size_t last) {
        return std::to_string(first) + "-" + std::to_string(static_cast<long>(last)) + " ";
      };
      if (split[i] == ".") {
        if (i > 0) dots += range(dot_start, i - 1);
        dot_start = i + 1;
        if (i >= number_start) {
          if (i > number_start) numbered += std::to_string(number) + ":" + range(number_start, i - 1);
          ++number;
          number_start = i + 2;
        }
      }
      if (i > 0 && split[i].substr(0, 5) == "From ") {
        separated += range(sep_start, i - 1);
        sep_start = i + 1;
      }
    }
    if (!split.empty()) separated += std::to_string(sep_start) + "-" + std::to_string(split.size() - 1) + " ";
    EXPECT_EQ(List(mailbox, true), dots);
    EXPECT_EQ(List(mailbox, false), separated);
    std::string found;
    EXPECT_TRUE(ForEachDotMessage(fs_, "C:\\M\\box", {.first = 1, .skipped_after_dot = 1},
                                  [&found](size_t n, int32_t first, int32_t last) {
                                    found += std::to_string(n) + ":" + std::to_string(first) +
                                             "-" + std::to_string(last) + " ";
                                  }));
    EXPECT_EQ(found, numbered);
  }
}

}  // namespace
}  // namespace lorvane::mailers
