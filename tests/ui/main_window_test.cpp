// The main window opens with its title and closes.

#include <QtTest/QtTest>

#include "ui/main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensAndCloses() {
    lorvane::ui::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Lorvane"));
    QVERIFY(window.isVisible());
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
