// The interface-language rule and the POSIX locale's language name.

#include "common/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/posix/posix_locale.h"

namespace lorvane {
namespace {

TEST(LanguageTest, CommandLineSwitchesWinInAnyCase) {
  EXPECT_TRUE(DecideJapanese("lorvane.exe /japanese", "English"));
  EXPECT_FALSE(DecideJapanese("lorvane.exe /English", "日本語"));
  EXPECT_TRUE(DecideJapanese("x /ENGLISH /JAPANESE", "English"));  // /JAPANESE is tested first
  EXPECT_TRUE(DecideJapanese("lorvane.exe", "日本語"));
  EXPECT_FALSE(DecideJapanese("lorvane.exe", "English (United States)"));
  EXPECT_FALSE(DecideJapanese("lorvane.exe", "日"));
}

TEST(LanguageTest, PosixLocaleTakesTheFirstVariableSet) {
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

TEST(LanguageTest, DecisionIsKeptProgramWide) {
  std::map<std::string, std::string> env{{"LANG", "ja_JP.UTF-8"}};
  PosixLocale locale([&env](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  DecideInterfaceLanguage("lorvane", locale);
  EXPECT_TRUE(IsJapanese());
  DecideInterfaceLanguage("lorvane /english", locale);
  EXPECT_FALSE(IsJapanese());
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
