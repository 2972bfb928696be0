#include "desktop/qt/windows/table_model.h"

#include <algorithm>
#include <limits>

#include "desktop/qt/qt_image_source.h"

namespace wendaro {

TableModel::TableModel(TableView& table, std::vector<ModelColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void TableModel::setDataSource(TableViewDataSource* dataSource) {
  dataSource_ = dataSource;
  reload();
}

void TableModel::reload() {
  beginResetModel();
  rows_ = liveRowCount();
  endResetModel();
}

void TableModel::refreshRow(int row) {
  if (row < 0 || row >= rows_ || columns_.empty()) return;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

ColumnKind TableModel::kindOf(int column) const {
  if (column < 0 || column >= columnCount()) return ColumnKind::Text;
  return columns_[static_cast<std::size_t>(column)].kind;
}

int TableModel::liveRowCount() const {
  if (!dataSource_) return 0;
  const long rows = dataSource_->numberOfRowsInTableView(table_);
  return rows <= 0 ? 0 : static_cast<int>(std::min<long>(rows, std::numeric_limits<int>::max()));
}

// The lists behind a table can shrink between reloads (a rescan while the
// window is open); rows past the data source's current count have no value.
TableValue TableModel::valueAt(int row, int column) const {
  if (!dataSource_ || row < 0 || row >= rows_ || column < 0 || column >= columnCount()) return {};
  if (row >= liveRowCount()) return {};
  return dataSource_->tableViewObjectValueForTableColumnRow(table_, columns_[static_cast<std::size_t>(column)].column,
                                                            row);
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  // Only the role that shows the column's kind of value reaches the data
  // source, once per cell drawn.
  switch (kindOf(index.column())) {
    case ColumnKind::Text:
      if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) return {};
      if (const auto value = valueAt(index.row(), index.column()); const auto* text = std::get_if<std::string>(&value))
        return QString::fromStdString(*text);
      return {};
    case ColumnKind::Image:
      if (role != Qt::DecorationRole) return {};
      if (const auto value = valueAt(index.row(), index.column()); const auto* image = std::get_if<ImageRef>(&value)) {
        if (const QtImageSource* source = qtImageSource(*image); source && (*image)->isValid()) return source->icon();
      }
      return {};
    case ColumnKind::CheckBox: {
      if (role != Qt::CheckStateRole) return {};
      const auto value = valueAt(index.row(), index.column());
      const auto* on = std::get_if<bool>(&value);
      if (!on) return {};
      return *on ? Qt::Checked : Qt::Unchecked;
    }
  }
  return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(columns_[static_cast<std::size_t>(section)].column.title);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  switch (kindOf(index.column())) {
    case ColumnKind::Text: return editable_ ? flags | Qt::ItemIsEditable : flags;
    case ColumnKind::Image: return flags;
    case ColumnKind::CheckBox: {
      const auto value = valueAt(index.row(), index.column());
      return std::holds_alternative<bool>(value) ? flags | Qt::ItemIsUserCheckable : flags;
    }
  }
  return flags;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::CheckStateRole || !isCheckBoxColumn(index.column())) return false;
  emit checkBoxClicked(index.row(), index.column(), value.toInt() == Qt::Checked);
  return true;
}

}  // namespace wendaro
