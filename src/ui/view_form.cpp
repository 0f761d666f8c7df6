// The viewer window: creation from its settings, loading a message (text, title, body
// line, highlights, where to scroll), stepping through the result, activation and
// closing, and the Edit and View commands. Menus are built in view_form_menus.cpp, find
// and replace runs in view_form_find.cpp. What a message looks like once loaded, the
// highlight spans and quoting are core functions with core tests. Tested by
// tests/ui/view_form_test.cpp.

#include "ui/view_form.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "common/messages.h"
#include "common/quoted_lines.h"
#include "common/text_positions.h"
#include "mail/save_as_check.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "persist/viewer_settings.h"
#include "platform/platform.h"
#include "search/awk_str.h"
#include "search/highlight.h"
#include "ui/input_query_dialog.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/window_settings.h"

namespace lorvane::ui {

namespace {

constexpr QRect kDesignGeometry(60, 60, 628, 389);
constexpr int kDesignFontSize = 10;
// Lines shown above a highlight that the window opens at, so it is seen in its context.
constexpr int kMatchContextLines = 2;
const QColor kHighlightColour(255, 226, 110);

// Windows colour values are 0x00BBGGRR; negative ones name system colours, which the
// designed colour stands for here.
QColor FromWindowsColour(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
int ToWindowsColour(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// Text areas break lines with "\n" (and U+2029 in a selection); the core's texts with CR LF.
std::string WithCrLf(QString text) {
  text.replace(QChar(0x2029), QChar('\n'));
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToCore(text);
}
QString WithLf(const std::string& cp932) {
  QString text = FromCore(cp932);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

}  // namespace

TViewForm::TViewForm(const TViewerContext& context, const THighlightKeywords& keywords,
                     QWidget* owner)
    : QMainWindow(owner, Qt::Window),
      platform_(context.platform),
      ini_(context.ini),
      reader_(context.reader),
      scope_(keywords.scope) {
  setObjectName("ViewForm");
  query_.SetMethod(keywords.method);
  query_.SetCondition(keywords.pattern, keywords.regexp, keywords.powerful);

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setContextMenuPolicy(Qt::CustomContextMenu);
  memo_->installEventFilter(this);
  setCentralWidget(memo_);

  BuildMenus();
  BuildPopupMenu();

  setGeometry(kDesignGeometry);
  ReadWindowPlacement(ini_, keys::kViewForm, this);
  TFontData font;
  font.size = kDesignFontSize;
  ReadViewerFont(ini_, &font);
  memo_->setFont(ToQFont(font));
  const TViewerSettings settings = ReadViewerSettings(ini_);
  if (settings.background && *settings.background >= 0) ApplyBackground(*settings.background);
  ApplyReadOnly(settings.read_only);
  setWindowTitle(QStringLiteral("Filename: "));
}

TViewForm::~TViewForm() = default;

void TViewForm::AddMail(const std::string& file, int32_t first, int32_t last) {
  messages_.AddMail(file, first, last);
  const bool shown = messages_.ShowsNavigation();
  message_->setVisible(shown);
  prev_->setVisible(shown);
  next_->setVisible(shown);
}

void TViewForm::ShowMail(int index) {
  if (!messages_.SetIndex(index)) return;
  LoadCurrent();
}

QString TViewForm::Title() const {
  return windowTitle();
}

void TViewForm::LoadCurrent() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TMail mail = messages_.Current();
  file_name_ = mail.FileName;
  const TViewedMessage page = LoadViewedMessage(reader_, mail, ReadViewerSettings(ini_).limit_32kb);
  SetText(page.text);

  message_->setText(FromCore(messages_.PositionCaption()));
  prev_->setEnabled(messages_.HasPrevious());
  next_->setEnabled(messages_.HasNext());
  // Their shortcuts work with the View menu closed, so they follow at once.
  view_prev_->setEnabled(prev_->isEnabled());
  view_next_->setEnabled(next_->isEnabled());

  const TTextPositions positions(page.text);
  body_line_ = page.body_line;
  body_position_ = static_cast<int>(positions.ToWidget(page.body_offset));
  match_position_ = -1;
  const std::vector<TTextSpan> spans = HighlightSpans(query_, page.text);
  if (const std::optional<TTextSpan> first = FirstSpanInScope(spans, page.text, scope_)) {
    match_position_ = static_cast<int>(positions.ToWidget(first->offset));
  }
  scroll_pending_ = true;
  if (isVisible()) ApplyScroll();

  setWindowTitle(FromCore(page.title));
  QApplication::restoreOverrideCursor();
  if (!page.error.empty()) ShowWarning(this, page.error, std::string(Text(msg::kErrorCaption)));
  NotifyShown();
}

void TViewForm::SetText(const std::string& text) {
  memo_->setPlainText(FromCore(text));
  Highlight(text);
}

void TViewForm::Highlight(const std::string& text) {
  const TTextPositions positions(text);
  QList<QTextEdit::ExtraSelection> marks;
  for (const TTextSpan& span : HighlightSpans(query_, text)) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(memo_->document());
    mark.cursor.setPosition(static_cast<int>(positions.ToWidget(span.offset)));
    mark.cursor.setPosition(static_cast<int>(positions.ToWidget(span.offset + span.length)),
                            QTextCursor::KeepAnchor);
    mark.format.setBackground(kHighlightColour);
    mark.format.setForeground(Qt::black);
    marks.append(mark);
  }
  memo_->setExtraSelections(marks);
  next_match_->setEnabled(!marks.isEmpty());
  prev_match_->setEnabled(!marks.isEmpty());
}

// The body's first line at the top with the caret on it, unless the first highlight of
// the searched scope would then be off screen: then that highlight, a little below the top.
void TViewForm::ApplyScroll() {
  scroll_pending_ = false;
  const int line_height = std::max(1, memo_->fontMetrics().lineSpacing());
  const int screen_lines = std::max(1, memo_->viewport()->height() / line_height);
  const int body_line = std::max(0, body_line_);
  int caret = body_line_ >= 0 ? body_position_ : 0;
  int top = body_line_ >= 0 ? body_line_ : 0;
  if (match_position_ >= 0) {
    const int match_line = memo_->document()->findBlock(match_position_).blockNumber();
    if (match_line < body_line || match_line >= body_line + screen_lines) {
      caret = match_position_;
      top = std::max(0, match_line - kMatchContextLines);
    }
  }
  QTextCursor cursor(memo_->document());
  cursor.setPosition(caret);
  memo_->setTextCursor(cursor);
  memo_->verticalScrollBar()->setValue(top);
  memo_->horizontalScrollBar()->setValue(0);
}

void TViewForm::MoveToMatch(bool next) {
  std::vector<TTextSpan> spans;
  for (const QTextEdit::ExtraSelection& mark : memo_->extraSelections()) {
    const auto start = static_cast<size_t>(mark.cursor.selectionStart());
    spans.push_back({start, static_cast<size_t>(mark.cursor.selectionEnd()) - start});
  }
  const auto caret = static_cast<size_t>(memo_->textCursor().selectionStart());
  const std::optional<TTextSpan> target = next ? NextSpan(spans, caret) : PreviousSpan(spans, caret);
  if (!target) return;
  QTextCursor cursor(memo_->document());
  cursor.setPosition(static_cast<int>(target->offset));
  cursor.setPosition(static_cast<int>(target->offset + target->length), QTextCursor::KeepAnchor);
  memo_->setTextCursor(cursor);
  memo_->ensureCursorVisible();
}

void TViewForm::SelectBytes(const std::string& text, size_t start, size_t length) {
  const TTextPositions positions(text);
  QTextCursor cursor(memo_->document());
  cursor.setPosition(static_cast<int>(positions.ToWidget(start)));
  cursor.setPosition(static_cast<int>(positions.ToWidget(start + length)), QTextCursor::KeepAnchor);
  memo_->setTextCursor(cursor);
  memo_->ensureCursorVisible();
}

std::string TViewForm::TextBytes() const {
  return WithCrLf(memo_->toPlainText());
}

std::string TViewForm::SelectionBytes() const {
  return WithCrLf(memo_->textCursor().selectedText());
}

bool TViewForm::Writable() const {
  return !memo_->isReadOnly();
}

void TViewForm::Step(int delta) {
  const int target = messages_.Index() + delta;
  if (target < 0 || target >= messages_.Count()) return;
  ShowMail(target);
}

void TViewForm::NotifyShown() {
  if (on_mail_shown) on_mail_shown(file_name_, messages_.Current().First);
}

void TViewForm::ApplyReadOnly(bool read_only) {
  memo_->setReadOnly(read_only);
  // Read-only still moves the caret and selects by keyboard, as a read-only edit box does.
  if (read_only) {
    memo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  read_only_->setChecked(read_only);
}

void TViewForm::ApplyBackground(int windows_colour) {
  QPalette palette = memo_->palette();
  palette.setColor(QPalette::Base, FromWindowsColour(windows_colour));
  memo_->setPalette(palette);
}

// --- window events --------------------------------------------------------------------

void TViewForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (scroll_pending_) ApplyScroll();
}

void TViewForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    if (messages_.Count() > 0) NotifyShown();
  } else {
    WriteWindowPlacement(ini_, keys::kViewForm, this);
  }
}

