// The GUI's command line: options with their values in both forms, the language switches
// in any letter case, and the errors that stop a start before anything is touched.

#include <QDialogButtonBox>
#include <QFont>
#include <QPushButton>
#include <QtTest/QtTest>

#include "app/gui_startup.h"
#include "common/language.h"

using lorvane::ParseGuiArguments;
using lorvane::TGuiOptions;

class GuiStartupTest : public QObject {
  Q_OBJECT

 private slots:
  // The translation stays installed for the rest of the run; no later case reads Qt's texts.
  void QtsOwnButtonsSpeakTheInterfaceLanguage() {
    lorvane::SetInterfaceLanguage(false);
    QVERIFY(!lorvane::InstallQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox english(QDialogButtonBox::Cancel);
    QCOMPARE(english.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    lorvane::SetInterfaceLanguage(true);
    QVERIFY(lorvane::InstallQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox japanese(QDialogButtonBox::Cancel);
    QCOMPARE(japanese.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
  }

  void OptionsTakeTheirValueInEitherForm() {
    TGuiOptions o;
    std::string error;
    QVERIFY(ParseGuiArguments({"--settings", "/tmp/a b.cfg", "--wine-prefix=/w", "--registry",
                               "x.reg", "--registry=y.reg", "/japanese", "--maximized"},
                              &o, &error));
    QCOMPARE(QString::fromStdString(o.settings), QStringLiteral("/tmp/a b.cfg"));
    QCOMPARE(QString::fromStdString(o.wine_prefix), QStringLiteral("/w"));
    QVERIFY(o.wine_prefix_given);
    QCOMPARE(o.registry_files, (std::vector<std::string>{"x.reg", "y.reg"}));
    QCOMPARE(QString::fromStdString(o.language_switches), QStringLiteral("/japanese "));
    QCOMPARE(o.show, lorvane::ui::ssMaximized);
    QVERIFY(!o.help);
    // The program's own path is named after the settings file, so both agree.
    QCOMPARE(QString::fromStdString(lorvane::SettingsHostPathFor(o)), QStringLiteral("/tmp/a b.cfg"));
    QCOMPARE(QString::fromStdString(lorvane::PlatformOptionsFor(o).program_host_path),
             QStringLiteral("/tmp/a b.exe"));
  }

  void BadArgumentsAreRefusedWithAReason_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown") << QStringList{"--bogus"} << "unknown argument '--bogus'";
    QTest::newRow("missing value") << QStringList{"--settings"} << "--settings needs a value";
    QTest::newRow("empty value") << QStringList{"--registry="} << "--registry needs a value";
    QTest::newRow("stray word") << QStringList{"mail.txt"} << "unknown argument 'mail.txt'";
    QTest::newRow("half a switch") << QStringList{"/JAPAN"} << "unknown argument '/JAPAN'";
  }
  void BadArgumentsAreRefusedWithAReason() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    std::vector<std::string> list;
    for (const QString& a : args) list.push_back(a.toStdString());
    TGuiOptions o;
    std::string message;
    QVERIFY(!ParseGuiArguments(list, &o, &message));
    QCOMPARE(QString::fromStdString(message), error);
  }

  void TheDesignFacesFallBackToInstalledJapaneseFaces() {
    lorvane::InstallJapaneseFontFallbacks();
    const QStringList substitutes = QFont::substitutes(QString::fromUtf8("ＭＳ Ｐゴシック"));
    QVERIFY(substitutes.contains(QStringLiteral("IPAPGothic"), Qt::CaseInsensitive));
    QVERIFY(!QFont::substitutes(QString::fromUtf8("ＭＳ ゴシック")).isEmpty());
  }
};

QTEST_MAIN(GuiStartupTest)
#include "gui_startup_test.moc"
