// The result list acting on a hit through its widgets: the right-click that picks the row
// the context menu acts on, double-click and Enter following the DoubleClick option, the
// viewers listed in the Window menu and the list following the viewer, the folder, name and
// clipboard items, and nothing acting on the list while a search runs.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QtTest>

#include "common/language.h"
#include "ui/qt_text.h"
#include "ui/view_form.h"
#include "modal_answers.h"
#include "window_harness.h"

using lorvane::testing::MessageShownBy;
using lorvane::testing::TWindowHarness;

namespace {

const char kMeetingFile[] = "C:\\Users\\taro\\Documents\\Mail\\仕事\\会議.txt";

QTreeView* List(TWindowHarness& h) { return h.Find<QTreeView>("ListBox1"); }
QMenu* Popup(TWindowHarness& h) { return h.Find<QMenu>("PopupMenu1"); }

void SelectRow(TWindowHarness& h, int row) {
  List(h)->setCurrentIndex(List(h)->model()->index(row, 0));
}

// A right-click at `at` (viewport coordinates), as the platform delivers it.
void RightClick(TWindowHarness& h, QPoint at) {
  QWidget* viewport = List(h)->viewport();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &event);
}

std::vector<bool> ItemsEnabled(QMenu* menu) {
  std::vector<bool> enabled;
  for (QAction* item : menu->actions()) {
    if (!item->isSeparator()) enabled.push_back(item->isEnabled());
  }
  return enabled;
}

QPoint CenterOfRow(TWindowHarness& h, int row) {
  return List(h)->visualRect(List(h)->model()->index(row, 0)).center();
}

std::string Core(const char* utf8) { return lorvane::ui::ToCore(QString::fromUtf8(utf8)); }

bool Started(TWindowHarness& h) {
  for (const std::string& call : h.Shell().calls) {
    if (call.starts_with("start ")) return true;
  }
  return false;
}

}  // namespace

class HitActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void RightClickPicksTheRowTheMenuActsOn() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    QCOMPARE(h.Search("の"), 3);  // in three subjects and bodies
    QMenu* popup = Popup(h);
    QStringList names;
    for (QAction* item : popup->actions()) names << item->objectName();
    QCOMPARE(names, (QStringList{"POpen", "PView", "POpenFolder", "PName", "", "PNameClip",
                                 "PSenderClip", "PSubjectClip"}));

    SelectRow(h, 0);
    RightClick(h, CenterOfRow(h, 2));
    QVERIFY(popup->isVisible());
    QCOMPARE(List(h)->currentIndex().row(), 2);
    QCOMPARE(ItemsEnabled(popup), std::vector<bool>(7, true));
    popup->close();

    // Below the last row no row is picked: the menu has nothing to act on.
    RightClick(h, QPoint(10, List(h)->viewport()->height() - 3));
    QVERIFY(List(h)->selectionModel()->selectedRows().isEmpty());
    QCOMPARE(ItemsEnabled(popup), std::vector<bool>(7, false));
    popup->close();
  }

  void DoubleClickAndEnterFollowTheOption() {
    TWindowHarness h;
    h.Shell().desktop_application = lorvane::TDesktopApplication{"mousepad", "mail"};
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    QCOMPARE(h.Search("会議"), 1);
    QVERIFY(h.Action("KOptionDoubleClickView")->isChecked());
    QVERIFY(Popup(h)->defaultAction() == h.Action("PView"));

    // The press of a double-click lands on the row first, as a real one does.
    QTest::mouseClick(List(h)->viewport(), Qt::LeftButton, {}, CenterOfRow(h, 0));
    QTest::mouseDClick(List(h)->viewport(), Qt::LeftButton, {}, CenterOfRow(h, 0));
    QCOMPARE(h.Window().Viewers().size(), size_t{1});
    QVERIFY(!Started(h));

    h.Action("KOptionDoubleClickApplication")->trigger();
    QCOMPARE(QString::fromStdString(h.Ini().ReadString("Option", "DoubleClick", "")),
             QStringLiteral("Application"));
    QVERIFY(Popup(h)->defaultAction() == h.Action("POpen"));
    SelectRow(h, 0);
    QTest::keyClick(List(h), Qt::Key_Return);
    QCOMPARE(h.Shell().calls.back(), std::string("start mousepad mail"));
    QCOMPARE(h.Window().Viewers().size(), size_t{1});
  }

  void OpenOfAFileGoneSinceTheSearchSaysSo() {
    TWindowHarness h;
    h.Window().show();
    QCOMPARE(h.Search("会議"), 1);
    QVERIFY(h.Platform().fs.DeleteFile(Core(kMeetingFile)));
    SelectRow(h, 0);
    const QString shown = MessageShownBy([&] { h.Action("POpen")->trigger(); });
    QCOMPARE(shown, QString::fromUtf8(kMeetingFile) + QString::fromUtf8(" が見つかりません。"));
    QVERIFY(!Started(h));
  }

  void ViewersAreListedInTheWindowMenuAndTheListFollowsThem() {
    TWindowHarness h;
    h.Window().show();
    QCOMPARE(h.Search("の"), 3);
    SelectRow(h, 0);
    h.Action("PView")->trigger();
    SelectRow(h, 2);
    h.Action("PView")->trigger();
    const std::vector<lorvane::ui::TViewForm*> viewers = h.Window().Viewers();
    QCOMPARE(viewers.size(), size_t{2});
    QMenu* window_menu = h.Find<QMenu>("KWindow");
    QCOMPARE(window_menu->actions().size(), 2);
    QCOMPARE(window_menu->actions()[0]->text(), viewers[0]->Title());
    QCOMPARE(window_menu->actions()[1]->text(), viewers[1]->Title());

    // Moving on in the first viewer selects its mail in the list and retitles its item.
    viewers[0]->findChild<QAction*>("KViewNext")->trigger();
    QCOMPARE(List(h)->currentIndex().row(), 1);
    QCOMPARE(window_menu->actions()[0]->text(), viewers[0]->Title());

    viewers[0]->close();
    QTRY_COMPARE(h.Window().Viewers().size(), size_t{1});
    QCOMPARE(window_menu->actions().size(), 1);
    QCOMPARE(window_menu->actions()[0]->text(), viewers[1]->Title());
  }

  void FolderNameAndClipboardItems() {
    TWindowHarness h;
    h.Window().show();
    QCOMPARE(h.Search("会議"), 1);
    SelectRow(h, 0);
    h.Action("POpenFolder")->trigger();
    QCOMPARE(h.Shell().calls.back(), Core("folder C:\\Users\\taro\\Documents\\Mail\\仕事\\"));

    const QString shown = MessageShownBy([&] { h.Action("PName")->trigger(); });
    QCOMPARE(shown, QString::fromUtf8(kMeetingFile));

    h.Action("PNameClip")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8(kMeetingFile));
    // The raw header text, not decoded: the fixture writes its headers as encoded words.
    h.Action("PSubjectClip")->trigger();
    QVERIFY2(QApplication::clipboard()->text().startsWith("=?ISO-2022-JP?B?"),
             qPrintable(QApplication::clipboard()->text()));
    h.Action("PSenderClip")->trigger();
    QVERIFY2(QApplication::clipboard()->text().endsWith("<hanako@example.jp>"),
             qPrintable(QApplication::clipboard()->text()));
    // A file gone since the search leaves the clipboard empty rather than stale.
    QVERIFY(h.Platform().fs.DeleteFile(Core(kMeetingFile)));
    h.Action("PSenderClip")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString());
  }

  void NothingActsOnTheListWhileASearchRuns() {
    TWindowHarness h;
    h.Shell().desktop_application = lorvane::TDesktopApplication{"mousepad", "mail"};
    h.Window().show();
    QCOMPARE(h.Search("の"), 3);
    h.Action("KOptionDoubleClickApplication")->trigger();
    bool ran_under_search = false;
    QTimer::singleShot(0, [&] {
      ran_under_search = h.Window().Driver().Running();
      if (List(h)->model()->rowCount() > 0) SelectRow(h, 0);
      RightClick(h, QPoint(5, 5));
      QCOMPARE(ItemsEnabled(Popup(h)), std::vector<bool>(7, false));
      Popup(h)->close();
      h.Action("POpen")->trigger();
      h.Action("PView")->trigger();
      QTest::keyClick(List(h), Qt::Key_Return);
    });
    QCOMPARE(h.Search("の"), 3);
    QVERIFY(ran_under_search);
    QVERIFY(!Started(h));
    QVERIFY(h.Window().Viewers().empty());
  }
};

QTEST_MAIN(HitActionsTest)
#include "hit_actions_test.moc"
