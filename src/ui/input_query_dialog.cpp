// The one-line input dialog shared by the viewer (the quotation mark) and the folder
// selections. Button captions come from the message table. Tested by
// tests/ui/view_form_test.cpp.

#include "ui/input_query_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/messages.h"
#include "ui/qt_text.h"

namespace lorvane::ui {

namespace {
constexpr const char* kProgramTitle = "Lorvane";
}

TInputQueryDialog::TInputQueryDialog(QWidget* owner, const QString& title,
                                     const QString& message, const QString& value)
    : QDialog(owner) {
  setObjectName("InputQueryDialog");
  setWindowTitle(QStringLiteral("  ") +
                 (title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title));
  label_ = new QLabel(message, this);
  label_->setObjectName("Prompt");
  label_->setWordWrap(true);
  edit_ = new QLineEdit(value, this);
  edit_->setObjectName("Edit");
  edit_->selectAll();
  label_->setBuddy(edit_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(FromCore(Text(msg::kOk)), QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(FromCore(Text(msg::kCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName("CancelButton");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

QString TInputQueryDialog::Value() const {
  return edit_->text();
}

bool InputQuery(QWidget* owner, const QString& title, const QString& message, QString* value) {
  TInputQueryDialog dialog(owner, title, message, *value);
  if (dialog.exec() != QDialog::Accepted) return false;
  *value = dialog.Value();
  return true;
}

}  // namespace lorvane::ui
