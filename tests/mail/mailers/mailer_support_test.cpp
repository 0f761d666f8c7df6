// Reading a file's lines: exactly those of its text split at once.

#include "mail/mailers/mailer_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/mail_text.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

std::vector<std::string> Lines(testing::MemoryFileSystem& fs, const std::string& contents) {
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

TEST(MailerSupportTest, FileLinesSplitLikeTheText) {
  testing::MemoryFileSystem fs;
  const std::string cases[] = {"a\r\nb\rc\nd", "x\r", "\r\n\r\n", "",
                               std::string("x\r\nab\0c\r\nafter\r\n", 16)};
  for (const auto& c : cases) EXPECT_EQ(Lines(fs, c), Whole(c)) << c.size();
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
