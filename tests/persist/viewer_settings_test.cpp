// The viewer's settings: their defaults, and that what one viewer stores the next reads.

#include "persist/viewer_settings.h"

#include <gtest/gtest.h>

#include "persist/settings_keys.h"

namespace lorvane {
namespace {

TEST(ViewerSettingsTest, DefaultsAndWhatTheNextViewerReads) {
  TIniFile ini;
  TViewerSettings s = ReadViewerSettings(ini);
  EXPECT_TRUE(s.read_only);
  EXPECT_TRUE(s.limit_32kb);
  EXPECT_EQ(s.quotation_mark, "> ");
  EXPECT_FALSE(s.background.has_value());

  WriteViewerReadOnly(ini, false);
  WriteViewerBackground(ini, 0x00FFEEDD);
  WriteQuotationMark(ini, "｜");
  ini.WriteBool(keys::kOption, keys::kLimit32KB, false);
  TFontData font;
  font.name = "ＭＳ ゴシック";
  font.size = 12;
  WriteViewerFont(ini, font);

  // Through the file, as a viewer opened after a restart sees it.
  TIniFile reloaded;
  reloaded.LoadFromText(ini.ToText());
  s = ReadViewerSettings(reloaded);
  EXPECT_FALSE(s.read_only);
  EXPECT_FALSE(s.limit_32kb);
  EXPECT_EQ(s.quotation_mark, "｜");
  EXPECT_EQ(s.background, 0x00FFEEDD);
  TFontData read;
  ReadViewerFont(reloaded, &read);
  EXPECT_EQ(read.name, "ＭＳ ゴシック");
  EXPECT_EQ(read.size, 12);

  reloaded.WriteString(keys::kMailViewer, keys::kBackground, "blue");
  EXPECT_FALSE(ReadViewerSettings(reloaded).background.has_value());
}

}  // namespace
}  // namespace lorvane
