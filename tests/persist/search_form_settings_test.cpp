// The find dialog's settings: the history rule, what is written and what is left, and
// what the search and the Search menu read back.

#include "persist/search_form_settings.h"

#include <gtest/gtest.h>

#include "persist/settings_keys.h"

namespace lorvane {
namespace {

using Strings = std::vector<std::string>;

TEST(SearchFormSettingsTest, HistoryMovesToTheTopAndKeepsEight) {
  Strings history{"a", "b", "c"};
  PutFirstInHistory(&history, "c");
  EXPECT_EQ(history, (Strings{"c", "a", "b"}));
  PutFirstInHistory(&history, "c");
  EXPECT_EQ(history, (Strings{"c", "a", "b"}));
  PutFirstInHistory(&history, "");
  EXPECT_EQ(history, (Strings{"c", "a", "b"}));

  TIniFile ini;
  TSearchFormSettings s;
  for (int i = 0; i < 10; ++i) PutFirstInHistory(&s.find_history, "w" + std::to_string(i));
  PutFirstInHistory(&s.find_history, "w5");  // typed before: to the top, not twice
  s.replace_history = {"r"};
  s.method = "Replace";
  WriteSearchFormSettings(ini, s);
  EXPECT_EQ(ini.ReadString(keys::kSearchForm, "Find0", ""), "w5");
  EXPECT_EQ(ini.ReadString(keys::kSearchForm, "Find1", ""), "w9");
  EXPECT_EQ(ini.ReadString(keys::kSearchForm, "Find7", ""), "w2");  // w5 left its place
  EXPECT_FALSE(ini.ValueExists(keys::kSearchForm, "Find8"));
  const TSearchFormSettings back = ReadSearchFormSettings(ini);
  EXPECT_EQ(back.find_history.size(), 8u);
  EXPECT_EQ(back.replace_history, Strings{"r"});
  EXPECT_EQ(back.method, "Replace");
}

TEST(SearchFormSettingsTest, ReadingStopsAtTheFirstEmptyEntryAndEmptyEntriesAreNotWritten) {
  TIniFile ini;
  ini.WriteString(keys::kSearchForm, "Find0", "x");
  ini.WriteString(keys::kSearchForm, "Find2", "z");  // after a gap: not part of the history
  ini.WriteString(keys::kSearchForm, "Replace1", "old");
  EXPECT_EQ(ReadSearchFormSettings(ini).find_history, Strings{"x"});
  TSearchFormSettings s;
  s.replace_history = {"new", ""};
  WriteSearchFormSettings(ini, s);
  EXPECT_EQ(ini.ReadString(keys::kSearchForm, "Replace0", ""), "new");
  EXPECT_EQ(ini.ReadString(keys::kSearchForm, "Replace1", ""), "old");
}

TEST(SearchFormSettingsTest, ConditionsAndMenuFollowTheStoredMethod) {
  TIniFile ini;
  TFindConditions c = ReadFindConditions(ini);
  EXPECT_EQ(c.find, "");
  EXPECT_FALSE(c.replace_mode);  // "Method" defaults to "Find" for a search
  EXPECT_TRUE(c.message && c.continuous && c.confirm && c.powerful && !c.regexp);
  TSearchMenuItems menu = ReadSearchMenuItems(ini);
  EXPECT_FALSE(menu.enabled);
  EXPECT_EQ(menu.previous_caption, "上へ検索／置き換え(&Previous)");  // but not for the menu
  EXPECT_EQ(menu.next_caption, "下へ検索／置き換え(&Next)");

  TSearchFormSettings s;
  s.find_history = {"abc"};
  s.replace_history = {"xyz"};
  s.method = "Find";
  s.regexp = true;
  s.confirm = false;
  WriteSearchFormSettings(ini, s);
  c = ReadFindConditions(ini);
  EXPECT_EQ(c.find, "abc");
  EXPECT_EQ(c.replace, "xyz");
  EXPECT_TRUE(c.regexp);
  EXPECT_FALSE(c.confirm);
  menu = ReadSearchMenuItems(ini);
  EXPECT_TRUE(menu.enabled);
  EXPECT_EQ(menu.next_caption, "下へ検索(&Next)");
  s.method = "Replace";
  WriteSearchFormSettings(ini, s);
  EXPECT_TRUE(ReadFindConditions(ini).replace_mode);
  EXPECT_EQ(ReadSearchMenuItems(ini).previous_caption, "上へ置き換え(&Previous)");

  EXPECT_EQ(ReadSearchButtonWidth(ini, 139), 139);
  WriteSearchButtonWidth(ini, 200);
  EXPECT_EQ(ReadSearchButtonWidth(ini, 139), 200);
}

TEST(SearchFormSettingsTest, ModeByTitle) {
  for (const char* title : {"検索", "Search"}) EXPECT_TRUE(IsFindDialogTitle(title)) << title;
  for (const char* title : {"置き換え", "", "search", "検索 "}) {
    EXPECT_FALSE(IsFindDialogTitle(title)) << title;
  }
}

}  // namespace
}  // namespace lorvane
