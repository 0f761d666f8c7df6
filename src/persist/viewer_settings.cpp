// The viewer's settings, read and written under their keys.
// Tested by tests/persist/viewer_settings_test.cpp.

#include "persist/viewer_settings.h"

#include "persist/settings_keys.h"

namespace lorvane {

TViewerSettings ReadViewerSettings(const TIniFile& ini) {
  TViewerSettings settings;
  settings.read_only = ini.ReadBool(keys::kMailViewer, keys::kReadOnly, true);
  if (ini.ValueExists(keys::kMailViewer, keys::kBackground)) {
    // A value that is no integer leaves the designed colour.
    constexpr int kUnset = -0x7FFFFFFF - 1;
    const int colour = ini.ReadInteger(keys::kMailViewer, keys::kBackground, kUnset);
    if (colour != kUnset) settings.background = colour;
  }
  settings.limit_32kb = ini.ReadBool(keys::kOption, keys::kLimit32KB, true);
  settings.quotation_mark = ini.ReadString(keys::kOption, keys::kQuotationMark, "> ");
  return settings;
}

void ReadViewerFont(const TIniFile& ini, TFontData* font) {
  ini.ReadFont(keys::kMailViewer, font);
}

void WriteViewerFont(TIniFile& ini, const TFontData& font) {
  ini.WriteFont(keys::kMailViewer, font);
}

void WriteViewerBackground(TIniFile& ini, int colour) {
  ini.WriteInteger(keys::kMailViewer, keys::kBackground, colour);
}

void WriteViewerReadOnly(TIniFile& ini, bool read_only) {
  ini.WriteBool(keys::kMailViewer, keys::kReadOnly, read_only);
}

void WriteQuotationMark(TIniFile& ini, std::string_view mark) {
  ini.WriteString(keys::kOption, keys::kQuotationMark, mark);
}

}  // namespace lorvane
