// The settings object: the writer's exact layout, reader and writer held against each
// other, typed reads, deletion and the index, sub-sections, the old-style form and the
// file entry points.

#include "persist/ini_file.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/language.h"
#include "common/mbstring.h"
#include "support/memory_file_system.h"

namespace lorvane {
namespace {

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view l : lines) out.append(l).append("\r\n");
  return out;
}

TDateTime Date(int y, int mo, int d, int h, int mi, int s) {
  return *EncodeDateTime({y, mo, d, h, mi, s});
}

TEST(IniFileTest, WriterLayoutForASmallTree) {
  TIniFile ini;
  ini.WriteInteger("", "Version", 3);
  ini.WriteInteger("display", "Width[10]", 200);
  ini.WriteInteger("Display", "Width[1]", 100);
  ini.WriteBool("Option", "Length Limit", true);
  ini.WriteString("Option\\Path", "Mail", "C:\\Mail");
  ini.WriteString("Option", "Path", "x");
  ini.WriteFloat("Option", "Ratio", 1.5);
  ini.WriteDateTime("", "Saved", Date(2024, 1, 2, 3, 4, 5));
  const std::string expected = Lines({
      "<?xml version='1.0' encoding='Shift_JIS' ?>",
      "<IniFile version='1.0'>",
      " <display>",  // the case of the first key in sorted order: "]" sorts after "0"
      "  <Width[10] Type=\"Integer\">200</Width[10]>",
      "  <Width[1] Type=\"Integer\">100</Width[1]>",
      " </display>",
      " <Option>",
      "  <Length Limit Type=\"Boolean\">True</Length Limit>",
      "  <Path Type=\"String\">x",
      "   <Mail Type=\"String\">C:\\Mail</Mail>",
      "  </Path>",
      "  <Ratio Type=\"Float\">1.5</Ratio>",
      " </Option>",
      " <Saved Type=\"Date\">2024/01/02 03:04:05</Saved>",
      " <Version Type=\"Integer\">3</Version>",
      "</IniFile>",
  });
  EXPECT_EQ(ini.ToText(), expected);
  EXPECT_EQ(ini.Types(), (std::vector<std::string>{"I", "I", "B", "S", "S", "F", "D", "I"}));

  TIniFile back;
  back.LoadFromText(expected);
  // Both letter cases of one section come back in the case of the first key.
  EXPECT_EQ(back.Keys(),
            (std::vector<std::string>{"display\\Width[10]", "display\\Width[1]",
                                      "Option\\Length Limit", "Option\\Path", "Option\\Path\\Mail",
                                      "Option\\Ratio", "Saved", "Version"}));
  EXPECT_EQ(back.Types()[0], "INTEGER");
  EXPECT_EQ(back.ReadString("option", "PATH", ""), "x");
  EXPECT_EQ(back.ReadString("Option\\Path", "Mail", ""), "C:\\Mail");
  EXPECT_EQ(back.ToText(), expected);
}

TEST(IniFileTest, StringsSurviveWriteAndRead) {
  const std::vector<std::string> texts = {
      // clang-format off
      "100%", "%41%", "a\tb", "line1\r\nline2", "<b>&amp;\"q\"</b>", "  both ", "ソフト表示ポ",
      "表\\ソ|", "\x82", "\x82\n", "\x82%", "ends in </S4>", "</s5><S5>", "", "\x01\x1f\x7f",
      "a</P>"
      // clang-format on
  };
  TIniFile ini;
  for (size_t i = 0; i < texts.size(); ++i) ini.WriteString("S", "S" + std::to_string(i), texts[i]);
  // A value with children whose text ends in its own closing tag.
  ini.WriteString("", "P", "a</P>");
  ini.WriteInteger("P", "Child", 1);
  const std::string text = ini.ToText();

  TIniFile back;
  back.LoadFromText(text);
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(back.ReadString("S", "S" + std::to_string(i), "?"), texts[i]) << i;
  }
  EXPECT_EQ(back.ReadString("", "P", ""), "a</P>");
  EXPECT_EQ(back.ReadInteger("P", "Child", 0), 1);
  EXPECT_EQ(back.ToText(), text);
}