void TViewForm::closeEvent(QCloseEvent* event) {
  WriteWindowPlacement(ini_, keys::kViewForm, this);
  event->accept();
  if (on_viewer_close) on_viewer_close(this);
  deleteLater();
}

// P and N step through the result while the text cannot be typed into.
bool TViewForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == memo_ && event->type() == QEvent::KeyPress && memo_->isReadOnly()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
      if (key->key() == Qt::Key_P) {
        if (messages_.HasPrevious()) Step(-1);
        return true;
      }
      if (key->key() == Qt::Key_N) {
        if (messages_.HasNext()) Step(1);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- the Edit and View commands ---------------------------------------------------------

void TViewForm::QuotedCopy() {
  const std::string selection = SelectionBytes();
  if (selection.empty()) return;
  const std::string mark = ReadViewerSettings(ini_).quotation_mark;
  QApplication::clipboard()->setText(WithLf(QuoteLines(selection, mark)));
}

void TViewForm::QuotedPaste() {
  if (!Writable()) return;
  const QString clipboard = QApplication::clipboard()->text();
  if (clipboard.isEmpty()) return;
  const std::string mark = ReadViewerSettings(ini_).quotation_mark;
  memo_->textCursor().insertText(WithLf(QuoteLines(WithCrLf(clipboard), mark)));
}

void TViewForm::SetQuotationMark() {
  QString mark = FromCore(ReadViewerSettings(ini_).quotation_mark);
  if (!InputQuery(this, QString::fromUtf8("引用符の設定"),
                  QString::fromUtf8("引用符付きのコピーや貼り付けで使用する引用符を決めて下さい。"),
                  &mark)) {
    return;
  }
  WriteQuotationMark(ini_, ToCore(mark));
  UpdateSettingsFile(ini_, this);
}

void TViewForm::ToggleReadOnly() {
  const bool read_only = !memo_->isReadOnly();
  ApplyReadOnly(read_only);
  WriteViewerReadOnly(ini_, read_only);
  UpdateSettingsFile(ini_, this);
}

void TViewForm::ChooseFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, memo_->font(), this, QString(),
                                            QFontDialog::DontUseNativeDialog);
  if (!ok) return;
  memo_->setFont(chosen);
  WriteViewerFont(ini_, FromQFont(chosen));
  UpdateSettingsFile(ini_, this);
}

