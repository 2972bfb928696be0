#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "platform/table_view.h"

namespace wendaro {

// What a column's cells show.
enum class ColumnKind { Text, Image, CheckBox };

struct ModelColumn {
  TableColumn column;
  ColumnKind kind = ColumnKind::Text;
};

// The rows of a table as its data source gives them. Every value is asked
// afresh by column title whenever the view needs it; only the row count is
// kept, from one reload to the next, as Qt's views require. Each column shows
// values of its kind: text, an icon, or a check box (none where the data
// source gives no value).
class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TableModel(TableView& table, std::vector<ModelColumn> columns, QObject* parent = nullptr);

  void setDataSource(TableViewDataSource* dataSource);
  // Whether text cells can be edited in place.
  void setEditable(bool editable) { editable_ = editable; }
  // Asks the data source for everything again.
  void reload();
  // Redraws one row from the data source.
  void refreshRow(int row);

  ColumnKind kindOf(int column) const;
  bool isCheckBoxColumn(int column) const { return kindOf(column) == ColumnKind::CheckBox; }
  // The data source's value for a cell, or no value outside the table.
  TableValue valueAt(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A click on a check box: announced, not stored (the data source decides
  // what the box shows next).
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void checkBoxClicked(int row, int column, bool on);

 private:
  int liveRowCount() const;

  TableView& table_;
  std::vector<ModelColumn> columns_;
  TableViewDataSource* dataSource_ = nullptr;
  bool editable_ = false;
  int rows_ = 0;
};

}  // namespace wendaro
