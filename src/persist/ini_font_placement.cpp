// A window's font and placement in the settings: one font per interface language, and the
// restored rectangle and state of a window, kept on the screen when read back. The GUI
// moves the data between these structures and its widgets.
// Tested by tests/persist/ini_font_placement_test.cpp.

#include <algorithm>
#include <climits>
#include <cstdint>

#include "common/language.h"
#include "persist/ini_file.h"

namespace lorvane {

namespace {

constexpr std::string_view kJapaneseFont = "\\Font\\Japanese";
constexpr std::string_view kEnglishFont = "\\Font\\English";
constexpr std::string_view kName = "Name";
constexpr std::string_view kCharset = "Charset";
constexpr std::string_view kSize = "Size";
constexpr std::string_view kColor = "Color";
constexpr std::string_view kPitch = "Pitch";
constexpr std::string_view kBold = "Bold";
constexpr std::string_view kItalic = "Italic";
constexpr std::string_view kUnderline = "Underline";
constexpr std::string_view kStrikeout = "Strikeout";

constexpr std::string_view kLeft = "Left";
constexpr std::string_view kTop = "Top";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";
constexpr std::string_view kState = "State";
constexpr std::string_view kNormal = "Normal";
constexpr std::string_view kMinimized = "Minimized";
constexpr std::string_view kMaximized = "Maximized";

constexpr int kAnsiCharset = 0;
constexpr int kShiftJisCharset = 128;
// Windows point sizes end here; anything beyond is a damaged file.
constexpr int kMaxFontSize = 1638;

std::string FontSection(std::string_view section) {
  return std::string(section) + std::string(IsJapanese() ? kJapaneseFont : kEnglishFont);
}

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// Keeps [position, position + extent) on a screen of `screen` pixels, the far edge first
// so that a window larger than the screen shows its top-left corner.
int KeepOnScreen(int64_t position, int extent, int screen) {
  if (screen <= 0) return ClampToInt(position);
  if (int64_t{screen} - extent < position) position = int64_t{screen} - extent;
  return ClampToInt(std::max<int64_t>(position, 0));
}

}  // namespace

void TIniFile::WriteFont(std::string_view section, const TFontData& font) {
  const std::string s = FontSection(section);
  WriteString(s, kName, font.name);
  WriteInteger(s, kCharset, font.charset);
  WriteInteger(s, kSize, font.size);
  WriteInteger(s, kColor, font.color);
  WriteInteger(s, kPitch, font.pitch);
  WriteBool(s, kBold, font.bold);
  WriteBool(s, kItalic, font.italic);
  WriteBool(s, kUnderline, font.underline);
  WriteBool(s, kStrikeout, font.strikeout);
}

void TIniFile::ReadFont(std::string_view section, TFontData* font) const {
  const std::string s = FontSection(section);
  std::string name = ReadString(s, kName, "");
  if (name.empty()) {
    if (IsJapanese()) {
      font->name = "ＭＳ Ｐゴシック";
      font->charset = kShiftJisCharset;
    } else {
      font->name = "Arial";
      font->charset = kAnsiCharset;
    }
    return;
  }
  font->name = std::move(name);
  const int charset = ReadInteger(s, kCharset, font->charset);
  if (charset >= 0 && charset <= 255) font->charset = charset;
  const int size = ReadInteger(s, kSize, font->size);
  if (size >= 1 && size <= kMaxFontSize) font->size = size;
  font->color = ReadInteger(s, kColor, font->color);
  const int pitch = ReadInteger(s, kPitch, font->pitch);
  if (pitch >= fpDefault && pitch <= fpFixed) font->pitch = static_cast<TFontPitch>(pitch);
  font->bold = ReadBool(s, kBold, font->bold);
  font->italic = ReadBool(s, kItalic, font->italic);
  font->underline = ReadBool(s, kUnderline, font->underline);
  font->strikeout = ReadBool(s, kStrikeout, font->strikeout);
}

void TIniFile::WritePlacement(std::string_view section, const TWindowPlacement& window) {
  if (!window.restored) return;
  const TWindowRect& r = *window.restored;
  if (window.resizable) {
    WriteInteger(section, kWidth, r.width);
    WriteInteger(section, kHeight, r.height);
  }
  WriteInteger(section, kLeft, r.left);
  WriteInteger(section, kTop, r.top);
  const std::string_view state = window.state == wsMinimized   ? kMinimized
                                 : window.state == wsMaximized ? kMaximized
                                                               : kNormal;
  WriteString(section, kState, state);
}

void TIniFile::ReadPlacement(std::string_view section, TWindowPlacement* window) const {
  // Stored positions are restored-rectangle coordinates; the offset of the frame from
  // the restored rectangle turns them into screen coordinates. A coordinate with nothing
  // stored stays where it is.
  const auto position = [&](std::string_view key, int current, int restored) -> int64_t {
    if (!ValueExists(section, key)) return current;
    const int64_t stored = ReadInteger(section, key, current);
    return window->restored ? stored + current - restored : stored;
  };
  const int64_t left = position(kLeft, window->left, window->restored ? window->restored->left : 0);
  const int64_t top = position(kTop, window->top, window->restored ? window->restored->top : 0);
  if (window->resizable) {
    const int width = ReadInteger(section, kWidth, window->width);
    const int height = ReadInteger(section, kHeight, window->height);
    if (width > 0) window->width = width;
    if (height > 0) window->height = height;
  }
  window->left = KeepOnScreen(left, window->width, window->screen_width);
  window->top = KeepOnScreen(top, window->height, window->screen_height);
  const std::string state = ReadString(section, kState, kNormal);
  window->state = state == kMinimized ? wsMinimized : state == kMaximized ? wsMaximized : wsNormal;
}

}  // namespace lorvane
