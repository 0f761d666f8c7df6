// The hive and export readers line by line, through a sink that records what it is told:
// escapes, encodings, value forms, deletions, continuations, and input that must be
// skipped without harm (truncation, garbage, huge lines, deep nesting, odd UTF-16).
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/reg_file_parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lorvane {
namespace {

using ::testing::ElementsAre;
using namespace std::string_literals;

class RecordingSink : public IRegFileSink {
 public:
  bool OpenKey(const TRegFileKey& key) override {
    events.push_back("key " + Path(key));
    return accept_keys;
  }
  void DeleteKey(const TRegFileKey& key) override { events.push_back("delete " + Path(key)); }
  void SetValue(const std::string& name, TRegValue value) override {
    std::string e = "[" + name + "]=" + std::to_string(value.type) + ":";
    // Strings as they are (CP932), other data and control bytes in hexadecimal.
    const bool text =
        value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
    for (unsigned char c : value.data) {
      if (text && c >= 0x20 && c != 0x7F) {
        e.push_back(static_cast<char>(c));
      } else {
        static const char kHex[] = "0123456789abcdef";
        e += "<";
        e.push_back(kHex[c >> 4]);
        e.push_back(kHex[c & 15]);
        e += ">";
      }
    }
    events.push_back(e);
  }
  void DeleteValue(const std::string& name) override { events.push_back("unset [" + name + "]"); }
  void MarkLink() override { events.push_back("link"); }

  static std::string Path(const TRegFileKey& key) {
    std::string s = key.root ? std::to_string(static_cast<int>(*key.root)) : "-";
    for (const std::string& p : key.path) s += "\\" + p;
    return s;
  }

  std::vector<std::string> events;
  bool accept_keys = true;
};

std::string Hive(const std::string& body) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-1-2-3-1000\n\n" +
         body;
}

std::vector<std::string> ParseHive(const std::string& text, size_t* skipped = nullptr) {
  RecordingSink sink;
  const size_t s = ParseWineHive(text, sink);
  if (skipped) *skipped = s;
  return sink.events;
}

std::vector<std::string> ParseExport(const std::string& bytes, size_t* skipped = nullptr) {
  RecordingSink sink;
  size_t s = 0;
  std::string error;
  EXPECT_TRUE(ParseRegExport(bytes, sink, &s, &error)) << error;
  if (skipped) *skipped = s;
  return sink.events;
}

std::string Utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

// ---- Wine hives

TEST(WineHiveParserTest, ReadsTheHeader) {
  TWineHiveHeader h = ReadWineHiveHeader(
      "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
      "\n#arch=win64\n\n[A] 1\n#arch=win32\n");
  EXPECT_TRUE(h.valid);
  EXPECT_EQ(h.relative_to, "User\\S-1-5-21-0-0-0-1000");
  h = ReadWineHiveHeader("WINE REGISTRY Version 2\r\n;; All keys relative to \\\\Machine\r\n");
  EXPECT_EQ(h.relative_to, "Machine");  // older Wine, CR LF line ends
  EXPECT_FALSE(ReadWineHiveHeader("WINE REGISTRY Version 1\n").valid);
  EXPECT_FALSE(ReadWineHiveHeader("REGEDIT4\n").valid);
  EXPECT_FALSE(ReadWineHiveHeader("").valid);
}

TEST(WineHiveParserTest, DecodesEscapesToCp932) {
  EXPECT_THAT(ParseHive(Hive("[Software\\\\\\x65e5\\x672c\\\\\\x30bd] 1796546049\n"
                             "#time=1dd855c901dc454\n"
                             "\"\\x8868\\x793a\\x540d\"=\"\\x30bd\\x30d5\\x30c8\\\\\"\n"
                             "\"Ctl\"=\"a\\tb\\0c\"\n"
                             "\"Pair\"=\"\\xd83d\\xde00|\\xd83d|\\xde00\"\n"  // a pair, lone halves
                             "\"Hex\"=\"\\x41\\x0042\\x4e00f\"\n"             // at most four digits
                             "\"Quote\"=\"\\\"\\x30bd\\\\\\\"\"\n")),
              ElementsAre("key -\\Software\\日本\\ソ", "[表示名]=1:ソフト\\", "[Ctl]=1:a<09>b",
                          "[Pair]=1:?|?|?", "[Hex]=1:AB一f", "[Quote]=1:\"ソ\\\""));
}

TEST(WineHiveParserTest, ReadsEveryValueForm) {
  EXPECT_THAT(ParseHive(Hive("[K]\n"
                             "@=\"default\"\n"
                             "\"Exp\"=str(2):\"%SystemRoot%\\\\x\"\n"
                             "\"Multi\"=str(7):\"\\x4e00\\0\\x4e8c\\0three\\0\"\n"
                             "\"Dw\"=dword:00000280\n"
                             "\"Bin\"=hex:01,00,\\\n  ff,\\\n  7f\n"
                             "\"Q\"=hex(b):f0,de,bc,9a,78,56,34,12\n"
                             "\"Sz16\"=hex(1):bd,30,00,00\n"
                             "\"Multi16\"=hex(7):61,00,00,00,00,00,62,00,00,00\n"
                             "\"None\"=hex(0):\n"
                             "\"Link\"=hex(6):5c,00\n")),
              ElementsAre("key -\\K", "[]=1:default", "[Exp]=2:%SystemRoot%\\x",
                          "[Multi]=7:一<00>二<00>three<00>", "[Dw]=4:<80><02><00><00>",
                          "[Bin]=3:<01><00><ff><7f>", "[Q]=11:<f0><de><bc><9a><78><56><34><12>",
                          "[Sz16]=1:ソ",
                          "[Multi16]=7:a<00>",  // the empty string ends the list
                          "[None]=0:", "[Link]=6:<5c><00>"));
}

TEST(WineHiveParserTest, MarksLinks) {
  EXPECT_THAT(ParseHive(Hive("[A]\n#link\n[B]\n#linked\n")),
              ElementsAre("key -\\A", "link", "key -\\B"));
}

TEST(WineHiveParserTest, SkipsMalformedLinesAndKeepsGoing) {
  size_t skipped = 0;
  EXPECT_THAT(ParseHive(Hive("\"Orphan\"=\"before any key\"\n"
                             "[Unclosed\\\\Key\n"
                             "\"Lost\"=\"belongs to the broken key\"\n"
                             "[Empty\\\\\\\\Part]\n"
                             "[Good]\n"
                             "\"Open\"=\"no closing quote\n"
                             "\"BadHex\"=hex:0g,01\n"
                             "\"LongHex\"=hex:123\n"
                             "\"BigDword\"=dword:123456789\n"
                             "\"NoData\"=\n"
                             "\"Str\"=str(2):dword:1\n"
                             "garbage line\n"
                             "\"Trailing\"=\"ok\" junk\n"
                             "\"Fine\"=dword:1\n"),
                        &skipped),
              ElementsAre("key -\\Good", "[Fine]=4:<01><00><00><00>"));
  EXPECT_EQ(skipped, 12u);
}

// ---- Exports

TEST(RegExportParserTest, RecognisesTheHeaderAndEncoding) {
  RecordingSink sink;
  size_t skipped = 0;
  std::string error;
  EXPECT_FALSE(ParseRegExport("", sink, &skipped, &error));
  EXPECT_FALSE(ParseRegExport("REGEDIT5\n", sink, &skipped, &error));
  EXPECT_FALSE(ParseRegExport("\xFF\xFE", sink, &skipped, &error));
  EXPECT_THAT(error, ::testing::HasSubstr("REGEDIT4"));

  const std::string body = "[HKCU\\A]\n\"s\"=\"x\"\n";
  const std::vector<std::string> expected = {"key 1\\A", "[s]=1:x"};
  EXPECT_EQ(ParseExport("REGEDIT4\r\n" + body), expected);
  EXPECT_EQ(ParseExport("REGEDIT4 \n" + body), expected);
  EXPECT_EQ(ParseExport(Utf16("Windows Registry Editor Version 5.00\r\n" + body)), expected);
  EXPECT_EQ(ParseExport(Utf16("Windows Registry Editor Version 5.00\r\n" + body).substr(2)),
            expected);  // UTF-16 without its byte-order mark
  EXPECT_EQ(ParseExport("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + body), expected);
}

TEST(RegExportParserTest, TakesVersion5EightBitTextAsUtf8OrElseCp932) {
  const std::string utf8 = "[HKCU\\\xE8\xA1\xA8]\n\"\xE3\x82\xBD\"=\"\xE3\x83\x9D\"\n";  // 表 ソ ポ
  EXPECT_THAT(ParseExport("Windows Registry Editor Version 5.00\n" + utf8),
              ElementsAre("key 1\\表", "[ソ]=1:ポ"));
  EXPECT_THAT(ParseExport("Windows Registry Editor Version 5.00\n[HKCU\\表]\n\"ソ\"=\"ポ\"\n"),
              ElementsAre("key 1\\表", "[ソ]=1:ポ"));
}

TEST(RegExportParserTest, NeverTakesATrailByteForASeparatorQuoteOrBracket) {
  // REGEDIT4 text is CP932: "ソ" and "表" end in 0x5C, "‐" (0x815D) ends in "]".
  EXPECT_THAT(ParseExport("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\ソフト表\\‐]\n"
                          "\"表\"=\"ソ\"\n"
                          "\"ソ\\\\\"=\"He said \\\"ソ\\\\\\\"\"\n"
                          "@=hex:01,\\\n  02\n"
                          "\"c\"=\"表\\\n"
                          "\"d\"=\"not joined\"\n"
                          "\"e\"=\"表\n"  // its last byte 0x5C belongs to "表"
                          "x\"\n"),
              ElementsAre("key 1\\Software\\ソフト表\\‐", "[表]=1:ソ", "[ソ\\]=1:He said \"ソ\\\"",
                          "[]=3:<01><02>", "[d]=1:not joined"));
}

TEST(RegExportParserTest, ReadsDeletionsDefaultsEscapesAndEveryValueForm) {
  EXPECT_THAT(ParseExport("REGEDIT4\n"
                          "; a comment\n"
                          "[-HKEY_LOCAL_MACHINE\\Software\\Old]\n"
                          "\"AfterDelete\"=\"dropped\"\n"
                          "[hklm\\Software\\New] trailing words\n"
                          "@=\"def\"\n"
                          "\"Gone\"=-\n"
                          "@=-\n"
                          "\"Esc\"=\"a\\\\b\\\"c\\nd\\qe\"\n"
                          "\"Dw\" = dword:0000ffff ; comment\n"
                          "\"Exp\"=hex(2):25,41,25,5c,83,5c,00\n"  // REGEDIT4: CP932 bytes
                          "\"Multi\"=hex(7):61,00,62,00,00\n"
                          "\"Odd\"=hex(5):01,02\n"
                          "\"Upper\"=HEX:0A\n"
                          "[HKEY_CLASSES_ROOT]\n"
                          "[HKCC\\A\\\\B\\]\n"),
              ElementsAre("delete 2\\Software\\Old", "key 2\\Software\\New", "[]=1:def",
                          "unset [Gone]", "unset []", "[Esc]=1:a\\b\"c<0a>d\\qe",
                          "[Dw]=4:<ff><ff><00><00>", "[Exp]=2:%A%\\ソ", "[Multi]=7:a<00>b<00>",
                          "[Odd]=5:<01><02>", "[Upper]=3:<0a>", "key 0", "key 4\\A\\B"));
}

TEST(RegExportParserTest, Version5HexStringsAreUtf16) {
  EXPECT_THAT(ParseExport(Utf16("Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n"
                                "\"Exp\"=hex(2):25,00,41,00,bd,30,00,00\r\n"
                                "\"Odd\"=hex(1):41,00,42\r\n")),
              ElementsAre("key 1\\A", "[Exp]=2:%Aソ", "[Odd]=1:A"));
}

TEST(RegExportParserTest, SkipsWhatItCannotRead) {
  size_t skipped = 0;
  RecordingSink sink;
  sink.accept_keys = false;
  std::string error;
  ASSERT_TRUE(ParseRegExport("REGEDIT4\n[HKCU\\Refused]\n\"v\"=\"x\"\n", sink, &skipped, &error));
  EXPECT_EQ(skipped, 2u);  // the refused key and its value

  EXPECT_THAT(ParseExport("REGEDIT4\n"
                          "[HKEY_NOWHERE\\Software]\n"
                          "\"v\"=\"under an unknown root\"\n"
                          "[HKCU\\Ok\n"
                          "[HKCU\\Ok]\n"
                          "\"unbalanced=\"x\n"
                          "\"bad\"=dword:xyz\n"
                          "\"bad2\"=hex:1,2,,3\n"
                          "\"bad3\"=\"x\" y\n"
                          "\"bad4\"=-x\n"
                          "\"bad5\"=hex(7\n"
                          "\"bad6\"\n"
                          "stray text\n"
                          "\"good\"=\"yes\"\n",
                          &skipped),
              ElementsAre("key 1\\Ok", "[good]=1:yes"));
  EXPECT_EQ(skipped, 11u);
}

// ---- Robustness: whatever the bytes, no crash and no read out of bounds (the sanitizer
// build checks the latter).

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(LORVANE_TEST_DATA_DIR) + "/wine/" + name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(RegFileRobustnessTest, EveryTruncationOfRealFilesParses) {
  for (const char* name : {"rimarts_v5_utf16.reg", "rimarts_regedit4.reg", "userdef.reg"}) {
    const std::string bytes = ReadTestFile(name);
    ASSERT_FALSE(bytes.empty()) << name;
    for (size_t n = 0; n <= bytes.size(); ++n) {
      RecordingSink sink;
      size_t skipped = 0;
      std::string error;
      const std::string_view part(bytes.data(), n);
      if (ReadWineHiveHeader(part).valid) {
        ParseWineHive(part, sink);
      } else {
        ParseRegExport(part, sink, &skipped, &error);
      }
    }
  }
}

TEST(RegFileRobustnessTest, HugeLinesDeepNestingAndGarbage) {
  std::string deep = "REGEDIT4\n[HKCU";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  deep += "]\n\"v\"=\"x\"\n";
  size_t skipped = 0;
  EXPECT_THAT(ParseExport(deep, &skipped), ElementsAre());
  EXPECT_EQ(skipped, 2u);

  std::string long_hex = "REGEDIT4\n[HKCU\\A]\n\"big\"=hex:";
  for (int i = 0; i < 3'000'000; ++i) long_hex += "ab,";  // a 9 MB line
  long_hex += "cd\n";
  std::vector<std::string> events = ParseExport(long_hex);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].size(), std::string("[big]=3:").size() + 4 * 3'000'001);

  std::string long_string = Hive("[A]\n\"s\"=\"") + std::string(10 << 20, 'x');  // unclosed
  EXPECT_THAT(ParseHive(long_string, &skipped), ElementsAre("key -\\A"));

  std::string noise = "REGEDIT4\n";
  uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245 + 12345;
    const char c = static_cast<char>(seed >> 16);
    noise += (i % 7 == 0) ? "[\"\\=@-"[(seed >> 8) % 6] : c;
  }
  ParseExport(noise);
  ParseExport(Utf16("Windows Registry Editor Version 5.00\n") + noise + "\x01");  // odd length
  ParseHive(Hive(noise));
}

}  // namespace
}  // namespace lorvane
