// The view options: defaults of a fresh start, and changes that reach the settings at once.

#include "persist/view_settings.h"

#include <gtest/gtest.h>

#include "persist/ini_file.h"

namespace lorvane {
namespace {

TEST(ViewSettingsTest, FreshStartDefaults) {
  TIniFile ini;
  const TViewSettings view(ini);
  EXPECT_TRUE(view.Get(vfKeywordCheck));
  EXPECT_TRUE(view.Get(vfProgressBar));
  EXPECT_TRUE(view.Get(vfFolderTree));
  EXPECT_FALSE(view.Get(vfAlias));
  EXPECT_TRUE(view.Get(vfShowHint));
  EXPECT_FALSE(view.Get(vfProgressReport));
  EXPECT_EQ(view.DoubleClick(), dcViewer);
  EXPECT_TRUE(view.Limit32KB());
  EXPECT_EQ(view.TreeWidth(169), 169);
  EXPECT_EQ(view.ColumnWidth(3, 60), 60);
  EXPECT_EQ(ini.Count(), 0);  // reading writes nothing
}

TEST(ViewSettingsTest, ChangesAreWrittenUnderTheirKeys) {
  TIniFile ini;
  TViewSettings view(ini);
  EXPECT_TRUE(view.Toggle(vfAlias));
  EXPECT_FALSE(view.Toggle(vfShowHint));
  view.Set(vfProgressReport, true);
  view.SetDoubleClick(dcApplication);
  view.SetLimit32KB(false);
  view.SetTreeWidth(240);
  view.SetColumnWidth(5, 333);
  EXPECT_TRUE(ini.ReadBool("Display", "Alias", false));
  EXPECT_FALSE(ini.ReadBool("Display", "Show Hint", true));
  EXPECT_TRUE(ini.ReadBool("Display", "Progress Report", false));
  EXPECT_EQ(ini.ReadString("Option", "DoubleClick", ""), "Application");
  EXPECT_FALSE(ini.ReadBool("Option", "Limit 32KB", true));
  EXPECT_EQ(ini.ReadInteger("BaseForm", "Tree Width", 0), 240);
  EXPECT_EQ(ini.ReadInteger("BaseForm", "Width[5]", 0), 333);
  view.SetDoubleClick(dcViewer);
  EXPECT_EQ(ini.ReadString("Option", "DoubleClick", ""), "Viewer");
  // Anything but "Application" means the viewer.
  ini.WriteString("Option", "DoubleClick", "application");
  EXPECT_EQ(view.DoubleClick(), dcViewer);
}

}  // namespace
}  // namespace lorvane
