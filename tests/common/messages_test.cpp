// The bilingual text table.

#include "common/messages.h"

#include <gtest/gtest.h>

#include "common/language.h"

namespace lorvane {
namespace {

struct LanguageGuard {
  ~LanguageGuard() { SetInterfaceLanguage(true); }
};

TEST(MessagesTest, TextFollowsTheInterfaceLanguage) {
  LanguageGuard guard;
  constexpr TBilingualText kJapaneseOnly{"索引", ""};
  SetInterfaceLanguage(true);
  EXPECT_EQ(Text(msg::kErrorCaption), "エラー");
  EXPECT_EQ(Text(msg::kCancel), "キャンセル");
  SetInterfaceLanguage(false);
  EXPECT_EQ(Text(msg::kErrorCaption), "Error");
  EXPECT_EQ(Text(msg::kCancel), "Cancel");
  EXPECT_EQ(Text(kJapaneseOnly), "索引");  // no English form: stays Japanese
}

TEST(MessagesTest, FindDialogDirectionButtonsTakeTheTitle) {
  LanguageGuard guard;
  SetInterfaceLanguage(true);
  EXPECT_EQ(Format(msg::kSearchUpward, {"検索"}), "上へ検索");
  EXPECT_EQ(Format(msg::kSearchDownward, {"置き換え"}), "下へ置き換え");
  EXPECT_EQ(Text(msg::kSearchPatternLabel), "検索文字列");
  SetInterfaceLanguage(false);
  EXPECT_EQ(Format(msg::kSearchUpward, {"Search"}), "Search Upward");
  EXPECT_EQ(Format(msg::kSearchDownward, {"置き換え"}), "置き換え Downward");
  EXPECT_EQ(Text(msg::kSearchPatternLabel), "Searth Pattern");
  EXPECT_EQ(Text(msg::kConfigOnly), "Config Only");
}

TEST(MessagesTest, PlaceholdersAreReplacedInAnyOrder) {
  EXPECT_EQ(FormatText("%2 - %1", {"a", "b"}), "b - a");
  EXPECT_EQ(FormatText("100%% %1%", {"x"}), "100% x%");
  EXPECT_EQ(FormatText("[%3]", {"a"}), "[]");  // a missing argument gives nothing
  EXPECT_EQ(FormatText("%", {}), "%");
  // A trail byte 0x5C or 0x7C next to a placeholder is left alone.
  EXPECT_EQ(FormatText("表%1ポ", {"ソ"}), "表ソポ");
  SetInterfaceLanguage(false);
  constexpr TBilingualText kNotFound{"%1 がありません", "%1\r\nis not found."};
  EXPECT_EQ(Format(kNotFound, {"C:\\x.hlp"}), "C:\\x.hlp\r\nis not found.");
  SetInterfaceLanguage(true);
  EXPECT_EQ(Format(kNotFound, {"C:\\x.hlp"}), "C:\\x.hlp がありません");
}

}  // namespace
}  // namespace lorvane
