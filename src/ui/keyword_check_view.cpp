// The keyword-check box: the query's rendering appended run by run in its colours.

#include "ui/keyword_check_view.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include "ui/qt_text.h"

namespace lorvane::ui {

TKeywordCheckView::TKeywordCheckView(QWidget* parent) : QTextEdit(parent) {
  setObjectName("edKeywordCheck");
  setReadOnly(true);
  setLineWrapMode(QTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAcceptRichText(false);
  setTabChangesFocus(true);
  document()->setDocumentMargin(2);
}

void TKeywordCheckView::Clear() {
  clear();
}

void TKeywordCheckView::Append(std::string_view text, TRunColour colour) {
  QTextCharFormat format;
  format.setForeground(colour == rcBlue ? QColor(0, 0, 255)
                       : colour == rcRed ? QColor(255, 0, 0)
                                         : QColor(0, 0, 0));
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  // A line break in a keyword would start a second line the box cannot show.
  QString piece = FromCore(text);
  piece.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  cursor.insertText(piece, format);
}

}  // namespace lorvane::ui
