#pragma once
// The result pane: HeaderControl1 (six columns, the sort key's captions bold) over
// ListBox1 (one row per hit), a list model over the core's result list. Every cell is
// drawn from the result list's columns by row index, so a sort only needs a repaint.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <functional>
#include <string>

#include "search/result_list.h"

namespace lorvane::ui {

constexpr int kResultColumns = 6;

// The design's captions and widths, and the sort key a click on each column sets.
struct TResultColumn {
  const char* caption;  // UTF-8
  int design_width;
  const char* sort_key;
};
const TResultColumn& ResultColumn(int column);
// Whether a column's caption is bold under the sort key ("Date": both date columns).
bool IsSortColumn(int column, const std::string& sort_key);

class TResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TResultModel(const TResultList& results, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The result list was emptied and refilled.
  void Reload();
  // The rows were reordered in place.
  void Resorted();

 private:
  const TResultList& results_;
};

class TResultHeader : public QHeaderView {
  Q_OBJECT

 public:
  // `sort_key` tells which captions are bold.
  TResultHeader(std::function<std::string()> sort_key, QWidget* parent = nullptr);

  // Whether the section's caption is drawn bold: it names the current sort key.
  bool IsSectionBold(int logical_index) const;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override;

 private:
  std::function<std::string()> sort_key_;
};

// Rows: the row filled with the list's brush, each cell's text from its top-left corner,
// cut at the cell's edge without an ellipsis.
class TResultDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A column's width when none is stored: the design's, widened for a wider font.
int DefaultColumnWidth(int column, const QFont& font);

// The row height of the design, the font's height in pixels times 1.2 truncated, or the
// face's line height where that is more.
int ResultRowHeight(const QFont& font);

}  // namespace lorvane::ui
