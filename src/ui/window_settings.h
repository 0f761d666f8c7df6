#pragma once
// Fonts and window placements between the widgets and the settings file's plain data.

#include <QFont>
#include <string_view>

#include "persist/ini_font_placement.h"

class QWidget;

namespace lorvane {
class TIniFile;
}

namespace lorvane::ui {

QFont ToQFont(const TFontData& data);
TFontData FromQFont(const QFont& font);

// The section's font (ReadFont: the interface language's design face when none is stored),
// with `design_size` in points where nothing is stored.
QFont ReadWindowFont(const TIniFile& ini, std::string_view section, int design_size);

// Moves and sizes `window` from the section (design geometry where nothing is stored) and
// gives the stored state; the caller shows the window in that state.
TWindowState ReadWindowPlacement(const TIniFile& ini, std::string_view section, QWidget* window,
                                 bool resizable = true);
void WriteWindowPlacement(TIniFile& ini, std::string_view section, const QWidget* window,
                          bool resizable = true);

// Writes the settings file now (a window changed its options); a failure is shown over
// `owner`, and the settings stay in memory for the next attempt.
void UpdateSettingsFile(TIniFile& ini, QWidget* owner);

}  // namespace lorvane::ui
