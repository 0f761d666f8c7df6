// The Win32 environment, locale and start-up helpers (under Wine in CI).
// Windows only: the POSIX backend has its own tests in tests/platform/posix/.

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "platform/win32/windows_api.h"

namespace lorvane {
namespace {

TEST(Win32PlatformTest, EnvironmentVariablesComeInCp932) {
  auto platform = CreateSystemPlatform({});
  ASSERT_TRUE(SetEnvironmentVariableA("LORVANE_TEST_DIR", "C:\\表\\ソフト"));
  EXPECT_EQ(platform->Get().environment.GetVariable("LORVANE_TEST_DIR"), "C:\\表\\ソフト");
  EXPECT_EQ(platform->Get().environment.GetVariable("LORVANE_TEST_UNSET"), "");
}

TEST(Win32PlatformTest, JapaneseSystemNamesItsLanguageInJapanese) {
  if (GetACP() != 932) GTEST_SKIP() << "needs a Japanese system (LANG=ja_JP.UTF-8 under Wine)";
  EXPECT_EQ(CreateSystemLocale()->DefaultLanguageName().substr(0, 6), "日本語");
}

TEST(Win32PlatformTest, HostPathsAreWindowsPaths) {
  EXPECT_EQ(HostPathSeparator(), '\\');
  EXPECT_EQ(DefaultWinePrefix(), "");
  const std::string dir = ExecutableDirectory();
  EXPECT_EQ(dir.substr(1, 2), ":\\");
  EXPECT_NE(dir.back(), '\\');
  EXPECT_EQ(AbsoluteHostPath("C:\\a\\..\\表"), "C:\\表");
}

}  // namespace
}  // namespace lorvane
