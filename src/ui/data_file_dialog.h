#pragma once
// The file dialogs of the File menu: Qt's own (so the keyboard and tests can drive it),
// the filters "データファイル (*.dat)" and "すべてのファイル (*.*)", an empty file name,
// ".dat" added to a bare name while the first filter is chosen, Save asking before it
// replaces a file and Open taking existing files only.

#include <QFileDialog>
#include <optional>
#include <string>

namespace lorvane {
class IFileSystem;
}

namespace lorvane::ui {

class TDataFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  TDataFileDialog(QWidget* owner, IFileSystem& fs, bool save);

 protected:
  void accept() override;

 private:
  IFileSystem& fs_;
  bool save_;
};

// The chosen file as a Windows path, or nullopt when cancelled. A file on no drive is
// reported and counts as cancelled.
std::optional<std::string> AskDataFile(QWidget* owner, IFileSystem& fs, bool save);

}  // namespace lorvane::ui
