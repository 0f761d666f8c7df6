// Entry point of the GUI: decides the interface language, then runs the main window.

#include <QApplication>
#include <QStringList>

#include "common/language.h"
#include "platform/system_platform.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lorvane"));

  // The language switches are the only arguments, matched in the command line as a whole.
  const QString command_line = QApplication::arguments().join(QLatin1Char(' '));
  lorvane::SetInterfaceLanguage(lorvane::DecideJapanese(
      command_line.toStdString(), lorvane::CreateSystemLocale()->DefaultLanguageName()));

  lorvane::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
