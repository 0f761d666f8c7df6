// The reader on damaged and hostile settings files: every line yields what its character
// positions give, and nothing crashes, hangs, reads out of bounds or eats memory.

#include <gtest/gtest.h>

#include <string>

#include "persist/ini_file.h"

namespace lorvane {
namespace {

using namespace std::string_literals;

const std::string kHead =
    "<?xml version='1.0' encoding='Shift_JIS' ?>\r\n<IniFile version='1.0'>\r\n";
const std::string kTail = "</IniFile>\r\n";

// The lists in a compact form: key|type|value per entry, entries joined by ";".
std::string Dump(std::string_view text) {
  TIniFile ini;
  ini.LoadFromText(text);
  std::string out;
  for (int i = 0; i < ini.Count(); ++i) {
    if (i > 0) out += ";";
    out += ini.Keys()[i] + "|" + ini.Types()[i] + "|" + ini.Values()[i];
  }
  return out;
}

TEST(IniFileLoadTest, ShortFiles) {
  EXPECT_EQ(Dump(""), "");
  EXPECT_EQ(Dump("\r\n"), "");
  EXPECT_EQ(Dump("<?xm"), "");  // fewer than five bytes: one old-style section line
  EXPECT_EQ(Dump("<?x\nA=I:1"), "A|I|1");
  EXPECT_EQ(Dump("<?XML"), "");
  EXPECT_EQ(Dump("<?xml\n <A Type=\"I\">1</A>"), "");
  EXPECT_EQ(Dump("<?xml\n<IniFile>\n <A Type=\"I\">1</A>"), "");  // the last line is skipped
  EXPECT_EQ(Dump("<?xml\n<IniFile>\n <A Type=\"I\">1</A>\n</IniFile>"), "A|I|1");
}

TEST(IniFileLoadTest, TruncatedFileLosesOnlyItsLastLine) {
  const std::string whole = kHead +
                            " <Option>\r\n"
                            "  <Length Limit Type=\"Boolean\">True</Length Limit>\r\n"
                            "  <Tree Width Type=\"Integer\">120</Tree Width>\r\n"
                            " </Option>\r\n" +
                            kTail;
  for (size_t cut = 0; cut <= whole.size(); ++cut) Dump(whole.substr(0, cut));
  EXPECT_EQ(Dump(whole.substr(0, whole.find("120") + 2)), "Option\\Length Limit|BOOLEAN|True");
}

TEST(IniFileLoadTest, MalformedXmlLines) {
  const std::string text = kHead +
                           "<Top Type=\"Integer\">1</Top>\r\n"  // no indentation: depth 0
                           " <Sec>\r\n"
                           "  <NoQuotes Type=Integer>5</NoQuotes>\r\n"
                           "  <Open Type=\"Integer>5</Open>\r\n"
                           "  <Gt Type=\"String\"x</Gt>\r\n"
                           "  <Case Type=\"String\"> v </CASE>\r\n"
                           "  <Other Type=\"String\">v</Else>\r\n"
                           "\r\n"
                           "  \t \r\n"
                           "  <Nul\0 Type=\"S\">\0</Nul\0>\r\n"s +
                           "  <\r\n"
                           "   < Type=\"S\">empty name</>\r\n"
                           "      <Deep Type=\"I\">7</Deep>\r\n"
                           " <ソ\r\n"
                           "  <表 Type=\"S\">x</表>\r\n" +
                           kTail;
  EXPECT_EQ(Dump(text),
            "Top|INTEGER|1;"
            "Sec\\Open|INTEGER>5</OPEN>|;"
            "Sec\\Gt|STRING|;"
            "Sec\\Case|STRING| v ;"
            "Sec\\Other|STRING|v</Else>;" +
                "Sec\\Nul\0|S|\0;"s +
                "Sec\\\\|S|empty name;"
                "Sec\\\\\\\\\\Deep|I|7;"
                "\\表|S|x");  // "<ソ" loses its last character, not half of it
}

TEST(IniFileLoadTest, OldStyleOddLines) {
  EXPECT_EQ(Dump("=\n==\n:\nname=\na=b:c:d\n  \nx\n b=:\n  c=%41\n\0=\0:\0"s),
            "||;||=;name||;a|b|c:d;x\\b||;x\\b\\c||%41;x\\|\0|\0"s);
}

TEST(IniFileLoadTest, AbsurdIndentationIsDropped) {
  const std::string deep(1000000, ' ');
  EXPECT_EQ(Dump(kHead + " <A>\r\n" + deep + "<B Type=\"I\">1</B>\r\n  <C Type=\"I\">2</C>\r\n" +
                 deep + "<D>\r\n" + kTail),
            "A\\C|I|2");
  EXPECT_EQ(Dump("A\n" + deep + "B=I:1\n C=I:2"), "A\\C|I|2");
  // Just inside the limit.
  const std::string limit(kMaxIniKeyDepth, ' ');
  EXPECT_EQ(Dump(kHead + limit + "<E Type=\"I\">3</E>\r\n" + kTail),
            std::string(kMaxIniKeyDepth - 1, '\\') + "E|I|3");
}

TEST(IniFileLoadTest, LongLines) {
  const std::string big(10 << 20, 'v');
  TIniFile ini;
  ini.LoadFromText(kHead + " <A Type=\"S\">" + big + "</A>\r\n <" + big + ">\r\n" + kTail);
  ASSERT_EQ(ini.Count(), 1);
  EXPECT_EQ(ini.ReadString("", "A", "").size(), big.size());
  ini.LoadFromText("A=S:" + big + "\n" + big);
  EXPECT_EQ(ini.ReadString("", "A", "").size(), big.size());
}

// A long section name above many short lines would multiply into gigabytes of key paths.
TEST(IniFileLoadTest, KeyPathsAreBudgeted) {
  std::string text = kHead + " <" + std::string(4 << 20, 'n') + ">\r\n";
  for (int i = 0; i < 10000; ++i) text += "  <K" + std::to_string(i) + " Type=\"I\">1</K>\r\n";
  text += " <Next Type=\"I\">2</Next>\r\n" + kTail;
  TIniFile ini;
  ini.LoadFromText(text);
  EXPECT_LT(ini.Count(), 100);
  EXPECT_EQ(ini.ReadInteger("", "Next", 0), 2);
}

}  // namespace
}  // namespace lorvane
