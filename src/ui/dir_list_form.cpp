// The directory list dialog: the core's TDirectoryList behind a list of check boxes, the
// four edit buttons, and TDirForm to choose each directory.

#include "ui/dir_list_form.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "persist/ini_file.h"
#include "ui/button_pair_panel.h"
#include "ui/dir_form.h"
#include "ui/qt_text.h"
#include "ui/window_settings.h"

namespace lorvane::ui {

namespace {
constexpr const char* kSection = "DirListForm";
}  // namespace

int TDirectoryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.Count();
}

QVariant TDirectoryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.Count()) return {};
  const TDirectoryLine& line = list_.Lines()[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) return FromCore(line.path);
  if (role == Qt::CheckStateRole) return line.recursive ? Qt::Checked : Qt::Unchecked;
  return {};
}

bool TDirectoryListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::CheckStateRole) return false;
  list_.SetRecursive(index.row(), value.toInt() == Qt::Checked);
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

Qt::ItemFlags TDirectoryListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void TDirectoryListModel::Reload() {
  beginResetModel();
  endResetModel();
}

TDirListForm::TDirListForm(IFileSystem& fs, TIniFile& ini, QWidget* parent)
    : QDialog(parent), fs_(fs), ini_(ini), list_(TDirectoryList::Load(ini)) {
  setObjectName(kSection);
  setWindowTitle(QStringLiteral("ディレクトリ　リスト"));
  resize(460, 260);

  model_ = new TDirectoryListModel(list_, this);
  view_ = new QListView;
  view_->setObjectName("CheckListBox1");
  view_->setModel(model_);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const QString hint = QStringLiteral("チェックを付けると、サブディレクトリもツリーに入れます");
  view_->setToolTip(hint);
  view_->setAccessibleName(windowTitle());
  view_->setAccessibleDescription(hint);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { UpdateButtons(); });
  connect(view_, &QListView::clicked, this, [this] { UpdateButtons(); });

  auto button = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  insert_ = button("Button3", QStringLiteral("挿入"));
  QPushButton* add = button("Button4", QStringLiteral("追加"));
  edit_ = button("Button5", QStringLiteral("編集"));
  delete_ = button("Button6", QStringLiteral("削除"));
  connect(insert_, &QPushButton::clicked, this, [this] {
    const int row = list_.Insert(Selected());
    model_->Reload();
    EditLine(row);
  });
  connect(add, &QPushButton::clicked, this, [this] {
    const int row = list_.Add();
    model_->Reload();
    EditLine(row);
  });
  connect(edit_, &QPushButton::clicked, this, [this] { EditLine(Selected()); });
  connect(delete_, &QPushButton::clicked, this, [this] {
    list_.Delete(Selected());
    model_->Reload();
    UpdateButtons();
  });

  auto* side = new QWidget;
  side->setObjectName("Panel2");
  auto* side_layout = new QVBoxLayout(side);
  for (QPushButton* b : {insert_, add, edit_, delete_}) side_layout->addWidget(b);
  side_layout->addStretch(1);

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
  cancel->setObjectName("Button2");
  connect(ok, &QPushButton::clicked, this, [this] {
    list_.Save(ini_);
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new TButtonPairPanel("Panel1", ok, cancel);

  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->addWidget(view_, 1);
  middle->addWidget(side);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(middle, 1);
  layout->addWidget(bottom);

  choose_ = [this](const std::string& start) -> std::optional<std::string> {
    TDirForm form(fs_, ini_, this);
    form.SetDirectory(start);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    std::string chosen = form.Directory();
    if (chosen.empty()) return std::nullopt;
    return chosen;
  };
  ReadWindowPlacement(ini_, kSection, this);
  UpdateButtons();
}

int TDirListForm::Selected() const {
  const QModelIndex current = view_->currentIndex();
  return current.isValid() && view_->selectionModel()->isSelected(current) ? current.row() : -1;
}

void TDirListForm::Select(int row) {
  if (row < 0 || row >= list_.Count()) return;
  view_->setCurrentIndex(model_->index(row));
}

void TDirListForm::UpdateButtons() {
  const bool selected = TDirectoryList::CanEdit(Selected(), list_.Count());
  insert_->setEnabled(selected);
  edit_->setEnabled(selected);
  delete_->setEnabled(selected);
}

void TDirListForm::EditLine(int row) {
  if (row < 0 || row >= list_.Count()) return;
  Select(row);
  const std::optional<std::string> chosen = choose_(list_.Lines()[static_cast<size_t>(row)].path);
  const int count = list_.Count();
  if (chosen) {
    list_.SetPath(row, *chosen);
  } else {
    list_.DropIfEmpty(row);
  }
  model_->Reload();
  if (list_.Count() == count) Select(row);  // a dropped line leaves nothing selected
  UpdateButtons();
}

void TDirListForm::done(int result) {
  WriteWindowPlacement(ini_, kSection, this);
  QDialog::done(result);
}

}  // namespace lorvane::ui
