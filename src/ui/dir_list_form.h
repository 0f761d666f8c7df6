#pragma once
// TDirListForm: the list of the user's directories of saved mail, each with a check box
// for its sub-directories, edited in memory and written to the settings on OK only.

#include <QAbstractListModel>
#include <QDialog>
#include <functional>

#include "persist/directory_list.h"

class QListView;
class QPushButton;

namespace lorvane {
class IFileSystem;
class TIniFile;
}  // namespace lorvane

namespace lorvane::ui {

class TDirectoryListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TDirectoryListModel(TDirectoryList& list, QObject* parent = nullptr)
      : QAbstractListModel(parent), list_(list) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void Reload();

 private:
  TDirectoryList& list_;
};

class TDirListForm : public QDialog {
  Q_OBJECT

 public:
  // `choose` asks for a directory, starting at the given one ("" for none); it gives the
  // chosen one in drive-letter form, or nothing when cancelled. Tests replace the dialog.
  using TChooser = std::function<std::optional<std::string>(const std::string& start)>;

  TDirListForm(IFileSystem& fs, TIniFile& ini, QWidget* parent = nullptr);
  void SetChooser(TChooser choose) { choose_ = std::move(choose); }
  const TDirectoryList& List() const { return list_; }

 protected:
  void done(int result) override;

 private:
  int Selected() const;
  void Select(int row);
  void UpdateButtons();
  void EditLine(int row);

  IFileSystem& fs_;
  TIniFile& ini_;
  TDirectoryList list_;
  TDirectoryListModel* model_;
  QListView* view_;
  QPushButton* insert_;
  QPushButton* edit_;
  QPushButton* delete_;
  TChooser choose_;
};

}  // namespace lorvane::ui
