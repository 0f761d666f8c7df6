// Qt fonts and geometry as TFontData and TWindowPlacement. Sizes are the window's own
// (client) geometry in Qt's device-independent pixels, which round-trips on every
// platform; the settings keep the restored rectangle of a maximized window.

#include "ui/window_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "persist/ini_file.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"

namespace lorvane::ui {

QFont ToQFont(const TFontData& data) {
  QFont font(FromCore(data.name));
  font.setPointSize(data.size > 0 ? data.size : 9);
  font.setBold(data.bold);
  font.setItalic(data.italic);
  font.setUnderline(data.underline);
  font.setStrikeOut(data.strikeout);
  if (data.pitch == fpFixed) font.setFixedPitch(true);
  return font;
}

TFontData FromQFont(const QFont& font) {
  TFontData data;
  data.name = ToCore(font.family());
  data.size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
  data.charset = 128;  // the text it shows is CP932 text
  data.bold = font.bold();
  data.italic = font.italic();
  data.underline = font.underline();
  data.strikeout = font.strikeOut();
  data.pitch = font.fixedPitch() ? fpFixed : fpDefault;
  return data;
}

QFont ReadWindowFont(const TIniFile& ini, std::string_view section, int design_size) {
  TFontData data;
  data.size = design_size;
  ini.ReadFont(section, &data);
  return ToQFont(data);
}

TWindowState ReadWindowPlacement(const TIniFile& ini, std::string_view section, QWidget* window,
                                 bool resizable) {
  TWindowPlacement placement;
  const QRect now = window->geometry();
  placement.left = now.x();
  placement.top = now.y();
  placement.width = now.width();
  placement.height = now.height();
  placement.resizable = resizable;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    placement.screen_width = area.x() + area.width();
    placement.screen_height = area.y() + area.height();
  }
  ini.ReadPlacement(section, &placement);
  window->setGeometry(placement.left, placement.top, placement.width, placement.height);
  return placement.state;
}

void WriteWindowPlacement(TIniFile& ini, std::string_view section, const QWidget* window,
                          bool resizable) {
  TWindowPlacement placement;
  const QRect normal = window->isMaximized() || window->isMinimized() ? window->normalGeometry()
                                                                      : window->geometry();
  placement.left = normal.x();
  placement.top = normal.y();
  placement.width = normal.width();
  placement.height = normal.height();
  placement.resizable = resizable;
  placement.restored = TWindowRect{normal.x(), normal.y(), normal.width(), normal.height()};
  placement.state = window->isMinimized()   ? wsMinimized
                    : window->isMaximized() ? wsMaximized
                                            : wsNormal;
  ini.WritePlacement(section, placement);
}

void UpdateSettingsFile(TIniFile& ini, QWidget* owner) {
  if (ini.UpdateFile()) return;
  const TMessageText text = SettingsWriteFailureText(ini.FileName());
  ShowWarning(owner, text.message, text.caption);
}

}  // namespace lorvane::ui
