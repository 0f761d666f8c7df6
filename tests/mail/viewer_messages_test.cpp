// The viewer's model: the message list and its navigation, the 32 KB cut, the title and
// the body start, and loading messages that are missing, unreadable or hostile.

#include "mail/viewer_messages.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace lorvane {
namespace {

using testing::MemoryFileSystem;
using namespace std::string_literals;

TEST(ViewerMessagesTest, ResultRowAddresses) {
  const struct {
    const char* text;
    int32_t value;
  } kCases[] = {{"0", 0},       {"514", 514},        {"-1", -1},  {"2147483647", INT32_MAX},
                {"2147483648", 7}, {"", 7},          {" 5", 7},   {"5 ", 7},
                {"+5", 7},      {"0x10", 7},         {"表", 7}};
  for (const auto& c : kCases) EXPECT_EQ(ParseMailAddress(c.text, 7), c.value) << c.text;
}

TEST(ViewerMessagesTest, ListAndNavigation) {
  TViewerMessages list;
  list.AddMail("C:\\Mail\\a,b.txt", 12, -1);  // the name is all after the second comma
  EXPECT_EQ(list.Entry(0), "12,-1,C:\\Mail\\a,b.txt");
  EXPECT_FALSE(list.ShowsNavigation());  // one hit: no caption, no previous or next
  EXPECT_FALSE(list.HasPrevious());
  EXPECT_FALSE(list.HasNext());
  list.AddMail("C:\\Mail\\ソ.mbx", 0, 30);
  list.AddMail("C:\\Mail\\c.bmf", 512, 1023);
  EXPECT_TRUE(list.ShowsNavigation());
  EXPECT_EQ(list.Current(), (TMail{"C:\\Mail\\a,b.txt", 12, -1}));
  EXPECT_TRUE(list.SetIndex(1));
  EXPECT_EQ(list.PositionCaption(), "2/3");
  EXPECT_TRUE(list.HasPrevious());
  EXPECT_TRUE(list.HasNext());
  EXPECT_FALSE(list.SetIndex(3));
  EXPECT_FALSE(list.SetIndex(-1));
  EXPECT_EQ(list.Index(), 1);
  EXPECT_TRUE(list.SetIndex(2));
  EXPECT_FALSE(list.HasNext());
  EXPECT_EQ(list.Current(), (TMail{"C:\\Mail\\c.bmf", 512, 1023}));
  EXPECT_EQ(list.MailAt(7), TMail{});
}

TEST(ViewerMessagesTest, CutAt32KBNeverInsideACharacter) {
  const std::string ascii(40000, 'a');
  EXPECT_EQ(LimitViewerText(ascii).size(), 32768u);
  std::string text(32767, 'a');
  EXPECT_EQ(LimitViewerText(text + "表表").size(), 32767u);  // "表" would end at 32769
  EXPECT_EQ(LimitViewerText("x" + text + "表").size(), 32768u);
  // A trail byte 0x5C at the edge belongs to the character before it.
  EXPECT_EQ(LimitViewerText(std::string(32766, 'a') + "ソソ").size(), 32766u + 2u);
  // The last byte kept is 0x83, the trail byte of "ャ" (0x83 0x83), not a lead byte.
  EXPECT_EQ(LimitViewerText(std::string(32766, 'a') + "ャxyz").size(), 32768u);
  EXPECT_EQ(LimitViewerText(std::string(32765, 'a') + "ャャ").size(), 32767u);
  // A lone lead byte that ends a text of 32768 bytes is damage, not a cut: kept.
  EXPECT_EQ(LimitViewerText(text + "\x82").size(), 32768u);
  EXPECT_EQ(LimitViewerText("short"), "short");
}

TEST(ViewerMessagesTest, TitleFromTheLastSubjectOfTheHeaderAndTheBodyStart) {
  TViewedMessage page;
  ReadViewerHeader("C:\\Mail\\In.mbx",
                   "Subject: Hello\r\nFrom: a\r\nsubject:World \r\n\r\n\r\nSubject: body\r\nb\r\n",
                   &page);
  EXPECT_EQ(page.title, "World");
  EXPECT_EQ(page.body_line, 5);
  EXPECT_EQ(page.body_offset, 45u);
  ReadViewerHeader("C:\\Mail\\ソ\\x.txt", "From: a\r\n\r\nSubject: in the body\r\n", &page);
  EXPECT_EQ(page.title, "Filename: x.txt");
  EXPECT_EQ(page.body_line, 2);
  ReadViewerHeader("D:mail.txt", "Subject: only a header\r\n", &page);
  EXPECT_EQ(page.title, "only a header");
  EXPECT_EQ(page.body_line, -1);
  EXPECT_EQ(page.body_offset, 0u);
}

TEST(ViewerMessagesTest, LoadingMissingDamagedAndLargeMessages) {
  MemoryFileSystem fs;
  TMailReader reader(fs, [] { return false; });
  TViewedMessage page = LoadViewedMessage(reader, {"C:\\Mail\\gone.txt", 0, -1}, true);
  EXPECT_EQ(page.text, "");
  EXPECT_EQ(page.title, "Filename: gone.txt");
  EXPECT_EQ(page.error, "");

  fs.AddFile("C:\\Mail\\box.txt", "a\r\nb\r\n");
  page = LoadViewedMessage(reader, {"C:\\Mail\\box.txt", 5, 9}, true);  // outside the file
  EXPECT_EQ(page.text, "");
  EXPECT_NE(page.error, "");

  fs.AddFile("C:\\Mail\\nul.txt", "Subject: n\r\n\r\nbe\0fore\r\n"s);
  EXPECT_EQ(LoadViewedMessage(reader, {"C:\\Mail\\nul.txt", 0, -1}, true).text,
            "Subject: n\r\n\r\nbe\r\n");

  // Ten megabytes of body, whose 32,768th byte is the first half of "表".
  std::string big = "Subject: big\r\n\r\n";
  big.append(32767 - big.size(), 'x');
  big += "表";
  big.append(10 * 1024 * 1024, 'y');
  fs.AddFile("C:\\Mail\\big.txt", big);
  page = LoadViewedMessage(reader, {"C:\\Mail\\big.txt", 0, -1}, true);
  EXPECT_EQ(page.text.size(), 32767u);
  EXPECT_EQ(page.title, "big");
  EXPECT_EQ(page.body_line, 2);
  page = LoadViewedMessage(reader, {"C:\\Mail\\big.txt", 0, -1}, false);
  EXPECT_EQ(page.text.size(), big.size() + 2);  // whole, with the reader's final CR LF
}

}  // namespace
}  // namespace lorvane
