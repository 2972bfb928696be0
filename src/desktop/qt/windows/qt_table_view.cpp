#include "desktop/qt/windows/qt_table_view.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include "desktop/qt/windows/table_model.h"

namespace wendaro {

namespace {

std::vector<ModelColumn> columnsOf(const QTableView& view) {
  const QStringList images = view.property("imageColumns").toStringList();
  const QStringList checkBoxes = view.property("checkBoxColumns").toStringList();
  std::vector<ModelColumn> columns;
  for (const QString& title : view.property("columnTitles").toStringList()) {
    const ColumnKind kind = checkBoxes.contains(title) ? ColumnKind::CheckBox
                            : images.contains(title)   ? ColumnKind::Image
                                                       : ColumnKind::Text;
    columns.push_back({TableColumn{title.toStdString()}, kind});
  }
  return columns;
}

}  // namespace

class QtTableView::Cell final : public TableCell {
 public:
  explicit Cell(const CenteredTextCellDelegate& cells) : cells_(cells) {}
  bool isButtonCell() const override { return isButton; }
  int state() const override { return cellState; }
  std::string stringValue() const override {
    if (const QLineEdit* editor = cells_.openEditor()) return editor->text().toStdString();
    return text;
  }

  bool isButton = false;
  int cellState = 0;
  std::string text;

