// The interface-language rule.

#include "common/language.h"

#include <gtest/gtest.h>

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

TEST(LanguageTest, DecisionIsKeptProgramWide) {
  SetInterfaceLanguage(DecideJapanese("lorvane", "日本語"));
  EXPECT_TRUE(IsJapanese());
  SetInterfaceLanguage(DecideJapanese("lorvane /english", "日本語"));
  EXPECT_FALSE(IsJapanese());
  SetInterfaceLanguage(true);
}

}  // namespace
}  // namespace lorvane
