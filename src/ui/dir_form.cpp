// The directory chooser. The drive letters are those the platform maps (a Wine prefix's
// dosdevices on POSIX); the tree shows the host directories behind the chosen drive.

#include "ui/dir_form.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/mbstring.h"
#include "platform/file_system.h"
#include "ui/button_pair_panel.h"
#include "ui/qt_text.h"
#include "ui/window_settings.h"

namespace lorvane::ui {

namespace {
constexpr const char* kSection = "DirForm";
}  // namespace

TDirForm::TDirForm(IFileSystem& fs, TIniFile& ini, QWidget* parent)
    : QDialog(parent), fs_(fs), ini_(ini) {
  setObjectName(kSection);
  setWindowTitle(QStringLiteral("ディレクトリ"));
  resize(320, 360);

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setReadOnly(true);
  tree_ = new QTreeView(this);
  tree_->setObjectName("DirectoryListBox1");
  tree_->setModel(model_);
  tree_->setHeaderHidden(true);
  for (int c = 1; c < model_->columnCount(); ++c) tree_->hideColumn(c);
  tree_->setAccessibleName(windowTitle());

  drives_ = new QComboBox;
  drives_->setObjectName("DriveComboBox1");
  drives_->setAccessibleName(QStringLiteral("ドライブ"));
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    const std::optional<std::string> host = fs_.ToHostPath(root);
    if (host && fs_.IsDirectory(root)) {
      drives_->addItem(QString(QChar(letter)).toLower() + QLatin1Char(':'), FromHostPath(*host));
    }
  }
  connect(drives_, &QComboBox::currentIndexChanged, this, [this](int i) { ShowDrive(i); });

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
  cancel->setObjectName("Button2");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* panel = new TButtonPairPanel("Panel1", ok, cancel, drives_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tree_, 1);
  layout->addWidget(panel);

  ReadWindowPlacement(ini_, kSection, this);
  ShowDrive(drives_->currentIndex());
}

TDirForm::~TDirForm() = default;

void TDirForm::ShowDrive(int drive_index) {
  if (drive_index < 0) return;
  const QString root = drives_->itemData(drive_index).toString();
  tree_->setRootIndex(model_->setRootPath(root));
  tree_->setCurrentIndex(tree_->rootIndex());
}

void TDirForm::SetDirectory(const std::string& path) {
  if (path.empty()) return;
  const QString letter = FromCore(path.substr(0, 1)).toLower() + QLatin1Char(':');
  const int drive = drives_->findText(letter);
  if (drive >= 0) drives_->setCurrentIndex(drive);
  if (const std::optional<std::string> host = fs_.ToHostPath(path)) {
    const QModelIndex index = model_->index(FromHostPath(*host));
    if (index.isValid()) {
      tree_->setCurrentIndex(index);
      tree_->scrollTo(index);
    }
  }
}

std::string TDirForm::Directory() const {
  QModelIndex index = tree_->currentIndex();
  if (!index.isValid()) index = tree_->rootIndex();
  const QString host = model_->filePath(index);
  if (host.isEmpty()) return {};
  const std::optional<std::string> path = fs_.FromHostPath(ToHostPath(host));
  return path ? *path : std::string();
}

void TDirForm::done(int result) {
  WriteWindowPlacement(ini_, kSection, this);
  QDialog::done(result);
}

}  // namespace lorvane::ui
