// The POSIX locale's language name, from the environment variables a C library consults.
// POSIX only: this is the POSIX backend; tests/platform/win32/ tests the Win32 one.

#include "platform/posix/posix_locale.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace lorvane {
namespace {

TEST(PosixLocaleTest, TakesTheFirstVariableSet) {
  std::map<std::string, std::string> env;
  PosixLocale locale([&env](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(locale.DefaultLanguageName(), "English");
  env["LANG"] = "ja_JP.UTF-8";
  EXPECT_EQ(locale.DefaultLanguageName(), "日本語");
  env["LC_MESSAGES"] = "C";
  EXPECT_EQ(locale.DefaultLanguageName(), "English");
  env["LC_ALL"] = "ja_JP.eucJP";
  EXPECT_EQ(locale.DefaultLanguageName(), "日本語");
  env["LC_ALL"] = "";  // empty counts as unset
  EXPECT_EQ(locale.DefaultLanguageName(), "English");
}

}  // namespace
}  // namespace lorvane