TEST(IniFileTest, EscapeAndUnescape) {
  EXPECT_EQ(EscapeValue("50% off\tnow\r\n"), "50%% off%09now%0D%0A");
  EXPECT_EQ(EscapeValue("<a href=\"x\">&</a>"), "<a href=\"x\">&</a>");
  EXPECT_EQ(EscapeValue("ソ表ポ"), "ソ表ポ");
  EXPECT_EQ(EscapeValue("\x82\t"), "\x82%09");  // a stray lead byte hides no control byte
  EXPECT_EQ(UnescapeValue("%%41%41%0d%0A"), "%41A\r\n");
  EXPECT_EQ(UnescapeValue("100%"), "100%");
  EXPECT_EQ(UnescapeValue("%zz%4"), "%zz%4");
  EXPECT_EQ(UnescapeValue("%83%5C"), "ソ");
}

// Random settings over names that sort awkwardly ("x y" before "x\", "w[10]" before "w[1]",
// letter cases, trail bytes "\" and "|", a stray lead byte that takes the "\" after it):
// writing, reading and writing again changes nothing, and every key reads back what was
// written last.
TEST(IniFileTest, RandomSettingsAreAFixedPointOfWriteAndRead) {
  const std::vector<std::string> parts = {"a",  "A",  "x y", "x", "w[1]", "w[10]",
                                          "ソ", "表", "ポ",  "",  "\x82", "c\rr"};
  const std::vector<std::string> strings = {"", "%", "\t<x>", "ソ\r\n", " a ", "</a>", "\x82\n"};
  std::mt19937 random(7);
  const auto pick = [&random](const auto& list) { return list[random() % list.size()]; };
  for (int round = 0; round < 200; ++round) {
    TIniFile ini;
    std::map<std::string, TIniValue> written;  // by upper-cased key
    for (int k = 0; k < 12; ++k) {
      std::string section;
      for (int depth = static_cast<int>(random() % 4); depth > 0; --depth) {
        section += (section.empty() ? "" : "\\") + pick(parts);
      }
      const std::string name = pick(parts);
      TIniValue value;
      switch (random() % 4) {
        case 0:
          value = random() % 2 == 0;
          break;
        case 1:
          value = static_cast<int64_t>(random() % 2000) - 1000;
          break;
        case 2:
          value = static_cast<double>(random() % 1000) / 8;
          break;
        default:
          value = pick(strings);
      }
      ini.WriteValue(section, name, value);
      written[UpperAscii(section.empty() ? name : section + "\\" + name)] = value;
    }
    const std::string text = ini.ToText();
    TIniFile back;
    back.LoadFromText(text);
    ASSERT_EQ(back.ToText(), text) << text;
    ASSERT_EQ(back.Count(), static_cast<int>(written.size())) << text;
    for (const auto& [key, value] : written) {
      EXPECT_EQ(back.ReadValue("", key, {}), value) << key << "\n" << text;
    }
  }
}

TEST(IniFileTest, LookupIgnoresAsciiCaseButNotTrailBytes) {
  TIniFile ini;
  ini.WriteInteger("Sec", "ア", 1);  // 0x83 0x41
  ini.WriteInteger("sec", "ヂ", 2);  // 0x83 0x61: differs only in the trail byte's case
  ini.WriteInteger("SEC", "ア", 3);
  EXPECT_EQ(ini.Count(), 2);
  EXPECT_EQ(ini.Keys()[0], "SEC\\ア");  // the latest write's case
  EXPECT_EQ(ini.ReadInteger("sEc", "ア", 0), 3);
  EXPECT_EQ(ini.ReadInteger("Sec", "ヂ", 0), 2);
}

