// Registry value paths over an in-memory registry: path parsing, the conversion of every
// stored kind to every kind of default, defaults, and listing.

#include "persist/reg_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "support/fake_registry.h"

namespace lorvane {
namespace {

using ::testing::ElementsAre;

constexpr TRegRoot kCU = TRegRoot::kCurrentUser;
constexpr TRegRoot kLM = TRegRoot::kLocalMachine;
const std::string kKey = "Software\\RimArts\\B2\\Settings";
const std::string kPath = "\\HKEY_CURRENT_USER\\" + kKey;

std::string DoubleBytes(double d) {
  std::string s(8, '\0');
  std::memcpy(s.data(), &d, 8);  // little-endian host, as the registry stores it
  return s;
}

std::string Int64Bytes(int64_t n) {
  std::string s(8, '\0');
  std::memcpy(s.data(), &n, 8);
  return s;
}

TEST(RegPathTest, ParsesAbsoluteAndRelativePaths) {
  struct Case {
    std::string path;
    TRegRoot root;
    std::string sub_key;
    bool valid;
  };
  const Case cases[] = {
      {"\\HKEY_LOCAL_MACHINE", kLM, "", true},
      {"\\hkey_local_machine\\SOFTWARE\\CREAR", kLM, "SOFTWARE\\CREAR", true},
      {"\\HKEY_CLASSES_ROOT\\EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID", TRegRoot::kClassesRoot, "EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID",
       true},
      {"\\HKEY_USERS\\.Default", TRegRoot::kUsers, ".Default", true},
      {"\\HKEY_CURRENT_CONFIG\\", TRegRoot::kCurrentConfig, "", true},
      {"\\HKEY_DYN_DATA\\x", TRegRoot::kDynData, "x", true},
      {"\\HKEY_CURRENT_USER\\ソフト\\表\\x", kCU, "ソフト\\表\\x", true},
      {"\\HKLM\\Software", kLM, "Software", false},  // short names are not root names here
      {"\\", kCU, "", false},
      {"\\\\HKEY_CURRENT_USER", kCU, "HKEY_CURRENT_USER", false},
      {"\\表\\x", kCU, "x", false},  // the trail byte of "表" does not end the root name
      {"Options", kCU, "Software\\Tessaly Lab\\Lorvane\\Options", true},
      {"", kCU, "Software\\Tessaly Lab\\Lorvane\\", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const TRegPath p = ParseRegPath(c.path);
    EXPECT_EQ(p.valid, c.valid);
    EXPECT_EQ(p.sub_key, c.sub_key);
    if (c.valid) {
      EXPECT_EQ(p.root, c.root);
    }
  }
}

TEST(RegPathTest, ReadsThroughRootsAndRelativePaths) {
  FakeRegistry r;
  r.SetString(kLM, "", "", "root default");
  r.SetString(kCU, kKey, "DataDir", "C:\\Becky!\\");
  r.SetString(kCU, "Software\\Tessaly Lab\\Lorvane\\Options", "Mode", "fast");
  const TRegVariant text_default = std::string("none");
  EXPECT_EQ(ReadRegValue(r, "\\HKEY_LOCAL_MACHINE", "", text_default), TRegVariant("root default"));
  EXPECT_EQ(ReadRegValue(r, "\\hkey_current_user\\" + kKey, "datadir", text_default),
            TRegVariant("C:\\Becky!\\"));
  EXPECT_EQ(ReadRegValue(r, "Options", "Mode", text_default), TRegVariant("fast"));
  EXPECT_EQ(ReadRegString(r, kPath, "DataDir"), "C:\\Becky!\\");
}

TEST(RegPathTest, DefaultsAndTheEmptyValue) {
  FakeRegistry r;
  r.SetString(kCU, kKey, "DataDir", "C:\\Becky!\\");
  r.SetString(kCU, kKey, "Empty", "");
  r.SetDword(kCU, kKey, "Zero", 0);
  const TRegVariant text_default = std::string("fallback");
  // An invalid path is empty whatever the default.
  EXPECT_EQ(ReadRegValue(r, "\\HKEY_NOWHERE\\" + kKey, "DataDir", text_default), TRegVariant());
  EXPECT_EQ(ReadRegString(r, "\\HKEY_NOWHERE\\" + kKey, "DataDir", "fallback"), "");
  EXPECT_EQ(ReadRegInteger(r, "\\HKLM\\x", "y", 7), 0);
  // Missing key or value: the default.
  EXPECT_EQ(ReadRegValue(r, kPath + "\\Nothing", "DataDir", text_default), text_default);
  EXPECT_EQ(ReadRegValue(r, kPath, "Missing", text_default), text_default);
  EXPECT_EQ(ReadRegInteger(r, kPath, "Missing", 3771), 3771);
  // An empty default asks for no conversion at all.
  EXPECT_EQ(ReadRegValue(r, kPath, "DataDir", TRegVariant()), TRegVariant());
  // A stored empty text or zero was read: it is not replaced by the default.
  EXPECT_EQ(ReadRegValue(r, kPath, "Empty", text_default), TRegVariant(std::string()));
  EXPECT_EQ(ReadRegValue(r, kPath, "Zero", TRegVariant(int32_t{5})), TRegVariant(int32_t{0}));
  EXPECT_EQ(ReadRegValue(r, kPath, "Zero", TRegVariant(true)), TRegVariant(false));
}

TEST(RegPathTest, ConvertsTextByTheDefaultsKind) {
  FakeRegistry r;
  auto read = [&](const std::string& text, const TRegVariant& def) {
    r.SetString(kCU, kKey, "v", text);
    return ReadRegValue(r, kPath, "v", def);
  };
  const TRegVariant i32 = int32_t{-99};
  const TRegVariant i16 = int16_t{-99};
  EXPECT_EQ(read("3771", i32), TRegVariant(int32_t{3771}));
  EXPECT_EQ(read(" -42 ", i32), TRegVariant(int32_t{-42}));
  EXPECT_EQ(read("$1F", i32), TRegVariant(int32_t{31}));
  EXPECT_EQ(read("$FFFFFFFF", i32), TRegVariant(int32_t{-1}));
  EXPECT_EQ(read("-2147483648", i32), TRegVariant(INT32_MIN));
  for (const char* bad : {"", "2147483648", "$100000000", "$", "4x", "1.5", "0x10", "- 1"}) {
    EXPECT_EQ(read(bad, i32), i32) << bad;
  }
  EXPECT_EQ(read("$7FFF", i16), TRegVariant(int16_t{32767}));
  EXPECT_EQ(read("70000", i16), i16);

  const TRegVariant yes = true;
  EXPECT_EQ(read("False", yes), TRegVariant(false));
  EXPECT_EQ(read("FALSE", yes), TRegVariant(false));
  EXPECT_EQ(read("0", yes), TRegVariant(false));
  EXPECT_EQ(read("No", TRegVariant(false)), TRegVariant(true));
  EXPECT_EQ(read("", TRegVariant(false)), TRegVariant(true));

  EXPECT_EQ(read("1.5", TRegVariant(0.0)), TRegVariant(1.5));
  EXPECT_EQ(read(" -2e3", TRegVariant(0.0)), TRegVariant(-2000.0));
  EXPECT_EQ(read("+0.25", TRegVariant(0.0f)), TRegVariant(0.25f));
  for (const char* bad : {"abc", "inf", "nan", "1,5", "", "+-1", "1e999"}) {
    EXPECT_EQ(read(bad, TRegVariant(7.0)), TRegVariant(7.0)) << bad;
  }
  EXPECT_EQ(read("1e300", TRegVariant(7.0f)), TRegVariant(7.0f));  // beyond single range

  const TRegVariant cur = TCurrency{1};
  EXPECT_EQ(read("12.34565", cur), TRegVariant(TCurrency{123457}));
  EXPECT_EQ(read("-0.5", cur), TRegVariant(TCurrency{-5000}));
  EXPECT_EQ(read("922337203685477.5807", cur), TRegVariant(TCurrency{INT64_MAX}));
  for (const char* bad : {"1.2.3", ".", "922337203685477.5808", "1e3"}) {
    EXPECT_EQ(read(bad, cur), cur) << bad;
  }

  const TRegVariant date = TDateTime{1.0};
  EXPECT_EQ(read("2024/02/29 13:45:00", date), TRegVariant(*ParseDateTime("2024/02/29 13:45:00")));
  EXPECT_EQ(read("2023/02/29", date), date);

  // Text never converts to a byte or to bytes.
  EXPECT_EQ(read("1", TRegVariant(uint8_t{9})), TRegVariant(uint8_t{9}));
  EXPECT_EQ(read("ab", TRegVariant(TRegBytes{"x"})), TRegVariant(TRegBytes{"x"}));
}

TEST(RegPathTest, ConvertsIntegersAndBinaryByTheDefaultsKind) {
  FakeRegistry r;
  auto read_dword = [&](uint32_t n, const TRegVariant& def) {
    r.SetDword(kCU, kKey, "d", n);
    return ReadRegValue(r, kPath, "d", def);
  };
  auto read_binary = [&](const std::string& bytes, const TRegVariant& def) {
    r.SetBinary(kCU, kKey, "b", bytes);
    return ReadRegValue(r, kPath, "b", def);
  };
  EXPECT_EQ(read_dword(3771, TRegVariant(int32_t{0})), TRegVariant(int32_t{3771}));
  EXPECT_EQ(read_dword(0xFFFFFFFF, TRegVariant(int32_t{0})), TRegVariant(int32_t{-1}));
  EXPECT_EQ(read_dword(40000, TRegVariant(int16_t{1})), TRegVariant(int16_t{1}));
  EXPECT_EQ(read_dword(2, TRegVariant(false)), TRegVariant(true));
  EXPECT_EQ(read_dword(7, TRegVariant(std::string("d"))), TRegVariant(std::string("d")));
  EXPECT_EQ(read_dword(7, TRegVariant(0.5)), TRegVariant(0.5));
  r.SetValue(kCU, kKey, "short", {kRegDword, std::string("\x01\x00", 2)});
  EXPECT_EQ(ReadRegValue(r, kPath, "short", int32_t{9}), TRegVariant(int32_t{9}));

  EXPECT_EQ(read_binary(std::string("\x01\x00\x00\x00", 4), TRegVariant(int32_t{0})),
            TRegVariant(int32_t{16777216}));
  EXPECT_EQ(read_binary("\x12\x34", TRegVariant(int16_t{0})), TRegVariant(int16_t{0x1234}));
  EXPECT_EQ(read_binary("", TRegVariant(int32_t{5})), TRegVariant(int32_t{5}));
  EXPECT_EQ(read_binary("\x01\x02\x03\x04\x05", TRegVariant(int32_t{5})), TRegVariant(int32_t{5}));
  // Longer than the original reader's 1025-byte buffer: a number that fits still reads.
  std::string long_binary(2000, '\0');
  long_binary.back() = '\x2a';
  EXPECT_EQ(read_binary(long_binary, TRegVariant(int32_t{5})), TRegVariant(int32_t{42}));
  long_binary.front() = '\x01';
  EXPECT_EQ(read_binary(long_binary, TRegVariant(int32_t{5})), TRegVariant(int32_t{5}));
  EXPECT_EQ(read_binary(long_binary, TRegVariant(TRegBytes{})),
            TRegVariant(TRegBytes{long_binary}));
  EXPECT_EQ(read_binary(long_binary, TRegVariant(uint8_t{3})), TRegVariant(uint8_t{3}));

  EXPECT_EQ(read_binary("\xfe", TRegVariant(uint8_t{0})), TRegVariant(uint8_t{0xfe}));
  EXPECT_EQ(read_binary("\xfe\x01", TRegVariant(uint8_t{3})), TRegVariant(uint8_t{3}));
  EXPECT_EQ(read_binary("\x01", TRegVariant(true)), TRegVariant(true));  // no bool from binary

  EXPECT_EQ(read_binary(DoubleBytes(45351.5), TRegVariant(TDateTime{})),
            TRegVariant(TDateTime{45351.5}));
  EXPECT_EQ(read_binary(DoubleBytes(2.5), TRegVariant(0.0f)), TRegVariant(2.5f));
  EXPECT_EQ(read_binary(Int64Bytes(-123456), TRegVariant(TCurrency{})),
            TRegVariant(TCurrency{-123456}));
  // Doubles no date can be, and sizes other than 8, give the default.
  for (double bad : {1e300, -1e7, std::nan("")}) {
    EXPECT_EQ(read_binary(DoubleBytes(bad), TRegVariant(TDateTime{2})), TRegVariant(TDateTime{2}));
  }
  EXPECT_EQ(read_binary("1234567", TRegVariant(1.0)), TRegVariant(1.0));
  EXPECT_EQ(read_binary(DoubleBytes(1), TRegVariant(std::string("s"))),
            TRegVariant(std::string("s")));
}

TEST(RegPathTest, StringsComeFromStringAndExpandStringOnly) {
  FakeRegistry r;
  r.SetValue(kCU, kKey, "Path", {kRegExpandSz, "%USERPROFILE%\\メール"});
  r.SetValue(kCU, kKey, "Multi", {kRegMultiSz, std::string("a\0b\0", 4)});
  r.SetValue(kCU, kKey, "Num", {kRegExpandSz, "12"});
  EXPECT_EQ(ReadRegString(r, kPath, "Path"), "%USERPROFILE%\\メール");
  EXPECT_EQ(ReadRegString(r, kPath, "Multi", "d"), "d");
  EXPECT_EQ(ReadRegInteger(r, kPath, "Num", 3), 3);  // only REG_SZ is text for numbers
}

TEST(RegPathTest, ListsNamesOrFailsLeavingTheListAlone) {
  FakeRegistry r;
  r.SetString(kCU, "Software\\AyanoAkira\\akira32Gold\\user\\taro", "path", "C:\\a\\");
  r.AddKey(kCU, "Software\\AyanoAkira\\akira32Gold\\user\\Hanako");
  r.AddKey(kCU, "Software\\AyanoAkira\\akira32Gold\\user\\表");
  r.SetDword(kCU, "Software\\AyanoAkira\\akira32Gold", "version", 3771);
  r.SetString(kCU, "Software\\AyanoAkira\\akira32Gold", "name", "x");

  std::vector<std::string> list = {"old"};
  EXPECT_TRUE(
      ListRegKeys(r, "\\HKEY_CURRENT_USER\\Software\\AyanoAkira\\akira32Gold\\user", &list));
  EXPECT_THAT(list, ElementsAre("Hanako", "taro", "表"));
  EXPECT_TRUE(
      ListRegNames(r, "\\HKEY_CURRENT_USER\\Software\\AyanoAkira\\akira32Gold", true, &list));
  EXPECT_THAT(list, ElementsAre("version", "name"));

  list = {"kept"};
  EXPECT_FALSE(ListRegKeys(r, "\\HKEY_CURRENT_USER\\Software\\Nobody", &list));
  EXPECT_FALSE(ListRegKeys(r, "\\HKEY_NOWHERE\\Software", &list));
  EXPECT_FALSE(ListRegNames(r, "\\HKEY_DYN_DATA\\x", true, &list));
  EXPECT_THAT(list, ElementsAre("kept"));
}

}  // namespace
}  // namespace lorvane
