// The main window through its widgets: the designed names and captions, a search from the
// keyword box to the list and counters, the option boxes and view items and what they
// write, the tree's state icon, and the window staying safe while a search runs.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QtTest>
#include <functional>
#include <string>

#include "common/language.h"
#include "mail/folder_tree.h"
#include "ui/folder_tree_view.h"
#include "ui/qt_text.h"
#include "window_harness.h"

using lorvane::testing::TWindowHarness;

namespace {

// Runs `during` from the event loop the search pumps, once the search is under way.
void DuringTheNextSearch(const std::function<void()>& during) {
  QTimer::singleShot(0, during);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void ComponentsCarryTheirDesignedNamesAndCaptions() {
    TWindowHarness h;
    const struct {
      const char* name;
      const char* caption;
    } buttons[] = {{"btSearch", "検索"},     {"btReSearch", "絞り込み"}, {"btUndo", "Undo"},
                   {"btCancel", "中断"},     {"cbRegExp", "正規表現"},   {"cbPowerful", "強力"},
                   {"cbHeader", "ヘッダ"},   {"cbBody", "本文"}};
    for (const auto& b : buttons) {
      auto* button = h.Find<QAbstractButton>(b.name);
      QVERIFY2(button, b.name);
      QCOMPARE(button->text(), QString::fromUtf8(b.caption));
    }
    const struct {
      const char* name;
      const char* caption;
    } items[] = {
        {"KFileExit", "終了 (E&xit)"},
        {"KViewKeywordCheck", "キーワードチェックの表示 (&Keyword Check)"},
        {"KViewFolderTree", "フォルダーツリーの表示 (Folder &Tree)"},
        {"KViewProgressReportNow", "検索の途中経過を今すぐ表示する (Progress Report &Now)"},
        {"KViewDirectory", "ディレクトリ (&Directory)..."},
        {"KViewRefresh", "ツリーを最新の情報に更新(&Refresh)"},
        {"KOptionLogic", "論理結合 (&Logic Combination)"},
        {"KOptionLengthLimit", "１万文字以降は検索しない (&10000 chars)"},
        {"KOptionLimit32KB", "内蔵ビューアは３２ＫＢに限定する (Limit &32KB)"},
        {"KHelpVersion", "バージョン情報 (&Version)..."},
    };
    for (const auto& i : items) {
      QAction* action = h.Action(i.name);
      QVERIFY2(action, i.name);
      QCOMPARE(action->text(), QString::fromUtf8(i.caption));
    }
    QCOMPARE(h.Action("KViewRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
    for (const char* name : {"Label1", "cbKeyword", "edKeywordCheck", "lbFound", "lbTotal",
                             "pnProgress", "Splitter1", "AliasCombo", "TreeView1",
                             "HeaderControl1", "ListBox1"}) {
      QVERIFY2(h.Window().findChild<QWidget*>(QString::fromLatin1(name)), name);
    }
    // Nothing to search for yet: every command is off.
    for (const char* name : {"btSearch", "btReSearch", "btUndo", "btCancel"}) {
      QVERIFY2(!h.Find<QPushButton>(name)->isEnabled(), name);
    }
  }

  void AFreshStartTakesEveryDefault() {
    TWindowHarness h;  // settings hold the directories and nothing else
    h.Window().show();
    QCOMPARE(h.Window().geometry().size(), QSize(729, 462));
    const struct {
      const char* name;
      bool checked;
    } items[] = {{"KViewKeywordCheck", true},   {"KViewProgressBar", true},
                 {"KViewFolderTree", true},     {"KViewAlias", false},
                 {"KViewShowHint", true},       {"KViewProgressReport", false},
                 {"KOptionAnd", true},          {"KOptionOr", false},
                 {"KOptionLogic", false},       {"KOptionLengthLimit", true},
                 {"KOptionLimit32KB", true},    {"KOptionDoubleClickView", true},
                 {"KOptionDoubleClickApplication", false}};
    for (const auto& item : items) QVERIFY2(h.Action(item.name)->isChecked() == item.checked, item.name);
    const struct {
      const char* name;
      bool checked;
    } boxes[] = {{"cbRegExp", false}, {"cbPowerful", true}, {"cbHeader", true}, {"cbBody", true}};
    for (const auto& box : boxes) QVERIFY2(h.Find<QCheckBox>(box.name)->isChecked() == box.checked, box.name);
    QVERIFY(h.Find<QWidget>("KeywordCheckPanel")->isVisible());
    QVERIFY(h.Find<QWidget>("Panel6")->isVisible());
    QVERIFY(!h.Find<QWidget>("AliasCombo")->isVisible());
    QVERIFY(!h.Find<QWidget>("pnProgress")->isVisible());
    QCOMPARE(h.Find<QComboBox>("cbKeyword")->count(), 0);
    QVERIFY(!h.Find<QPushButton>("btSearch")->isEnabled());
    QCOMPARE(h.Find<QWidget>("btSearch")->toolTip(), QString::fromUtf8("検索を開始します"));
  }

  void TabWalksTheControlsInLayoutOrder() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    h.Search("会議");
    h.Find<QComboBox>("cbKeyword")->setFocus();
    QStringList order;
    for (int i = 0; i < 20; ++i) {
      QWidget* focus = QApplication::focusWidget();
      QString name = focus ? focus->objectName() : QString("-");
      if (focus && name.isEmpty() && focus->parentWidget()) name = focus->parentWidget()->objectName();
      if (!order.isEmpty() && order.first() == name) break;
      order << name;
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    // The disabled buttons and the hidden alias combo are passed over.
    QCOMPARE(order, (QStringList{"cbKeyword", "edKeywordCheck", "cbRegExp", "cbPowerful", "cbHeader",
                                 "cbBody", "btSearch", "TreeView1", "ListBox1"}));
  }

  void SearchNarrowAndUndoFromTheButtons() {
    TWindowHarness h;
    h.Window().show();
    h.SetKeyword("会議");
    QVERIFY(h.Find<QPushButton>("btSearch")->isEnabled());
    QTest::mouseClick(h.Find<QPushButton>("btSearch"), Qt::LeftButton);
    QCOMPARE(h.Rows(), 1);
    QCOMPARE(h.Find<QLabel>("lbFound")->text(), QStringLiteral("1 "));
    QCOMPARE(h.Find<QLabel>("lbTotal")->text(), QStringLiteral("6 "));
    QCOMPARE(h.Find<QComboBox>("cbKeyword")->itemText(0), QString::fromUtf8("会議"));
    QVERIFY(!h.Find<QWidget>("pnProgress")->isVisible());

    // Narrowing within the hit to something it lacks empties the list; Undo brings it back.
    h.SetKeyword("見積");
    QTest::mouseClick(h.Find<QPushButton>("btReSearch"), Qt::LeftButton);
    QCOMPARE(h.Rows(), 0);
    QVERIFY(h.Find<QPushButton>("btUndo")->isEnabled());
    QTest::mouseClick(h.Find<QPushButton>("btUndo"), Qt::LeftButton);
    QCOMPARE(h.Rows(), 1);
    // The hit's row, as the list shows it: program, folder, date, time, sender, subject.
    const QAbstractItemModel* list = h.Find<QTreeView>("ListBox1")->model();
    QCOMPARE(list->index(0, 0).data().toString(), QStringLiteral("Directory"));
    QCOMPARE(list->index(0, 1).data().toString(),
             QString::fromUtf8("仕事 (C:\\Users\\taro\\Documents\\Mail\\仕事)"));
    QCOMPARE(list->index(0, 4).data().toString(), QString::fromUtf8("鈴木 花子"));
    QCOMPARE(list->index(0, 5).data().toString(), QString::fromUtf8("会議のお知らせ"));
  }

  void OptionBoxesWriteTheirSettingsAndKeepOneScopeOn() {
    TWindowHarness h;
    h.Window().show();
    auto* header = h.Find<QCheckBox>("cbHeader");
    auto* body = h.Find<QCheckBox>("cbBody");
    QVERIFY(header->isChecked() && body->isChecked());
    QTest::mouseClick(header, Qt::LeftButton);
    QVERIFY(!header->isChecked());
    QCOMPARE(h.Ini().ReadBool("Option", "CheckHeader", true), false);
    // Unticking the body too would leave nothing to search: the header comes back.
    QTest::mouseClick(body, Qt::LeftButton);
    QVERIFY(!body->isChecked());
    QVERIFY(header->isChecked());
    QCOMPARE(h.Ini().ReadBool("Option", "CheckHeader", false), true);

    // Header only: the body's words are not found, the subject's are.
    QCOMPARE(h.Search("３階"), 0);
    QCOMPARE(h.Search("お知らせ"), 1);

    // A pattern the engine refuses turns Search off; the regexp box is remembered.
    QTest::mouseClick(h.Find<QCheckBox>("cbRegExp"), Qt::LeftButton);
    QCOMPARE(h.Ini().ReadBool("Option", "RegExp", false), true);
    h.SetKeyword("(会議");
    QVERIFY(!h.Find<QPushButton>("btSearch")->isEnabled());
    h.SetKeyword("会.");
    QVERIFY(h.Find<QPushButton>("btSearch")->isEnabled());
  }

  void ViewItemsShowAndHidePanesAndAreRemembered() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(h.Find<QWidget>("Panel6")->isVisible());
    h.Action("KViewFolderTree")->trigger();
    QVERIFY(!h.Find<QWidget>("Panel6")->isVisible());
    QVERIFY(!h.Action("KViewFolderTree")->isChecked());
    QCOMPARE(h.Ini().ReadBool("Display", "Folder Tree", true), false);
    h.Action("KViewKeywordCheck")->trigger();
    QVERIFY(!h.Find<QWidget>("KeywordCheckPanel")->isVisible());
    h.Action("KViewKeywordCheck")->trigger();
    QVERIFY(h.Find<QWidget>("KeywordCheckPanel")->isVisible());
    // The method is one of three, and remembered.
    h.Action("KOptionOr")->trigger();
    QVERIFY(h.Action("KOptionOr")->isChecked() && !h.Action("KOptionAnd")->isChecked());
    QCOMPARE(QString::fromStdString(h.Ini().ReadString("Keyword", "Method", "")), QStringLiteral("OR"));
  }

  void OptionsViewAndSortSurviveARestart() {
    TWindowHarness h;
    h.Window().show();
    QTest::mouseClick(h.Find<QCheckBox>("cbRegExp"), Qt::LeftButton);
    QTest::mouseClick(h.Find<QCheckBox>("cbHeader"), Qt::LeftButton);
    h.Action("KOptionOr")->trigger();
    h.Action("KOptionLengthLimit")->trigger();
    h.Action("KOptionDoubleClickApplication")->trigger();
    h.Action("KViewFolderTree")->trigger();
    h.Search("会議");
    const bool length_limit = h.Action("KOptionLengthLimit")->isChecked();

    h.Restart();
    h.Window().show();
    QVERIFY(h.Find<QCheckBox>("cbRegExp")->isChecked());
    QVERIFY(!h.Find<QCheckBox>("cbHeader")->isChecked());
    QVERIFY(h.Find<QCheckBox>("cbBody")->isChecked());
    QVERIFY(h.Action("KOptionOr")->isChecked());
    QCOMPARE(h.Action("KOptionLengthLimit")->isChecked(), length_limit);
    QVERIFY(h.Action("KOptionDoubleClickApplication")->isChecked());
    QVERIFY(!h.Action("KViewFolderTree")->isChecked());
    QVERIFY(!h.Find<QWidget>("Panel6")->isVisible());
    QCOMPARE(h.Find<QComboBox>("cbKeyword")->itemText(0), QString::fromUtf8("会議"));
  }

  void MaximizedStartOverAStoredNormalWindow() {
    TWindowHarness h;
    h.Window().ShowAsStarted(lorvane::ui::ssDefault);
    QVERIFY(!h.Window().isMaximized());
    h.Restart();
    h.Window().ShowAsStarted(lorvane::ui::ssMaximized);
    QVERIFY(h.Window().isMaximized());
    // The keyword box has the focus at start, whatever the window's state.
    QTRY_VERIFY(h.Find<QComboBox>("cbKeyword")->hasFocus() ||
                QApplication::focusWidget() == h.Find<QComboBox>("cbKeyword")->lineEdit());
    // Closed maximized, it starts maximized again by itself.
    h.Restart();
    h.Window().ShowAsStarted(lorvane::ui::ssDefault);
    QVERIFY(h.Window().isMaximized());
  }

  void StateIconClickTakesAFolderOutOfTheSearch() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    auto* tree = h.Find<lorvane::ui::TFolderTreeView>("TreeView1");
    lorvane::TFolder* directories = h.Window().Stores().Tree().Mailer(0);
    QVERIFY(directories && directories->ChildCount() == 2);
    lorvane::TFolder* docs = directories->Child(0);
    const QModelIndex index = static_cast<lorvane::ui::TFolderTreeModel*>(tree->model())->IndexOf(docs);
    QVERIFY(index.isValid());
    const int before = docs->ShownState();
    const QPoint on_icon = lorvane::ui::TFolderTreeDelegate::StateIconRect(tree->visualRect(index)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, on_icon);
    QVERIFY(docs->ShownState() != before);
    QCOMPARE(index.data(lorvane::ui::TFolderTreeModel::kShownStateRole).toInt(), docs->ShownState());

    // The folder left out holds the estimate itself; its sub-folders still decide for
    // themselves, so the meeting mail below it is still found.
    QCOMPARE(docs->ShownState(), 1);
    QCOMPARE(h.Search("見積"), 0);
    QCOMPARE(h.Search("会議"), 1);
  }

  void UnderARunningSearchNothingStartsAnotherOrChangesTheTree() {
    TWindowHarness h;
    h.Window().show();
    bool ran_under_search = false;
    lorvane::TFolder* mailer_before = h.Window().Stores().Tree().Mailer(0);
    DuringTheNextSearch([&] {
      ran_under_search = h.Window().Driver().Running();
      QVERIFY(!h.Action("KViewRefresh")->isEnabled());
      QVERIFY(!h.Action("KViewDirectory")->isEnabled());
      QVERIFY(h.Find<QPushButton>("btCancel")->isEnabled());
      // Everything a user could reach here is refused while the search runs.
      h.Find<QPushButton>("btSearch")->click();
      h.Find<QPushButton>("btReSearch")->click();
      h.Action("KViewRefresh")->trigger();
      h.Window().RebuildTreeView();
      h.Window().RunSearch();
      QVERIFY(h.Window().Stores().Tree().Mailer(0) == mailer_before);
    });
    QCOMPARE(h.Search("会議"), 1);
    QVERIFY(ran_under_search);
    QCOMPARE(h.Find<QLabel>("lbFound")->text(), QStringLiteral("1 "));
    QVERIFY(h.Action("KViewRefresh")->isEnabled());
    QVERIFY(!h.Find<QPushButton>("btCancel")->isEnabled());
  }

  void EscapeMidSearchKeepsTheHitsFoundSoFar() {
    // Enough one-message files (30 MB) that the search outlives many turns of the event loop.
    constexpr int kFiles = 1500;
    TWindowHarness h([](lorvane::testing::TMailFixture& f, lorvane::TIniFile& ini) {
      for (int i = 0; i < kFiles; ++i) {
        f.WriteFile("C:\\Mail\\m" + std::to_string(i) + ".txt",
                    lorvane::testing::MakeMessage({.subject = lorvane::ui::ToCore(QString::fromUtf8("定例会議 ")) +
                                                              std::to_string(i),
                                                   .body = std::string(20000, 'x')}));
      }
      ini.WriteInteger("Directory", "Number", 1);
      ini.WriteString("Directory\\Dir1", "Path", "C:\\Mail\\");
      ini.WriteBool("Directory\\Dir1", "Recursive", false);
    });
    h.Window().show();
    h.SetKeyword("会議");
    QTimer escape;
    escape.setInterval(0);
    QObject::connect(&escape, &QTimer::timeout, [&] {
      if (h.Window().Results().Count() < 1) return;
      escape.stop();
      QTest::keyClick(h.Find<QTreeView>("ListBox1"), Qt::Key_Escape);
    });
    escape.start();
    QTest::mouseClick(h.Find<QPushButton>("btSearch"), Qt::LeftButton);
    QVERIFY(!escape.isActive());  // pressed while the search ran
    const int rows = h.Rows();
    QVERIFY(rows >= 1);
    QVERIFY(rows < kFiles);
    QCOMPARE(h.Find<QLabel>("lbFound")->text(), QString::number(rows) + QStringLiteral(" "));
    QVERIFY(!h.Find<QPushButton>("btCancel")->isEnabled());
    QVERIFY(h.Find<QPushButton>("btSearch")->isEnabled());
  }

  void EscapeCancelsAndClosingWaitsForTheSearch() {
    TWindowHarness h;
    h.Window().show();
    DuringTheNextSearch([&] {
      QTest::keyClick(h.Find<QComboBox>("cbKeyword")->lineEdit(), Qt::Key_Escape);
    });
    QCOMPARE(h.Search("会議"), 0);  // stopped in the counting pass, before any file was read

    bool still_open_under_search = false;
    DuringTheNextSearch([&] {
      h.Window().close();
      still_open_under_search = h.Window().isVisible() && h.Window().Driver().Running();
    });
    h.Search("会議");
    QVERIFY(still_open_under_search);
    QVERIFY(!h.Window().isVisible());  // closed once the search had ended
    QVERIFY(h.Ini().ReadInteger("BaseForm", "Width", 0) > 0);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
