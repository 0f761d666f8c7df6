// Qt dialogs for the core's user-dialog interface. The file dialog works in host paths;
// what the user picks is mapped back to the core's drive-letter form.

#include "ui/qt_user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "platform/file_system.h"
#include "ui/qt_text.h"

namespace lorvane::ui {

void ShowWarning(QWidget* owner, const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Warning, FromCore(caption), FromCore(text), QMessageBox::Ok, owner);
  box.setObjectName("MessageBox");
  box.exec();
}

std::optional<std::string> TQtUserDialogs::OpenFile(const std::string& title,
                                                    const std::string& preset) {
  QFileDialog dialog(owner_, FromCore(title));
  dialog.setObjectName("OpenDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (const std::optional<std::string> c = fs_.ToHostPath("C:\\")) {
    dialog.setDirectory(FromHostPath(*c));
  }
  dialog.selectFile(FromCore(preset));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return fs_.FromHostPath(ToHostPath(dialog.selectedFiles().front()));
}

void TQtUserDialogs::ShowMessage(const std::string& text, const std::string& caption) {
  ShowWarning(owner_, text, caption);
}

}  // namespace lorvane::ui
