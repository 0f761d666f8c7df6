// The find and replace dialog through its widgets: the mode its title gives in either
// language, the histories moved to the top and cut to eight, the options and "Method"
// stored, Cancel storing nothing, and the button column's width kept.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QtTest/QtTest>

#include "common/language.h"
#include "persist/ini_file.h"
#include "persist/search_form_settings.h"
#include "persist/settings_keys.h"
#include "support/memory_file_system.h"
#include "ui/search_form.h"

using lorvane::TIniFile;
using lorvane::ui::TSearchForm;

namespace {

template <typename T>
T* Part(TSearchForm& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

// Settings over a file in memory, so UpdateFile succeeds.
struct TSettings {
  lorvane::testing::MemoryFileSystem fs;
  TIniFile ini{fs, "C:\\Lorvane\\lorvane.ini"};
};

std::vector<std::string> FindHistory(const TIniFile& ini) {
  return lorvane::ReadSearchFormSettings(ini).find_history;
}

}  // namespace

class SearchFormTest : public QObject {
  Q_OBJECT

 private slots:
  void TitleGivesTheModeInEitherLanguage() {
    const struct {
      bool japanese;
      const char* title;
      bool replace_shown;
      const char* label1;
      const char* up;
      const char* down;
      const char* cancel;
    } cases[] = {
        {true, "検索", false, "検索文字列", "上へ検索", "下へ検索", "キャンセル"},
        {true, "置き換え", true, "検索文字列", "上へ置き換え", "下へ置き換え", "キャンセル"},
        {false, "Search", false, "Searth Pattern", "Search Upward", "Search Downward", "Cancel"},
        {false, "Replace", true, "Searth Pattern", "Replace Upward", "Replace Downward", "Cancel"},
    };
    for (const auto& c : cases) {
      lorvane::SetInterfaceLanguage(c.japanese);
      TSettings s;
      TSearchForm form(s.ini, QString::fromUtf8(c.title), nullptr);
      form.show();
      QCOMPARE(form.windowTitle(), QString::fromUtf8(c.title));
      for (const char* name : {"Label2", "ComboBox2", "CheckBox2", "CheckBox3"}) {
        QCOMPARE(Part<QWidget>(form, name)->isVisible(), c.replace_shown);
      }
      QCOMPARE(Part<QLabel>(form, "Label1")->text(), QString::fromUtf8(c.label1));
      QCOMPARE(Part<QPushButton>(form, "Button1")->text(), QString::fromUtf8(c.up));
      QCOMPARE(Part<QPushButton>(form, "Button2")->text(), QString::fromUtf8(c.down));
      QCOMPARE(Part<QPushButton>(form, "Button4")->text(), QString::fromUtf8(c.cancel));
      QVERIFY(Part<QPushButton>(form, "Button3")->isDefault());
      // The designed defaults: message, continuous, confirm and powerful on.
      QVERIFY(Part<QCheckBox>(form, "CheckBox1")->isChecked());
      QVERIFY(!Part<QCheckBox>(form, "CheckBox4")->isChecked());
      QVERIFY(Part<QCheckBox>(form, "CheckBox5")->isChecked());
    }
    lorvane::SetInterfaceLanguage(true);
  }

  void ButtonsStoreTheHistoryNewestFirstAndCancelStoresNothing() {
    lorvane::SetInterfaceLanguage(true);
    TSettings s;
    lorvane::TSearchFormSettings seed;
    for (int i = 0; i < 8; ++i) seed.find_history.push_back("f" + std::to_string(i));
    lorvane::WriteSearchFormSettings(s.ini, seed);

    const struct {
      const char* typed;
      const char* button;
      std::vector<std::string> history;
    } steps[] = {
        {"f5", "Button3", {"f5", "f0", "f1", "f2", "f3", "f4", "f6", "f7"}},
        {"new", "Button1", {"new", "f5", "f0", "f1", "f2", "f3", "f4", "f6"}},
        {"zzz", "Button4", {"new", "f5", "f0", "f1", "f2", "f3", "f4", "f6"}},
        {"new", "Button2", {"new", "f5", "f0", "f1", "f2", "f3", "f4", "f6"}},
    };
    for (const auto& step : steps) {
      TSearchForm form(s.ini, QString::fromUtf8("置き換え"), nullptr);
      form.show();
      QCOMPARE(Part<QComboBox>(form, "ComboBox1")->count(), 8);
      Part<QComboBox>(form, "ComboBox1")->setEditText(QString::fromLatin1(step.typed));
      Part<QComboBox>(form, "ComboBox2")->setEditText("rep");
      Part<QCheckBox>(form, "CheckBox4")->setChecked(true);
      QTest::mouseClick(Part<QPushButton>(form, step.button), Qt::LeftButton);
      QCOMPARE(FindHistory(s.ini), step.history);
    }
    const lorvane::TFindConditions stored = lorvane::ReadFindConditions(s.ini);
    QVERIFY(stored.replace_mode);
    QVERIFY(stored.regexp);
    QCOMPARE(stored.replace, std::string("rep"));
    // Written to the file at once, for F3 in any viewer after a restart.
    std::string file;
    s.fs.ReadFile("C:\\Lorvane\\lorvane.ini", &file);
    QVERIFY(file.find("new") != std::string::npos);
  }

  void ButtonColumnKeepsItsWidth() {
    lorvane::SetInterfaceLanguage(true);
    TSettings s;
    lorvane::WriteSearchButtonWidth(s.ini, 180);
    {
      TSearchForm form(s.ini, QString::fromUtf8("検索"), nullptr);
      form.show();
      QCOMPARE(Part<QWidget>(form, "ButtonPanel")->width(), 180);
      auto* splitter = Part<QSplitter>(form, "Splitter1");
      const int total = splitter->sizes()[0] + splitter->sizes()[1];
      splitter->setSizes({total - 150, 150});
      QTest::mouseClick(Part<QPushButton>(form, "Button4"), Qt::LeftButton);
    }
    QCOMPARE(lorvane::ReadSearchButtonWidth(s.ini, 139), 150);
  }
};

QTEST_MAIN(SearchFormTest)
#include "search_form_test.moc"
