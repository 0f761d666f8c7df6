// The directory list dialog through its buttons (edits stay in memory until OK), the
// result header's sort clicks.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QtTest>
#include <algorithm>
#include <vector>

#include "common/language.h"
#include "mail/folder_tree.h"
#include "ui/dir_list_form.h"
#include "ui/folder_tree_view.h"
#include "ui/qt_text.h"
#include "ui/result_view.h"
#include "window_harness.h"

using lorvane::testing::TWindowHarness;
using lorvane::ui::FromCore;
using lorvane::ui::ToCore;

namespace {

QStringList Lines(const QListView* view) {
  QStringList lines;
  for (int r = 0; r < view->model()->rowCount(); ++r) {
    const QModelIndex i = view->model()->index(r, 0);
    lines << i.data().toString() + (i.data(Qt::CheckStateRole).toInt() == Qt::Checked ? " +" : "");
  }
  return lines;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void DirectoryListEditsAreWrittenOnOkOnly() {
    TWindowHarness h;
    const QString docs = QString::fromUtf8("C:\\Users\\taro\\Documents\\Mail\\");
    const QString memo = QString::fromUtf8("C:\\Users\\taro\\Desktop\\メモ\\");
    const QString added = QString::fromUtf8("C:\\表ソ\\");  // trail bytes 0x5C
    {
      lorvane::ui::TDirListForm form(h.Platform().fs, h.Ini());
      QCOMPARE(form.windowTitle(), QString::fromUtf8("ディレクトリ　リスト"));
      auto* list = form.findChild<QListView*>("CheckListBox1");
      QCOMPARE(Lines(list), (QStringList{docs + " +", memo}));
      auto* edit = form.findChild<QAbstractButton*>("Button5");
      QVERIFY(!edit->isEnabled());  // nothing selected

      // Add asks for a directory; a cancelled choice leaves no empty line behind.
      form.SetChooser([](const std::string&) { return std::optional<std::string>(); });
      form.findChild<QAbstractButton*>("Button4")->click();
      QCOMPARE(list->model()->rowCount(), 2);
      form.SetChooser([](const std::string&) {
        return std::optional<std::string>(ToCore(QString::fromUtf8("C:\\表ソ")));
      });
      form.findChild<QAbstractButton*>("Button4")->click();
      QCOMPARE(Lines(list), (QStringList{docs + " +", memo, added}));
      QVERIFY(edit->isEnabled());  // the new line is selected

      // Delete the first; Cancel leaves the settings as they were.
      list->setCurrentIndex(list->model()->index(0, 0));
      form.findChild<QAbstractButton*>("Button6")->click();
      QCOMPARE(Lines(list), (QStringList{memo, added}));
      form.findChild<QAbstractButton*>("Button2")->click();
      QCOMPARE(h.Ini().ReadInteger("Directory", "Number", 0), 2);
    }
    {
      lorvane::ui::TDirListForm form(h.Platform().fs, h.Ini());
      auto* list = form.findChild<QListView*>("CheckListBox1");
      list->setCurrentIndex(list->model()->index(1, 0));
      form.SetChooser([](const std::string& start) {
        return std::optional<std::string>(start + ToCore(QString::fromUtf8("ポ")));
      });
      form.findChild<QAbstractButton*>("Button5")->click();
      list->model()->setData(list->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
      form.findChild<QAbstractButton*>("Button1")->click();
      QCOMPARE(h.Ini().ReadInteger("Directory", "Number", 0), 2);
      QCOMPARE(FromCore(h.Ini().ReadString("Directory\\Dir2", "Path", "")), memo + QString::fromUtf8("ポ\\"));
      QCOMPARE(h.Ini().ReadBool("Directory\\Dir2", "Recursive", false), true);
    }
  }

  void HeaderClicksSortTheListAndAreRemembered() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    h.Window().findChild<QComboBox*>("cbKeyword")->setEditText(QStringLiteral("@"));
    h.Window().RunSearch();  // every message with a sender address
    auto* list = h.Window().findChild<QTreeView*>("ListBox1");
    const int rows = list->model()->rowCount();
    QVERIFY(rows >= 4);
    auto* header = h.Window().findChild<QHeaderView*>("HeaderControl1");
    auto column = [&](int c) {
      QStringList texts;
      for (int r = 0; r < rows; ++r) texts << list->model()->index(r, c).data().toString();
      return texts;
    };
    auto* result_header = qobject_cast<lorvane::ui::TResultHeader*>(header);
    QVERIFY(result_header);
    // A click on the subject sorts by it; one on 発信時 sorts by date and time, the list
    // ordered by 発信日 and both date captions bold.
    const struct {
      int clicked;
      int ordered;
      std::vector<int> bold;
    } clicks[] = {{5, 5, {5}}, {3, 2, {2, 3}}};
    for (const auto& click : clicks) {
      const int c = click.clicked;
      const QPoint centre(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                          header->height() / 2);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
      QStringList sorted = column(click.ordered);
      // The list's order is that of the CP932 bytes.
      std::sort(sorted.begin(), sorted.end(),
                [](const QString& a, const QString& b) { return ToCore(a) < ToCore(b); });
      QCOMPARE(column(click.ordered), sorted);
      for (int section = 0; section < lorvane::ui::kResultColumns; ++section) {
        const bool bold = std::count(click.bold.begin(), click.bold.end(), section) > 0;
        QCOMPARE(result_header->IsSectionBold(section), bold);
      }
    }
    QCOMPARE(QString::fromStdString(h.Ini().ReadString("Display", "Sort", "")), QStringLiteral("Date"));
    QCOMPARE(h.Window().Results().Count(), rows);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
