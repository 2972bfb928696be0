#include "fake/fake_interface.h"

#include <sstream>

namespace wendaro::fake {

void FakeWindow::setFrameOrigin(Point origin) {
  std::ostringstream text;
  text << origin.x << "," << origin.y;
  log_.record("window[" + name_ + "]", "setFrameOrigin", text.str());
  frame_.origin = origin;
}

void FakeWindow::setMovableByWindowBackground(bool movable) {
  log_.record("window[" + name_ + "]", "setMovableByWindowBackground", movable ? "1" : "0");
  movableByBackground = movable;
}

WindowButton* FakeWindow::standardWindowButton(WindowButtonKind kind) {
  switch (kind) {
    case WindowButtonKind::Zoom: return hasZoomButton ? &zoomButton : nullptr;
    case WindowButtonKind::Miniaturize: return hasMiniaturizeButton ? &miniaturizeButton : nullptr;
    case WindowButtonKind::Close: return &closeButton;
  }
  return nullptr;
}

void FakeWindow::setLevel(int newLevel) {
  log_.record("window[" + name_ + "]", "setLevel", std::to_string(newLevel));
  level = newLevel;
}

void FakeWindow::setTitle(const std::string& title) {
  log_.record("window[" + name_ + "]", "setTitle", title);
  title_ = title;
}

void FakeWindow::makeKeyAndOrderFront() {
  log_.record("window[" + name_ + "]", "makeKeyAndOrderFront");
  visible = true;
}

void FakeWindow::close() {
  log_.record("window[" + name_ + "]", "close");
  if (delegate) delegate->windowWillClose(*this);
  visible = false;
}

void FakeWindow::setDelegate(WindowDelegate* newDelegate) {
  log_.record("window[" + name_ + "]", "setDelegate");
  delegate = newDelegate;
}

void FakeWindow::makeFirstResponder(std::nullptr_t) {
  log_.record("window[" + name_ + "]", "makeFirstResponder");
  if (table && table->editingRow) table->commitEdit(table->cell.text);
}

void FakeTableView::reloadData() {
  log_.record("table[" + name_ + "]", "reloadData");
  ++reloads;
}

void FakeTableView::selectRowIndexes(long row, bool byExtendingSelection) {
  log_.record("table[" + name_ + "]", "selectRowIndexes", std::to_string(row) + (byExtendingSelection ? " extend" : ""));
  selected = row;
}

void FakeTableView::editColumn(long column, long row, bool select) {
  log_.record("table[" + name_ + "]", "editColumn",
              std::to_string(column) + "," + std::to_string(row) + (select ? " select" : ""));
  editingRow = row;
  selected = row;
  hasSelectedCell = true;
  cell.isButton = false;
  if (dataSource) {
    auto value = dataSource->tableViewObjectValueForTableColumnRow(*this, TableColumn{"Name"}, row);
    if (auto* text = std::get_if<std::string>(&value)) cell.text = *text;
  }
}

std::vector<TableValue> FakeTableView::column(const std::string& title) {
  std::vector<TableValue> values;
  if (!dataSource) return values;
  long rows = dataSource->numberOfRowsInTableView(*this);
  for (long row = 0; row < rows; ++row) {
    values.push_back(dataSource->tableViewObjectValueForTableColumnRow(*this, TableColumn{title}, row));
  }
  return values;
}

void FakeTableView::clickCheckBox(long row, bool on) {
  selected = row;
  hasSelectedCell = true;
  cell.isButton = true;
  cell.cellState = on ? 1 : 0;
}

bool FakeTableView::commitEdit(const std::string& text) {
  if (!editingRow) return false;
  cell.text = text;
  if (textDelegate && !textDelegate->controlTextShouldEndEditing(*this, text)) return false;
  editingRow.reset();
  if (textDelegate) textDelegate->controlTextDidEndEditing(*this);
  return true;
}

}  // namespace wendaro::fake