// Only the first letter of the type counts; a Boolean is true only for "True" as written.
TEST(IniFileTest, ReadValueByStoredType) {
  TIniFile ini;
  ini.LoadFromText(
      "B1=BOOLEAN:True\nB2=b:true\nB3=B:TRUE\nD1=Date:2024/02/29 23:59:58\nD2=D:2023/02/29\n"
      "F1=F:-0.25\nF2=F:1,5\nI1=integer: -12\nI2=I:12abc\nS1=S:50%%%09\nX1=Whatever:%41\n");
  const TIniValue d = std::string("default");
  EXPECT_EQ(ini.ReadValue("", "B1", d), TIniValue(true));
  EXPECT_EQ(ini.ReadValue("", "B2", d), TIniValue(false));
  EXPECT_EQ(ini.ReadValue("", "B3", d), TIniValue(false));
  EXPECT_EQ(ini.ReadValue("", "D1", d), TIniValue(Date(2024, 2, 29, 23, 59, 58)));
  EXPECT_EQ(ini.ReadValue("", "D2", d), d);
  EXPECT_EQ(ini.ReadValue("", "F1", d), TIniValue(-0.25));
  EXPECT_EQ(ini.ReadValue("", "F2", d), d);
  EXPECT_EQ(ini.ReadValue("", "I1", d), TIniValue(int64_t{-12}));
  EXPECT_EQ(ini.ReadValue("", "I2", d), d);
  EXPECT_EQ(ini.ReadValue("", "S1", d), TIniValue(std::string("50%\t")));
  EXPECT_EQ(ini.ReadValue("", "X1", d), TIniValue(std::string("A")));
  EXPECT_EQ(ini.ReadValue("", "Missing", d), d);
}

TEST(IniFileTest, TypedReadersConvert) {
  TIniFile ini;
  ini.WriteBool("T", "Bool", true);
  ini.WriteInteger("T", "Big", int64_t{1} << 40);
  ini.WriteFloat("T", "Float", 2.5);
  ini.WriteDateTime("T", "Date", Date(2000, 1, 1, 12, 0, 0));
  ini.WriteString("T", "Yes", "true");
  ini.WriteString("T", "Num", " 42 ");
  ini.WriteString("T", "Word", "abc");
  EXPECT_TRUE(ini.ReadBool("T", "Yes", false));
  EXPECT_TRUE(ini.ReadBool("T", "Num", false));
  EXPECT_TRUE(ini.ReadBool("T", "Word", true));  // no reading: the default
  EXPECT_EQ(ini.ReadInteger("T", "Bool", 0), 1);
  EXPECT_EQ(ini.ReadInteger("T", "Float", 0), 3);  // 2.5 rounds away from zero
  EXPECT_EQ(ini.ReadInteger("T", "Num", 0), 42);
  EXPECT_EQ(ini.ReadInteger("T", "Big", -1), -1);  // beyond int
  EXPECT_EQ(ini.ReadFloat("T", "Date", 0), 36526.5);
  EXPECT_EQ(ini.ReadString("T", "Bool", ""), "True");
  EXPECT_EQ(ini.ReadString("T", "Date", ""), "2000/01/01 12:00:00");
  EXPECT_EQ(ini.ReadDateTime("T", "Float", {}), TDateTime{2.5});
  EXPECT_EQ(ini.ReadDateTime("T", "Big", {-1}), TDateTime{-1});  // past 9999/12/31
  EXPECT_EQ(ini.ReadDateTime("T", "Bool", {-1}), TDateTime{-1});
}

TEST(IniFileTest, FloatsAndIntegersAsText) {
  TIniFile ini;
  const std::pair<double, std::string> floats[] = {{1.5, "1.5"},    {-0.25, "-0.25"},
                                                   {3, "3"},        {0.1, "0.1"},
                                                   {1e20, "1e+20"}, {1.0 / 3, "0.333333333333333"}};
  for (const auto& [value, text] : floats) {
    ini.WriteFloat("F", "x", value);
    EXPECT_EQ(ini.Values()[0], text);
    EXPECT_EQ(ini.ReadFloat("F", "x", 0), std::stod(text));
  }
  ini.WriteInteger("I", "x", -2147483648LL);
  EXPECT_EQ(ini.Values()[1], "-2147483648");
  EXPECT_EQ(ini.ReadInteger("I", "x", 0), -2147483647 - 1);
}

