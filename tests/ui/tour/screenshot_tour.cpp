// Walks the main window over the demo stores and saves what a person would see at each
// step as PNG files: the window at start, after a search, with the tree's context menu,
// with the View menu, the directory list dialog, the result list's context menu, a viewer
// opened from it over the hits with the keywords highlighted, the find dialog in replace
// mode, the alias combo with two saved aliases, the Tool menu with the count tool, and the
// about box. Run by scripts/screenshots under a
// virtual X server, so menus and dialogs are captured from the screen as drawn.
//   screenshot_tour OUTPUT_DIR [--english]

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QtTest>
#include <QWindow>
#include <functional>
#include <iostream>
#include <string>

#include "app/gui_startup.h"
#include "common/language.h"
#include "ui/dir_list_form.h"
#include "ui/folder_tree_view.h"
#include "ui/qt_text.h"
#include "ui/search_form.h"
#include "ui/view_form.h"
#include "ui/window_harness.h"

namespace {

QString out_dir;

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QTest::qWait(30);
  }
}

// The screen's pixels under `area` (a menu may stand outside the window).
void Save(const char* name, const QRect& area) {
  Settle();
  const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, area.x(), area.y(),
                                                                  area.width(), area.height());
  const QString path = out_dir + "/" + QString::fromLatin1(name) + ".png";
  if (!shot.save(path)) std::cerr << "cannot write " << path.toStdString() << "\n";
  std::cout << path.toStdString() << "\n";
}

QRect Around(const QWidget& w, int extra = 0) {
  return w.frameGeometry().adjusted(0, 0, extra, extra);
}

// Runs `item`, whose modal dialog `answer` is handed once it shows.
void TriggerAnswering(QAction* item, const std::function<void(QWidget*)>& answer) {
  QTimer::singleShot(400, [answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
  });
  item->trigger();
  Settle();
}

// Opens `menu` from the window's menu bar and saves it over the window.
void SaveMenu(const char* name, QMainWindow& window, QMenu* menu) {
  QTimer::singleShot(400, [&window, menu, name] {
    Save(name, Around(window).united(menu->frameGeometry()).adjusted(0, 0, 4, 4));
    menu->close();
  });
  menu->exec(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
  Settle();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool english = argc == 3 && std::string(argv[2]) == "--english";
  if (argc != 2 && !english) {
    std::cerr << "usage: screenshot_tour OUTPUT_DIR [--english]\n";
    return 2;
  }
  out_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out_dir);
  lorvane::SetInterfaceLanguage(!english);
  lorvane::InstallJapaneseFontFallbacks();
  lorvane::InstallQtTranslations(app);

  lorvane::testing::TWindowHarness h([](lorvane::testing::TMailFixture& f, lorvane::TIniFile& ini) {
    lorvane::testing::BuildDemoStores(f, ini);
  });
  lorvane::ui::MainWindow& window = h.Window();
  window.move(20, 20);
  window.resize(900, 560);
  window.show();
  window.activateWindow();
  Settle();
  Save("main-window", Around(window));

  auto* keyword = window.findChild<QComboBox*>("cbKeyword");
  keyword->setEditText(QString::fromUtf8("会議 見積"));
  window.findChild<QAction*>("KOptionOr")->trigger();
  window.findChild<QPushButton*>("btSearch")->click();
  Settle();
  Save("search-results", Around(window));

  // The tree's context menu on the first program's node.
  auto* tree = window.findChild<lorvane::ui::TFolderTreeView*>("TreeView1");
  auto* model = static_cast<lorvane::ui::TFolderTreeModel*>(tree->model());
  const QRect node = tree->visualRect(model->IndexOf(window.Stores().Tree().Mailer(0)));
  QTimer::singleShot(400, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      Save("tree-context-menu", Around(window).united(menu->frameGeometry()).adjusted(0, 0, 4, 4));
      menu->close();
    }
  });
  QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, node.center());
  Settle();

  SaveMenu("view-menu", window, window.findChild<QMenu*>("KView"));

  lorvane::ui::TDirListForm form(h.Platform().fs, h.Ini(), &window);
  form.show();
  form.move(window.x() + 120, window.y() + 120);
  Settle();
  Save("directory-list", Around(form));
  form.close();

  // The result list's context menu on the second hit, and its View item.
  auto* list = window.findChild<QTreeView*>("ListBox1");
  const QRect hit = list->visualRect(list->model()->index(1, 0));
  QTimer::singleShot(400, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      Save("result-context-menu", Around(window).united(menu->frameGeometry()).adjusted(0, 0, 4, 4));
      menu->close();
    }
  });
  QContextMenuEvent right_click(QContextMenuEvent::Mouse, hit.center(),
                                list->viewport()->mapToGlobal(hit.center()));
  QApplication::sendEvent(list->viewport(), &right_click);
  QTest::qWait(800);  // the shot is taken while the menu is up
  window.findChild<QAction*>("PView")->trigger();
  lorvane::ui::TViewForm* viewer = window.Viewers().back();
  viewer->move(window.x() + 60, window.y() + 60);
  viewer->activateWindow();
  Settle();
  Save("viewer", Around(*viewer));

  // Owned by the viewer, which deletes it when it closes.
  auto* search_form = new lorvane::ui::TSearchForm(h.Ini(), QString::fromUtf8("置き換え"), viewer);
  search_form->findChild<QComboBox*>("ComboBox1")->setEditText(QString::fromUtf8("会議"));
  search_form->findChild<QComboBox*>("ComboBox2")->setEditText(QString::fromUtf8("打ち合わせ"));
  search_form->show();
  search_form->move(viewer->x() + 60, viewer->y() + 60);
  Settle();
  Save("find-replace", Around(*search_form));
  search_form->close();
  viewer->close();

  // Two aliases saved from the File menu, the combo shown with the newer one selected.
  window.findChild<QAction*>("KViewAlias")->trigger();
  for (const char* name : {"Private", "仕事"}) {
    TriggerAnswering(window.findChild<QAction*>("KFileSaveWithAlias"), [name](QWidget* dialog) {
      dialog->findChild<QLineEdit*>("Edit")->setText(QString::fromUtf8(name));
      static_cast<QDialog*>(dialog)->accept();
    });
  }
  Save("alias-combo", Around(window));

  // The count tool starts another program with its report: the Tool menu stands for it.
  SaveMenu("tool-menu", window, window.findChild<QMenu*>("KTool"));

  TriggerAnswering(window.findChild<QAction*>("KHelpVersion"), [](QWidget* box) {
    Save("about-box", Around(*box));
    static_cast<QDialog*>(box)->accept();
  });

  window.close();
  return 0;
}
