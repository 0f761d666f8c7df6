// The File and Tool menus through the window's widgets: aliases saved, opened, picked in
// AliasCombo, deleted and restored at the next start; folder selections and result lists
// through the file dialogs; the count tool; the pick-from-list dialog; the about box; and
// every one of these refused under a running search.

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QtTest>
#include <functional>
#include <vector>

#include "common/language.h"
#include "common/messages.h"
#include "mail/folder_selection.h"
#include "ui/folder_tree_view.h"
#include "ui/list_pick_dialog.h"
#include "ui/qt_text.h"
#include "modal_answers.h"
#include "window_harness.h"

using lorvane::TFolder;
using lorvane::TIniFile;
using lorvane::testing::TMailFixture;
using lorvane::testing::TModalAnswers;
using lorvane::testing::TWindowHarness;
using lorvane::ui::FromCore;
using TAnswer = std::function<void(QWidget*)>;

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Triggers `item` and answers the modal dialogs it opens, in turn (any beyond `answers`
// is rejected); returns the dialogs' names, a message box's with its text.
QStringList TriggerAnswering(QAction* item, std::vector<TAnswer> answers = {}) {
  QStringList shown;
  size_t next = 0;
  TModalAnswers modal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    shown << (box ? box->objectName() + ": " + box->text() : w->objectName());
    if (next < answers.size()) {
      answers[next++](w);
    } else {
      static_cast<QDialog*>(w)->reject();
    }
  });
  item->trigger();
  return shown;
}

// Types `host_path` into a file dialog (after choosing "すべてのファイル (*.*)" when asked)
// and presses OK from the event loop, where a question it asks can be answered in turn; a
// dialog that stays open after that (No to the question) is answered again.
TAnswer TypeFile(const QString& host_path, bool all_files = false) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    QVERIFY(dialog);
    QTest::qWait(300);  // the dialog lists its directory in the background first
    if (all_files) QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(host_path);
    QTimer::singleShot(0, dialog, [dialog] {
      static_cast<QDialog*>(dialog)->accept();
      if (dialog->isVisible()) dialog->setProperty("answered", false);
    });
  };
}

const TAnswer kCancel = [](QWidget* w) { static_cast<QDialog*>(w)->reject(); };

TAnswer Press(QMessageBox::StandardButton button) {
  return [=](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(button)->click(); };
}

TAnswer TypeName(const char* utf8) {
  return [=](QWidget* w) {
    w->findChild<QLineEdit*>("Edit")->setText(U(utf8));
    static_cast<QDialog*>(w)->accept();
  };
}

// Clicks row `row` of the pick dialog, after checking its title, then OK.
TAnswer Pick(const char* title, int row) {
  return [=](QWidget* w) {
    QCOMPARE(w->windowTitle(), U(title));
    auto* list = w->findChild<QListWidget*>("ListBox1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QTest::mouseClick(w->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  };
}

// Every node's expansion and stored state, as a selection file holds them.
std::string States(TWindowHarness& h) {
  return lorvane::FolderSelectionText(h.Window().Stores().Tree(), "");
}

QStringList Aliases(TWindowHarness& h) {
  auto* combo = h.Find<QComboBox>("AliasCombo");
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items << QString::number(combo->currentIndex());
}

// The view shows what the folders hold: every parent open or closed as stored.
bool ViewFollowsTree(TWindowHarness& h) {
  auto* tree = h.Find<lorvane::ui::TFolderTreeView>("TreeView1");
  auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(tree->model());
  bool same = true;
  h.Window().Stores().Tree().ForEachNode([&](TFolder& f) {
    if (f.ChildCount() > 0) same = same && tree->isExpanded(model->IndexOf(&f)) == f.Expanded();
  });
  return same;
}

// Changes the tree as a user would: the documents folder's state icon, and its expansion.
void ClickAround(TWindowHarness& h) {
  auto* tree = h.Find<lorvane::ui::TFolderTreeView>("TreeView1");
  auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(tree->model());
  TFolder* docs = h.Window().Stores().Tree().Mailer(0)->Child(0);
  const QModelIndex index = model->IndexOf(docs);
  const QRect item = tree->visualRect(index);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    lorvane::ui::TFolderTreeDelegate::StateIconRect(item).center());
  tree->setExpanded(index, !tree->isExpanded(index));
}

// Whether each item is enabled once its menu has opened.
QString Enabled(TWindowHarness& h, const char* menu, std::initializer_list<const char*> items) {
  emit h.Find<QMenu>(menu)->aboutToShow();
  QString on;
  for (const char* item : items) on += h.Action(item)->isEnabled() ? '+' : '-';
  return on;
}

std::string FileOf(TWindowHarness& h, const char* windows_path) {
  std::string bytes;
  h.Platform().fs.ReadFile(windows_path, &bytes);
  return bytes;
}

QString Host(TWindowHarness& h, const char* windows_path) {
  return QString::fromStdString(*h.Platform().fs.ToHostPath(windows_path));
}

}  // namespace

class AliasUiTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void FileAndToolItemsCarryTheirNamesAndCaptions() {
    TWindowHarness h;
    const struct {
      const char* name;
      const char* caption;
    } items[] = {
        {"KFileSaveWithAlias", "フォルダ選択の設定にエイリアス名を付ける..."},
        {"KFileOpenByAlias", "フォルダ選択の設定をエイリアスで呼び出す..."},
        {"KFileDeleteAlias", "エイリアス名を削除する..."},
        {"KFileWithFilename", "ファイル名での保存、読み込み (with &Filename)"},
        {"KFileWithFilenameSaveAs", "フォルダ選択の設定を保存する..."},
        {"KFileWithFilenameOpen", "フォルダ選択の設定を読み込む..."},
        {"KFileSaveAs", "検索結果をファイルに保存する (Save &As)..."},
        {"KFileOpen", "検索結果をファイルから読み込む (&Open)...."},
        {"KTool", "ツール (&Tool)"},
        {"KToolCount", "メールを数える(&Count)"},
    };
    for (const auto& i : items) {
      QAction* action = h.Action(i.name);
      QVERIFY2(action, i.name);
      QCOMPARE(action->text(), U(i.caption));
    }
    QStringList file;
    for (QAction* a : h.Find<QMenu>("KFile")->actions()) file << a->objectName();
    QCOMPARE(file, QStringList({"KFileSaveWithAlias", "KFileOpenByAlias", "KFileDeleteAlias",
                                "KFileWithFilename", "KFileSaveAs", "KFileOpen", "", "KFileExit"}));
  }

  void AnAliasIsSavedOpenedPickedAndRestoredAtTheNextStart() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    h.Action("KViewAlias")->trigger();
    QVERIFY(h.Find<QComboBox>("AliasCombo")->isVisible());
    QCOMPARE(Enabled(h, "KFile", {"KFileOpenByAlias", "KFileDeleteAlias"}), QStringLiteral("--"));

    const std::string work = States(h);
    QCOMPARE(TriggerAnswering(h.Action("KFileSaveWithAlias"), {TypeName("仕事")}),
             QStringList{"InputQueryDialog"});
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "0"}));
    QVERIFY(FileOf(h, "C:\\Lorvane\\Alias1.dat").starts_with(lorvane::FolderSelectionText(
        h.Window().Stores().Tree(), lorvane::ui::ToCore(U("仕事")))));
    QCOMPARE(Enabled(h, "KFile", {"KFileOpenByAlias", "KFileDeleteAlias"}), QStringLiteral("++"));

    // Changing the tree leaves the alias; opening it brings its states back.
    ClickAround(h);
    QVERIFY(States(h) != work);
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "-1"}));
    QCOMPARE(TriggerAnswering(h.Action("KFileOpenByAlias"), {Pick("エイリアスを選んで下さい", 0)}),
             QStringList{"ListPickDialog"});
    QCOMPARE(States(h), work);
    QVERIFY(ViewFollowsTree(h));
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "0"}));

    // A second alias goes on top; picking the first in the combo moves it back up.
    ClickAround(h);
    const std::string priv = States(h);
    TriggerAnswering(h.Action("KFileSaveWithAlias"), {TypeName("Private")});
    QCOMPARE(Aliases(h), QStringList({"Private", U("仕事"), "0"}));
    auto* combo = h.Find<QComboBox>("AliasCombo");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "Private", "0"}));
    QCOMPARE(States(h), work);

    // Closed with 仕事 selected over a tree changed behind the view: the next start reads
    // the changed tree and then applies 仕事 again.
    lorvane::ApplyFolderSelection(h.Window().Stores().Tree(), priv);
    h.Restart();
    QCOMPARE(FromCore(h.Ini().ReadString("Alias", "Last", "")), U("仕事"));
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "Private", "0"}));
    QCOMPARE(States(h), work);

    // Deleting the selected alias removes its file and the selection.
    QCOMPARE(TriggerAnswering(h.Action("KFileDeleteAlias"), {Pick("削除するエイリアスを選んで下さい", 0)}),
             QStringList{"ListPickDialog"});
    QCOMPARE(Aliases(h), QStringList({"Private", "-1"}));
    QVERIFY(!h.Platform().fs.Exists("C:\\Lorvane\\Alias1.dat"));
    QVERIFY(h.Platform().fs.Exists("C:\\Lorvane\\Alias2.dat"));
  }

  void OpenAndDeleteWithoutAliasesSayThereAreNone() {
    TWindowHarness h;
    const QString none = "MessageBox: " + U("エイリアスがひとつもありません");
    QCOMPARE(TriggerAnswering(h.Action("KFileOpenByAlias")), QStringList{none});
    QCOMPARE(TriggerAnswering(h.Action("KFileDeleteAlias")), QStringList{none});
  }

  void SelectionFilesByNameAndTheAliasCleared() {
    TWindowHarness h;
    h.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Window()));
    TriggerAnswering(h.Action("KFileSaveWithAlias"), {TypeName("仕事")});
    const std::string saved = States(h);

    // A bare name gets ".dat" under the first filter, none under "すべてのファイル (*.*)".
    const char* const bare = "C:\\Lorvane\\sel";
    QCOMPARE(TriggerAnswering(h.Action("KFileWithFilenameSaveAs"), {TypeFile(Host(h, bare))}),
             QStringList{"SaveDialog1"});
    QCOMPARE(FileOf(h, "C:\\Lorvane\\sel.dat"), saved);
    TriggerAnswering(h.Action("KFileWithFilenameSaveAs"), {TypeFile(Host(h, bare), true)});
    QCOMPARE(FileOf(h, bare), saved);
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "0"}));  // saving keeps the alias

    // An existing file is replaced only on Yes; No leaves the dialog open.
    ClickAround(h);
    const QString replace = "ConfirmReplaceFile: " + FromCore(lorvane::Format(
                                lorvane::msg::kSaveAsReplace, {"C:\\Lorvane\\sel.dat"}));
    QCOMPARE(TriggerAnswering(h.Action("KFileWithFilenameSaveAs"),
                              {TypeFile(Host(h, bare)), Press(QMessageBox::No), kCancel}),
             QStringList({"SaveDialog1", replace, "SaveDialog1"}));
    QCOMPARE(FileOf(h, "C:\\Lorvane\\sel.dat"), saved);
    const std::string changed = States(h);
    TriggerAnswering(h.Action("KFileWithFilenameSaveAs"), {TypeFile(Host(h, bare)), Press(QMessageBox::Yes)});
    QCOMPARE(FileOf(h, "C:\\Lorvane\\sel.dat"), changed);

    // Loading brings the states back and leaves no alias selected, even when cancelled.
    lorvane::ApplyFolderSelection(h.Window().Stores().Tree(), saved);
    TriggerAnswering(h.Action("KFileOpenByAlias"), {Pick("エイリアスを選んで下さい", 0)});
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "0"}));
    QCOMPARE(TriggerAnswering(h.Action("KFileWithFilenameOpen"), {kCancel}), QStringList{"OpenDialog1"});
    QCOMPARE(Aliases(h), QStringList({U("仕事"), "-1"}));
    TriggerAnswering(h.Action("KFileWithFilenameOpen"), {TypeFile(Host(h, "C:\\Lorvane\\sel.dat"))});
    QCOMPARE(States(h), changed);
    QVERIFY(ViewFollowsTree(h));

    // A file without the title is refused and changes nothing.
    h.Platform().fs.ReplaceFile("C:\\Lorvane\\other.dat", "E2Directory\r\n");
    const QString refused = "MessageBox: " + U("C:\\Lorvane\\other.dat はフォルダ選択の設定のファイルではありません。");
    QCOMPARE(TriggerAnswering(h.Action("KFileWithFilenameOpen"),
                              {TypeFile(Host(h, "C:\\Lorvane\\other.dat")), Press(QMessageBox::Ok)}),
             QStringList({"OpenDialog1", refused}));
    QCOMPARE(States(h), changed);
  }

  void AResultFileLoadedBecomesTheListAndUndoBringsTheOldOne() {
    TWindowHarness h;
    h.Window().show();
    QCOMPARE(Enabled(h, "KFile", {"KFileSaveAs", "KFileOpen"}), QStringLiteral("-+"));
    QCOMPARE(h.Search("会議"), 1);
    QCOMPARE(Enabled(h, "KFile", {"KFileSaveAs", "KFileOpen"}), QStringLiteral("++"));
    TriggerAnswering(h.Action("KFileSaveAs"), {TypeFile(Host(h, "C:\\Lorvane\\hits"))});
    QVERIFY(FileOf(h, "C:\\Lorvane\\hits.dat").starts_with("Search Result File / Lorvane\r\n"));

    h.Search("e");
    const int before = h.Rows();
    QVERIFY(before > 1);
    TriggerAnswering(h.Action("KFileOpen"), {TypeFile(Host(h, "C:\\Lorvane\\hits.dat"))});
    QCOMPARE(h.Rows(), 1);
    QCOMPARE(h.Find<QLabel>("lbFound")->text(), QStringLiteral("1 "));
    QCOMPARE(h.Find<QLabel>("lbTotal")->text(), QString());
    QVERIFY(h.Find<QPushButton>("btReSearch")->isEnabled());
    QVERIFY(h.Find<QPushButton>("btUndo")->isEnabled());
    QTest::mouseClick(h.Find<QPushButton>("btUndo"), Qt::LeftButton);
    QCOMPARE(h.Rows(), before);

    // Not a result file: the message, and the list as it was.
    h.Platform().fs.ReplaceFile("C:\\Lorvane\\notes.dat", "Search Result File\r\n");
    const QString refused = "MessageBox: " + U("C:\\Lorvane\\notes.dat は検索結果を保存したファイルではありません。");
    QCOMPARE(TriggerAnswering(h.Action("KFileOpen"),
                              {TypeFile(Host(h, "C:\\Lorvane\\notes.dat")), Press(QMessageBox::Ok)}),
             QStringList({"OpenDialog1", refused}));
    QCOMPARE(h.Rows(), before);
  }

  void CountToolStartsTheReportsApplicationOnlyWithHits() {
    const struct {
      bool associated;   // ".txt" in the registry
      bool on_desktop;   // the desktop has an application for the report
      const char* calls;  // what the shell was asked, or the message
      bool message;
    } cases[] = {
        {true, true, "start C:\\Program Files\\Hidemaru\\Hidemaru.exe /r \"C:\\Lorvane\\Count.txt\"", false},
        {false, true, "desktop C:\\Lorvane\\Count.txt|start mousepad Count.txt", false},
        {false, false, "拡張子 .ini にも .txt にもアプリケーションが関連付けられていません。", true},
    };
    for (const auto& c : cases) {
      TWindowHarness h([&](TMailFixture& f, TIniFile& ini) {
        lorvane::testing::BuildUserDirectories(f, ini);
        if (!c.associated) return;
        f.SetString(lorvane::TRegRoot::kClassesRoot, ".txt", "", "txtfile");
        f.SetString(lorvane::TRegRoot::kClassesRoot, "txtfile\\shell\\open\\command", "",
                    "\"C:\\Program Files\\Hidemaru\\Hidemaru.exe\" /r \"%1\"");
        f.WriteFile("C:\\Program Files\\Hidemaru\\Hidemaru.exe", "MZ");
      });
      if (c.on_desktop) h.Shell().desktop_application = lorvane::TDesktopApplication{"mousepad", "Count.txt"};
      h.Window().show();
      QCOMPARE(Enabled(h, "KTool", {"KToolCount"}), QStringLiteral("-"));
      h.Search("会議");
      QCOMPARE(Enabled(h, "KTool", {"KToolCount"}), QStringLiteral("+"));
      const QStringList shown = TriggerAnswering(h.Action("KToolCount"), {Press(QMessageBox::Ok)});
      QStringList calls;
      for (const std::string& call : h.Shell().calls) calls << QString::fromStdString(call);
      if (c.message) {
        QCOMPARE(shown, QStringList{"MessageBox: " + U(c.calls)});
        QCOMPARE(calls.filter("start").size(), 0);
      } else {
        QCOMPARE(shown, QStringList());
        QCOMPARE(calls.join('|'), U(c.calls));
        QVERIFY(FileOf(h, "C:\\Lorvane\\Count.txt").starts_with(lorvane::ui::ToCore(U("キーワード：{会議}\r\n"))));
      }
    }
  }

  void UnderARunningSearchNoFileOrToolCommandRuns() {
    TWindowHarness h;
    h.Window().show();
    TriggerAnswering(h.Action("KFileSaveWithAlias"), {TypeName("仕事")});
    h.Search("会議");
    bool ran_under_search = false;
    QTimer::singleShot(0, [&] {
      ran_under_search = h.Window().Driver().Running();
      // Reached before their menu has opened (still enabled from before), none of them
      // opens a dialog or touches the tree.
      const std::string states = States(h);
      for (const char* item : {"KFileSaveWithAlias", "KFileOpenByAlias", "KFileDeleteAlias",
                               "KFileWithFilenameSaveAs", "KFileWithFilenameOpen", "KFileSaveAs",
                               "KFileOpen", "KToolCount"}) {
        QVERIFY2(h.Action(item)->isEnabled(), item);
        QVERIFY2(TriggerAnswering(h.Action(item)).isEmpty(), item);
      }
      QCOMPARE(States(h), states);
      // Opened, the menus offer none of them.
      QCOMPARE(Enabled(h, "KFile", {"KFileSaveWithAlias", "KFileOpenByAlias", "KFileDeleteAlias",
                                    "KFileWithFilename", "KFileWithFilenameSaveAs",
                                    "KFileWithFilenameOpen", "KFileSaveAs", "KFileOpen", "KFileExit"}),
               QStringLiteral("--------+"));
      QCOMPARE(Enabled(h, "KTool", {"KToolCount"}), QStringLiteral("-"));
      QVERIFY(!h.Find<QComboBox>("AliasCombo")->isEnabled());
    });
    h.Search("会議");
    QVERIFY(ran_under_search);
    QCOMPARE(Enabled(h, "KFile", {"KFileOpenByAlias", "KFileSaveAs"}), QStringLiteral("++"));
  }

  void PickDialogConfirmsOnlyAChosenName() {
    for (const bool japanese : {true, false}) {
      lorvane::SetInterfaceLanguage(japanese);
      lorvane::ui::TListPickDialog dialog(nullptr, U("エイリアスを選んで下さい"), {"a", U("表ソ"), "c"}, -1);
      dialog.show();
      auto* ok = dialog.findChild<QPushButton*>("OKButton");
      auto* list = dialog.findChild<QListWidget*>("ListBox1");
      QCOMPARE(dialog.findChild<QPushButton*>("CancelButton")->text(), japanese ? U("キャンセル") : "Cancel");
      QVERIFY(!ok->isEnabled());
      QTest::keyClick(ok, Qt::Key_Space);
      QVERIFY(dialog.isVisible());  // OK without a name does nothing
      const QPoint second = list->visualItemRect(list->item(1)).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
      QVERIFY(ok->isEnabled());
      QCOMPARE(dialog.Selected(), 1);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    lorvane::ui::TListPickDialog preset(nullptr, "t", {"a", "b"}, 1);
    QCOMPARE(preset.Selected(), 1);
    QVERIFY(preset.findChild<QPushButton*>("OKButton")->isEnabled());
  }

  void AboutBoxNamesTheProgramItsVersionAndWhatItIs() {
    TWindowHarness h;
    QString text, informative;
    const QStringList shown = TriggerAnswering(h.Action("KHelpVersion"), {[&](QWidget* w) {
                       auto* box = qobject_cast<QMessageBox*>(w);
                       text = box->text();
                       informative = box->informativeText();
                       box->accept();
                     }});
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.front().startsWith("AboutBox: "));
    QVERIFY2(QRegularExpression(R"(Lorvane</b> \d+\.\d+)").match(text).hasMatch(), qPrintable(text));
    QCOMPARE(informative, FromCore(lorvane::Text(lorvane::msg::kAboutText)));
  }
};

QTEST_MAIN(AliasUiTest)
#include "alias_ui_test.moc"
