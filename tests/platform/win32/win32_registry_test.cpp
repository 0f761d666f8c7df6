// The Win32 registry (under Wine in CI) with values written through the API: CP932 names
// and texts, value types, enumeration, and the 32-bit view the mail programs write to.
// Windows only: the POSIX backend reads hive files and has its own tests.

#include "platform/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/mail_fixture.h"

namespace lorvane {
namespace {

using testing::TMailFixture;

constexpr TRegRoot kCU = TRegRoot::kCurrentUser;
constexpr TRegRoot kLM = TRegRoot::kLocalMachine;

TEST(Win32RegistryTest, ReadsWhatWasWritten) {
  TMailFixture f("unused");
  f.SetString(kCU, "Software\\LorvaneTest\\ソフト", "保存先", "C:\\表\\メール");
  f.SetString(kCU, "Software\\LorvaneTest\\ソフト", "", "既定");
  f.SetExpandString(kCU, "Software\\LorvaneTest", "Dir", "%WINDIR%\\x");
  f.SetDword(kCU, "Software\\LorvaneTest", "Count", 0x01020304);
  f.SetBinary(kCU, "Software\\LorvaneTest", "Bytes", std::string("\x00\xFF\x5C", 3));
  f.SetString(kCU, "Software\\LorvaneTest\\b", "x", "");
  f.SetString(kCU, "Software\\LorvaneTest\\A", "x", "");

  Win32Registry r;
  EXPECT_EQ(r.QueryValue(kCU, "software\\lorvanetest\\ソフト", "保存先"),
            (TRegValue{kRegSz, "C:\\表\\メール"}));
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest\\ソフト", ""), (TRegValue{kRegSz, "既定"}));
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest", "Dir"),
            (TRegValue{kRegExpandSz, "%WINDIR%\\x"}));
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest", "Count"),
            (TRegValue{kRegDword, std::string("\x04\x03\x02\x01", 4)}));
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest", "Bytes"),
            (TRegValue{kRegBinary, std::string("\x00\xFF\x5C", 3)}));
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest", "None"), std::nullopt);
  EXPECT_EQ(r.QueryValue(kCU, "Software\\LorvaneTest\\Missing", "x"), std::nullopt);

  EXPECT_TRUE(r.KeyExists(kCU, "Software\\LorvaneTest"));
  EXPECT_EQ(r.SubKeyNames(kCU, "Software\\LorvaneTest"),
            (std::vector<std::string>{"A", "b", "ソフト"}));
  // Windows gives values in the order stored, Wine sorted by name.
  EXPECT_THAT(r.ValueNames(kCU, "Software\\LorvaneTest").value_or(std::vector<std::string>{}),
              ::testing::UnorderedElementsAre("Dir", "Count", "Bytes"));
  EXPECT_EQ(r.SubKeyNames(kCU, "Software\\LorvaneTest\\Missing"), std::nullopt);
}

TEST(Win32RegistryTest, FixtureTakesItsKeysAwayAgain) {
  Win32Registry r;
  {
    TMailFixture f("unused");
    f.SetString(kCU, "Software\\LorvaneGone\\Deep", "v", "1");
    ASSERT_TRUE(r.KeyExists(kCU, "Software\\LorvaneGone\\Deep"));
  }
  EXPECT_FALSE(r.KeyExists(kCU, "Software\\LorvaneGone"));
}

TEST(Win32RegistryTest, ReadsTheThirtyTwoBitView) {
  TMailFixture f("unused");
  f.SetString(kLM, "Software\\LorvaneView", "bits", "32");
  // The same key in the 64-bit view, which a 32-bit mail program never sees.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\LorvaneView", 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "bits", 0, REG_SZ, reinterpret_cast<const BYTE*>("64"), 3);
  RegCloseKey(key);

  Win32Registry r;
  EXPECT_EQ(r.QueryValue(kLM, "Software\\LorvaneView", "bits"), (TRegValue{kRegSz, "32"}));
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\LorvaneView", KEY_WOW64_64KEY, 0);
}

}  // namespace
}  // namespace lorvane
