// The folder tree's model, drawing and mouse handling. Rows of a node among its siblings are
// indexed once per rebuild: the core's nodes know their parent but not their position.

#include "ui/folder_tree_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "mail/folder_checks.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

namespace lorvane::ui {

namespace {
constexpr int kStateIconWidth = 18;  // the 16-pixel image and a gap
}  // namespace

TFolderTreeModel::TFolderTreeModel(TFolderTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {}

TFolder* TFolderTreeModel::FolderOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<TFolder*>(index.internalPointer()) : nullptr;
}

TFolder* TFolderTreeModel::Child(const QModelIndex& parent, int row) const {
  if (!parent.isValid()) return tree_.Mailer(row);
  const TFolder* folder = FolderOf(parent);
  return folder ? folder->Child(row) : nullptr;
}

QModelIndex TFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0) return {};
  TFolder* child = Child(parent, row);
  return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex TFolderTreeModel::parent(const QModelIndex& child) const {
  const TFolder* folder = FolderOf(child);
  if (!folder || !folder->Parent()) return {};
  return IndexOf(folder->Parent());
}

QModelIndex TFolderTreeModel::IndexOf(const TFolder* folder) const {
  if (!folder) return {};
  const auto row = rows_.find(folder);
  if (row == rows_.end()) return {};
  return createIndex(row->second, 0, const_cast<TFolder*>(folder));
}

int TFolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return tree_.MailerCount();
  const TFolder* folder = FolderOf(parent);
  return folder ? folder->ChildCount() : 0;
}

int TFolderTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant TFolderTreeModel::data(const QModelIndex& index, int role) const {
  const TFolder* folder = FolderOf(index);
  if (!folder) return {};
  switch (role) {
    case Qt::DisplayRole:
      return FromCore(folder->Caption());
    case Qt::DecorationRole:
      return NodeIcon(folder->ImageIndex());
    case Qt::CheckStateRole:
      return folder->ShownState() % 2 == 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleDescriptionRole:
      return FromCore(CheckStateDescription(folder->ShownState()));
    case kShownStateRole:
      return folder->ShownState();
    default:
      return {};
  }
}

Qt::ItemFlags TFolderTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void TFolderTreeModel::BeginRebuild() {
  beginResetModel();
  rows_.clear();
}

void TFolderTreeModel::EndRebuild() {
  std::vector<const TFolder*> stack;
  for (int i = 0; i < tree_.MailerCount(); ++i) {
    rows_[tree_.Mailer(i)] = i;
    stack.push_back(tree_.Mailer(i));
  }
  while (!stack.empty()) {
    const TFolder* node = stack.back();
    stack.pop_back();
    for (int i = 0; i < node->ChildCount(); ++i) {
      rows_[node->Child(i)] = i;
      stack.push_back(node->Child(i));
    }
  }
  endResetModel();
}

void TFolderTreeModel::StatesChanged() {
  // A state change can alter what a whole subtree shows; the view repaints what is visible.
  emit layoutAboutToBeChanged();
  emit layoutChanged();
}

QRect TFolderTreeDelegate::StateIconRect(const QRect& item_rect) {
  return {item_rect.left(), item_rect.top() + (item_rect.height() - 16) / 2, 16, 16};
}

void TFolderTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const int state = index.data(TFolderTreeModel::kShownStateRole).toInt();
  StateIcon(state).paint(painter, StateIconRect(option.rect));
  QStyleOptionViewItem rest = option;
  initStyleOption(&rest, index);
  rest.features &= ~QStyleOptionViewItem::HasCheckIndicator;
  rest.rect = option.rect.adjusted(kStateIconWidth, 0, 0, 0);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &rest, painter, widget);
}

QSize TFolderTreeDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  plain.features &= ~QStyleOptionViewItem::HasCheckIndicator;
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &plain, QSize(), widget);
  size.rwidth() += kStateIconWidth;
  size.setHeight(std::max(size.height(), 18));
  return size;
}

TFolderTreeView::TFolderTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName("TreeView1");
  setHeaderHidden(true);
  setIndentation(19);
  setIconSize(QSize(16, 16));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setExpandsOnDoubleClick(true);
  setItemDelegate(new TFolderTreeDelegate(this));
  setUniformRowHeights(true);
}

void TFolderTreeView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  pressed_ = index;
  pressed_on_state_ =
      index.isValid() &&
      TFolderTreeDelegate::StateIconRect(visualRect(index)).contains(event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    if (index.isValid()) setCurrentIndex(index);
    event->accept();
    if (index.isValid()) emit ContextMenuWanted(index, event->globalPosition().toPoint());
    return;
  }
  QTreeView::mousePressEvent(event);
}

void TFolderTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index == pressed_ && pressed_on_state_ &&
      TFolderTreeDelegate::StateIconRect(visualRect(index)).contains(event->position().toPoint())) {
    emit StateIconClicked(index);
  }
  emit TreeClicked();
}

void TFolderTreeView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
    emit StateIconClicked(currentIndex());
    emit TreeClicked();
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void TFolderTreeView::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse's right button is handled on press; this is the keyboard's menu key.
  if (event->reason() == QContextMenuEvent::Mouse) return;
  const QModelIndex index = currentIndex();
  if (index.isValid()) emit ContextMenuWanted(index, viewport()->mapToGlobal(visualRect(index).center()));
}

}  // namespace lorvane::ui
