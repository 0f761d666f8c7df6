#pragma once
// The viewer window's settings: its font, background colour and read-only state below
// "Mail Viewer", and the "Option" values it reads (the 32 KB limit, the quotation mark).
// The placement is the window's own (ReadPlacement/WritePlacement under keys::kViewForm).
// Writers only change the settings in memory; the caller runs UpdateFile.

#include <optional>
#include <string>
#include <string_view>

#include "persist/ini_file.h"

namespace lorvane {

struct TViewerSettings {
  bool read_only = true;
  std::optional<int> background;  // a Windows colour value; absent: the designed colour
  bool limit_32kb = true;
  std::string quotation_mark = "> ";
};

TViewerSettings ReadViewerSettings(const TIniFile& ini);
// `font` keeps its fields where nothing usable is stored (TIniFile::ReadFont).
void ReadViewerFont(const TIniFile& ini, TFontData* font);

void WriteViewerFont(TIniFile& ini, const TFontData& font);
void WriteViewerBackground(TIniFile& ini, int colour);
void WriteViewerReadOnly(TIniFile& ini, bool read_only);
void WriteQuotationMark(TIniFile& ini, std::string_view mark);

}  // namespace lorvane
