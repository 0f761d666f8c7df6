// The desktop program's responsiveness, measured as a user meets it (POSIX, a real or
// virtual X server):
//   gui_bench PREFIX SETTINGS [KEYWORD]
// prints the time from process start to the main window's first paint over the prefix's
// tree, and with KEYWORD the search's CPU time and the longest gap between two turns of
// the event loop while it ran (what decides whether the window answers during a search).
// bench/gui/run drives it over the demo stores and the whole-search corpus.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/gui_startup.h"
#include "common/language.h"
#include "mail/mail_reader.h"
#include "persist/ini_file.h"
#include "platform/system_platform.h"
#include "search/search_settings.h"
#include "ui/main_window.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Milliseconds since the process started, from the kernel's start time.
double MillisecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  // The command name in parentheses may hold blanks: fields are counted after it.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  unsigned long long start_ticks = 0;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
    if (i == 22) start_ticks = std::stoull(field);
  }
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double now_ms = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
  return now_ms - start_ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class TFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && painted_ms < 0) {
      painted_ms = MillisecondsSinceProcessStart();
      QTimer::singleShot(0, [] { QApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }
  double painted_ms = -1;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace lorvane;
  if (argc < 3) {
    std::fprintf(stderr, "usage: gui_bench PREFIX SETTINGS [KEYWORD]\n");
    return 2;
  }
  QApplication app(argc, argv);
  SetInterfaceLanguage(true);
  InstallJapaneseFontFallbacks();
  TGuiOptions options;
  options.wine_prefix = argv[1];
  options.wine_prefix_given = true;
  options.settings = argv[2];
  std::unique_ptr<TSystemPlatform> system = CreateSystemPlatform(PlatformOptionsFor(options));
  TPlatform& platform = system->Get();
  const std::optional<std::string> settings = platform.fs.FromHostPath(SettingsHostPathFor(options));
  TIniFile ini(platform.fs, settings ? *settings : SettingsFileName(platform.fs.ProgramPath()));
  TMailReader reader(platform.fs, [&ini] { return TSearchSettings::LengthLimit(ini); });
  ui::MainWindow window({platform, ini, reader});
  TFirstPaint first_paint;
  window.installEventFilter(&first_paint);
  window.ShowAsStarted(ui::ssDefault);
  QApplication::exec();
  std::printf("first paint            %8.1f ms after process start\n", first_paint.painted_ms);
  if (argc < 4) return 0;

  window.findChild<QComboBox*>("cbKeyword")->setEditText(QString::fromUtf8(argv[3]));
  // A zero timer runs once per turn of the event loop, the search's pumps included.
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  qint64 longest_end = 0;
  QTimer turns;
  QObject::connect(&turns, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (now - last > longest) {
      longest = now - last;
      longest_end = now;
    }
    last = now;
  });
  const double cpu_before = CpuSeconds();
  clock.start();
  turns.start(0);
  window.findChild<QPushButton*>("btSearch")->click();
  const double wall = clock.nsecsElapsed() / 1e9;
  const double cpu = CpuSeconds() - cpu_before;
  turns.stop();
  std::printf("search                 %8.2f s wall, %.2f s CPU, %d hits\n", wall, cpu,
              window.Results().Count());
  std::printf("longest event-loop gap %8.1f ms, ending %.1f ms into the search\n", longest / 1e6,
              longest_end / 1e6);
  return 0;
}