TEST(IniFileTest, EmptyValueDeletes) {
  TIniFile ini;
  ini.WriteInteger("A", "One", 1);
  ini.WriteValue("A", "Missing", std::monostate{});
  EXPECT_EQ(ini.Count(), 1);
  ini.WriteInteger("A", "Two", 2);
  ini.WriteInteger("A", "Three", 3);
  ini.DeleteKey("a", "ONE");
  EXPECT_EQ(ini.Keys(), (std::vector<std::string>{"A\\Two", "A\\Three"}));
  EXPECT_EQ(ini.ReadInteger("A", "One", -1), -1);
  EXPECT_EQ(ini.ReadInteger("A", "Two", -1), 2);
  EXPECT_EQ(ini.ReadInteger("A", "Three", -1), 3);
  ini.WriteInteger("A", "One", 4);  // appended at the end again
  EXPECT_EQ(ini.Keys().back(), "A\\One");
  EXPECT_EQ(ini.ReadInteger("A", "Three", -1), 3);
}

// Only a hand-edited file holds one key twice: the first is read, deleting it uncovers the
// second, and the file keeps only the first.
TEST(IniFileTest, DuplicateKeysFromAHandEditedFile) {
  TIniFile ini;
  ini.LoadFromText("Z=I:0\nA=I:1\nB=I:2\na=I:3\nC=I:4\n");
  EXPECT_EQ(ini.ReadInteger("", "A", 0), 1);
  ini.DeleteKey("", "A");
  EXPECT_EQ(ini.ReadInteger("", "A", 0), 3);
  EXPECT_EQ(ini.ReadInteger("", "C", 0), 4);
  ini.LoadFromText("Z=I:0\nA=I:1\nB=I:2\na=I:3\nC=I:4\n");
  ini.SortKeys();
  EXPECT_EQ(ini.Keys(), (std::vector<std::string>{"A", "a", "B", "C", "Z"}));
  EXPECT_EQ(ini.ReadInteger("", "A", 0), 1);
  EXPECT_EQ(ini.ReadInteger("", "Z", 0), 0);
  TIniFile back;
  back.LoadFromText(ini.ToText());
  EXPECT_EQ(back.Keys(), (std::vector<std::string>{"A", "B", "C", "Z"}));
}

TEST(IniFileTest, ReadSectionsListsImmediateSubSections) {
  TIniFile ini;
  ini.WriteString("Mailers\\AL_Mail\\User1", "Directory", "C:\\A");
  ini.WriteBool("Mailers\\AL_Mail", "Hidden", false);
  ini.WriteString("mailers\\al_mail\\USER1", "Full Name", "x");
  ini.WriteString("Mailers\\AL_Mail\\表\\Deep", "Directory", "C:\\B");
  ini.WriteString("Mailers\\AL_Mail2\\Other", "Directory", "C:\\C");
  EXPECT_EQ(ini.ReadSections("MAILERS\\al_mail"), (std::vector<std::string>{"User1", "表"}));
  EXPECT_EQ(ini.ReadSections(""), std::vector<std::string>{"Mailers"});
  EXPECT_TRUE(ini.ReadSections("Nowhere").empty());
}

TEST(IniFileTest, OldStyleFileIsReadAndWrittenAsXml) {
  TIniFile ini;
  ini.LoadFromText("Option\r\n Length Limit=B:True\r\n Tree Width=I:120\r\nKeyword\n Text=a:b\n");
  EXPECT_EQ(ini.Keys(), (std::vector<std::string>{"Option\\Length Limit", "Option\\Tree Width",
                                                  "Keyword\\Text"}));
  EXPECT_TRUE(ini.ReadBool("Option", "Length Limit", false));
  EXPECT_EQ(ini.ReadInteger("Option", "Tree Width", 0), 120);
  EXPECT_EQ(ini.Types()[2], "a");
  EXPECT_EQ(ini.ReadString("Keyword", "Text", ""), "b");
  TIniFile xml;
  xml.LoadFromText(ini.ToText());
  EXPECT_EQ(xml.Keys(), (std::vector<std::string>{"Keyword\\Text", "Option\\Length Limit",
                                                  "Option\\Tree Width"}));
  EXPECT_EQ(xml.Types(), (std::vector<std::string>{"STRING", "BOOLEAN", "INTEGER"}));
}

