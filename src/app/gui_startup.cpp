// The GUI's command line and start-up choices.
// Tested by tests/ui/gui_startup_test.cpp.

#include "app/gui_startup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include "common/language.h"

namespace lorvane {

const char* const kGuiUsage =
    "Usage: lorvane [--settings FILE] [--wine-prefix DIR] [--registry FILE]...\n"
    "               [--maximized | --minimized] [/JAPANESE | /ENGLISH]\n"
    "\n"
    "  --settings FILE     the settings file (default: lorvane.ini beside the program)\n"
    "  --wine-prefix DIR   where the mail programs are installed (default: $WINEPREFIX, ~/.wine)\n"
    "  --registry FILE     a .reg export laid over the prefix's registry (repeatable)\n"
    "  --maximized, --minimized   how the window first shows\n"
    "  /JAPANESE, /ENGLISH the interface language (default: from the system's language)\n";

namespace {

bool SameAscii(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

bool ParseGuiArguments(const std::vector<std::string>& args, TGuiOptions* options,
                       std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (SameAscii(arg, "/JAPANESE") || SameAscii(arg, "/ENGLISH")) {
      options->language_switches += arg + " ";
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      continue;
    }
    if (arg == "--maximized" || arg == "--minimized") {
      options->show = arg == "--maximized" ? ui::ssMaximized : ui::ssMinimized;
      continue;
    }
    std::string name = arg;
    std::string value;
    bool has_value = false;
    if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      has_value = true;
    }
    if (name != "--settings" && name != "--wine-prefix" && name != "--registry") {
      *error = "unknown argument '" + arg + "'";
      return false;
    }
    if (!has_value) {
      if (i + 1 >= args.size()) {
        *error = name + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (value.empty()) {
      *error = name + " needs a value";
      return false;
    }
    if (name == "--settings") {
      options->settings = value;
    } else if (name == "--wine-prefix") {
      options->wine_prefix = value;
      options->wine_prefix_given = true;
    } else {
      options->registry_files.push_back(value);
    }
  }
  return true;
}

std::string SettingsHostPathFor(const TGuiOptions& options) {
  return options.settings.empty() ? DefaultSettingsHostPath() : AbsoluteHostPath(options.settings);
}

TPlatformOptions PlatformOptionsFor(const TGuiOptions& options) {
  TPlatformOptions platform;
  platform.wine_prefix = options.wine_prefix_given ? options.wine_prefix : DefaultWinePrefix();
  platform.registry_files = options.registry_files;
  platform.program_host_path = ProgramHostPathBeside(SettingsHostPathFor(options));
  return platform;
}

void InstallJapaneseFontFallbacks() {
  const QStringList proportional = {
      QStringLiteral("MS PGothic"),    QStringLiteral("IPAPGothic"),
      QStringLiteral("IPA Pゴシック"), QStringLiteral("VL PGothic"),
      QStringLiteral("TakaoPGothic"),  QStringLiteral("Noto Sans CJK JP"),
  };
  const QStringList fixed = {
      QStringLiteral("MS Gothic"),    QStringLiteral("IPAGothic"),
      QStringLiteral("IPAゴシック"),  QStringLiteral("VL Gothic"),
      QStringLiteral("TakaoGothic"),  QStringLiteral("Noto Sans Mono CJK JP"),
  };
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixed);
}

bool InstallQtTranslations(QCoreApplication& app) {
  if (!IsJapanese()) return false;
  // Qt's own dialogs (file, colour, font) and standard buttons speak the interface's
  // language: Debian's translations, or those shipped beside a Windows build.
  auto* translator = new QTranslator(&app);
  const QString name = QStringLiteral("qtbase_ja");
  if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      translator->load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
    return QCoreApplication::installTranslator(translator);
  }
  delete translator;
  return false;
}

}  // namespace lorvane
