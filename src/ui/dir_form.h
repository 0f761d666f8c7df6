#pragma once
// TDirForm: picks one directory, from a drive selector (the drive letters that exist) and
// the directory tree of the chosen drive. Returns the core's drive-letter form.

#include <QDialog>
#include <string>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace lorvane {
class IFileSystem;
class TIniFile;
}  // namespace lorvane

namespace lorvane::ui {

class TDirForm : public QDialog {
  Q_OBJECT

 public:
  TDirForm(IFileSystem& fs, TIniFile& ini, QWidget* parent = nullptr);
  ~TDirForm() override;

  // Shows `path` ("C:\Mail\"): its drive in the selector and the directory selected.
  void SetDirectory(const std::string& path);
  // The directory selected, in drive-letter form; empty when none maps to a drive.
  std::string Directory() const;

 protected:
  void done(int result) override;

 private:
  void ShowDrive(int drive_index);

  IFileSystem& fs_;
  TIniFile& ini_;
  QComboBox* drives_;
  QTreeView* tree_;
  QFileSystemModel* model_;
};

}  // namespace lorvane::ui
