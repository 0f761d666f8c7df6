// The folder tree panel through its widgets: the context menus and what their items do
// to the shown states, no menu on a node a subtree state decides, F5 settling a stored
// subtree state on a leaf, hiding a mail program from the Mailer menu and finding it
// again, and which tree actions clear the alias combo's selection.

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTimer>
#include <QtTest/QtTest>

#include "common/language.h"
#include "mail/folder_tree.h"
#include "mail/mailer_catalogue.h"
#include "ui/folder_tree_view.h"
#include "ui/qt_text.h"
#include "window_harness.h"

using lorvane::TFolder;
using lorvane::TIniFile;
using lorvane::testing::TMailFixture;
using lorvane::testing::TWindowHarness;
using lorvane::ui::ToCore;

namespace {

// Picks the item named `name` from the next popup menu, once it shows.
void PickFromNextMenu(const char* name, QString* menu_name, QStringList* shown_items) {
  QTimer::singleShot(50, [=] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    *menu_name = menu->objectName();
    for (QAction* a : menu->actions()) {
      if (a->isVisible() && !a->isSeparator()) *shown_items << a->objectName();
    }
    QAction* chosen = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->objectName() == QLatin1String(name)) chosen = a;
    }
    if (chosen) {
      menu->setActiveAction(chosen);
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      menu->close();
    }
  });
}

lorvane::ui::TFolderTreeView* Tree(TWindowHarness& h) {
  return h.Find<lorvane::ui::TFolderTreeView>("TreeView1");
}

// Right-clicks `folder`'s row and picks `item` from the menu that opens; the menu's name,
// or empty when none opened.
QString PickFromContextMenu(TWindowHarness& h, const TFolder* folder, const char* item) {
  auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(Tree(h)->model());
  const QRect row = Tree(h)->visualRect(model->IndexOf(folder));
  QString menu_name;
  QStringList shown;
  PickFromNextMenu(item, &menu_name, &shown);
  QTest::mouseClick(Tree(h)->viewport(), Qt::RightButton, {}, row.center());
  QTest::qWait(100);
  return menu_name;
}

// The Directory program: Mail (C:\Users\taro\Documents\Mail) > { 2025, 仕事 }, メモ.
TFolder* Documents(TWindowHarness& h) { return h.Window().Stores().Tree().Mailer(0)->Child(0); }

}  // namespace

class TreePanelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void TreeContextMenuOffersTheNodesItemsAndRunsThem() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    auto* tree = h.Window().findChild<lorvane::ui::TFolderTreeView*>("TreeView1");
    auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(tree->model());
    lorvane::TFolder* directories = h.Window().Stores().Tree().Mailer(0);
    const QRect node = tree->visualRect(model->IndexOf(directories));

    QString menu_name;
    QStringList shown;
    PickFromNextMenu("P2NotCheckAll", &menu_name, &shown);
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, node.center());
    QCOMPARE(menu_name, QStringLiteral("PopupMenu2"));
    QVERIFY(shown.contains(QStringLiteral("P2CheckAll")));
    // Every folder below the program is out of the search now.
    h.Window().Stores().Tree().ForEachNode([](lorvane::TFolder& f) {
      if (f.Parent()) QVERIFY2(f.ShownState() % 2 == 1, f.Caption().c_str());
    });
    h.Window().RunSearch();
    QCOMPARE(h.Window().Results().Count(), 0);
  }

  void SubtreeStatesFromTheMenusAndNoMenuUnderThem() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    Tree(h)->expandAll();
    TFolder* docs = Documents(h);
    QVERIFY(docs->ChildCount() == 2);
    QCOMPARE(PickFromContextMenu(h, docs, "P3CheckSub"), QStringLiteral("PopupMenu3"));
    QCOMPARE(docs->ShownState(), 4);
    QCOMPARE(docs->Child(0)->ShownState(), 6);
    // A node its ancestor decides for opens no menu; the right-click still selects it.
    QCOMPARE(PickFromContextMenu(h, docs->Child(1), "P3NotCheck"), QString());
    QCOMPARE(docs->Child(1)->ShownState(), 6);
    // Back to 2: each child shows what it stores again.
    QCOMPARE(PickFromContextMenu(h, docs, "P3Check"), QStringLiteral("PopupMenu3"));
    QCOMPARE(docs->ShownState(), 2);
    QCOMPARE(docs->Child(0)->ShownState(), 2);
    QCOMPARE(docs->Child(1)->ShownState(), 2);
  }

  void RefreshSettlesASubtreeStateStoredOnALeaf() {
    TWindowHarness h;
    h.Window().show();
    TFolder* leaf = Documents(h)->Child(1);
    QCOMPARE(leaf->ChildCount(), 0);
    const std::string caption = leaf->FullCaption();
    h.Ini().WriteInteger(leaf->Section(), "Status", 4);
    h.Action("KViewRefresh")->trigger();
    leaf = h.Window().Stores().Tree().FindByFullCaption(caption);
    QVERIFY(leaf);
    QCOMPARE(leaf->ShownState(), 2);
    QCOMPARE(h.Ini().ReadInteger(leaf->Section(), "Status", 0), 2);
  }

  void AProgramHiddenFromTheMailerMenuIsFoundAgain() {
    TWindowHarness h([](TMailFixture& f, TIniFile& ini) {
      lorvane::testing::BuildFixtureStore(lorvane::mkBecky, f, ini);
    });
    h.Window().show();
    const auto shown = [&h] {
      for (int i = 0; i < h.Window().Stores().Tree().MailerCount(); ++i) {
        if (h.Window().Stores().Tree().Mailer(i)->Caption() == "Becky!") return true;
      }
      return false;
    };
    QVERIFY(shown());
    QMenu* mailers = h.Find<QMenu>("KViewMailer");
    QAction* becky = h.Action(QStringLiteral("KViewMailer%1").arg(lorvane::mkBecky).toLatin1().constData());
    QVERIFY(becky);
    emit mailers->aboutToShow();
    QVERIFY(becky->isChecked());
    becky->trigger();
    QVERIFY(!shown());
    emit mailers->aboutToShow();
    QVERIFY(!becky->isChecked());
    becky->trigger();
    QVERIFY(shown());
  }

  void ExpandingClearsTheAliasSelectionAContextMenuItemDoesNot() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    auto* alias = h.Find<QComboBox>("AliasCombo");
    alias->addItem(QString::fromUtf8("仕事"));
    alias->setCurrentIndex(0);
    QVERIFY(!PickFromContextMenu(h, Documents(h), "P3NotCheck").isEmpty());
    QCOMPARE(alias->currentIndex(), 0);
    auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(Tree(h)->model());
    const QModelIndex docs = model->IndexOf(Documents(h));
    Tree(h)->setExpanded(docs, !Tree(h)->isExpanded(docs));
    QCOMPARE(alias->currentIndex(), -1);
  }
};

QTEST_MAIN(TreePanelTest)
#include "tree_panel_test.moc"