void TViewForm::ChooseBackground() {
  const QColor chosen = QColorDialog::getColor(memo_->palette().color(QPalette::Base), this,
                                               QString(), QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return;
  const int value = ToWindowsColour(chosen);
  ApplyBackground(value);
  WriteViewerBackground(ini_, value);
  UpdateSettingsFile(ini_, this);
}

// The dialog starts at the message's own file; CheckSaveAs keeps that store from being
// replaced, and any other existing file is replaced only on Yes (not by Qt's own prompt,
// which would ask before our refusal).
void TViewForm::SaveAs() {
  QFileDialog dialog(this, QString::fromUtf8("名前を付けて保存"));
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  if (const std::optional<std::string> host = platform_.fs.ToHostPath(file_name_)) {
    dialog.selectFile(FromHostPath(*host));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string host = ToHostPath(dialog.selectedFiles().front());
  const std::optional<std::string> chosen = platform_.fs.FromHostPath(host);
  const std::string caption(Text(msg::kErrorCaption));
  if (!chosen) {
    ShowWarning(this, Format(msg::kSaveAsFailed, {ToCore(dialog.selectedFiles().front()), ""}),
                caption);
    return;
  }
  switch (CheckSaveAs(platform_.fs, *chosen, messages_.Current().FileName)) {
    case scRefuseStore:
      ShowWarning(this, Format(msg::kSaveAsStoreFile, {*chosen}), caption);
      return;
    case scConfirmReplace: {
      QMessageBox box(QMessageBox::Question, dialog.windowTitle(),
                      FromCore(Format(msg::kSaveAsReplace, {*chosen})),
                      QMessageBox::Yes | QMessageBox::No, this);
      box.setObjectName("ConfirmReplaceFile");
      box.setDefaultButton(QMessageBox::No);
      if (box.exec() != QMessageBox::Yes) return;
      break;
    }
    case scWrite:
      break;
  }
  std::string bytes = TextBytes();
  if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";  // every line ends
  std::string error;
  if (!platform_.fs.ReplaceFile(*chosen, bytes, &error)) {
    ShowWarning(this, Format(msg::kSaveAsFailed, {*chosen, error}), caption);
    return;
  }
  file_name_ = *chosen;
}

}  // namespace lorvane::ui
