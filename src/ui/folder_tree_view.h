#pragma once
// TreeView1: the folder tree with each node's check-box state icon, node icon and caption,
// as an item model over the core's folder tree. Clicks on the state icon and the context
// menu request are reported; what they do is decided by the core (folder_checks.h).

#include <QAbstractItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <unordered_map>

#include "mail/folder_tree.h"

namespace lorvane::ui {

class TFolderTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr int kShownStateRole = Qt::UserRole + 1;

  explicit TFolderTreeModel(TFolderTree& tree, QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  static TFolder* FolderOf(const QModelIndex& index);
  QModelIndex IndexOf(const TFolder* folder) const;

  // The tree is about to be rebuilt / has been rebuilt.
  void BeginRebuild();
  void EndRebuild();
  // Stored states changed somewhere below `folder` (or anywhere for nullptr): repaint.
  void StatesChanged();

 private:
  TFolder* Child(const QModelIndex& parent, int row) const;

  TFolderTree& tree_;
  std::unordered_map<const TFolder*, int> rows_;  // a node's row among its siblings
};

// Paints the state icon before the node's own icon and caption.
class TFolderTreeDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // Where the state icon is drawn within an item's rectangle.
  static QRect StateIconRect(const QRect& item_rect);
};

class TFolderTreeView : public QTreeView {
  Q_OBJECT

 public:
  explicit TFolderTreeView(QWidget* parent = nullptr);

 signals:
  // A click (press and release on one node) on the state icon, or Space on the current node.
  void StateIconClicked(const QModelIndex& index);
  // Any click in the tree.
  void TreeClicked();
  // Right button (or the menu key) on a node, which is then the selection.
  void ContextMenuWanted(const QModelIndex& index, const QPoint& global_position);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPersistentModelIndex pressed_;
  bool pressed_on_state_ = false;
};

}  // namespace lorvane::ui
