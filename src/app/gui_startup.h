#pragma once
// The GUI's start-up decisions: its command line, the platform it is pointed at, and fonts
// that show Japanese where the design's fonts are not installed.

#include <QCoreApplication>
#include <string>
#include <vector>

#include "platform/system_platform.h"
#include "ui/main_window.h"

namespace lorvane {

struct TGuiOptions {
  std::string settings;                     // --settings FILE (host path); empty: the default
  std::string wine_prefix;                  // --wine-prefix DIR; empty: $WINEPREFIX or ~/.wine
  bool wine_prefix_given = false;
  std::vector<std::string> registry_files;  // --registry FILE, repeatable
  std::string language_switches;            // "/JAPANESE" and "/ENGLISH" as given
  ui::TStartShow show = ui::ssDefault;      // --maximized, --minimized
  bool help = false;
};

extern const char* const kGuiUsage;

// False and a message for an unknown option or a missing value. Options take their value
// as the next argument or after "=".
bool ParseGuiArguments(const std::vector<std::string>& args, TGuiOptions* options,
                       std::string* error);

// The settings file those options name (absolute), or the default beside the program.
std::string SettingsHostPathFor(const TGuiOptions& options);
// The platform for those options: the prefix, the registry exports, and the program's
// path beside the settings file.
TPlatformOptions PlatformOptionsFor(const TGuiOptions& options);

// The design's Japanese faces ("ＭＳ Ｐゴシック", "ＭＳ ゴシック") fall back to the installed
// Japanese gothic faces, so Japanese text never shows as boxes.
void InstallJapaneseFontFallbacks();

// With a Japanese interface, Qt's own dialog texts in Japanese too; false when its
// translation is not installed (the dialogs then stay in English).
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace lorvane
