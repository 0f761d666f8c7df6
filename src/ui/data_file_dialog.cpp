// The File menu's save and open dialogs. Qt's own overwrite prompt is replaced by ours so
// it speaks the interface's language and, on No, leaves the dialog open for another name,
// as the platform's save dialog does.
// Tested by tests/ui/alias_ui_test.cpp.

#include "ui/data_file_dialog.h"

#include <QFileInfo>
#include <QMessageBox>

#include "common/messages.h"
#include "common/windows_path.h"
#include "platform/file_system.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"

namespace lorvane::ui {

namespace {

const QString kDataFilter = QString::fromUtf8("データファイル (*.dat)");
const QString kAllFilter = QString::fromUtf8("すべてのファイル (*.*)");

// What the user picked in the core's Windows form, or the host path when no drive holds it.
std::string ShownPath(IFileSystem& fs, const QString& host) {
  return fs.FromHostPath(ToHostPath(host)).value_or(ToCore(host));
}

}  // namespace

TDataFileDialog::TDataFileDialog(QWidget* owner, IFileSystem& fs, bool save)
    : QFileDialog(owner, FromCore(Text(save ? msg::kSaveDialogTitle : msg::kOpenDialogTitle))),
      fs_(fs),
      save_(save) {
  setObjectName(save ? "SaveDialog1" : "OpenDialog1");
  setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  setNameFilters({kDataFilter, kAllFilter});
  selectNameFilter(kDataFilter);
  setDefaultSuffix("dat");
  connect(this, &QFileDialog::filterSelected, this,
          [this](const QString& filter) { setDefaultSuffix(filter == kDataFilter ? "dat" : ""); });
  if (const std::optional<std::string> home = fs_.ToHostPath(ExtractFilePath(fs_.ProgramPath()))) {
    setDirectory(FromHostPath(*home));
  }
}

void TDataFileDialog::accept() {
  const QStringList files = selectedFiles();  // the default suffix already added
  if (save_ && !files.isEmpty()) {
    const QFileInfo chosen(files.front());
    if (chosen.exists() && !chosen.isDir()) {
      QMessageBox box(QMessageBox::Warning, windowTitle(),
                      FromCore(Format(msg::kSaveAsReplace, {ShownPath(fs_, files.front())})),
                      QMessageBox::Yes | QMessageBox::No, this);
      box.setObjectName("ConfirmReplaceFile");
      box.setDefaultButton(QMessageBox::No);
      if (box.exec() != QMessageBox::Yes) return;
    }
  }
  QFileDialog::accept();
}

std::optional<std::string> AskDataFile(QWidget* owner, IFileSystem& fs, bool save) {
  TDataFileDialog dialog(owner, fs, save);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString host = dialog.selectedFiles().front();
  const std::optional<std::string> path = fs.FromHostPath(ToHostPath(host));
  if (!path) {
    const std::string shown = ToCore(host);
    ShowWarning(owner,
                save ? Format(msg::kSaveAsFailed, {shown, ""}) : Format(msg::kCannotOpen, {shown}),
                std::string(Text(msg::kErrorCaption)));
  }
  return path;
}

}  // namespace lorvane::ui
