// Reading mailboxes line by line in chunks: the lines must be exactly those of the whole
// file split at once, also where a line end or a CR LF pair falls on a chunk's edge.

#include "mail/mailers/mailer_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/mail_text.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

constexpr size_t kMiB = size_t{1} << 20;

std::vector<std::string> Chunked(testing::MemoryFileSystem& fs, const std::string& contents) {
  fs.AddFile("C:\\box", contents);
  std::vector<std::string> lines;
  EXPECT_TRUE(mailers::ForEachFileLine(fs, "C:\\box", [&](size_t i, std::string_view line) {
    EXPECT_EQ(i, lines.size());
    lines.emplace_back(line);
  }));
  return lines;
}

std::vector<std::string> Whole(const std::string& contents) {
  std::vector<std::string> lines;
  for (std::string_view l : SplitLines(contents)) lines.emplace_back(l);
  return lines;
}

TEST(MailerSupportTest, ChunkEdgesSplitLikeTheWholeFile) {
  testing::MemoryFileSystem fs;
  std::vector<std::string> cases;
  // A CR LF pair split over the first chunk's edge, and a lone CR there.
  std::string crlf(kMiB - 1, 'a');
  cases.push_back(crlf + "\r\nnext\r\n");
  cases.push_back(crlf + "\rnext");
  cases.push_back(crlf + "\r");
  // A line longer than two chunks, and a last line without a terminator.
  cases.push_back("first\r\n" + std::string(2 * kMiB + 17, 'b') + "\r\nlast");
  // Many short lines over several chunks, mixed line ends.
  std::string mixed;
  for (int i = 0; mixed.size() < 3 * kMiB; ++i) {
    mixed += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  cases.push_back(mixed);
  // A NUL in the second chunk ends the text.
  std::string nul(kMiB + 100, 'c');
  nul[kMiB + 50] = '\0';
  cases.push_back("x\r\n" + nul + "\r\nafter\r\n");
  cases.push_back("");
  for (const auto& c : cases) EXPECT_EQ(Chunked(fs, c), Whole(c)) << c.size();
}

TEST(MailerSupportTest, MissingAndUnreadableFiles) {
  testing::MemoryFileSystem fs;
  EXPECT_FALSE(mailers::ForEachFileLine(fs, "C:\\none", [](size_t, std::string_view) {}));
  fs.AddFile("C:\\locked", "a\r\n");
  fs.MakeUnreadable("C:\\locked");
  EXPECT_FALSE(mailers::ForEachFileLine(fs, "C:\\locked", [](size_t, std::string_view) {}));
}

}  // namespace
}  // namespace lorvane
