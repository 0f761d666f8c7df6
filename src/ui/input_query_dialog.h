#pragma once
// The one-line input dialog: a message, an edit box holding the current value, "OK" (the
// default) and a cancel button. Its title is two blanks and the given title, or the
// program's title when none is given.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace lorvane::ui {

class TInputQueryDialog : public QDialog {
  Q_OBJECT

 public:
  TInputQueryDialog(QWidget* owner, const QString& title, const QString& message,
                    const QString& value);
  QString Value() const;

 private:
  QLabel* label_ = nullptr;
  QLineEdit* edit_ = nullptr;
};

// True and the edited text in `value` on OK; false and `value` unchanged otherwise.
bool InputQuery(QWidget* owner, const QString& title, const QString& message, QString* value);

}  // namespace lorvane::ui
