#pragma once

#include <string>
#include <variant>

#include "platform/image.h"

namespace wendaro {

struct TableColumn {
  std::string title;
};

// A value shown in a table cell: nothing, a text, a check box state or an
// image.
using TableValue = std::variant<std::monostate, std::string, bool, ImageRef>;

// The cell of a table that holds the selection or is being edited.
class TableCell {
 public:
  virtual ~TableCell() = default;
  virtual bool isButtonCell() const = 0;
  // For a check box: on is 1, off 0, mixed -1.
  virtual int state() const = 0;
  // For a text cell: its text (while editing, the edited text).
  virtual std::string stringValue() const = 0;
};

class TableView {
 public:
  virtual ~TableView() = default;
  // The table asks its data source again.
  virtual void reloadData() = 0;
  // The selected row, or -1 when none is selected.
  virtual long selectedRow() const = 0;
  virtual void selectRowIndexes(long row, bool byExtendingSelection) = 0;
  // Opens that cell for editing, its text selected when `select` is true.
  virtual void editColumn(long column, long row, bool select) = 0;
  // The selected cell, or nothing.
  virtual TableCell* selectedCell() = 0;
};

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual long numberOfRowsInTableView(TableView& tableView) = 0;
  virtual TableValue tableViewObjectValueForTableColumnRow(TableView& tableView,
                                                           const TableColumn& column, long row) = 0;
};

// Text-editing callbacks of a control whose delegate is the application
// object; the control is the table being edited in place.
class ControlTextDelegate {
 public:
  virtual ~ControlTextDelegate() = default;
  // Whether editing may end with this text; a refusal keeps the editor open.
  virtual bool controlTextShouldEndEditing(TableView& control, const std::string& text) = 0;
  // Editing has ended in `control`.
  virtual void controlTextDidEndEditing(TableView& control) = 0;
};

}  // namespace wendaro
