// The result list's model, header and row drawing.

#include "ui/result_view.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>

#include "ui/qt_text.h"

namespace lorvane::ui {

namespace {

constexpr std::array<TResultColumn, kResultColumns> kColumns = {{
    {"ソフト", 80, "Soft"},
    {"フォルダ", 80, "Folder"},
    {"発信日", 90, "Date"},
    {"発信時", 60, "Date"},
    {"発信者", 100, "From"},
    {"題名", 50, "Subject"},
}};

constexpr std::array<TMailField, kResultColumns> kFields = {mfSoft,  mfFolder, mfDate,
                                                            mfTime,  mfSender, mfSubject};

}  // namespace

const TResultColumn& ResultColumn(int column) {
  return kColumns[static_cast<size_t>(column)];
}

bool IsSortColumn(int column, const std::string& sort_key) {
  // An unknown key sorts like "Soft", and shows like it.
  bool known = false;
  for (const auto& c : kColumns) known = known || sort_key == c.sort_key;
  return (known ? sort_key : std::string("Soft")) == kColumns[static_cast<size_t>(column)].sort_key;
}

int DefaultColumnWidth(int column, const QFont& font) {
  // The design's widths hold a date and a time in its font; a wider font widens every
  // column alike.
  const QFontMetrics metrics(font);
  const double date = (metrics.horizontalAdvance(QStringLiteral("2026-12-07")) + 10) / 90.0;
  const double time = (metrics.horizontalAdvance(QStringLiteral("10:15:30")) + 10) / 60.0;
  const double scale = std::max({1.0, date, time});
  return static_cast<int>(ResultColumn(column).design_width * scale);
}

int ResultRowHeight(const QFont& font) {
  // Never below the face's own line height: with some faces 1.2 times the size cuts off
  // the descenders ("y", "g").
  return std::max(static_cast<int>(QFontInfo(font).pixelSize() * 1.2), QFontMetrics(font).height());
}

TResultModel::TResultModel(const TResultList& results, QObject* parent)
    : QAbstractTableModel(parent), results_(results) {}

int TResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : results_.Count();
}

int TResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kResultColumns;
}

QVariant TResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= results_.Count()) return {};
  if (role == Qt::DisplayRole) {
    return FromCore(results_.Field(index.row(), kFields[static_cast<size_t>(index.column())]));
  }
  return {};
}

QVariant TResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kResultColumns) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
    return QString::fromUtf8(kColumns[static_cast<size_t>(section)].caption);
  }
  return {};
}

void TResultModel::Reload() {
  beginResetModel();
  endResetModel();
}

void TResultModel::Resorted() {
  emit layoutAboutToBeChanged();
  emit layoutChanged();
  if (results_.Count() > 0) emit dataChanged(index(0, 0), index(results_.Count() - 1, kResultColumns - 1));
}

TResultHeader::TResultHeader(std::function<std::string()> sort_key, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), sort_key_(std::move(sort_key)) {
  setObjectName("HeaderControl1");
  setSectionsMovable(false);
  setSectionsClickable(true);
  setHighlightSections(false);
  setSortIndicatorShown(false);
  setStretchLastSection(true);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool TResultHeader::IsSectionBold(int logical_index) const {
  return IsSortColumn(logical_index, sort_key_());
}

void TResultHeader::paintSection(QPainter* painter, const QRect& rect, int logical_index) const {
  if (!rect.isValid()) return;
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logical_index;
  option.text.clear();
  option.state |= QStyle::State_Enabled;
  style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
  QFont font = this->font();
  font.setBold(IsSectionBold(logical_index));
  painter->save();
  painter->setFont(font);
  painter->setClipRect(rect.adjusted(0, 0, -1, 0));
  painter->setPen(palette().color(QPalette::ButtonText));
  painter->drawText(rect.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    model() ? model()->headerData(logical_index, Qt::Horizontal).toString()
                            : QString());
  painter->restore();
}

void TResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette::ColorGroup group =
      option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
  painter->fillRect(option.rect, selected ? option.palette.brush(group, QPalette::Highlight)
                                          : option.palette.brush(group, QPalette::Base));
  // The cell runs from the column's left edge (2 pixels in for the first column) to 4 pixels
  // before its right edge; text beyond it is cut off.
  QRect cell = option.rect;
  if (index.column() == 0) cell.setLeft(cell.left() + 2);
  cell.setRight(option.rect.right() - 4);
  if (cell.width() <= 0) return;
  painter->save();
  painter->setClipRect(cell);
  painter->setFont(option.font);
  painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize TResultDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.fontMetrics.horizontalAdvance(QLatin1Char('M')) * 4, ResultRowHeight(option.font)};
}

}  // namespace lorvane::ui
