#pragma once
// The main window over a fixture prefix, for the widget tests: the user directories'
// saved mail (and whatever else a test builds first), settings written to the prefix and
// loaded by the window as at a start, the system's message reader, and a shell that
// records what the window starts instead of starting it.
//
//   TWindowHarness h;  // the user directories only
//   h.Window().show();
//   QCOMPARE(h.Search("会議"), 1);

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QTreeView>
#include <QtTest/QtTest>
#include <functional>
#include <memory>
#include <string>

#include "mail/mail_reader.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "platform/system_platform.h"
#include "support/mail_fixture.h"
#include "support/memory_platform.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"
#include "ui/main_window.h"

namespace lorvane::testing {

class TWindowHarness {
 public:
  using TBuild = std::function<void(TMailFixture&, TIniFile&)>;

  explicit TWindowHarness(const TBuild& build)
      : fixture_(scratch_.Path("p")),
        platform_(Prepare(build)),
        window_platform_{platform_->Get().fs, platform_->Get().registry, shell_,
                         platform_->Get().environment, platform_->Get().locale},
        window_(Make()) {}
  TWindowHarness() : TWindowHarness(BuildUserDirectories) {}

  ui::MainWindow& Window() { return *window_; }
  TIniFile& Ini() { return *ini_; }
  TPlatform& Platform() { return window_platform_; }
  RecordingShell& Shell() { return shell_; }

  template <typename T>
  T* Find(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Action(const char* name) { return Find<QAction>(name); }

  void SetKeyword(const char* utf8) {
    Find<QComboBox>("cbKeyword")->setEditText(QString::fromUtf8(utf8));
  }
  int Rows() { return Find<QTreeView>("ListBox1")->model()->rowCount(); }
  // Types the keyword and presses Search; the rows the list then holds.
  int Search(const char* utf8) {
    SetKeyword(utf8);
    QTest::mouseClick(Find<QPushButton>("btSearch"), Qt::LeftButton);
    return Rows();
  }

  // Ends the window as the program ends (the settings written once it is gone) and starts
  // a new one over the same prefix and settings file.
  void Restart() {
    window_->close();
    window_.reset();
    ini_->UpdateFile();
    window_ = Make();
  }

 private:
  std::unique_ptr<TSystemPlatform> Prepare(const TBuild& build) {
    TIniFile seed;
    build(fixture_, seed);
    auto platform = FixturePlatform(fixture_);
    ini_ = std::make_unique<TIniFile>(platform->Get().fs,
                                      SettingsFileName(platform->Get().fs.ProgramPath()));
    ini_->LoadFromText(seed.ToText());
    ini_->UpdateFile();
    return platform;
  }
  std::unique_ptr<ui::MainWindow> Make() {
    reader_ = std::make_unique<TMailReader>(window_platform_.fs, [] { return true; });
    return std::make_unique<ui::MainWindow>(ui::TMainContext{window_platform_, *ini_, *reader_});
  }

  ScratchDir scratch_;
  TMailFixture fixture_;
  // Set up while platform_ is made, so declared before it.
  std::unique_ptr<TIniFile> ini_;
  std::unique_ptr<TMailReader> reader_;
  std::unique_ptr<TSystemPlatform> platform_;
  RecordingShell shell_;
  TPlatform window_platform_;
  std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace lorvane::testing
