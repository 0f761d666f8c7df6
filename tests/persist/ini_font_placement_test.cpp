// Fonts per interface language and window placements kept on the screen.

#include <gtest/gtest.h>

#include "common/language.h"
#include "persist/ini_file.h"

namespace lorvane {
namespace {

class IniFontTest : public ::testing::Test {
 protected:
  ~IniFontTest() override { SetInterfaceLanguage(japanese_); }
  const bool japanese_ = IsJapanese();
};

TEST_F(IniFontTest, DefaultsByLanguageTouchOnlyNameAndCharset) {
  const TIniFile ini;
  TFontData font;
  font.size = 11;
  font.bold = true;
  SetInterfaceLanguage(true);
  ini.ReadFont("BaseForm", &font);
  EXPECT_EQ(font.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(font.charset, 128);
  SetInterfaceLanguage(false);
  ini.ReadFont("BaseForm", &font);
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.charset, 0);
  EXPECT_EQ(font.size, 11);
  EXPECT_TRUE(font.bold);
}

TEST_F(IniFontTest, EachLanguageKeepsItsOwnFont) {
  TIniFile ini;
  TFontData gothic{"ＭＳ ゴシック", 128, 12, 0x00FF0000, fpFixed, true, false, true, false};
  SetInterfaceLanguage(true);
  ini.WriteFont("Mail Viewer", gothic);
  SetInterfaceLanguage(false);
  TFontData english;
  ini.ReadFont("Mail Viewer", &english);
  EXPECT_EQ(english.name, "Arial");
  SetInterfaceLanguage(true);
  TFontData japanese;
  ini.ReadFont("Mail Viewer", &japanese);
  EXPECT_EQ(japanese, gothic);
  EXPECT_EQ(ini.ReadInteger("Mail Viewer\\Font\\Japanese", "Pitch", -1), 2);
}

TEST_F(IniFontTest, StoredStylesAddAndRemoveAbsentOnesStay) {
  SetInterfaceLanguage(false);
  TIniFile ini;
  ini.LoadFromText(
      "V\n Font\n  English\n   Name=S:Courier\n   Bold=B:True\n   Italic=B:False\n"
      "   Size=I:0\n   Pitch=I:7\n   Charset=I:999\n");
  TFontData font{"x", 1, 9, 5, fpVariable, false, true, true, true};
  ini.ReadFont("V", &font);
  EXPECT_EQ(font, (TFontData{"Courier", 1, 9, 5, fpVariable, true, false, true, true}));
}

TWindowPlacement Window(int left, int top, int width, int height) {
  TWindowPlacement w;
  w.left = left;
  w.top = top;
  w.width = width;
  w.height = height;
  w.restored = TWindowRect{left, top, width, height};
  w.screen_width = 1024;
  w.screen_height = 768;
  return w;
}

TEST(IniPlacementTest, StoredPlacementIsKeptOnTheScreen) {
  TIniFile ini;
  ini.WritePlacement("BaseForm", Window(5000, -40, 300, 200));
  TWindowPlacement w = Window(10, 10, 100, 100);
  ini.ReadPlacement("BaseForm", &w);
  EXPECT_EQ(w.left, 1024 - 300);
  EXPECT_EQ(w.top, 0);
  EXPECT_EQ(w.width, 300);
  EXPECT_EQ(w.height, 200);
  EXPECT_EQ(w.state, wsNormal);

  // Larger than the screen: the top-left corner stays visible.
  ini.WritePlacement("Big", Window(50, 50, 2000, 1000));
  w = Window(0, 0, 100, 100);
  ini.ReadPlacement("Big", &w);
  EXPECT_EQ(w.left, 0);
  EXPECT_EQ(w.top, 0);
}

TEST(IniPlacementTest, WorkAreaOffsetStateAndFixedFrames) {
  TIniFile ini;
  TWindowPlacement saved = Window(100, 80, 400, 300);
  saved.state = wsMaximized;
  saved.resizable = false;
  ini.WritePlacement("SearchForm", saved);
  EXPECT_FALSE(ini.ValueExists("SearchForm", "Width"));
  EXPECT_EQ(ini.ReadString("SearchForm", "State", ""), "Maximized");

  // The frame is 60 pixels right of its restored rectangle (a taskbar at the left).
  TWindowPlacement w = Window(60, 0, 200, 100);
  w.restored = TWindowRect{0, 0, 200, 100};
  w.resizable = false;
  ini.ReadPlacement("SearchForm", &w);
  EXPECT_EQ(w.left, 160);
  EXPECT_EQ(w.top, 80);
  EXPECT_EQ(w.width, 200);
  EXPECT_EQ(w.state, wsMaximized);

  ini.WriteString("SearchForm", "State", "minimized");  // not the written form: normal
  ini.WriteInteger("SearchForm", "Width", -5);
  w.resizable = true;
  ini.ReadPlacement("SearchForm", &w);
  EXPECT_EQ(w.state, wsNormal);
  EXPECT_EQ(w.width, 200);
}

TEST(IniPlacementTest, NothingStoredOrNothingKnown) {
  TIniFile ini;
  TWindowPlacement w = Window(60, 30, 200, 100);
  w.restored = TWindowRect{0, 0, 200, 100};
  ini.ReadPlacement("ViewForm", &w);
  EXPECT_EQ(w.left, 60);  // no offset added to a position nobody stored
  EXPECT_EQ(w.top, 30);

  w.restored.reset();
  ini.WritePlacement("ViewForm", w);
  EXPECT_EQ(ini.Count(), 0);

  ini.WriteInteger("ViewForm", "Left", 2000000000);
  w.screen_width = 0;  // unknown screen: taken as stored
  ini.ReadPlacement("ViewForm", &w);
  EXPECT_EQ(w.left, 2000000000);
}

}  // namespace
}  // namespace lorvane
