// Writes the program's icon as the PNG files a freedesktop icon theme expects:
//   lorvane-icon-export DIR   ->  DIR/<n>x<n>/apps/lorvane.png for each size
// The icon itself is drawn by ui/icons.cpp, so the files and the window's icon agree.
// scripts/install-desktop runs it; share/icons holds its output for packagers.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "ui/icons.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lorvane-icon-export DIR\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QIcon icon = lorvane::ui::ProgramIcon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = dir + QStringLiteral("/lorvane.png");
    if (!QDir().mkpath(dir) || !icon.pixmap(size, size).save(file)) {
      std::fprintf(stderr, "lorvane-icon-export: cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