 private:
  const CenteredTextCellDelegate& cells_;
};

QtTableView::QtTableView(QTableView& view)
    : view_(view),
      model_(std::make_unique<TableModel>(*this, columnsOf(view))),
      cellDelegate_(std::make_unique<CenteredTextCellDelegate>()),
      cell_(std::make_unique<Cell>(*cellDelegate_)) {
  model_->setEditable(view_.editTriggers() != QAbstractItemView::NoEditTriggers);
  cellDelegate_->setEditEnd(this);
  view_.setItemDelegate(cellDelegate_.get());
  view_.installEventFilter(this);
  connect(model_.get(), &TableModel::checkBoxClicked, this, &QtTableView::checkBoxClicked);
  connect(&view_, &QAbstractItemView::clicked, this, &QtTableView::cellClicked);
}

// The view may outlive this object inside its window: it lets go of the
// model and delegate first.
QtTableView::~QtTableView() {
  view_.removeEventFilter(this);
  view_.setModel(nullptr);
  view_.setItemDelegate(nullptr);
}

void QtTableView::setDataSource(TableViewDataSource* dataSource) { model_->setDataSource(dataSource); }

// Handing a view its model has it size its headers and make a selection
// model; that waits until the view is first used, so that start-up does not
// pay it for windows the user may never open.
QTableView& QtTableView::view() {
  if (view_.model() != model_.get()) {
    view_.setModel(model_.get());
    if (layOutColumns_) layOutColumns_(view_);
  }
  return view_;
}

void QtTableView::reloadData() {
  const long selected = selectedRow();
  model_->reload();
  if (selected >= 0 && selected < model_->rowCount()) selectRowIndexes(selected, false);
}

long QtTableView::selectedRow() const {
  // A view that was never used has nothing selected.
  if (view_.model() != model_.get()) return -1;
  const QModelIndexList rows = view_.selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  int first = rows.front().row();
  for (const QModelIndex& row : rows) first = std::min(first, row.row());
  return first;
}

void QtTableView::selectRowIndexes(long row, bool byExtendingSelection) {
  if (row < 0 || row >= model_->rowCount()) return;
  const auto flags = (byExtendingSelection ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) |
                     QItemSelectionModel::Rows;
  const int column = std::max(0, view().currentIndex().column());
  view_.selectionModel()->setCurrentIndex(model_->index(static_cast<int>(row), column), flags);
}

void QtTableView::editColumn(long column, long row, bool select) {
  if (row < 0 || row >= model_->rowCount() || column < 0 || column >= model_->columnCount()) return;
  const QModelIndex index = model_->index(static_cast<int>(row), static_cast<int>(column));
  view().selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  view_.edit(index);
  if (QLineEdit* editor = cellDelegate_->openEditor()) {
    if (select) {
      editor->selectAll();
    } else {
      editor->deselect();
      editor->end(false);
    }
  }
}

TableCell* QtTableView::selectedCell() {
  if (cellDelegate_->openEditor()) {
    cell_->isButton = false;
    hasCell_ = true;
  }
  return hasCell_ ? cell_.get() : nullptr;
}

bool QtTableView::shouldEndEditing(const QString& text) {
  const bool allowed = !textDelegate_ || textDelegate_->controlTextShouldEndEditing(*this, text.toStdString());
  if (onEditRefused_) onEditRefused_(!allowed);
  return allowed;
}

void QtTableView::didEndEditing(const QString& text) {
  if (onEditRefused_) onEditRefused_(false);
  cell_->isButton = false;
  cell_->text = text.toStdString();
  hasCell_ = true;
  if (textDelegate_) textDelegate_->controlTextDidEndEditing(*this);
  view_.viewport()->update();
}

void QtTableView::checkBoxClicked(int row, int, bool on) {
  cell_->isButton = true;
  cell_->cellState = on ? 1 : 0;
  cell_->text.clear();
  hasCell_ = true;
  selectRowIndexes(row, false);
  if (checkBoxAction_) checkBoxAction_();
  model_->refreshRow(row);
}

// Check boxes record themselves when they change; other cells when clicked.
void QtTableView::cellClicked(const QModelIndex& index) {
  if (!index.isValid() || model_->isCheckBoxColumn(index.column())) return;
  cell_->isButton = false;
  cell_->cellState = 0;
  cell_->text.clear();
  if (model_->kindOf(index.column()) == ColumnKind::Text) {
    const TableValue value = model_->valueAt(index.row(), index.column());
    if (const auto* text = std::get_if<std::string>(&value)) cell_->text = *text;
  }
  hasCell_ = true;
}

int QtTableView::checkBoxColumn() const {
  for (int column = 0; column < model_->columnCount(); ++column) {
    if (model_->isCheckBoxColumn(column)) return column;
  }
  return -1;
}

// The first row, from the top, whose text in the first column of text starts
// with what was typed.
void QtTableView::selectTypedRow() {
  int column = 0;
  while (column < model_->columnCount() && model_->kindOf(column) != ColumnKind::Text) ++column;
  if (column == model_->columnCount()) return;
  for (int row = 0; row < model_->rowCount(); ++row) {
    const TableValue value = model_->valueAt(row, column);
    const auto* text = std::get_if<std::string>(&value);
    if (text && typed_.matches(QString::fromStdString(*text))) {
      selectRowIndexes(row, false);
      view_.scrollTo(model_->index(row, column));
      return;
    }
  }
}

bool QtTableView::handleKey(const QKeyEvent& event) {
  if (cellDelegate_->openEditor()) return false;
  if (!(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
      typed_.takes(event.text())) {
    typed_.add(event.text());
    selectTypedRow();
    return true;
  }
  if (event.modifiers() != Qt::NoModifier) return false;
  const QModelIndex current = view_.currentIndex();
  if (event.key() == Qt::Key_Delete && deleteAction_ && selectedRow() >= 0) {
    deleteAction_();
    return true;
  }
  if (!current.isValid()) return false;
  switch (event.key()) {
    case Qt::Key_Space: {
      const int column = checkBoxColumn();
      if (column < 0) return false;
      const TableValue value = model_->valueAt(current.row(), column);
      const auto* on = std::get_if<bool>(&value);
      if (!on) return true;  // a cell without a check box
      checkBoxClicked(current.row(), column, !*on);
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!model_->flags(current).testFlag(Qt::ItemIsEditable)) return false;
      view_.edit(current);
      return true;
    default:
      return false;
  }
}

bool QtTableView::eventFilter(QObject* object, QEvent* event) {
  if (object == &view_) {
    if (event->type() == QEvent::Show) {
      view();
      reloadData();
    }
    if (event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent*>(event))) return true;
  }
  return QObject::eventFilter(object, event);
}

}  // namespace wendaro
