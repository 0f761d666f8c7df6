// The viewer window through its widgets: stepping through a result with P/N and the bar
// items, read-only kept for the next viewer, quoted copy and paste with the mark from the
// input dialog, F3 repeating another viewer's search, replacement answered No and Yes,
// highlights of a powerful keyword and opening at a match, and Save As guarding files.

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest/QtTest>
#include <vector>

#include "common/language.h"
#include "mail/mail_reader.h"
#include "persist/search_form_settings.h"
#include "ui/input_query_dialog.h"
#include "ui/qt_text.h"
#include "ui/search_form.h"
#include "ui/view_form.h"
#include "modal_answers.h"
#include "window_harness.h"

using lorvane::TIniFile;
using lorvane::testing::TMailFixture;
using lorvane::testing::TModalAnswers;
using lorvane::testing::TWindowHarness;
using lorvane::ui::FromCore;
using lorvane::ui::THighlightKeywords;
using lorvane::ui::ToCore;
using lorvane::ui::TViewForm;

namespace {

const char* const kBox = "C:\\Mail\\box.txt";        // three messages of five lines
const char* const kServer = "C:\\Mail\\server.txt";  // a half-width ｻｰﾊﾞ in the body
const char* const kFar = "C:\\Mail\\far.txt";        // サーバ two hundred lines down

std::string Sjis(const char* utf8) {
  return ToCore(QString::fromUtf8(utf8));
}

std::string BoxMessage(int n) {
  return "From: a@example.jp\r\nSubject: Mail " + std::to_string(n) +
         "\r\n\r\nbody line " + std::to_string(n) + "\r\nsecond line\r\n";
}

void BuildMail(TMailFixture& f, TIniFile&) {
  f.WriteFile(kBox, BoxMessage(1) + BoxMessage(2) + BoxMessage(3));
  f.WriteFile(kServer, Sjis("Subject: Server\r\n\r\nthe ｻｰﾊﾞ is down\r\n"));
  std::string far = "Subject: Far\r\n\r\nintro\r\n";
  for (int i = 0; i < 200; ++i) far += "filler\r\n";
  f.WriteFile(kFar, far + Sjis("サーバ here\r\n"));
}

class TViewerHarness {
 public:
  TViewerHarness() : h(BuildMail), reader(h.Platform().fs, [] { return true; }) {}

  // A viewer over `hits` messages of the box (or one other file), showing the first.
  TViewForm* Open(int hits, const THighlightKeywords& keywords = {}, const char* file = kBox) {
    auto* viewer = new TViewForm({h.Platform(), h.Ini(), reader}, keywords, &h.Window());
    for (int i = 0; i < hits; ++i) viewer->AddMail(file, 5 * i, file == kBox ? 5 * i + 4 : -1);
    viewer->ShowMail(0);
    viewer->show();
    return viewer;
  }

  std::string FileBytes(const char* path) {
    std::string bytes;
    h.Platform().fs.ReadFile(path, &bytes);
    return bytes;
  }

  TWindowHarness h;
  lorvane::TMailReader reader;
};

// A message as the text area holds it.
QString Shown(const std::string& cp932) {
  return FromCore(cp932).replace("\r\n", "\n");
}

QPlainTextEdit* Memo(TViewForm* v) {
  return v->findChild<QPlainTextEdit*>("Memo1");
}
QAction* Item(TViewForm* v, const char* name) {
  return v->findChild<QAction*>(QString::fromLatin1(name));
}
QString Selected(TViewForm* v) {
  return Memo(v)->textCursor().selectedText();
}
void CaretAtStart(TViewForm* v) {
  QTextCursor cursor = Memo(v)->textCursor();
  cursor.setPosition(0);
  Memo(v)->setTextCursor(cursor);
}
void Click(QWidget* box, QMessageBox::StandardButton button) {
  qobject_cast<QMessageBox*>(box)->button(button)->click();
}

void StoreFindConditions(TIniFile& ini, const char* find, const char* replace, bool replace_mode) {
  lorvane::TSearchFormSettings s;
  s.find_history = {find};
  s.replace_history = {replace};
  s.method = replace_mode ? lorvane::kMethodReplace : lorvane::kMethodFind;
  lorvane::WriteSearchFormSettings(ini, s);
}

}  // namespace

class ViewFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lorvane::SetInterfaceLanguage(true); }

  void StepsThroughThreeHitsWithKeysAndBarItems() {
    TViewerHarness t;
    TViewForm* v = t.Open(3);
    std::vector<int> shown;
    v->on_mail_shown = [&](const std::string& file, int32_t first) {
      QCOMPARE(file, std::string(kBox));
      shown.push_back(first);
    };
    QVERIFY(Item(v, "KMessage")->isVisible());
    const struct {
      const char* step;  // a key typed into the text, or a bar item
      const char* caption;
      const char* title;
      bool prev_enabled;
      bool next_enabled;
    } steps[] = {
        {"", "1/3", "Mail 1", false, true},       {"n", "2/3", "Mail 2", true, true},
        {"KNext", "3/3", "Mail 3", true, false},  {"N", "3/3", "Mail 3", true, false},
        {"KPrev", "2/3", "Mail 2", true, true},   {"p", "1/3", "Mail 1", false, true},
        {"P", "1/3", "Mail 1", false, true},      {"KViewNext", "2/3", "Mail 2", true, true},
    };
    for (const auto& s : steps) {
      const QString step = QString::fromLatin1(s.step);
      if (step.startsWith('K')) {
        Item(v, s.step)->trigger();
      } else if (!step.isEmpty()) {
        QTest::keyClicks(Memo(v), step);
      }
      QCOMPARE(Item(v, "KMessage")->text(), QString::fromLatin1(s.caption));
      QCOMPARE(v->Title(), QString::fromLatin1(s.title));
      QCOMPARE(Item(v, "KPrev")->isEnabled(), s.prev_enabled);
      QCOMPARE(Item(v, "KNext")->isEnabled(), s.next_enabled);
    }
    QCOMPARE(shown, (std::vector<int>{5, 10, 5, 0, 5}));
    QCOMPARE(Memo(v)->toPlainText(), Shown(BoxMessage(2)));

    // Writable, the letters are text.
    Item(v, "KEditReadOnly")->trigger();
    CaretAtStart(v);
    QTest::keyClicks(Memo(v), "nP");
    QVERIFY(Memo(v)->toPlainText().startsWith("nPFrom:"));
    QCOMPARE(Item(v, "KMessage")->text(), QString::fromLatin1("2/3"));
  }

  void OneHitHidesTheStepsAndIgnoresTheKeys() {
    TViewerHarness t;
    TViewForm* v = t.Open(1);
    for (const char* name : {"KMessage", "KPrev", "KNext"}) QVERIFY2(!Item(v, name)->isVisible(), name);
    const QString text = Memo(v)->toPlainText();
    QTest::keyClicks(Memo(v), "nNpP");
    QCOMPARE(Memo(v)->toPlainText(), text);
    QCOMPARE(v->Title(), QString::fromLatin1("Mail 1"));
  }

  void ReadOnlyToggledSurvivesANewViewer() {
    TViewerHarness t;
    TViewForm* first = t.Open(1);
    QVERIFY(Memo(first)->isReadOnly());
    Item(first, "KEditReadOnly")->trigger();
    bool closed = false;
    first->on_viewer_close = [&](TViewForm* v) { closed = v == first; };
    first->close();
    QVERIFY(closed);
    TViewForm* second = t.Open(1);
    QVERIFY(!Memo(second)->isReadOnly());
    // And on disk, for the next start.
    QVERIFY(t.FileBytes("C:\\Lorvane\\lorvane.ini").find("ReadOnly") != std::string::npos);
  }

  void QuotedCopyAndPasteUseTheMarkFromTheInputDialog() {
    TViewerHarness t;
    TViewForm* v = t.Open(1);
    Item(v, "KEditReadOnly")->trigger();
    Memo(v)->setPlainText("a\nb");
    Memo(v)->selectAll();
    Item(v, "KEditQuotedCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("> a\n> b"));
    QCOMPARE(Memo(v)->toPlainText(), QString("a\nb"));

    QString title, cancel;
    {
      TModalAnswers answers([&](QWidget* w) {
        title = w->windowTitle();
        cancel = w->findChild<QPushButton*>("CancelButton")->text();
        w->findChild<QLineEdit*>("Edit")->setText("| ");
        w->findChild<QPushButton*>("OKButton")->click();
      });
      Item(v, "KEditQuotationMark")->trigger();
    }
    QCOMPARE(title, QString::fromUtf8("  引用符の設定"));
    QCOMPARE(cancel, QString::fromUtf8("キャンセル"));
    Memo(v)->selectAll();
    Item(v, "KEditQuotedCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("| a\n| b"));

    // Pasted over the selection; the clipboard stays as it was.
    QApplication::clipboard()->setText("x\ny");
    Item(v, "KEditQuotedPaste")->trigger();
    QCOMPARE(Memo(v)->toPlainText(), QString("| x\n| y"));
    QCOMPARE(QApplication::clipboard()->text(), QString("x\ny"));
  }

  void InputDialogCaptionsAndCancel() {
    lorvane::SetInterfaceLanguage(false);
    lorvane::ui::TInputQueryDialog dialog(nullptr, QString(), "Name?", "v");
    QCOMPARE(dialog.windowTitle(), QString("  Lorvane"));
    QCOMPARE(dialog.findChild<QPushButton*>("OKButton")->text(), QString("OK"));
    QVERIFY(dialog.findChild<QPushButton*>("OKButton")->isDefault());
    QCOMPARE(dialog.findChild<QPushButton*>("CancelButton")->text(), QString("Cancel"));

    QString value = "kept";
    TModalAnswers answers([](QWidget* w) {
      w->findChild<QLineEdit*>("Edit")->setText("typed");
      w->findChild<QPushButton*>("CancelButton")->click();
    });
    QVERIFY(!lorvane::ui::InputQuery(nullptr, "T", "M", &value));
    QCOMPARE(value, QString("kept"));
  }

  void F3InASecondViewerRepeatsTheSearchOfTheFirst() {
    TViewerHarness t;
    TViewForm* first = t.Open(3);
    TViewForm* second = t.Open(3);
    second->ShowMail(2);
    {
      TModalAnswers answers([](QWidget* w) {
        w->findChild<QComboBox*>("ComboBox1")->setEditText("second");
        w->findChild<QPushButton*>("Button2")->click();
      });
      Item(first, "KSearchFind")->trigger();
    }
    QCOMPARE(Selected(first), QString("second"));
    QCOMPARE(Memo(first)->textCursor().block().blockNumber(), 4);

    CaretAtStart(second);
    Item(second, "KSearchNext")->trigger();
    QCOMPARE(Selected(second), QString("second"));

    QString not_found, caption;
    {
      TModalAnswers answers([&](QWidget* w) {
        not_found = qobject_cast<QMessageBox*>(w)->text();
        caption = w->windowTitle();
        Click(w, QMessageBox::Ok);
      });
      Item(second, "KSearchNext")->trigger();
    }
    QCOMPARE(not_found, QString::fromUtf8("\"second\" は見つかりませんでした。"));
    QCOMPARE(caption, QString::fromUtf8("検索／置き換え"));
    QCOMPARE(Selected(second), QString("second"));
  }

  void ReplaceAsksBeforeEachMatchEvenWhenReadOnly() {
    const struct {
      QMessageBox::StandardButton answer;
      const char* body;
    } cases[] = {
        {QMessageBox::No, "body line 1\nsecond line\n"},
        {QMessageBox::Yes, "body LINE 1\nsecond LINE\n"},
        {QMessageBox::Cancel, "body line 1\nsecond line\n"},
    };
    for (const auto& c : cases) {
      TViewerHarness t;
      StoreFindConditions(t.h.Ini(), "line", "LINE", true);
      TViewForm* v = t.Open(1);
      QVERIFY(Memo(v)->isReadOnly());
      CaretAtStart(v);
      int questions = 0, other_boxes = 0;
      {
        TModalAnswers answers([&](QWidget* w) {
          if (w->objectName() == "ConfirmReplace") {
            ++questions;
            Click(w, c.answer);
          } else {
            ++other_boxes;
            Click(w, QMessageBox::Ok);
          }
        });
        Item(v, "KSearchNext")->trigger();
      }
      QVERIFY(Memo(v)->toPlainText().endsWith(QString::fromLatin1(c.body)));
      QCOMPARE(questions, c.answer == QMessageBox::Cancel ? 1 : 2);
      QCOMPARE(other_boxes, 0);
    }
  }

  void BadRegularExpressionShowsItsMessage() {
    TViewerHarness t;
    lorvane::TSearchFormSettings s;
    s.find_history = {"a("};
    s.method = lorvane::kMethodFind;
    s.regexp = true;
    s.powerful = false;
    lorvane::WriteSearchFormSettings(t.h.Ini(), s);
    TViewForm* v = t.Open(1);
    QString message;
    {
      TModalAnswers answers([&](QWidget* w) {
        message = qobject_cast<QMessageBox*>(w)->text();
        Click(w, QMessageBox::Ok);
      });
      Item(v, "KSearchNext")->trigger();
    }
    QVERIFY2(message.endsWith(')'), qPrintable(message));  // the position, in brackets
  }

  void HighlightsWhereAPowerfulKeywordMatched() {
    const struct {
      bool powerful;
      int marks;
    } cases[] = {{true, 1}, {false, 0}};
    for (const auto& c : cases) {
      TViewerHarness t;
      THighlightKeywords keywords{Sjis("サーバ"), lorvane::mtAND, false, c.powerful, {}};
      TViewForm* v = t.Open(1, keywords, kServer);
      const QList<QTextEdit::ExtraSelection> marks = Memo(v)->extraSelections();
      QCOMPARE(marks.size(), c.marks);
      if (c.marks == 0) continue;
      QCOMPARE(marks[0].cursor.selectedText(), QString::fromUtf8("ｻｰﾊﾞ"));
      QVERIFY(marks[0].format.background().color() != Memo(v)->palette().color(QPalette::Base));
      CaretAtStart(v);
      Item(v, "KViewNextMatch")->trigger();
      QCOMPARE(Selected(v), QString::fromUtf8("ｻｰﾊﾞ"));
      Item(v, "KViewPrevMatch")->trigger();  // none before it: stays
      QCOMPARE(Selected(v), QString::fromUtf8("ｻｰﾊﾞ"));
    }
  }

  void OpensAtAMatchBelowTheFirstScreen() {
    const struct {
      const char* keyword;
      int caret_line;
      bool at_body;  // the body's first line at the top
    } cases[] = {{"サーバ", 203, false}, {"intro", 2, true}, {"nowhere", 2, true}};
    for (const auto& c : cases) {
      TViewerHarness t;
      THighlightKeywords keywords{Sjis(c.keyword), lorvane::mtAND, false, true, {}};
      TViewForm* v = t.Open(1, keywords, kFar);
      QCoreApplication::processEvents();
      QCOMPARE(Memo(v)->textCursor().block().blockNumber(), c.caret_line);
      QVERIFY(Memo(v)->viewport()->rect().contains(Memo(v)->cursorRect()));
      QCOMPARE(Memo(v)->verticalScrollBar()->value() == 2, c.at_body);
    }
  }

  void SaveAsRefusesTheStoreAndAsksBeforeReplacing() {
    TViewerHarness t;
    TViewForm* v = t.Open(1);
    const std::string store = t.FileBytes(kBox);
    const auto save_as = [&](const char* windows_path, QMessageBox::StandardButton answer) {
      QStringList boxes;
      const QString host = QString::fromStdString(*t.h.Platform().fs.ToHostPath(windows_path));
      TModalAnswers answers([&](QWidget* w) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
          // The dialog lists its directory in the background and then fills the name box
          // with its preset file: let it settle, then type the name as a user would.
          QTest::qWait(300);
          dialog->findChild<QLineEdit*>("fileNameEdit")->setText(host);
          static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, as OK runs it
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
          boxes << box->objectName();
          Click(box, box->button(answer) ? answer : QMessageBox::Ok);
        }
      });
      Item(v, "KFileSaveAs")->trigger();
      return boxes;
    };
    QCOMPARE(save_as(kBox, QMessageBox::Yes), QStringList{"MessageBox"});
    QCOMPARE(t.FileBytes(kBox), store);

    const char* const copy = "C:\\Mail\\copy.txt";
    QCOMPARE(save_as(copy, QMessageBox::Yes), QStringList{});
    QCOMPARE(t.FileBytes(copy), BoxMessage(1));
    QVERIFY(t.h.Platform().fs.ReplaceFile(copy, "old"));
    QCOMPARE(save_as(copy, QMessageBox::No), QStringList{"ConfirmReplaceFile"});
    QCOMPARE(t.FileBytes(copy), std::string("old"));
    QCOMPARE(save_as(copy, QMessageBox::Yes), QStringList{"ConfirmReplaceFile"});
    QCOMPARE(t.FileBytes(copy), BoxMessage(1));
  }
};

QTEST_MAIN(ViewFormTest)
#include "view_form_test.moc"
