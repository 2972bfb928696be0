#include "fake/fake_interface.h"

#include <algorithm>
#include <utility>

namespace wendaro::fake {

void FakeWindow::close() {
  if (delegate) delegate->windowWillClose(*this);
  visible = false;
}

void FakeWindow::makeFirstResponder(std::nullptr_t) {
  if (table && table->editingRow) table->commitEdit(table->cell.text);
}

void FakeTableView::editColumn(long, long row, bool) {
  editingRow = row;
  selected = row;
  hasSelectedCell = true;
  cell.isButton = false;
  auto value = dataSource->tableViewObjectValueForTableColumnRow(*this, TableColumn{"Name"}, row);
  if (auto* text = std::get_if<std::string>(&value)) cell.text = *text;
}

std::vector<TableValue> FakeTableView::column(const std::string& title) {
  std::vector<TableValue> values;
  for (long row = 0, rows = dataSource->numberOfRowsInTableView(*this); row < rows; ++row) {
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
  if (!textDelegate->controlTextShouldEndEditing(*this, text)) return false;
  editingRow.reset();
  textDelegate->controlTextDidEndEditing(*this);
  return true;
}

void FakeStatusItem::popUpStatusItemMenu(Menu& menu) {
  // The delegate hears the opening before the menu shows, as on the desktop.
  if (menu.delegate()) menu.delegate()->menuWillOpen(menu);
  bar_.openMenu = &menu;
  bar_.openMenuItem = this;
}

std::vector<std::shared_ptr<FakeStatusItem>> FakeStatusBar::shown() const {
  std::vector<std::shared_ptr<FakeStatusItem>> items;
  std::copy_if(made.begin(), made.end(), std::back_inserter(items), [](const auto& item) { return !item->removed; });
  return items;
}

void FakeStatusBar::closeMenu() {
  if (!openMenu) return;
  Menu* menu = std::exchange(openMenu, nullptr);
  delegate()->didCloseMenu(std::exchange(openMenuItem, nullptr)->fakeButton, *menu);
}

}  // namespace wendaro::fake
