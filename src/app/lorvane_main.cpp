// Entry point of the GUI: the program-wide objects (platform, settings, the message reader
// and its line cache), then the main window; the settings file is written after the window
// is gone. Arguments: the CLI's global options --settings, --wine-prefix and --registry,
// the language switches /JAPANESE and /ENGLISH, and --maximized or --minimized (the show
// state a Windows start command gives).

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui_startup.h"
#include "common/exception.h"
#include "common/language.h"
#include "mail/mail_reader.h"
#include "persist/ini_file.h"
#include "search/search_settings.h"
#include "platform/system_platform.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
  using namespace lorvane;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lorvane"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lorvane"));
  QApplication::setDesktopFileName(QStringLiteral("lorvane"));

  std::vector<std::string> args;
  for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
  TGuiOptions options;
  std::string usage_error;
  if (!ParseGuiArguments(args, &options, &usage_error)) {
    std::cerr << "lorvane: " << usage_error << "\n" << kGuiUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kGuiUsage;
    return 0;
  }
  SetInterfaceLanguage(
      DecideJapanese(options.language_switches, CreateSystemLocale()->DefaultLanguageName()));
  InstallJapaneseFontFallbacks();
  InstallQtTranslations(app);

  std::unique_ptr<TSystemPlatform> system;
  try {
    system = CreateSystemPlatform(PlatformOptionsFor(options));
  } catch (const Exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Lorvane"), QString::fromStdString(e.what()));
    return 1;
  }
  TPlatform& platform = system->Get();
  // The file named on the command line, whatever its extension.
  const std::optional<std::string> settings = platform.fs.FromHostPath(SettingsHostPathFor(options));
  TIniFile ini(platform.fs, settings ? *settings : SettingsFileName(platform.fs.ProgramPath()));
  TMailReader reader(platform.fs,
                     [&ini] { return TSearchSettings::LengthLimit(ini); });

  bool write_settings = true;
  {
    ui::MainWindow window({platform, ini, reader});
    window.ShowAsStarted(options.show);
    QApplication::exec();
    write_settings = window.SettingsLoaded();
  }
  std::string error;
  if (write_settings && !ini.UpdateFile(&error)) {
    const TMessageText text = SettingsWriteFailureText(ini.FileName());
    QMessageBox::warning(nullptr, ui::FromCore(text.caption), ui::FromCore(text.message));
    return 1;
  }
  return 0;
}
