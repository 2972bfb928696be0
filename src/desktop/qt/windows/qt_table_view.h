#pragma once

#include <functional>
#include <memory>

#include <QObject>

#include "desktop/qt/typed_prefix.h"
#include "desktop/qt/windows/centered_text_cell_delegate.h"
#include "platform/table_view.h"

class QTableView;

namespace wendaro {

class TableModel;

// A table of the interface file, in the core's terms. Its columns come from
// the view's properties in the form: "columnTitles" (a string list) names
// them, "imageColumns" and "checkBoxColumns" name those that show an icon or
// a check box; the others show text. Text cells can be edited in place when
// the form gives the view edit triggers.
//
// Keyboard: arrows move, Space ticks the row's check box, F2 or Return opens
// the text of the current row for editing, Delete sends the delete action,
// and typing selects the first row whose text starts with what was typed
// (see TypedPrefix).
class QtTableView final : public QObject, public TableView, private InPlaceEditEnd {
  Q_OBJECT

 public:
  explicit QtTableView(QTableView& view);
  ~QtTableView() override;

  void setDataSource(TableViewDataSource* dataSource);
  // Decides and hears the end of in-place edits.
  void setTextDelegate(ControlTextDelegate* delegate) { textDelegate_ = delegate; }
  // Sent when the user ticks or unticks a check box, once the table's
  // selected row and cell are that box's.
  void setCheckBoxAction(std::function<void()> action) { checkBoxAction_ = std::move(action); }
  // Sent on the Delete key while a row is selected.
  void setDeleteAction(std::function<void()> action) { deleteAction_ = std::move(action); }
  // Told whether the text delegate has just refused an edit (true), or the
  // edit ended (false), so that the window can say why.
  void setOnEditRefused(std::function<void(bool)> onRefused) { onEditRefused_ = std::move(onRefused); }

  // The table keeps its selected row across a reload when that row is still
  // there, and asks its data source again each time it is shown.
  void reloadData() override;
  long selectedRow() const override;
  void selectRowIndexes(long row, bool byExtendingSelection) override;
  void editColumn(long column, long row, bool select) override;
  // The cell last clicked or edited: a check box reports its state after the
  // click, a text cell its text (the edited text while it is being edited).
  TableCell* selectedCell() override;

  // The view, with this table's model in it.
  QTableView& view();
  // Sizes the columns once the view has its model.
  void setLayOutColumns(std::function<void(QTableView&)> layOut) { layOutColumns_ = std::move(layOut); }
  CenteredTextCellDelegate& cellDelegate() { return *cellDelegate_; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  class Cell;
  bool shouldEndEditing(const QString& text) override;
  void didEndEditing(const QString& text) override;
  void checkBoxClicked(int row, int column, bool on);
  void cellClicked(const QModelIndex& index);
  bool handleKey(const QKeyEvent& event);
  int checkBoxColumn() const;
  void selectTypedRow();

  QTableView& view_;
  std::unique_ptr<TableModel> model_;
  std::unique_ptr<CenteredTextCellDelegate> cellDelegate_;
  std::unique_ptr<Cell> cell_;
  bool hasCell_ = false;
  ControlTextDelegate* textDelegate_ = nullptr;
  std::function<void()> checkBoxAction_;
  std::function<void()> deleteAction_;
  std::function<void(bool)> onEditRefused_;
  TypedPrefix typed_;
  std::function<void(QTableView&)> layOutColumns_;
};

}  // namespace wendaro
