// The settings-backed search options: the defaults of an empty or damaged file, what a
// save gives back, and the names of methods and sort keys.

#include "search/search_settings.h"

#include <gtest/gtest.h>

#include "persist/ini_file.h"

namespace lorvane {
namespace {

TEST(SearchSettingsTest, EmptyAndDamagedSettingsGiveTheDefaults) {
  TIniFile ini;
  const TSearchSettings empty = TSearchSettings::Load(ini);
  EXPECT_EQ(empty.method, mtAND);
  EXPECT_FALSE(empty.regexp);
  EXPECT_TRUE(empty.powerful);
  EXPECT_TRUE(empty.scope.header);
  EXPECT_TRUE(empty.scope.body);
  EXPECT_TRUE(empty.length_limit);
  EXPECT_EQ(empty.sort_key, "Soft");

  ini.WriteString("Keyword", "Method", "or");  // the names are exact
  ini.WriteBool("Option", "CheckHeader", false);
  ini.WriteBool("Option", "CheckBody", false);  // neither part: both are searched
  const TSearchSettings damaged = TSearchSettings::Load(ini);
  EXPECT_EQ(damaged.method, mtAND);
  EXPECT_TRUE(damaged.scope.header);
  EXPECT_TRUE(damaged.scope.body);
}

TEST(SearchSettingsTest, SavedOptionsLoadAgain) {
  TSearchSettings s;
  s.method = mtLogic;
  s.regexp = true;
  s.powerful = false;
  s.scope = {false, true};
  s.length_limit = false;
  s.sort_key = "Subject";
  TIniFile ini;
  s.Save(ini);
  const TSearchSettings back = TSearchSettings::Load(ini);
  EXPECT_EQ(back.method, mtLogic);
  EXPECT_TRUE(back.regexp);
  EXPECT_FALSE(back.powerful);
  EXPECT_FALSE(back.scope.header);
  EXPECT_TRUE(back.scope.body);
  EXPECT_FALSE(back.length_limit);
  EXPECT_EQ(back.sort_key, "Subject");
  // The file holds the names other versions read.
  EXPECT_EQ(ini.ReadString("Keyword", "Method", ""), "Logic");
  EXPECT_EQ(ini.ReadString("Display", "Sort", ""), "Subject");

  TSearchSettings::SaveSortKey(ini, "Date");
  EXPECT_EQ(TSearchSettings::SortKey(ini), "Date");
  EXPECT_FALSE(TSearchSettings::LengthLimit(ini));
}

TEST(SearchSettingsTest, MethodAndSortKeyNames) {
  for (TMethod m : {mtAND, mtOR, mtLogic}) EXPECT_EQ(MethodOfName(MethodName(m)), m);
  EXPECT_EQ(MethodOfName(""), mtAND);
  for (const char* key : {"Soft", "Folder", "Date", "From", "Subject"}) {
    EXPECT_TRUE(IsSortKey(key)) << key;
  }
  for (const char* key : {"", "soft", "Time", "Sender", "Soft "}) {
    EXPECT_FALSE(IsSortKey(key)) << key;
  }
}

}  // namespace
}  // namespace lorvane