// Keys the reader could not give back stay in memory but out of the file.
TEST(IniFileTest, KeysTheFileCannotHoldAreLeftOut) {
  TIniFile ini;
  ini.WriteInteger("A", "line\nbreak", 1);
  ini.WriteInteger("/Slash", "x", 2);
  ini.WriteInteger("A", "n Type=\"x", 3);
  // n separators in the section make a key of n + 2 parts.
  ini.WriteInteger(std::string(kMaxIniKeyDepth - 1, '\\'), "deep", 4);
  const std::string deepest = std::string(kMaxIniKeyDepth - 2, '\\');
  ini.WriteInteger(deepest, "deepest", 5);
  // A stray lead byte takes the "\" after it, so "/" does not begin a part here.
  ini.WriteInteger("", "\x82", 6);
  ini.WriteInteger("\x82", "/x", 7);
  TIniFile back;
  back.LoadFromText(ini.ToText());
  EXPECT_EQ(ini.Count(), 7);
  EXPECT_EQ(back.Count(), 3);
  EXPECT_EQ(back.ReadInteger(deepest, "deepest", 0), 5);
  EXPECT_EQ(back.ReadInteger("\x82", "/x", 0), 7);
}

TEST(IniFileTest, FileIsReadAndReplacedThroughTheFileSystem) {
  testing::MemoryFileSystem fs;
  fs.SetProgramPath("C:\\Program Files\\Lorvane\\Lorvane.exe");
  const std::string path = SettingsFileName(fs.ProgramPath());
  EXPECT_EQ(path, "C:\\Program Files\\Lorvane\\Lorvane.ini");
  TIniFile ini(fs, path);
  std::string error;
  EXPECT_TRUE(ini.Load(&error));  // no file yet: defaults
  EXPECT_EQ(ini.Count(), 0);

  ini.WriteString("表示", "ソフト", "表");
  ASSERT_TRUE(ini.UpdateFile(&error));
  const std::string written = *fs.Contents(path);
  EXPECT_EQ(written,
            Lines({"<?xml version='1.0' encoding='Shift_JIS' ?>", "<IniFile version='1.0'>",
                   " <表示>", "  <ソフト Type=\"String\">表</ソフト>", " </表示>", "</IniFile>"}));

  fs.FailReplace(true);
  ini.WriteInteger("", "More", 1);
  EXPECT_FALSE(ini.UpdateFile(&error));
  EXPECT_EQ(error, "disk full");
  EXPECT_EQ(*fs.Contents(path), written);
  EXPECT_EQ(ini.ReadInteger("", "More", 0), 1);

  TIniFile again(fs, path);
  EXPECT_TRUE(again.Load());
  EXPECT_EQ(again.ReadString("表示", "ソフト", ""), "表");
  fs.MakeUnreadable(path);
  EXPECT_FALSE(again.Load(&error));
  EXPECT_EQ(error, "cannot read");
  EXPECT_EQ(again.Count(), 0);
}

TEST(IniFileTest, SettingsFileNameReplacesTheExtension) {
  EXPECT_EQ(SettingsFileName("C:\\Tools\\Lorvane.exe"), "C:\\Tools\\Lorvane.ini");
  EXPECT_EQ(SettingsFileName("Z:\\usr\\bin\\lorvane"), "Z:\\usr\\bin\\lorvane.ini");
  EXPECT_EQ(SettingsFileName("C:\\a.b\\prog"), "C:\\a.b\\prog.ini");
  EXPECT_EQ(SettingsFileName("C:\\ソ.d\\表"), "C:\\ソ.d\\表.ini");
}

TEST(IniFileTest, WriteFailureTextFollowsTheLanguage) {
  const bool japanese = IsJapanese();
  SetInterfaceLanguage(true);
  TMessageText text = SettingsWriteFailureText("C:\\L\\Lorvane.ini");
  EXPECT_EQ(text.message,
            "C:\\L\\Lorvane.ini\nを作成できませんでした。\nオプション設定などは保存されません。");
  EXPECT_EQ(text.caption, "Lorvane - ファイルエラー");
  SetInterfaceLanguage(false);
  text = SettingsWriteFailureText("C:\\L\\Lorvane.ini");
  EXPECT_EQ(text.message,
            "C:\\L\\Lorvane.ini\ncan not be created.\nYour option settings have not saved.");
  EXPECT_EQ(text.caption, "Lorvane - File Error");
  SetInterfaceLanguage(japanese);
}

}  // namespace
}  // namespace lorvane
