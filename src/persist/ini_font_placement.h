#pragma once
// A window's font and placement as the settings file keeps them: plain data that the GUI
// fills from its widgets before writing and applies to them after reading.

#include <optional>
#include <string>

namespace lorvane {

enum TFontPitch { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

struct TFontData {
  std::string name;  // CP932 face name
  int charset = 1;   // Windows character set: 0 ANSI, 1 default, 128 Shift_JIS
  int size = 9;      // points
  int color = 0;     // Windows colour value 0x00BBGGRR; negative values name system colours
  TFontPitch pitch = fpDefault;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const TFontData&) const = default;
};

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

struct TWindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TWindowRect&) const = default;
};

struct TWindowPlacement {
  // The window's frame in screen coordinates, as it is now (ReadPlacement changes them).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  TWindowState state = wsNormal;
  // Whether the user can resize the frame; only then are width and height kept.
  bool resizable = true;
  // The restored ("normal") rectangle as the platform reports it, in the coordinates the
  // file keeps. On Windows these are work-area coordinates, so left - restored->left is
  // the work-area offset; a platform without one reports the frame itself. Absent when
  // the platform cannot tell: WritePlacement then writes nothing.
  std::optional<TWindowRect> restored;
  // Size of the screen the window is kept on; 0 when unknown (no keep-on-screen rule).
  int screen_width = 0;
  int screen_height = 0;
};

}  // namespace lorvane
